#include "pages/can/can_inputs.h"

namespace {

struct TColumn {
  int Function;
  const char* Name;
};

constexpr TColumn kColumnTable[TCanInputs::kColumns] = {
    {1, "Датчик открытия дверей"},
    {2, "Датчик открытия багажника"},
    {3, "Датчик открытия капота"},
    {7, "Датчик положения ПАРК/ручник"},
    {8, "Датчик заряда аккумулятора"},
    {11, "Кнопка управления центральным замком"},
    {15, "Датчик открытия дверей пассажиров"},
    {16, "Ключ в замке"},
    {17, "Стоп сигнал"},
    {4, "Зажигание"},
};

struct TSignal {
  const char* Name;
  // Bit f − 1 for each function f the signal may feed.
  uint32_t Functions;
  // The factory function; 0 for none.
  int Default;
};

constexpr uint32_t Functions(std::initializer_list<int> functions) {
  uint32_t mask = 0;
  for (const int f : functions) mask |= 1u << (f - 1);
  return mask;
}

constexpr uint32_t kDoors = Functions({1, 2, 3, 15, 16});

// clang-format off
constexpr TSignal kSignalTable[TCanInputs::kSignals] = {
    {"Дверь водителя", kDoors, 1},
    {"Дверь пассажира", kDoors, 15},
    {"Задняя левая дверь", kDoors, 15},
    {"Задняя правая дверь ", kDoors, 15},
    {"Багажник", kDoors, 2},
    {"Капот", kDoors, 3},
    {"Стоп сигнал", Functions({17}), 17},
    {"Габаритные огни", Functions({16}), 0},
    {"Ключ в замке", Functions({16}), 0},
    {"Аксессуары", Functions({16}), 0},
    {"Стояночный тормоз", Functions({7}), 0},
    {"АКПП в положении ПАРК", Functions({7}), 0},
    {"Двигатель заведён", Functions({8, 16}), 0},
    {"Зажигание", Functions({4}), 4},
};
// clang-format on

// The stored codes leave out the functions 9 and 10.
constexpr uint8_t kFirstShifted = 7;
constexpr uint8_t kShift = 2;

}  // namespace

int TCanInputs::ColumnFunction(int column) {
  return kColumnTable[column - 1].Function;
}

QString TCanInputs::ColumnName(int column) {
  return QString::fromUtf8(kColumnTable[column - 1].Name);
}

QString TCanInputs::SignalName(int entry) {
  return entry < kSignals ? QString::fromUtf8(kSignalTable[entry].Name) : QString();
}

bool TCanInputs::Allowed(int entry, int column) {
  if (entry < 0 || entry >= kSignals || column < 1 || column > kColumns) return false;
  return (kSignalTable[entry].Functions & (1u << (ColumnFunction(column) - 1))) != 0;
}

TCanInputs::TCanInputs() {
  for (int entry = 0; entry < kEntries; ++entry) {
    kept_.at(static_cast<size_t>(entry)) = entry < kSignals ? kNone : 0;
  }
}

int TCanInputs::Function(int entry) const {
  const uint8_t kept = Kept(entry);
  return kept == kNone ? 0 : kept + 1;
}

// Both directions wrap as bytes, as the module's own firmware reads them.
void TCanInputs::Load(int entry, uint8_t stored) {
  kept_.at(static_cast<size_t>(entry)) =
      stored > kFirstShifted && stored != kNone ? static_cast<uint8_t>(stored + kShift) : stored;
}

uint8_t TCanInputs::Stored(int entry) const {
  const uint8_t kept = Kept(entry);
  return kept > kFirstShifted && kept != kNone ? static_cast<uint8_t>(kept - kShift) : kept;
}

void TCanInputs::SetDefault(int entry) {
  const int function = entry < kSignals ? kSignalTable[entry].Default : 0;
  kept_.at(static_cast<size_t>(entry)) = function == 0 ? kNone : static_cast<uint8_t>(function - 1);
}

bool TCanInputs::Toggle(int entry, int column) {
  if (!Allowed(entry, column)) return false;
  const auto here = static_cast<uint8_t>(ColumnFunction(column) - 1);
  uint8_t& kept = kept_.at(static_cast<size_t>(entry));
  kept = kept == here ? kNone : here;
  return true;
}
