#pragma once

#include <chrono>
#include <cstdint>
#include <span>

class TDeviceMemoryItem;

// What a fault soak counted. The goal figures must all stay 0: a configuration tool that
// writes into a car's security system must never report a write done that left wrong bytes,
// never forget that a byte still has to be written, never show a read as done with wrong
// bytes, and must find a module again once it answers.
struct TSoakFigures {
  int Cycles = 0;
  int Writes = 0;        // one per settings area and cycle
  int WritesFailed = 0;  // reported failed or partial
  int Reads = 0;
  int ReadsFailed = 0;
  int64_t BytesFilled = 0;  // random bytes put into the images
  int Silences = 0;         // times the module went silent in the middle of a write
  int LostPackets = 0;      // packets whose every try was lost on purpose
  int NoAnswer = 0;         // requests the link gave up on (journal error 0)
  int Garbled = 0;          // frames the link threw away (journal error 6)
  // Frames of the modules garbled so that their checksum still held: nothing in the frame
  // tells them from good ones.
  int ChecksumKept = 0;
  // Bytes a read reported done brought wrong while such a frame came. Kept apart from the
  // goal figures: no test of a frame can catch them.
  int64_t WrongBytesReadChecksumKept = 0;
  std::chrono::milliseconds Time{0};
  std::chrono::milliseconds LongestCycle{0};

  // Goals.
  int64_t WrongBytesAfterDone = 0;  // bytes the module holds wrong after a write reported done
  int FalseDones = 0;               // writes reported done that were not
  int64_t LostMarks = 0;            // bytes that differ from the module without a changed mark
  int64_t WrongBytesRead = 0;       // bytes a read reported done brought wrong
  int NotFoundAgain = 0;            // silences after which the module was not read again

  bool GoalsMet() const;
  TSoakFigures& operator+=(const TSoakFigures& other);
};

// How an area's image stands against the module's memory over [from, to).
struct TImageDiff {
  int Differ = 0;    // bytes the image and the module hold differently
  int Unmarked = 0;  // of those, the bytes without a changed mark: no later write sends them

  friend bool operator==(const TImageDiff&, const TImageDiff&) = default;
};

// `module` is the module's memory from the area's first byte; bytes beyond it count as
// differing.
TImageDiff CompareWithModule(const TDeviceMemoryItem& area, std::span<const uint8_t> module,
                             int from, int to);
