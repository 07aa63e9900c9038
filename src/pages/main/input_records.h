#pragma once

#include <array>
#include <cstdint>

#include "pages/main/board_model.h"

// The source byte of a third-generation input record: the function comes from the CAN bus, or
// not. The CAN inputs page shows and toggles the same bytes.
inline constexpr uint8_t kFromCan = 0;
inline constexpr uint8_t kNotFromCan = 255;

// Where the tacho function (10) takes its signal from.
enum class TTachoSource : uint8_t { Wire = 0, Can = 1, StartModule = 2 };

// The input-function assignments as the memory images hold them, translated to and from the
// board model. The older boards keep one pin code per function; the third generation a record
// of three bytes: the pin code, the source (CAN, wire or a start-module input) and the
// function's fixed code.
class TInputRecords {
 public:
  explicit TInputRecords(TBoardModel& model) : model_(model) {}

  // First- and second-generation boards.
  void LoadOlder(int taskId, uint8_t code);
  uint8_t OlderByte(int taskId) const;
  uint8_t DefaultOlder(int taskId);

  // Third generation. Byte 0 is kept until byte 1 says whether the function sits on a wire of
  // the main module or on a start-module input; loading byte 1 places the function. False
  // when byte 1 names a start-module input that does not exist (the code is held).
  void LoadPinByte(int taskId, uint8_t code);
  bool LoadSourceByte(int taskId, uint8_t value);
  uint8_t PinByte(int taskId) const;
  uint8_t SourceByte(int taskId) const;
  uint8_t FixedByte(int taskId) const;
  uint8_t DefaultPinByte(int taskId);
  uint8_t DefaultSourceByte(int taskId);

  TTachoSource TachoSource() const;
  // The model's side of a new tacho source: the CAN flags and, for CAN, the wire.
  void SetTachoSource(TTachoSource source);

 private:
  static constexpr std::size_t kTaskCount = 20;

  TBoardModel& model_;
  std::array<uint8_t, kTaskCount> keptPinBytes_ = [] {
    std::array<uint8_t, kTaskCount> bytes{};
    bytes.fill(kNoInputCode);
    return bytes;
  }();
};
