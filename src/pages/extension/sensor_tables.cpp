#include "pages/extension/sensor_tables.h"

#include "pages/extension/extension_modules.h"

namespace {

// clang-format off
constexpr TControlRow kTiltRows[] = {
    {.Kind = ckHeading, .Caption = "Наклон"},
    {.Name = "tbNoise", .Kind = ckTrackBar, .Caption = "Уровень шума",
     .Mem = mlInt, .Addr = 22, .Type = stByte, .Max = 8, .Range = {4, 8}, .Default = 5},
    {.Name = "tbTilt", .Kind = ckTrackBar, .Caption = "Критический наклон",
     .Mem = mlInt, .Addr = 24, .Type = stByte, .Max = 8, .Range = {4, 8}, .Default = 7},
    {.Kind = ckHeading, .Caption = "Движение"},
    {.Name = "tbAcceleration", .Kind = ckTrackBar, .Caption = "Порог ускорения",
     .Mem = mlInt, .Addr = 26, .Type = stByte, .Max = 16, .Range = {6, 16}, .Default = 12},
    {.Name = "tbExcesses", .Kind = ckTrackBar, .Caption = "Количество превышений порога",
     .Mem = mlInt, .Addr = 27, .Type = stByte, .Max = 5, .Range = {2, 5}, .Default = 2},
    {.Name = "tbSpeed", .Kind = ckTrackBar, .Caption = "Минимальная скорость",
     .Mem = mlInt, .Addr = 28, .Type = stByte, .Max = 255, .Range = {12, 255}, .Default = 20},
    {.Name = "tbDisturbance", .Kind = ckTrackBar, .Caption = "Длительность возмущения",
     .Mem = mlInt, .Addr = 29, .Type = stByte, .Max = 43, .Range = {3, 43}, .Default = 3},
    {.Kind = ckHeading, .Caption = "Запирание дверей по ускорению"},
    {.Name = "tbLockAcceleration", .Kind = ckTrackBar, .Caption = "Ускорение",
     .Mem = mlInt, .Addr = 25, .Type = stByte, .Max = 4, .Range = {2, 4}, .Default = 4},
    {.Kind = ckHeading, .Caption = "Диагностика"},
    {.Name = "LTiltX", .Kind = ckLabel, .Caption = "Боковой наклон",
     .Mem = mlMsg, .Addr = 2, .Type = stBit, .Bit = 0, .Live = true},
    {.Name = "LTiltY", .Kind = ckLabel, .Caption = "Продольный наклон",
     .Mem = mlMsg, .Addr = 2, .Type = stBit, .Bit = 1, .Live = true},
    {.Name = "LMovement", .Kind = ckLabel, .Caption = "Боковое движение",
     .Mem = mlMsg, .Addr = 2, .Type = stBit, .Bit = 2, .Live = true},
    {.Name = "LMovementX", .Kind = ckLabel, .Caption = "Продольное движение",
     .Mem = mlMsg, .Addr = 2, .Type = stBit, .Bit = 3, .Live = true},
};
static_assert(CheckTable(kTiltRows).Row == -1);

constexpr TValueLabelRow kTiltLabels[] = {
    {.Name = "tbNoise"},
    {.Name = "tbTilt", .Scale = 0.25, .Format = "%5.2f Градус"},
    {.Name = "tbAcceleration", .Scale = 1 / 0.24, .Format = "%5.2f mg"},
    {.Name = "tbExcesses"},
    {.Name = "tbSpeed", .Scale = 0.45, .Format = "%5.2f см/сек"},
    {.Name = "tbDisturbance", .Scale = 0.128, .Offset = 0.128, .Format = "%5.1f сек"},
    {.Name = "tbLockAcceleration", .Scale = 16, .Format = "%d mg"},
};
static_assert(CheckValueLabels(kTiltLabels) == -1);

constexpr TControlRow kShockRows[] = {
    {.Kind = ckHeading, .Caption = "Общие настройки"},
    {.Name = "vdcbTurnOff", .Kind = ckCheckBox, .Caption = "Отключить внешний датчик удара",
     .Mem = mlInt, .Addr = 1, .Type = stBit, .Bit = 1},
    {.Name = "vdcbNoSound", .Kind = ckCheckBox, .Caption = "Запретить работу зуммера внешнего датчика удара",
     .Mem = mlInt, .Addr = 1, .Type = stBit, .Bit = 5},
    {.Name = "vdcbNoAdapt", .Kind = ckCheckBox, .Caption = "Запретить адаптацию внешнего датчика удара",
     .Mem = mlInt, .Addr = 1, .Type = stBit, .Bit = 6,
     .Hint = "Функция актуальна, если зона предупреждения выключена"},
    {.Name = "VDCheckBox18", .Kind = ckCheckBox,
     .Caption = "Запретить работу датчика удара, если при Постановке в Охрану были открыты двери или капот",
     .Mem = mlInt, .Addr = 14, .Type = stBit, .Bit = 5,
     .Hint = "При санкционированно открытом багажнике датчики отключены по умолчанию;\r\n"
             "Если функция не установлена и при Постановке что-либо открыто, датчики будут отключены всего на 10 секунд;\r\n"},
    // The sensor's firmware version (major, minor), which decides whether it knows the above.
    {.Name = "vddShockV", .Kind = ckData, .Mem = mlMsg, .Addr = 0, .Type = stArray, .Max = 2, .Live = true},
};
static_assert(CheckTable(kShockRows).Row == -1);

constexpr TPositionCoding kSignedByte{.Kind = pcSignedByte};

constexpr TControlRow kTransceiverRows[] = {
    {.Kind = ckHeading, .Caption = "Свойства"},
    {.Name = "VDCheckBox1", .Kind = ckCheckBox, .Caption = "Использовать датчик наклона/движения",
     .Mem = mlInt, .Addr = 1, .Type = stBit, .Bit = 0, .Default = 1},
    {.Kind = ckCheckBox, .Caption = "Использовать датчик удара",
     .Mem = mlInt, .Addr = 1, .Type = stBit, .Bit = 1, .Default = 1},
    {.Kind = ckCheckBox, .Caption = "Определять движение (запирание ЦЗ)",
     .Mem = mlInt, .Addr = 1, .Type = stBit, .Bit = 2, .Default = 1},
    {.Kind = ckCheckBox, .Caption = "Запрет работы внешнего светодиода трансивера ",
     .Mem = mlInt, .Addr = 1, .Type = stBit, .Bit = 4},
    {.Kind = ckCheckBox, .Caption = "Отключить зуммер на плате трансивера",
     .Mem = mlInt, .Addr = 1, .Type = stBit, .Bit = 5},
    {.Kind = ckCheckBox, .Caption = "Разрешить управление функцией метки в брелоке",
     .Mem = mlInt, .Addr = 1, .Type = stBit, .Bit = 6, .Default = 1,
     .Hint = "Функция метки включается/выключается кнопкой 3 (12 нажатий)"},
    {.Name = "VDTrackBar1", .Kind = ckTrackBar, .Caption = "Режимы \"Охрана\", \"Тревога\", \"Диагностика\"",
     .Mem = mlInt, .Addr = 6, .Type = stByteLo, .Max = 15, .Default = 7},
    {.Name = "VDTrackBar3", .Kind = ckTrackBar, .Caption = "Остальные режимы: \"Снято\" и т.д.",
     .Mem = mlInt, .Addr = 6, .Type = stByteHi, .Max = 15, .Default = 7},
    {.Name = "VDTrackBar2", .Kind = ckTrackBar, .Caption = "\"Охрана\" с работающим двигателем (ДЗ/ТТ)",
     .Mem = mlInt, .Addr = 7, .Type = stByteLo, .Max = 15, .Default = 7},
    {.Name = "VDTrackBar4", .Kind = ckTrackBar, .Caption = "Опознание метки перед AHJ",
     .Mem = mlInt, .Addr = 7, .Type = stByteHi, .Max = 15, .Default = 7},
    {.Kind = ckCheckBox, .Caption = "ПИН-кнопка трансивера не подключена к Главному модулю",
     .Mem = mlInt, .Addr = 12, .Type = stBit, .Bit = 0},
    {.Kind = ckCheckBox, .Caption = "Управление внешним светодиодом только в охране",
     .Mem = mlInt, .Addr = 12, .Type = stBit, .Bit = 1},
    {.Kind = ckCheckBox, .Caption = "Совместимость с версией ПО Главного модуля ниже 5.17",
     .Mem = mlInt, .Addr = 12, .Type = stBit, .Bit = 2},
    {.Kind = ckCheckBox, .Caption = "Не включать светодиод при получении метки или при нажатии на кнопки брелока",
     .Mem = mlInt, .Addr = 12, .Type = stBit, .Bit = 3, .Hint = "Внутренний светодиод на плате трансивера"},
    {.Kind = ckCheckBox, .Caption = "Отключить диалог в Трансивере при приёме кнопки 1 брелока",
     .Mem = mlInt, .Addr = 12, .Type = stBit, .Bit = 4},
    {.Kind = ckCheckBox, .Caption = "Разрешить измерение температуры",
     .Mem = mlInt, .Addr = 12, .Type = stBit, .Bit = 5, .Default = 1},
    {.Kind = ckCheckBox, .Caption = "Запретить тревогу по наклону",
     .Mem = mlInt, .Addr = 12, .Type = stBit, .Bit = 6},
    {.Kind = ckCheckBox, .Caption = "Запретить тревогу по движению",
     .Mem = mlInt, .Addr = 12, .Type = stBit, .Bit = 7},
    {.Name = "VDTrackBar7", .Kind = ckTrackBar, .Caption = "Зона предупреждения (чувствительность)",
     .Mem = mlInt, .Addr = 13, .Type = stByteLo, .Max = 15, .Range = {0, 3}, .Default = 1},
    {.Name = "VDTrackBar8", .Kind = ckTrackBar, .Caption = "Зона тревоги (чувствительность)",
     .Mem = mlInt, .Addr = 13, .Type = stByteHi, .Max = 15, .Range = {0, 3}, .Default = 1},
    {.Kind = ckCheckBox, .Caption = "Запрет адаптации датчика удара",
     .Mem = mlInt, .Addr = 14, .Type = stBit, .Bit = 0, .Hint = "Функция актуальна, если зона предупреждения выключена"},
    {.Kind = ckCheckBox, .Caption = "Выключать работу с брелоком в Охране с выключенным зажиганием",
     .Mem = mlInt, .Addr = 14, .Type = stBit, .Bit = 1, .Hint = "Энергосбережение"},
    {.Name = "VDCheckBox15", .Kind = ckCheckBox, .Caption = "Запрет работы внутреннего светодиода в режимах Охрана, Тревога (от pcb 4)",
     .Mem = mlInt, .Addr = 14, .Type = stBit, .Bit = 2, .Hint = "Энергосбережение"},
    {.Name = "VDCheckBox16", .Kind = ckCheckBox, .Caption = "Тихий звук зуммера (от pcb 4)",
     .Mem = mlInt, .Addr = 14, .Type = stBit, .Bit = 3, .Hint = "Энергосбережение"},
    {.Name = "VDCheckBox17", .Kind = ckCheckBox, .Caption = "Отключать внутренний светодиод при нажатии ПИН-кнопки (от pcb 4)",
     .Mem = mlInt, .Addr = 14, .Type = stBit, .Bit = 4, .Hint = "Светодиод загорится через 3 секунды после отжатия кнопки"},
    {.Name = "VDCheckBox18", .Kind = ckCheckBox,
     .Caption = "Запретить работу датчика удара, если при Постановке в Охрану были открыты двери или капот",
     .Mem = mlInt, .Addr = 14, .Type = stBit, .Bit = 5,
     .Hint = "При санкционированно открытом багажнике датчики отключены по умолчанию;\r\n"
             "Датчики будут подключены спустя 4 секунды после закрытия дверей или капота;\r\n"
             "В Тревоге, с установленной функцией и отключенными датчиками, её отмена в первые 15 секунд не изменит режим работы датчиков;\r\n"
             "Если функция не установлена и при Постановке что-либо открыто, датчики будут отключены на 15 секунд"},
    {.Kind = ckHeading, .Caption = "Настройка датчика температуры"},
    {.Name = "vdtbTempCorrection", .Kind = ckTrackBar, .Caption = "Отклонение температуры",
     .Mem = mlInt, .Addr = 19, .Type = stByte, .Max = 255, .Range = {-15, 15}, .Coding = &kSignedByte},
    {.Name = "vdTransFreq", .Kind = ckData, .Mem = mlInt, .Addr = 78, .Type = stArray, .Max = 1},
    // The transceiver's version record; its second byte tells whether a tilt sensor is fitted.
    {.Name = "vddTransV", .Kind = ckData, .Mem = mlMsg, .Addr = 0, .Type = stArray, .Max = 3, .Live = true},
};
static_assert(CheckTable(kTransceiverRows).Row == -1);

constexpr TValueLabelRow kTransceiverLabels[] = {
    {.Name = "VDTrackBar1", .Offset = 1},
    {.Name = "VDTrackBar3", .Offset = 1},
    {.Name = "VDTrackBar2", .Offset = 1},
    {.Name = "VDTrackBar4", .Offset = 1},
    {.Name = "VDTrackBar7"},
    {.Name = "VDTrackBar8"},
    {.Name = "vdtbTempCorrection"},
};
static_assert(CheckValueLabels(kTransceiverLabels) == -1);
// clang-format on

}  // namespace

const TPageTable& TiltOptionsTable() {
  static constexpr TPageTable kTable = {.Name = "TiltOptions",
                                        .LanAddr = kTiltAddr,
                                        .Rows = kTiltRows,
                                        .Title = "Настройки",
                                        .Labels = kTiltLabels};
  return kTable;
}

const TPageTable& ShockOptionsTable() {
  static constexpr TPageTable kTable = {
      .Name = "ShockOptions", .LanAddr = kShockAddr, .Rows = kShockRows, .Title = "Настройки"};
  return kTable;
}

const TPageTable& TransceiverTable() {
  static constexpr TPageTable kTable = {.Name = "Trans_2_44",
                                        .LanAddr = kTransceiverAddr,
                                        .Rows = kTransceiverRows,
                                        .Title = "Настройки",
                                        .Labels = kTransceiverLabels};
  return kTable;
}
