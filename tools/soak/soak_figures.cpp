#include "soak/soak_figures.h"

#include <algorithm>

#include "memory/device_memory_item.h"

bool TSoakFigures::GoalsMet() const {
  return WrongBytesAfterDone == 0 && FalseDones == 0 && LostMarks == 0 && WrongBytesRead == 0 &&
         NotFoundAgain == 0;
}

TSoakFigures& TSoakFigures::operator+=(const TSoakFigures& other) {
  Cycles += other.Cycles;
  Writes += other.Writes;
  WritesFailed += other.WritesFailed;
  Reads += other.Reads;
  ReadsFailed += other.ReadsFailed;
  BytesFilled += other.BytesFilled;
  Silences += other.Silences;
  LostPackets += other.LostPackets;
  NoAnswer += other.NoAnswer;
  Garbled += other.Garbled;
  ChecksumKept += other.ChecksumKept;
  WrongBytesReadChecksumKept += other.WrongBytesReadChecksumKept;
  Time += other.Time;
  LongestCycle = std::max(LongestCycle, other.LongestCycle);
  WrongBytesAfterDone += other.WrongBytesAfterDone;
  FalseDones += other.FalseDones;
  LostMarks += other.LostMarks;
  WrongBytesRead += other.WrongBytesRead;
  NotFoundAgain += other.NotFoundAgain;
  return *this;
}

TImageDiff CompareWithModule(const TDeviceMemoryItem& area, std::span<const uint8_t> module,
                             int from, int to) {
  TImageDiff diff;
  const auto image = area.Image();
  for (int i = std::max(from, 0); i < std::min(to, static_cast<int>(image.size())); ++i) {
    const auto at = static_cast<size_t>(i);
    if (at < module.size() && module[at] == image[at]) continue;
    ++diff.Differ;
    if (!area.IsChanged(i)) ++diff.Unmarked;
  }
  return diff;
}
