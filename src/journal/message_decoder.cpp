#include "journal/message_decoder.h"

#include <span>
#include <string_view>

#include "journal/decoder_texts.h"
#include "journal/vocabulary.h"
#include "text/code_page_1251.h"

namespace {

constexpr bool Bit(unsigned value, int bit) {
  return ((value >> bit) & 1U) != 0;
}

constexpr uint8_t kPresence = 1;
constexpr int kAnySender = -1;
constexpr uint8_t kGsm = 3;
constexpr uint8_t kStartModule = 13;
constexpr uint8_t kValidator = 14;
constexpr uint8_t kInputExtender = 15;
constexpr uint8_t kShockSensor = 20;
constexpr uint8_t kTiltSensor = 23;
constexpr uint8_t kCanModule = 24;
constexpr uint8_t kTagTransceiver = 25;
constexpr uint8_t kGpsModule = 11;

// A text that depends on the command and, where given, on the sender alone.
struct TFixedText {
  uint8_t Command;
  int Sender;
  std::string_view Text;
};

QString FromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString FixedText(std::span<const TFixedText> table, const TLanMsg& msg) {
  for (const auto& row : table) {
    if (row.Command == msg.Command && (row.Sender == kAnySender || row.Sender == msg.Source)) {
      return FromUtf8(row.Text);
    }
  }
  return {};
}

constexpr TFixedText kBroadcastTexts[] = {
    {13, kGsm, "Разблокировать поиск метки в охране"},
    {14, kGsm, "Заблокировать поиск метки в охране"},
    {21, kAnySender, "Заблокировать/разблокировать ДЗ"},
    {22, kAnySender, "Вкл/выкл оповещение зуммером \"Повторная авторизация требуется\""},
    {24, kAnySender, "Отправить сигнал SOS"},
    {25, kAnySender, "Режим \"Отпуск\""},
    {27, kAnySender, "Вкл./выкл. GSM-модуль"},
    {62, kAnySender, "Отмена противоразбойного режима"},
    {64, kAnySender, "Тихая постановка на охрану"},
    {65, kAnySender, "Постановка на охрану, режим \"тихий дворик\" (макс. чувствительность)"},
    {66, kAnySender,
     "Постановка на охрану, режим \"оживленная улица\" (отключены зоны предупреждения)"},
    {67, kAnySender, "Отменить автоснятие / заблокировать имп.входы/поиск метки в охране"},
    {68, kAnySender, "Включение/выключение световой дорожки"},
    {69, kAnySender, "Отпереть багажник физически"},
    {70, kAnySender, "Включить поддержку зажигания"},
    {76, kAnySender, "Вход в режим в пляж"},
    {78, kAnySender, "Выключить повторную авторизацию"},
    {96, kAnySender, "Поставить на охрану"},
    {97, kAnySender, "Перевести в режим Охраны без датчиков"},
    {98, kAnySender, "Снять с охраны"},
    {99, kAnySender, "Снять \"полностью\""},
    {100, kAnySender, "Вход / выход в режим автосервис"},
    {101, kAnySender,
     "Поиск на стоянке / включить автоснятие / разблок. имп.входы/поиск метки в охране"},
    {102, kAnySender, "Отпереть двери пассажиров"},
    {103, kAnySender, "Отпереть багажник"},
    {104, kAnySender, "Отпереть двери"},
    {105, kAnySender, "Отпереть капот"},
    {106, kAnySender, "Запустить двигатель"},
    {107, kAnySender, "Включить противоразбойный режим/включить тревогу"},
    {108, kTagTransceiver, "Метка ответила"},
    {108, kAnySender, "Выключить иммобилайзер / повторную авторизацию"},
    {109, kTagTransceiver, "Время опроса метки истекло"},
    {109, kAnySender, "Отменить тревогу"},
    {110, kAnySender, "Отменить автопостановку"},
    {111, kAnySender, "Включить прогр. выход №1"},
    {112, kAnySender, "Заглушить двигатель"},
    {115, kAnySender, "Заблокировать/разблокировать комбинацию №1"},
    {116, kAnySender, "Снять с охраны (как брелоком Sorvan)"},
    {117, kAnySender, "Поставить в охрану (как брелоком Sorvan)"},
    {118, kShockSensor, "Рестарт процессора"},
    {118, kTiltSensor, "Рестарт процессора"},
};

// Signals whose state the CAN module reports with a text of their own (command 19).
constexpr TVocabularyEntry kCanSignalStates[] = {
    {33, "Шина RS232 неактивна (CAN)"},
    {48, "Шина CAN неактивна"},
    {49, "Гибридный двигатель остановлен (Ready OFF)"},
    {50, "ЦЗ заперт"},
    {52, "Дверь водителя закрыта"},
    {53, "Дверь пассажира передняя правая закрыта"},
    {54, "Дверь пассажира задняя левая закрыта"},
    {55, "Дверь пассажира задняя правая закрыта"},
    {62, "CAN-модуль неактивен (CAN)"},
    {161, "Шина RS232 активна (CAN)"},
    {176, "Шина CAN активна"},
    {177, "Гибридный двигатель запущен (Ready ON)"},
    {178, "ЦЗ отперт"},
    {180, "Дверь водителя открыта"},
    {181, "Дверь пассажира передняя правая открыта"},
    {182, "Дверь пассажира задняя левая открыта"},
    {183, "Дверь пассажира задняя правая открыта"},
    {190, "CAN-модуль активен (CAN)"},
};
constexpr TVocabulary CanSignalStates{256, kCanSignalStates};

// Restart causes the main module and the GSM module name in their restart report to the PC.
constexpr TVocabularyEntry kMainRestarts[] = {
    {15, "Рестарт процессора (принудительный по команде)"},
    {23, "Рестарт процессора (WDT, 4с)"},
    {28, "Рестарт процессора (норм. старт)"},
    {30, "Рестарт процессора (brownout 3.5V)"},
    {31, "Рестарт процессора (принудительная перезагрузка)"},
};
constexpr TVocabulary MainRestarts{256, kMainRestarts};

constexpr TVocabularyEntry kGsmRestarts[] = {
    {47, "Рестарт процессора (принудительный по команде)"},
    {55, "Рестарт процессора (WDT, 16с)"},
    {60, "Рестарт процессора (норм. старт)"},
    {62, "Рестарт процессора (brownout 3.5V)"},
    {63, "Рестарт процессора (принудительная перезагрузка)"},
};
constexpr TVocabulary GsmRestarts{256, kGsmRestarts};

// Key fob faults by the bit of the main module's report; the highest set bit wins.
constexpr TVocabularyEntry kKeyFobFaults[] = {
    {4, "Брелок неисправен"},
    {5, "Невозможно выполнить команду брелока"},
    {6, "Потеря синхронизации брелока"},
    {7, "Брелок не зарегистрирован в системе"},
};
constexpr TVocabulary KeyFobFaults{8, kKeyFobFaults};

constexpr TVocabularyEntry kServiceDeviceStates[] = {
    {0, "Выключить сервисное устройство"}, {1, "Включить сервисное устройство"},
    {2, "Сервисное устройство включено"},  {3, "Не удалось включить сервисное устройство"},
    {4, "Сервисное устройство выключено"}, {5, "Неполадки в работе котла"},
};
constexpr TVocabulary ServiceDeviceStates{6, kServiceDeviceStates};

constexpr TVocabularyEntry kBatteryCharging[] = {
    {0, "Выключен принудительный заряд батареи"},
    {1, "Включён принудительный заряд батареи"},
};
constexpr TVocabulary BatteryCharging{2, kBatteryCharging};

constexpr TVocabularyEntry kGpsPowerSaving[] = {
    {0, "Режим энергосбережения выкл"},
    {1, "Режим энергосбережения вкл"},
};
constexpr TVocabulary GpsPowerSaving{2, kGpsPowerSaving};

constexpr TVocabularyEntry kGsmJamming[] = {
    {3, "Обнаружены помехи в сети GSM"},
    {4, "Помехи в сети GSM устранены"},
};
constexpr TVocabulary GsmJamming{5, kGsmJamming};

constexpr TVocabularyEntry kHeaterStates[] = {
    {1, "Отопитель включен"},
    {2, "Отопитель выключен"},
};
constexpr TVocabulary HeaterStates{3, kHeaterStates};

// Buttons of a key fob as the tag transceiver reports them, by bits 6..4 of its sixth byte.
constexpr TVocabularyEntry kFobButtons[] = {
    {1, "Нажата кнопка №1 \"Поставить в Охрану\""},
    {2, "Нажата кнопка №2 \"Снять с Охраны\""},
    {3, "Нажата кнопка №1 и №2"},
    {4, "Нажата кнопка №3 \"Отпереть замок крышки багажника\""},
    {5, "Нажата кнопка №1 и №3"},
    {6, "Нажата кнопка №2 и №3"},
    {7, "Нажата кнопка №1, №2 и №3"},
};
constexpr TVocabulary FobButtons{8, kFobButtons};
constexpr uint8_t kFobSecondButton = 2;

constexpr TVocabularyEntry kTankUnits[] = {
    {0, "Размерность бака в процентах"},
    {1, "Размерность бака в литрах"},
};
constexpr TVocabulary TankUnits{2, kTankUnits};

constexpr TVocabularyEntry kPinStates[] = {
    {0, "Заводской ПИН код"},
    {1, "Не заводской ПИН код"},
};
constexpr TVocabulary PinStates{2, kPinStates};

constexpr TVocabularyEntry kTagSearch[] = {
    {0, "Прервать запрос: метка найдена или вышло время поиска"},
    {1, "Запрашивать наличие метки"},
};
constexpr TVocabulary TagSearch{2, kTagSearch};

constexpr TVocabularyEntry kTagLearning[] = {
    {0, "Начать обучение"},
    {255, "Ок"},
};
constexpr TVocabulary TagLearning{256, kTagLearning};

// Tag button patterns the main module reports (command 37).
constexpr TVocabularyEntry kTagButtonPatterns[] = {
    {2, "Кнопка метки нажата 1 раз"},
    {10, "Кнопка метки, долгое нажатие (более 1 секунды)"},
    {18, "Кнопка метки нажата 2 раза"},
    {26, "Кнопка метки нажата 1 раз + долгое нажатие (более 1 секунды)"},
    {50, "Кнопка метки нажата 3 раза"},
    {58, "Кнопка метки нажата 2 раза + долгое нажатие (более 1 секунды)"},
    {114, "Кнопка метки нажата 4 раза"},
};
constexpr TVocabulary TagButtonPatterns{256, kTagButtonPatterns};

constexpr TVocabularyEntry kRadioCommands[] = {
    {0, "RF! Заткнись!"},
    {1, "RF! Включить запрос"},
};
constexpr TVocabulary RadioCommands{2, kRadioCommands};

// Commands whose text does not depend on who sends them or to whom.
constexpr TFixedText kFixedOverrides[] = {
    {95, kAnySender, "Включить программируемый вход №2"},
    {75, kAnySender, "Вход / выход в режим автомойка"},
    {74, kAnySender, "Выключить IMMO / отменить защиту от захвата заранее"},
    {71, kAnySender, "Идентификация обработки кода"},
};

// Replaces `text` with the table's text of `value` when the table has one.
void Override(const TVocabulary& table, int value, QString& text) {
  QString replacement = VocabularyText(table, value);
  if (!replacement.isEmpty()) text = std::move(replacement);
}

QString CanCommandText(uint8_t code) {
  return VocabularyText(CanCommandNames, 32 + (code & 0x7F));
}

// Inputs and output algorithms of the main module (command 3).
QString MainStateText(const TLanMsg& msg) {
  if (msg.Length == 0) return {};
  const uint8_t d0 = msg.Data[0];
  const bool on = Bit(d0, 7);
  if (Bit(d0, 6)) {
    return VocabularyText(OnOffWords, on ? 1 : 0) + QStringLiteral(" выход алгоритма \"") +
           VocabularyText(AlgorithmNames, d0 & 0x3F) + u'"';
  }
  return VocabularyText(InputStateTexts, 2 * (d0 & 0x3F) + (on ? 1 : 0));
}

QString ValidatorStateText(const TLanMsg& msg) {
  const auto& d = msg.Data;
  switch (d[2]) {
    case 1:
      return Bit(d[0], 7) ? ValidatorInputText(d[1]) : ValidatorOutputText(d[1]);
    case 2:
      return ValidatorAnalogText(1, d[1]);
    case 4:
      return ValidatorAnalogText(2, d[1]);
    default:
      return {};
  }
}

QString StateReportText(const TLanMsg& msg) {
  const uint8_t d0 = msg.Data[0];
  switch (msg.Source) {
    case kMainModuleAddr:
      return MainStateText(msg);
    case kGsm:
      return Bit(d0, 6) ? QStringLiteral("Режим энергосбережения (спящий)")
                        : QStringLiteral("Режим активной работы");
    case kValidator:
      return ValidatorStateText(msg);
    case kInputExtender:
      return VocabularyText(RemoteInputStateTexts, 2 * (d0 & 0x1F) + (Bit(d0, 7) ? 1 : 0));
    case 20:
    case 21:
    case 22:
      return VocabularyText(SensorTexts, d0 / 64);
    case kTiltSensor:
      return TiltText(d0);
    case kCanModule: {
      const int index = d0 & 0x7F;
      return VocabularyText(CanCommandNames, index) + (index >= 17 && index <= 21
                                                           ? QStringLiteral("получена")
                                                           : QStringLiteral("отправлена"));
    }
    default:
      return {};
  }
}

QString RestartText(const TVocabulary& causes, uint8_t cause) {
  QString text = VocabularyText(causes, cause);
  return text.isEmpty() ? QString::asprintf("Рестарт процессора (%x)", cause) : text;
}

QString SensorSwitchText(uint8_t flags) {
  if (flags == 0) return QStringLiteral("Оповещение о срабатывании датчиков включено");
  const auto word = [flags](int bit) {
    return Bit(flags, bit) ? QStringLiteral("отключен") : QStringLiteral("включен");
  };
  return QStringLiteral("Датчик удара ") + word(0) + QStringLiteral(", МКВ датчик-1 ") + word(1) +
         QStringLiteral(", МКВ датчик-2 ") + word(2);
}

QString ModuleRestartText(const TLanMsg& msg) {
  const auto& d = msg.Data;
  switch (msg.Source) {
    case kMainModuleAddr:
      return d[0] > 174 ? QString::asprintf("%02X", d[0]) : VocabularyText(EventCauseCodes, d[0]);
    case kStartModule:
      return (Bit(d[0], 7) ? QStringLiteral("Рестарт процессора. ") : QString()) +
             QString::asprintf("Текущая версия ПО: %2.2x.%2.2x", d[0] & 0x7F, d[1]);
    case kTagTransceiver:
      if (d[0] == 128) return QStringLiteral("Рестарт процессора (норм.старт)");
      if (d[0] == 255) return QStringLiteral("Рестарт процессора (отключен)");
      return {};
    default:
      return FixedText(kBroadcastTexts, msg);
  }
}

QString SystemTimeText(const TLanMsg& msg) {
  const auto& d = msg.Data;
  return QString::asprintf("Время системы: %2.2d.%2.2d.%2.2d, %2.2d:%2.2d", d[2] + 1,
                           (d[3] + 1) & 15, d[3] / 16 + 2018, d[1], d[0]);
}

QString GsmToPcText(const TLanMsg& msg) {
  const auto& d = msg.Data;
  switch (msg.Command) {
    case 0:
      return RestartText(GsmRestarts, d[0]);
    case 3:
      // The GSM module's own spelling: a Latin "c" in "cпящий".
      return Bit(d[0], 6) ? QStringLiteral("Режим энергосбережения (cпящий)")
                          : QStringLiteral("Режим активной работы");
    case 37:
      return GsmErrorText(d[0], msg.Length == 1 ? 255 : d[1]);
    case 39:
      return GsmStatusText(d[0], msg.Length == 1 ? 0 : d[1]);
    case 41:
      return QStringLiteral("DTMF = ") + QChar(Cp1251ToUnicode(d[0]));
    case 45: {
      const int code = msg.FirstWord();
      if (code <= 9) return VocabularyText(SensorTexts, kSensorWindBase + code);
      return QString::asprintf("GSM WIND code: [%d]", code);
    }
    case 46: {
      constexpr uint8_t kYes = '1';
      return QStringLiteral("определение номера входящего звонка: ") +
             (d[0] == kYes ? QStringLiteral("включено") : QStringLiteral("выключено")) +
             QStringLiteral(", ") +
             (d[1] == kYes ? QStringLiteral("доступно") : QStringLiteral("не доступно"));
    }
    case 47:
      return VocabularyText(ServiceDeviceStates, d[0]);
    case 69:
      return VocabularyText(BatteryCharging, d[0]);
    default:
      return {};
  }
}

QString SlaveToPcText(const TLanMsg& msg) {
  if (msg.Command == 0) return QStringLiteral("рестарт процессора");
  if (msg.Command != 112) return {};
  if (msg.Data[0] == 255) return QStringLiteral("Обучение отменено");
  return QString::asprintf("Обучение событию \"%d\" начато", msg.Data[0]);
}

QString FobButtonText(const TLanMsg& msg) {
  const auto& d = msg.Data;
  QString text = (d[4] & 0x0F) == 0 ? QStringLiteral("Метка брелока найдена") : QString();
  const int button = (d[5] >> 4) & 0x07;
  if (button == 0) return text;
  const bool tagButton = button == kFobSecondButton && (d[3] >> 4) == 1;
  text += tagButton ? QStringLiteral("Нажата кнопка метки") : VocabularyText(FobButtons, button);
  return text + QStringLiteral(" (брелок №%1)").arg((d[5] & 0x07) + 1);
}

QString ToMainText(const TLanMsg& msg) {
  const auto& d = msg.Data;
  QString text;
  if (msg.Source >= 20 && msg.Source <= 22) {
    if (msg.Command == 3) text = QStringLiteral("Устройство присутствует ");
    if (msg.Command == 120) text = SensitivityText(d[0]);
  } else if (msg.Source == kGsm) {
    switch (msg.Command) {
      case 100:
        text = QStringLiteral("Перейти в режим Автосервис");
        break;
      case 5:
        if (msg.Length == 3) text = QString::asprintf("Выполнить команду управления № %d", d[2]);
        break;
      case 17:
        if (msg.Length == 3) text = VocabularyText(GsmJamming, d[2]);
        break;
      case 20:
        text = d[2] != 0 ? QStringLiteral("Запустить отопитель на %1 минут").arg(d[2])
                         : QStringLiteral("Остановить отопитель");
        break;
      case 77:
        text = QStringLiteral("Запросить ПИН код");
        break;
      default:
        break;
    }
  } else if (msg.Source == kTagTransceiver) {
    switch (msg.Command) {
      case 4:
        text = QStringLiteral("Метка обучена");
        break;
      case 5:
        if (d[0] == 3) text = QStringLiteral("\"Определено движение\"");
        break;
      case 108:
        text = QStringLiteral("Метка найдена");
        break;
      case 113:
        text = FobButtonText(msg);
        break;
      default:
        break;
    }
  }
  if (msg.Command == 17) Override(HeaterStates, d[2], text);
  return text;
}

QString ToGsmText(const TLanMsg& msg) {
  const auto& d = msg.Data;
  if (msg.Command == 72) {
    return d[2] != 0 || d[3] != 0 ? QStringLiteral("Сгенерировать временный ПИН-код")
                                  : QStringLiteral("Стоит запрет на генерацию и смену ПИН-кода");
  }
  if (msg.Source != kMainModuleAddr) return {};
  switch (msg.Command) {
    case 0:
      return QStringLiteral("Reset");
    case 25:
      return QStringLiteral("Режим \"Отпуск\"");
    case 27:
      return QStringLiteral("Вкл./выкл. GSM-модуль");
    case 36:
      return VocabularyText(TankUnits, d[1]);
    case 77:
      return VocabularyText(PinStates, d[0]);
    default:
      return {};
  }
}

QString ToSensorText(const TLanMsg& msg) {
  switch (msg.Command) {
    case 0:
      if (msg.AnswerRequested) return QStringLiteral("Запрос режима работы");
      return VocabularyText(SensorTexts, kSensorMode) + QStringLiteral(" [") +
             SensorFlagsText(msg.Data[0], msg.Dest == kShockSensor) + u']';
    case 3:
      return QStringLiteral("запрос наличия");
    case 120:
      return SensitivityText(msg.Data[0]);
    case 121:
      return msg.Dest == kShockSensor ? MelodyText(msg.Data[0]) : QString();
    default:
      return {};
  }
}

QString ToTagTransceiverText(const TLanMsg& msg) {
  if (msg.Source != kMainModuleAddr) return {};
  switch (msg.Command) {
    case 0:
      return VocabularyText(TagSearch, msg.Data[0]);
    case 4:
      return QStringLiteral("Метка обучена");
    case 5:
      return msg.Data[0] == 0 ? QStringLiteral("Зарезервировано\"") : QString();
    case 112:
      return VocabularyText(TagLearning, msg.Data[0]);
    default:
      return {};
  }
}

QString PresenceText(const TLanMsg& msg) {
  if (msg.Dest == kBroadcastAddr && msg.AnswerRequested) return QStringLiteral("опрос устройств");
  // Modules at these addresses announce themselves rather than being asked.
  const bool asked = msg.Dest >= 1 && msg.Dest <= 26 && msg.Dest != 2 && msg.Dest != 5 &&
                     msg.Dest != 6 && msg.Dest != 12 && msg.Dest != 24;
  if (asked && msg.AnswerRequested) return QStringLiteral("запрос наличия");
  return QStringLiteral("устройство присутствует");
}

// Texts that win over the receiver's table: they hold whoever sends the command.
void ApplyOverrides(const TLanMsg& msg, QString& text) {
  const auto& d = msg.Data;
  if (msg.Command == 2 && (msg.Dest == kGsm || msg.Source == kGsm || d[0] == 49)) {
    text = QStringLiteral("Критическая температура двигателя");
  }
  if (msg.Source == kTagTransceiver && msg.Command == 0) {
    text = Bit(d[0], 0) ? QStringLiteral("Команда включить запрос принята")
                        : QStringLiteral("Команда остановить запрос принята");
  }
  if (msg.Source == kGsm && msg.Command == 73) text.clear();
  if (msg.Command == 55 && d[0] == 3) text = QStringLiteral("Обучение закончено");
  const QString fixed = FixedText(kFixedOverrides, msg);
  if (!fixed.isEmpty()) text = fixed;
  if (msg.Command == 37 && msg.Source == kMainModuleAddr) Override(TagButtonPatterns, d[0], text);
  if (msg.Source == kPcAddr && msg.Dest == kTagTransceiver && msg.Command == 0) {
    if (msg.Length == 0) {
      text = QStringLiteral("RF! Запрос режима");
    } else {
      Override(RadioCommands, d[0], text);
    }
  }
  if (msg.Command == 34) {
    text = (d[0] & 0x7F) != 0
               ? u'"' + CanCommandText(d[0]) + QStringLiteral("\" не принята к исполнению")
               : QStringLiteral("Команда не принята / модуль не отвечает");
  }
  if (msg.Command == 35) text = CanInfoText(msg);
}

}  // namespace

QString TMessageDecoder::DecodeEntry(const TLogData& entry) {
  if (entry.IsSystem()) return entry.Text;
  const QString body = Body(entry);
  if (host_ && entry.Source == kStartModule && entry.Command == kPresence &&
      body == QStringLiteral("устройство присутствует")) {
    host_->MarkModulePresent(kStartModule);
  }
  if (entry.Dest != kBroadcastAddr) {
    return ModuleName(entry.Source) + QStringLiteral("->") + ModuleName(entry.Dest) +
           QStringLiteral(": ") + body;
  }
  return ModuleName(entry.Source) + QStringLiteral(": ") + body;
}

QString TMessageDecoder::Body(const TLanMsg& msg) {
  QString text = msg.Command == kPresence ? PresenceText(msg) : CommandText(msg);
  ApplyOverrides(msg, text);
  // The GSM module's command 73 is shown without text on purpose.
  const bool silent = msg.Source == kGsm && msg.Command == 73;
  return text.isEmpty() && !silent ? RawText(msg) : text;
}

QString TMessageDecoder::CommandText(const TLanMsg& msg) {
  const bool extenderOutput = msg.Dest == kGsm || (msg.Dest >= 7 && msg.Dest <= 10);
  if (extenderOutput && (msg.Command == 51 || msg.Command == 52)) {
    return QString::asprintf(msg.Command == 51 ? "Включить выход #%d" : "Выключить выход #%d",
                             msg.Data[0] + 1);
  }
  switch (msg.Dest) {
    case kBroadcastAddr:
      return BroadcastText(msg);
    case kPcAddr:
      return ToPcText(msg);
    case kMainModuleAddr:
      return ToMainText(msg);
    case kGsm:
      return ToGsmText(msg);
    case 20:
    case 21:
    case 22:
    case 23:
      return ToSensorText(msg);
    case kTagTransceiver:
      return ToTagTransceiverText(msg);
    default:
      return {};
  }
}

QString TMessageDecoder::BroadcastText(const TLanMsg& msg) {
  const auto& d = msg.Data;
  const uint8_t from = msg.Source;
  switch (msg.Command) {
    case 0:
      if (from == kGpsModule) return QStringLiteral("рестарт процессора");
      return d[0] > 128 ? QString::asprintf("%02X", d[0]) : VocabularyText(DiagnosticCodes, d[0]);
    case 2:
      return QStringLiteral("Событие \"") + MainEventText(d[0]) + u'"';
    case 3:
      return StateReportText(msg);
    case 4:
      if (from == 4 || from == kValidator) {
        return QString::asprintf("Обучение событию \"%d\" закончено", d[0]);
      }
      return from == kTagTransceiver ? QStringLiteral("метка обучена") : QString();
    case 5:
      if (from == kStartModule) {
        return QString::asprintf("Перегрузка выходя модуля запуска № %d", d[1] + 1);
      }
      return QString::asprintf("Выполнить команду управления № %d", d[0]);
    case 7: {
      if (from != kMainModuleAddr) return {};
      QString text = msg.Length == 2 ? FullModeText(d[0], d[1]) : ShortModeText(d[0]);
      NoteMainMode(d[0]);
      return text;
    }
    case 9:
      if (d[0] != 1) return QStringLiteral("Сеть GSM найдена");
      return d[1] != 0 ? QString::asprintf("Продолжает отсутствовать покрытие сети GSM [%d]", d[1])
                       : QStringLiteral("Отсутствует покрытие сети GSM");
    case 11:
      if (from == kValidator) {
        return QStringLiteral("Режим <") + VocabularyText(ValidatorModeNames, d[0] & 0x3F) + u'>';
      }
      return from == kMainModuleAddr ? SensorSwitchText(d[0]) : QString();
    case 15:
      return from == kMainModuleAddr ? EngineBlockText(d[0], d[1]) : QString();
    case 19: {
      QString text = VocabularyText(CanSignalStates, d[0]);
      return text.isEmpty() ? CanSignalText(d[0]) : text;
    }
    case 23:
      return TransceiverPowerText(msg);
    case 26:
      if (from != kMainModuleAddr) return {};
      if (d[1] != 0) {
        return QString::asprintf("Напряжение текущее: %4.2f В, напряжение базовое: %4.2f В",
                                 d[0] * 0.15, d[1] * 0.15);
      }
      return QString::asprintf("Напряжение при выкл CAN-стартера/по времени: %4.2f В", d[0] * 0.15);
    case 29:
      if (!Bit(d[0], 0)) return QStringLiteral("режим \"молчания\" выключен");
      return QStringLiteral("режим \"молчания\" для всех устройств, кроме \"") +
             ModuleName(d[0] / 8) + u'"';
    case 32:
      return d[0] != 0 ? u'"' + CanCommandText(d[0]) + QStringLiteral("\" принята к исполнению")
                       : QStringLiteral("Команда пробуждения выполнена");
    case 33:
      return d[0] != 0 ? u'"' + CanCommandText(d[0]) + QStringLiteral("\" отправлена")
                       : QStringLiteral("Запрос наличия / команда пробуждения");
    case 51:
      return QStringLiteral("Количество брелоков: %1, меток: %2").arg(d[0] / 10).arg(d[0] % 10);
    case 56:
      return ButtonsText(d[0], d[1]);
    case 57:
      return CalibrationText(from, d[0], d[1]);
    case 118:
      return ModuleRestartText(msg);
    case 120:
      return CountOrDiagnosis(VocabularyText(EventCauseCodes, d[0]), d[0]);
    case 121:
      return QStringLiteral("Трансивер: ") + MelodyText(d[0]);
    default:
      return FixedText(kBroadcastTexts, msg);
  }
}

QString TMessageDecoder::ToPcText(const TLanMsg& msg) {
  const auto& d = msg.Data;
  switch (msg.Source) {
    case kMainModuleAddr:
      switch (msg.Command) {
        case 0:
          return msg.Length == 2 ? RestartText(MainRestarts, d[0]) : QString();
        case 3:
          return MainStateText(msg);
        case 112:
          for (int bit = 7; bit >= 4; --bit) {
            if (Bit(d[0], bit)) return VocabularyText(KeyFobFaults, bit);
          }
          return {};
        case 115:
          return CountOrDiagnosis(VocabularyText(DiagnosticCodes, d[0]), d[0]);
        case 116:
          return SystemTimeText(msg);
        default:
          return {};
      }
    case kGsm:
      return GsmToPcText(msg);
    case 4:
    case kValidator:
      return SlaveToPcText(msg);
    case kGpsModule:
      if (msg.Command == 3) return VocabularyText(GpsPowerSaving, d[0]);
      return msg.Command == 39 ? GpsText(d[0], d[1]) : QString();
    default:
      return {};
  }
}

// A message that no rule covers still tells whoever debugs a car what it was: what its
// command is for and its bytes, or plainly that the command is not known.
QString TMessageDecoder::RawText(const TLanMsg& msg) {
  const QByteArray data(reinterpret_cast<const char*>(msg.Data.data()), msg.Length);
  const QString bytes = QString::fromLatin1(data.toHex(' ').toUpper());
  const QString name = VocabularyText(BusCommandNames, msg.Command);
  if (name.isEmpty())
    return QStringLiteral("неизвестная команда %1 [%2]").arg(msg.Command).arg(bytes);
  const QString kind = msg.IsAnswer          ? QStringLiteral("ответ: ")
                       : msg.AnswerRequested ? QStringLiteral("запрос: ")
                                             : QString();
  return kind + QStringLiteral("%1 (команда %2) [%3]").arg(name).arg(msg.Command).arg(bytes);
}

QString TMessageDecoder::CountOrDiagnosis(const QString& diagnosis, uint8_t value) {
  const bool count = countPending_;
  countPending_ = false;
  if (count) return QString::asprintf("Количество брелоков: %d; меток: %d", value % 10, value / 10);
  return QStringLiteral("Диагностика при снятии: \"") + diagnosis + u'"';
}

void TMessageDecoder::NoteMainMode(uint8_t mode) {
  // When service mode (5) gives way to disarmed (0), the main module's next report of this kind
  // carries the key fob and tag counts instead of a diagnosis.
  constexpr uint8_t kServiceMode = 5;
  countPending_ = (mode & 0x3F) == 0 && (lastMainMode_ & 0x3F) == kServiceMode;
  lastMainMode_ = mode;
}
