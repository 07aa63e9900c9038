#pragma once

#include <cstdint>
#include <span>
#include <vector>

// What the virtual modules hold when they leave the factory: the bytes of their memory images
// that are not zero, and the version records their status answers carry.
enum class TBoardGeneration { Any, Second, Third };

struct TImagePatch {
  uint8_t Module = 0;
  TBoardGeneration Board = TBoardGeneration::Any;
  int Location = 0;  // TSimLocation
  uint32_t Offset = 0;
  std::vector<uint8_t> Bytes;
};

struct TStatusRecord {
  uint8_t Module = 0;
  TBoardGeneration Board = TBoardGeneration::Any;
  std::vector<uint8_t> Bytes;
};

const std::vector<TImagePatch>& FactoryImagePatches();
const std::vector<TStatusRecord>& FactoryStatusRecords();

// Does a row for `board` apply to a vehicle with (gen2) or without an older main module?
bool FitsBoard(TBoardGeneration board, bool gen2);

// The version record a module's status answer carries; empty for a module without one.
std::span<const uint8_t> StatusRecord(uint8_t module, bool gen2);
// The CAN module's record as the main module relays it (16 bytes).
inline constexpr uint8_t kCanRecordModule = 24;
inline constexpr size_t kCanRecordSize = 16;
// Where the record holds the protocol version (major, minor) and the car (group, subgroup).
inline constexpr size_t kCanRecordProtocol = 4;
inline constexpr size_t kCanRecordGroup = 6;
