#pragma once

#include <cstdint>
#include <span>

// The wiring of every main-module board generation and the functions that can be put on its
// wires, as the module's memory knows them. Text is UTF-8.

enum class TPcbGeneration : uint8_t { First, Second, Third };

// A pin code in memory that names no pin.
inline constexpr uint8_t kNoOutputCode = 0;
inline constexpr uint8_t kNoInputCode = 255;

// Output pin flags.
inline constexpr uint8_t kOutNotAssignable = 1 << 0;
inline constexpr uint8_t kOutExtensionRelay = 1 << 1;
inline constexpr uint8_t kOutPager = 1 << 2;        // may take the pager function
inline constexpr uint8_t kOutPolarity = 1 << 3;     // selectable polarity, see TOutRow::ClearCode
inline constexpr uint8_t kOutImmobiliser = 1 << 4;  // the micro-immobiliser relay
// The wire that the main module's digital output No. 1 drives when it is switched on.
inline constexpr uint8_t kOutDigitalOutput = 1 << 5;
inline constexpr uint8_t kOutWithStartModule = 1 << 6;  // shown only with the start module
inline constexpr uint8_t kOutWithExtender = 1 << 7;     // shown only with the output extender

// When a pin's code differs from the one its row gives.
enum class TCodeCondition : uint8_t { Never, SubRevisionAbove8, SubRevisionAbove12, SirenMoved };

struct TCodeVariant {
  TCodeCondition When = TCodeCondition::Never;
  uint8_t Code = 0;
};

struct TOutRow {
  const char* Name = "";
  uint8_t Code = 0;
  uint8_t Task = 0;  // the output function whose default pin this is; 0 for none
  uint8_t Flags = 0;
  // Pins with selectable polarity: Code selects one polarity (the flag set), ClearCode the
  // other (the flag clear).
  uint8_t ClearCode = 0;
  TCodeVariant Variant = {};
  const char* Description = "";
};

// Input pin flags.
inline constexpr uint8_t kInNotAssignable = 1 << 0;
inline constexpr uint8_t kInPolarity = 1 << 1;  // has the polarity toggle
inline constexpr uint8_t kInTrigger = 1 << 2;   // has the trigger-type toggle
inline constexpr uint8_t kInSpeed = 1 << 3;     // may take the speed function (9)
inline constexpr uint8_t kInTacho = 1 << 4;     // may take the tacho function (10)

struct TInRow {
  const char* Name = "";
  uint8_t Code = 0;
  uint8_t Task = 0;  // the input function whose default pin this is; 0 for none
  uint8_t Flags = 0;
  int8_t StartInput = -1;  // input of the engine start module, -1 for a main-module pin
  const char* Description = "";
};

// Output functions in list order.
struct TTaskRow {
  uint8_t Id = 0;
  bool HasColumn = false;
  const char* Name = "";
};

// Input functions in list order. Column 0: no column on the inputs page, not assignable.
struct TTaskInRow {
  uint8_t Id = 0;
  uint8_t FixedCode = 0;
  uint8_t Column = 0;
  const char* Name = "";
};

std::span<const TOutRow> OutputRows(TPcbGeneration generation, bool pager);
// Main-module inputs first, then the inputs of the engine start module.
std::span<const TInRow> InputRows(TPcbGeneration generation, bool pager);
std::span<const TTaskRow> TaskRows();
std::span<const TTaskInRow> TaskInRows();
