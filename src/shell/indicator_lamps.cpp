#include "shell/indicator_lamps.h"

#include <algorithm>
#include <cstring>

namespace {

// clang-format off
constexpr TLampRow kLamps[] = {
    {.Name = "Lamp0", .Hint = "Левый борт", .Group = TLampGroup::Output, .Index = 1},
    {.Name = "Lamp1", .Hint = "Правый борт", .Group = TLampGroup::Output, .Index = 2},
    {.Name = "Lamp2", .Hint = "Запирание замков дверей", .Group = TLampGroup::Output, .Index = 3},
    {.Name = "Lamp3", .Hint = "Отпирание замков дверей", .Group = TLampGroup::Output, .Index = 4},
    {.Name = "Lamp4", .Hint = "Звуковые сигналы", .Group = TLampGroup::Output, .Index = 5},
    {.Name = "Lamp5", .Hint = "Отпирание замка багажника", .Group = TLampGroup::Output, .Index = 7},
    {.Name = "Lamp6", .Hint = "Блокировка №1", .Group = TLampGroup::Output, .Index = 8},
    {.Name = "Lamp7", .Hint = "Блокировка №2", .Group = TLampGroup::Output, .Index = 9},
    {.Name = "Lamp8", .Hint = "Управление стеклоподъемниками", .Group = TLampGroup::Output, .Index = 10},
    {.Name = "Lamp9", .Hint = "Включение поддержки зажигания", .Group = TLampGroup::Output, .Index = 11},
    {.Name = "Lamp10", .Hint = "Включение реле стартера", .Group = TLampGroup::Output, .Index = 12},
    {.Name = "Lamp11", .Hint = "Включение ACC", .Group = TLampGroup::Output, .Index = 13},
    {.Name = "Lamp12", .Hint = "Запирание замка капота", .Group = TLampGroup::Output, .Index = 14},
    {.Name = "Lamp13", .Hint = "Отпирание замка капота", .Group = TLampGroup::Output, .Index = 15},
    {.Name = "Lamp14", .Hint = "Блокировка №3", .Group = TLampGroup::Output, .Index = 16},
    {.Name = "Lamp15", .Hint = "Программа №1", .Group = TLampGroup::Output, .Index = 17, .Number = "1"},
    {.Name = "Lamp16", .Hint = "Программа №2", .Group = TLampGroup::Output, .Index = 18, .Number = "2"},
    {.Name = "Lamp17", .Hint = "Программа №3", .Group = TLampGroup::Output, .Index = 19, .Number = "3"},
    {.Name = "Lamp18", .Hint = "Программа №4", .Group = TLampGroup::Output, .Index = 20, .Number = "4"},
    {.Name = "Lamp19", .Hint = "Программа №5", .Group = TLampGroup::Output, .Index = 21, .Number = "5"},
    {.Name = "Lamp20", .Hint = "Программа №6", .Group = TLampGroup::Output, .Index = 22, .Number = "6"},
    {.Name = "Lamp21", .Hint = "Программа №7", .Group = TLampGroup::Output, .Index = 23, .Number = "7"},
    {.Name = "Lamp22", .Hint = "Программа №8", .Group = TLampGroup::Output, .Index = 24, .Number = "8"},
    {.Name = "Lamp23", .Hint = "Программа №9", .Group = TLampGroup::Output, .Index = 25, .Number = "9"},
    {.Name = "Lamp24", .Hint = "Программа №10", .Group = TLampGroup::Output, .Index = 26, .Number = "10"},
    {.Name = "Lamp25", .Hint = "Программа №11", .Group = TLampGroup::Output, .Index = 27, .Number = "11"},
    {.Name = "Lamp26", .Hint = "Программа №12", .Group = TLampGroup::Output, .Index = 28, .Number = "12"},
    {.Name = "Lamp27", .Hint = "Программа №13", .Group = TLampGroup::Output, .Index = 29, .Number = "13"},
    {.Name = "Lamp28", .Hint = "Программа №14", .Group = TLampGroup::Output, .Index = 30, .Number = "14"},
    {.Name = "Lamp29", .Hint = "Программа №15", .Group = TLampGroup::Output, .Index = 31, .Number = "15"},
    {.Name = "Lamp30", .Hint = "Программа №16", .Group = TLampGroup::Output, .Index = 32, .Number = "16"},
    {.Name = "Lamp31", .Hint = "Программа №17", .Group = TLampGroup::Output, .Index = 33, .Number = "17"},
    {.Name = "Lamp32", .Hint = "Программа №18", .Group = TLampGroup::Output, .Index = 34, .Number = "18"},
    {.Name = "Lamp33", .Hint = "Программа №19", .Group = TLampGroup::Output, .Index = 35, .Number = "19"},
    {.Name = "Lamp34", .Hint = "Программа №20", .Group = TLampGroup::Output, .Index = 36, .Number = "20"},
    {.Name = "ToolButton40", .Hint = "CAN-модуль", .Caption = "CAN: мигание поворотниками", .Group = TLampGroup::Other, .OffTimerMs = 300},
    {.Name = "ToolButton41", .Hint = "CAN-модуль", .Caption = "CAN: запирание дверей", .Group = TLampGroup::Other, .OffTimerMs = 1000},
    {.Name = "ToolButton42", .Hint = "CAN-модуль", .Caption = "CAN: отпирание дверей", .Group = TLampGroup::Other, .OffTimerMs = 1000},
    {.Name = "ToolButton43", .Hint = "CAN-модуль", .Caption = "CAN: багажник", .Group = TLampGroup::Other, .OffTimerMs = 1000},
    {.Name = "ToolButton67", .Hint = "CAN модуль", .Caption = "CAN: дверь водителя", .Group = TLampGroup::Other, .OffTimerMs = 1000},
    {.Name = "ToolButton44", .Hint = "CAN-модуль", .Caption = "CAN: комфорт", .Group = TLampGroup::Other, .OffTimerMs = 1000},
    {.Name = "ToolButton45", .Hint = "CAN-модуль", .Caption = "CAN: отпирание всех дверей", .Group = TLampGroup::Other, .OffTimerMs = 1000},
    {.Name = "Lamp42", .Hint = "Датчик открытия дверей", .Group = TLampGroup::Input, .Index = 0},
    {.Name = "Lamp43", .Hint = "Датчик открытия багажника", .Group = TLampGroup::Input, .Index = 1},
    {.Name = "Lamp44", .Hint = "Датчик открытия капота", .Group = TLampGroup::Input, .Index = 2},
    {.Name = "Lamp45", .Hint = "Датчик включения зажигания", .Group = TLampGroup::Input, .Index = 3},
    {.Name = "Lamp46", .Hint = "Кнопка ввода ПИН-кода", .Group = TLampGroup::Input, .Index = 4},
    {.Name = "Lamp47", .Hint = "Датчик положения ПАРК/ручник", .Group = TLampGroup::Input, .Index = 6},
    {.Name = "Lamp48", .Hint = "Датчик заряда аккумулятора", .Group = TLampGroup::Input, .Index = 7},
    {.Name = "Lamp49", .Hint = "Виртуальная лампа заряда", .Group = TLampGroup::Input, .Index = 40},
    {.Name = "ToolButton88", .Hint = "Напряжение АКБ", .Group = TLampGroup::Other},
    {.Name = "Lamp51", .Hint = "Кнопка управления центральным замком", .Group = TLampGroup::Input, .Index = 8},
    {.Name = "Lamp52", .Hint = "Импульсное управление №1", .Group = TLampGroup::Input, .Index = 9, .Number = "1"},
    {.Name = "Lamp53", .Hint = "Импульсное управление №2", .Group = TLampGroup::Input, .Index = 16, .Number = "2"},
    {.Name = "Lamp54", .Hint = "Импульсное управление №3", .Group = TLampGroup::Input, .Index = 5, .Number = "3"},
    {.Name = "Lamp55", .Hint = "Сигнал включения противоразбойного режима", .Group = TLampGroup::Input, .Index = 10},
    {.Name = "Lamp56", .Hint = "Распознавание события", .Group = TLampGroup::Input, .Index = 11},
    {.Name = "Lamp57", .Hint = "Датчик открытия дверей пассажиров", .Group = TLampGroup::Input, .Index = 12},
    {.Name = "Lamp58", .Hint = "Дверь пассажира (передняя)", .Group = TLampGroup::Input, .Index = 53},
    {.Name = "Lamp59", .Hint = "Дверь пассажира (задняя, левая)", .Group = TLampGroup::Input, .Index = 54},
    {.Name = "Lamp60", .Hint = "Дверь пассажира (задняя, правая)", .Group = TLampGroup::Input, .Index = 55},
    {.Name = "Lamp61", .Hint = "Стоп сигнал", .Group = TLampGroup::Input, .Index = 14},
    {.Name = "Lamp62", .Hint = "Ключ в замке", .Group = TLampGroup::Input, .Index = 13},
    {.Name = "Lamp63", .Hint = "Стартер (напряжение)", .Group = TLampGroup::Input, .Index = 41},
    {.Name = "lmpTagFound", .Hint = "Обнаружение метки", .Group = TLampGroup::Other},
    {.Name = "lmpTagRequest", .Hint = "Запрос метки", .Group = TLampGroup::Other},
    {.Name = "lmpPowerSaving", .Hint = "Режим энергосбережения", .Group = TLampGroup::Other},
    {.Name = "lmpTagPollBlocked", .Hint = "Блокировка опроса метки в охране", .Group = TLampGroup::Other},
    {.Name = "lmpCarRadio", .Hint = "Штатный радиоканал", .Group = TLampGroup::Other},
    {.Name = "Lamp69", .Hint = "Паркинг", .Group = TLampGroup::State, .Index = 42},
    {.Name = "Lamp70", .Hint = "Reverse", .Group = TLampGroup::State, .Index = 36},
    {.Name = "Lamp71", .Hint = "Neutral", .Group = TLampGroup::State, .Index = 37},
    {.Name = "Lamp72", .Hint = "Drive", .Group = TLampGroup::State, .Index = 38},
    {.Name = "Lamp73", .Hint = "Сирена №1", .Group = TLampGroup::State, .Index = 32},
    {.Name = "Lamp74", .Hint = "Состояние аварийной сигнализации", .Group = TLampGroup::State, .Index = 34},
    {.Name = "Lamp75", .Hint = "Статус поворотников", .Group = TLampGroup::State, .Index = 35},
    {.Name = "Lamp76", .Hint = "Состояние левого поворотника", .Group = TLampGroup::State, .Index = 43},
    {.Name = "Lamp77", .Hint = "Состояние правого поворотника", .Group = TLampGroup::State, .Index = 44},
    {.Name = "ToolButton64", .Caption = "ARM (CAN)", .Group = TLampGroup::State, .Index = 40},
    {.Name = "ToolButton56", .Caption = "ACC (CAN)", .Group = TLampGroup::State, .Index = 39},
    {.Name = "Lamp80", .Hint = "Включение реле стартера", .Caption = "Стартер (CAN)", .Group = TLampGroup::State, .Index = 41},
    {.Name = "lmpLearnTacho", .Hint = "Обучение оборотам ", .Group = TLampGroup::Other, .OffTimerMs = 2000},
    {.Name = "lmpLearnSpeed", .Hint = "Обучение скорости", .Group = TLampGroup::Other, .OffTimerMs = 2000},
    {.Name = "lmpLocked", .Hint = "ЦЗ заперт", .Group = TLampGroup::Other},
    {.Name = "Lamp84", .Hint = "ЦЗ отперт", .Group = TLampGroup::State, .Index = 50},
    {.Name = "Lamp85", .Hint = "Габариты", .Group = TLampGroup::State, .Index = 51},
    {.Name = "ToolButton91", .Caption = "Событие 135", .Group = TLampGroup::Other},
    {.Name = "Lamp87", .Hint = "Ключ в замке", .Caption = "Ключ в замке (CAN)", .Group = TLampGroup::State, .Index = 58},
    {.Name = "Lamp88", .Hint = "Активность CAN-модуля", .Group = TLampGroup::State, .Index = 62},
    {.Name = "Lamp89", .Hint = "Активность CAN-шины", .Group = TLampGroup::State, .Index = 48},
    {.Name = "Lamp90", .Hint = "Активность шины RS232", .Group = TLampGroup::State, .Index = 33},
    {.Name = "lmpKeyBypass", .Hint = "Обходчик ключа", .Group = TLampGroup::Other},
    {.Name = "ToolButton76", .Caption = "События 132, 133", .Group = TLampGroup::Other, .OffTimerMs = 700},
    {.Name = "lmpHeater", .Hint = "Отопитель", .Group = TLampGroup::Other},
    {.Name = "Lamp94", .Hint = "Отопитель (CAN)", .Group = TLampGroup::State, .Index = 63},
    {.Name = "Lamp95", .Hint = "Заряд АКБ", .Group = TLampGroup::State, .Index = 45},
    {.Name = "Lamp96", .Hint = "Обороты холостого хода", .Group = TLampGroup::State, .Index = 47},
};
// clang-format on

}  // namespace

std::span<const TLampRow> IndicatorLamps() {
  return kLamps;
}

const char* LampCaption(const TLampRow& row) {
  return row.Caption[0] != '\0' ? row.Caption : row.Hint;
}

int LampOf(TLampGroup group, int index) {
  const auto* it = std::find_if(std::begin(kLamps), std::end(kLamps), [&](const TLampRow& row) {
    return row.Group == group && row.Index == index;
  });
  return it == std::end(kLamps) ? -1 : static_cast<int>(it - std::begin(kLamps));
}

int LampNamed(const char* name) {
  const auto* it = std::find_if(std::begin(kLamps), std::end(kLamps), [name](const TLampRow& row) {
    return std::strcmp(row.Name, name) == 0;
  });
  return it == std::end(kLamps) ? -1 : static_cast<int>(it - std::begin(kLamps));
}
