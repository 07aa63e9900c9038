#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <string_view>

#include "binding/position_coding.h"
#include "binding/value_labels.h"
#include "memory/bound_cell.h"
#include "memory/memory_location.h"

// A settings page is a table of these rows, one per control in page order, written with
// designated initialisers:
//
//   {.Name = "tbZone", .Kind = ckTrackBar, .Caption = "Зона тревоги", .Mem = mlExt,
//    .Addr = 198, .Type = stByteHi, .Max = 15, .Guard = {260, 0}}
//
// A row with Kind ckHeading and a caption opens a section. Text is UTF-8. CheckTable below
// lets a page reject a mistyped table at compile time. Tables sit between "clang-format off"
// and "clang-format on" comments, so that each row keeps to its line or two.

enum TControlKind : uint8_t {
  ckNone,
  ckHeading,
  ckCheckBox,
  ckRadioGroup,
  ckTrackBar,
  ckMemo,
  ckLabeledMemo,
  ckLabel,
  ckData,
};

struct TRadioItem {
  int Index = 0;
  const char* Text = "";
};

// A track bar's own range when it differs from 0..Max.
struct TRange {
  int Min = 0;
  int Max = 0;
  constexpr bool IsSet() const { return Min != 0 || Max != 0; }
};

// The availability bit ReadOnlyAddr.ReadOnlyBit; Addr 0 means no guard.
struct TGuard {
  int Addr = 0;
  int Bit = 0;
};

// The main module's firmware major versions that know a setting; {0, 0} is every version.
struct TFirmwareRange {
  uint8_t Since = 0;
  uint8_t Until = 0;
  constexpr bool IsSet() const { return Since != 0 || Until != 0; }
  constexpr bool Contains(uint8_t major) const {
    return !IsSet() || (major >= Since && (Until == 0 || major <= Until));
  }
};

// The main module's board generations a setting exists on, as a mask of these; 0 is every
// board.
enum TBoardGenerationBit : uint8_t {
  kBoardGen1 = 1u << 0,
  kBoardGen2 = 1u << 1,
  kBoardGen3 = 1u << 2,
};

// The board generation, 1 to 3, that the main module's board configuration byte (byte 0 of
// its settings image) names: bit 2 the third generation, else bit 5 the second.
constexpr int BoardGenerationOf(uint8_t configuration) {
  if ((configuration & 0x04) != 0) return 3;
  return (configuration & 0x20) != 0 ? 2 : 1;
}

// Generation 0 (not known yet) fits every row.
constexpr bool FitsBoard(uint8_t boards, int generation) {
  return boards == 0 || generation < 1 || generation > 3 ||
         (boards & (1u << (generation - 1))) != 0;
}

// Marks a column the row left out, so that CheckTable can insist on it.
inline constexpr auto kNoMem = static_cast<TMemoryLocation>(0xFF);
inline constexpr auto kNoType = static_cast<TDataType>(0xFF);

struct TControlRow {
  // Handlers are attached by this name; rows nobody refers to may leave it empty.
  const char* Name = "";
  TControlKind Kind = ckNone;
  // Track bar and labelled memo: the text of the external label.
  const char* Caption = "";
  TMemoryLocation Mem = kNoMem;
  int Addr = 0;
  TDataType Type = kNoType;
  int Bit = 0;
  // Byte count of stString and stArray, bit count of stBitArray, else the largest value.
  int Max = 0;
  // Radio group items, in order, indices from 0.
  std::span<const TRadioItem> Items = {};
  TRange Range = {};
  TGuard Guard = {};
  // Check box 0 or 1, radio group item index, track bar position.
  int Default = 0;
  // Memo text default.
  const char* DefaultText = "";
  const char* Hint = "";
  bool Hidden = false;
  bool Disabled = false;
  // Pages with a help topic answer the context-help request of this control unless set.
  bool NoHelp = false;
  bool Live = false;
  int Interval = 0;
  // The module's bus address when it is not the page's module.
  uint8_t Module = 0;
  // Radio group columns, filled top to bottom.
  int Columns = 1;
  // Track bar or radio group: how its position stands for the stored value, when it differs.
  const TPositionCoding* Coding = nullptr;
  // Greyed (not stored) where the main firmware's major version lies outside, unless in demo
  // mode.
  TFirmwareRange Firmware = {};
  // Hidden and unbound, on the page and on the command line, on other boards.
  uint8_t Boards = 0;
  // The cell belongs to a setting of another page, which this page follows and may change
  // (a twin): the settings list and the comparison name it on that page only.
  bool Twin = false;
  // A memo of bytes (stArray): the line it shows for each byte, such as the text of a code.
  QString (*ByteLine)(uint8_t byte, const ILabelContext& page) = nullptr;
};

constexpr bool IsBound(TControlKind kind) {
  return kind != ckNone && kind != ckHeading;
}

// The track bar's range: its own, or 0..Max.
constexpr TRange TrackRange(const TControlRow& row) {
  return row.Range.IsSet() ? row.Range : TRange{0, row.Max};
}

// What is wrong with one row, or nullptr.
constexpr const char* RowProblem(const TControlRow& row) {
  const auto is = [&row](std::initializer_list<TDataType> types) {
    for (const TDataType type : types) {
      if (row.Type == type) return true;
    }
    return false;
  };
  if (row.Kind == ckNone) return "kind missing";
  if (row.Kind == ckHeading) {
    return std::string_view(row.Caption).empty() ? "heading without caption" : nullptr;
  }
  if (row.Mem == kNoMem || row.Mem >= kMemoryLocationCount) return "memory missing";
  if (row.Type == kNoType || row.Type > stBitArray) return "data type missing";
  if (row.Addr < 0 || row.Bit < 0 || row.Bit > 7) return "address or bit out of range";
  if (row.Guard.Addr < 0 || row.Guard.Bit < 0 || row.Guard.Bit > 7) return "bad guard";
  if (row.Firmware.IsSet() && row.Firmware.Until != 0 && row.Firmware.Until < row.Firmware.Since) {
    return "empty firmware range";
  }
  if (row.Boards > (kBoardGen1 | kBoardGen2 | kBoardGen3)) return "unknown board generation";
  if (row.ByteLine != nullptr && row.Kind != ckMemo && row.Kind != ckLabeledMemo) {
    return "byte lines on a row that is no memo";
  }
  if (row.Coding != nullptr) {
    if (row.Kind != ckTrackBar && !(row.Kind == ckRadioGroup && row.Type == stByte)) {
      return "coding on a row that is no track bar or byte radio group";
    }
    if (const char* problem = CodingProblem(*row.Coding)) return problem;
  }
  switch (row.Kind) {
    case ckCheckBox:
      if (!is({stBit})) return "check box needs stBit";
      return row.Default == 0 || row.Default == 1 ? nullptr : "check box default is 0 or 1";
    case ckRadioGroup: {
      if (!is({stBit, stBits, stByteLo, stByteHi, stByte, stBitArray})) {
        return "radio group type";
      }
      if (row.Items.empty()) return "radio group without items";
      for (std::size_t i = 0; i < row.Items.size(); ++i) {
        if (row.Items[i].Index != static_cast<int>(i)) return "radio items out of order";
      }
      if (row.Type == stBitArray &&
          (row.Max < 1 || row.Max > 8 || row.Items.size() != (1u << row.Max))) {
        return "bit field needs 2^Max items";
      }
      if (row.Columns < 1 || row.Columns > 16) return "columns 1..16";
      // A default past the items is a state of the cell that no item names (it shows as the
      // last item); it must still fit the cell.
      const int largestState = row.Type == stBit        ? 1
                               : row.Type == stBits     ? 3
                               : row.Type == stByte     ? 255
                               : row.Type == stBitArray ? static_cast<int>(row.Items.size()) - 1
                                                        : 15;
      return row.Default >= -1 && row.Default <= largestState ? nullptr
                                                              : "radio default out of the cell";
    }
    case ckTrackBar: {
      if (!is({stByteLo, stByteHi, stByte, stFloat, st2Bytes, stHL})) return "track bar type";
      const TRange range = TrackRange(row);
      if (range.Min > range.Max) return "empty track bar range";
      return row.Default >= range.Min && row.Default <= range.Max ? nullptr
                                                                  : "default out of range";
    }
    case ckMemo:
    case ckLabeledMemo:
      if (!is({stString, stArray})) return "memo type";
      if (row.ByteLine != nullptr && row.Type != stArray) return "byte lines need stArray";
      return row.Max > 0 ? nullptr : "memo needs a byte count";
    case ckData:
      if (!is({stArray})) return "data needs stArray";
      return row.Max > 0 ? nullptr : "data needs a byte count";
    default:
      return nullptr;
  }
}

struct TTableCheck {
  int Row = -1;  // the first bad row, -1 when the table is sound
  const char* Problem = nullptr;
};

// Every row sound and every given name unique. Use as
//   static_assert(CheckTable(kRows).Row == -1);
// where the compiler then prints the index of the first bad row.
constexpr TTableCheck CheckTable(std::span<const TControlRow> rows) {
  for (std::size_t i = 0; i < rows.size(); ++i) {
    if (const char* problem = RowProblem(rows[i])) return {static_cast<int>(i), problem};
    const std::string_view name = rows[i].Name;
    if (name.empty()) continue;
    for (std::size_t j = 0; j < i; ++j) {
      if (name == rows[j].Name) return {static_cast<int>(i), "name used twice"};
    }
  }
  return {};
}
