#include "journal/decoder_texts.h"

#include <QStringList>
#include <array>

#include "journal/vocabulary.h"
#include "text/code_page_1251.h"

namespace {

constexpr bool Bit(unsigned value, int bit) {
  return ((value >> bit) & 1U) != 0;
}

QString Mark(int sensorText) {
  return VocabularyText(SensorTexts, sensorText);
}

// Learning a button of an analog input: what the main module (and the input extender and
// engine start module) report, with the divider that scales the ADC value to volts.
struct TCalibration {
  uint8_t Code;
  const char* Label;
  double Divider;
};

constexpr double kMainDivider = 0.235;
constexpr double kLearnDivider = 0.755;
constexpr double kRemoteDivider = 0.7547;
constexpr uint8_t kLearnedButton = 3;

constexpr std::array kMainCalibration = {
    TCalibration{0, " Минимальное напряжение срабатывания = ", kMainDivider},
    TCalibration{1, " Среднее напряжение срабатывания = ", kMainDivider},
    TCalibration{2, " Максимальное напряжение срабатывания = ", kMainDivider},
    TCalibration{4, " Текущее напряжение нажатой кнопки при обучении = ", kLearnDivider},
    TCalibration{5, " Среднее напряжение срабатывания = ", kLearnDivider},
    TCalibration{6, " Текущее опорное напряжение при обучении = ", kLearnDivider},
};
constexpr std::array kRemoteCalibration = {
    TCalibration{4, " Текущее напряжение нажатой кнопки при обучении = ", kRemoteDivider},
    TCalibration{6, " Текущее опорное напряжение при обучении = ", kRemoteDivider},
};
// Input states the input extender reports through its calibration command.
constexpr std::array<uint8_t, 2> kRemoteCalibrationStates = {13, 141};

template <size_t N>
QString VoltageText(const std::array<TCalibration, N>& table, uint8_t code, uint8_t value) {
  for (const auto& row : table) {
    if (row.Code != code) continue;
    const double volts = value / row.Divider * 5 / 256;
    return QString::fromUtf8(row.Label) + QString::asprintf(" %5.2f", volts) +
           QStringLiteral(" [В]");
  }
  return {};
}

constexpr TVocabularyEntry kGpsSystemMessages[] = {
    {0, "неизвестно"},
    {1, "старт/пробуждение"},
    {2, "загрузка данных EPO"},
    {3, "успешный переход в норм. режим"},
};
constexpr TVocabulary GpsSystemMessages{4, kGpsSystemMessages};

}  // namespace

QString ShortModeText(uint8_t mode) {
  return QStringLiteral("Режим <") + VocabularyText(MainModeNames, mode & 0x1F) +
         QStringLiteral("> [") +
         (Bit(mode, 7) ? QStringLiteral("метка опознана, ")
                       : QStringLiteral("метка не опознана, ")) +
         (Bit(mode, 6) ? QStringLiteral("иммобилайзер включен")
                       : QStringLiteral("иммобилайзер выключен")) +
         QStringLiteral("]");
}

QString FullModeText(uint8_t mode, uint8_t flags) {
  constexpr uint8_t kFullyDisarmed = 128;
  constexpr uint8_t kFullyDisarmedFlags = 129;
  const bool disarmed = (mode & 0x1F) == 0;
  QString text = mode == kFullyDisarmed && flags == kFullyDisarmedFlags
                     ? QStringLiteral("Режим <Снято полностью> [")
                     : QStringLiteral("Режим <") + VocabularyText(MainModeNames, mode & 0x1F) +
                           QStringLiteral("> [");
  if (Bit(mode, 7)) {
    text += QStringLiteral("метка опознана (AHJ), ");
  } else if (Bit(flags, 0) && Bit(flags, 2) && disarmed) {
    text += QStringLiteral("опознание метки начато (AHJ), ");
  } else {
    text += QStringLiteral("метка не опознана (AHJ), ");
  }
  text += Bit(mode, 6) ? QStringLiteral("иммобилайзер включен, ")
                       : QStringLiteral("иммобилайзер выключен, ");
  if (Bit(flags, 0)) {
    text += QStringLiteral("повторная авторизация выполнена");
  } else if (Bit(flags, 2) && disarmed) {
    text += QStringLiteral("повторная авторизация запущена");
  } else {
    text += QStringLiteral("повторная авторизация требуется");
  }
  return text + QStringLiteral("]");
}

QString TiltText(uint8_t state) {
  if (state == 0) return QStringLiteral("состояние зафиксировано");
  QString text;
  if (Bit(state, 4) || Bit(state, 5)) {
    if (Bit(state, 4)) text += QStringLiteral("АВАРИЯ - боковой удар, ");
    if (Bit(state, 5)) text += QStringLiteral("АВАРИЯ - продольный удар");
    return text;
  }
  if (Bit(state, 0)) {
    text += QStringLiteral("боковой наклон, ");
  } else if (Bit(state, 1)) {
    text += QStringLiteral("наклон вперед/назад, ");
  }
  if (Bit(state, 2)) {
    text += QStringLiteral("боковое движение, ");
  } else if (Bit(state, 3)) {
    text += QStringLiteral("продольное движение, ");
  }
  if (text.isEmpty() && Bit(state, 7)) text = QStringLiteral("нет состояния покоя");
  return text;
}

QString EngineBlockText(uint8_t kind, uint8_t flags) {
  constexpr uint8_t kIgnitionReport = 'I';
  constexpr uint8_t kControlReport = 0xC9;
  QString text;
  if (kind == kIgnitionReport) {
    static const std::array<QString, 4> kCauses = {
        QStringLiteral("Работа двигателя запрещена, "),
        QStringLiteral("Принудительное глушение двигателя, "),
        QStringLiteral("Выход из режима Автосервис, "), QString()};
    text = kCauses[flags & 0x03];
    text += Bit(flags, 4) ? QStringLiteral("IGN ON") : QStringLiteral("IGN OFF");
  } else if (kind == kControlReport) {
    int mark = kSensorMarkZ;
    if (Bit(flags, 6)) text += QStringLiteral("Контроль, ");
    text += Bit(flags, 4) ? QStringLiteral("IGN ON, ") : QStringLiteral("IGN OFF, ");
    if (Bit(flags, 1)) {
      text += QStringLiteral("IMMO ON");
      mark = kSensorMarkV;
    } else {
      text += QStringLiteral("IMMO OFF");
    }
    if (Bit(flags, 3)) {
      text += QStringLiteral(", STO ON");
      mark = kSensorMarkS;
    }
    if (Bit(flags, 2)) {
      text += QStringLiteral(", DBL OFF, AHJ ON");
      mark = kSensorMarkMPlus;
    } else if (Bit(flags, 0)) {
      text += QStringLiteral(", RS / DBL ON");
      mark = kSensorMarkM;
    }
    text += u' ' + Mark(mark);
  } else {
    return {};
  }
  if (Bit(flags, 5)) text += QStringLiteral(", FD");
  return text;
}

QString CanSignalText(uint8_t signal) {
  QString name = VocabularyText(CanSignalNames, signal & 0x7F);
  if (name.isEmpty()) name = QString::asprintf("0x%02X", signal & 0x7F);
  return name + (Bit(signal, 7) ? QStringLiteral(" ON") : QStringLiteral(" OFF")) +
         QStringLiteral(" (CAN)");
}

QString TransceiverPowerText(const TLanMsg& msg) {
  const auto& d = msg.Data;
  const int mode = d[2] & 0x1F;
  if (mode == 7) {
    return QString::asprintf("Мощность трансивера <%d> в режиме \"дист. запуск\"",
                             (d[1] & 0x0F) + 1);
  }
  if (mode == 2 && !Bit(d[2], 6)) {
    return QString::asprintf("Мощность трансивера <%d> в режиме \"охрана\" (ДЗ/ТТ)",
                             (d[1] & 0x0F) + 1);
  }
  if (mode == 0 && Bit(d[3], 0) && Bit(d[3], 2)) {
    return QString::asprintf(
        "Мощность трансивера <%d> в режиме \"снято с охраны\" (опознание метки перед AHJ)",
        d[1] / 16 + 1);
  }
  const int level = mode >= 1 && mode <= 3 ? (d[0] & 0x0F) + 1 : d[0] / 16 + 1;
  return QString::asprintf("Мощность трансивера <%d> в режиме \"", level) +
         VocabularyText(MainModeNames, mode) + u'"';
}

QString ButtonsText(uint8_t state, uint8_t previous) {
  QStringList parts;
  const unsigned changed = state ^ previous;
  for (int i = 0; i < 8; ++i) {
    if (!Bit(changed, i)) continue;
    parts << QStringLiteral("кнопка %1").arg(i + 1) +
                 (Bit(state, i) ? QStringLiteral(" нажата") : QStringLiteral(" отжата"));
  }
  return parts.join(QStringLiteral(", "));
}

QString CalibrationText(uint8_t sender, uint8_t code, uint8_t value) {
  if (sender == kMainModuleAddr) {
    if (code == kLearnedButton) {
      return QStringLiteral(" Номер обученной кнопки равен = ") + QString::number(value);
    }
    return VoltageText(kMainCalibration, code, value);
  }
  if (sender == 13 || sender == 15) {
    for (const uint8_t state : kRemoteCalibrationStates) {
      if (code == state) return VocabularyText(RemoteInputStateTexts, code);
    }
    return VoltageText(kRemoteCalibration, code, value);
  }
  return {};
}

QString SensitivityText(uint8_t value) {
  return QString::asprintf("Чувств. [%d - тревога, %d - предупр]", 16 - value / 16,
                           16 - (value & 0x0F));
}

QString SensorFlagsText(uint8_t flags, bool shockSensor) {
  QString text;
  if (Bit(flags, 0)) text += QStringLiteral("режим молчания, ");
  if (Bit(flags, 1)) {
    text += QStringLiteral("датчик выключен, ");
  } else {
    text += QStringLiteral("включен, ");
    if (!shockSensor) {
      if (Bit(flags, 2)) text += QStringLiteral("запрет импульсного режима, ");
      if (Bit(flags, 3)) text += QStringLiteral("режим автоснятия, ");
    }
    if (Bit(flags, 6)) text += QStringLiteral("адаптация выключена, ");
  }
  if (Bit(flags, 7)) text += QStringLiteral("перезапуск");
  if (text.endsWith(u' ')) text.chop(1);
  if (text.endsWith(u',')) text.chop(1);
  return text;
}

QString MelodyText(uint8_t melody) {
  QString name = VocabularyText(MelodyNames, melody);
  if (name.isEmpty()) name = QString::asprintf("$%02X", melody);
  return QStringLiteral("Проиграть мелодию ") + name;
}

QString GpsText(uint8_t first, uint8_t second) {
  const int number = (first & 0x03) * 256 + second;
  if (!Bit(first, 7)) return GpsDeviceText(number);
  if (Bit(first, 5)) {
    QString message = VocabularyText(GpsSystemMessages, number);
    if (message.isEmpty()) message = QString::number(number);
    return QStringLiteral("сист. сообщ.: ") + message;
  }
  if (Bit(first, 6)) {
    return QStringLiteral("ответ: ") + GpsCommandName(number) +
           AnswerResultText((first >> 2) & 0x03);
  }
  return QStringLiteral("команда: ") + GpsCommandName(number);
}

QString ValidatorOutputText(uint8_t bits) {
  return (Bit(bits, 4) ? QStringLiteral("Выход  (1") : QStringLiteral("Выход  (-")) +
         (Bit(bits, 5) ? QStringLiteral("2)") : QStringLiteral("-)")) + QStringLiteral("  активен");
}

QString ValidatorInputText(uint8_t bits) {
  return (Bit(bits, 3) ? QStringLiteral("Вход  (1") : QStringLiteral("Вход  (-")) +
         (Bit(bits, 2) ? u'2' : u'-') + (Bit(bits, 1) ? u'3' : u'-') +
         (Bit(bits, 0) ? QStringLiteral("4)") : QStringLiteral("-)")) + QStringLiteral("  активен");
}

QString ValidatorAnalogText(int input, uint8_t bits) {
  QString text = QStringLiteral("Аналоговый Вход %1 (").arg(input);
  for (int i = 0; i < 8; ++i) text += Bit(bits, i) ? QChar(u'1' + i) : QChar(u'-');
  return text + QStringLiteral(")  активен");
}

QString CanInfoText(const TLanMsg& msg) {
  const auto& d = msg.Data;
  const auto word15 = [&d](int at) { return (d[at] + 256 * d[at + 1]) & 0x7FFF; };
  QString text = QStringLiteral("CAN: ");
  switch (d[0]) {
    case 8: {
      text += QStringLiteral("Серийный номер ");
      for (int i = 1; i < msg.Length; ++i) text += QChar(Cp1251ToUnicode(d[i]));
      break;
    }
    case 9:
      text += QString::asprintf("Группа/подгруппа = %d/%d", d[5], d[6]);
      break;
    case 10:
      text += QString::asprintf("Версия ПО загрузчика: %d.%d.%d.%d; версия ПО APP: %d.%d.%d.%d",
                                d[4], d[3], d[2], d[1], d[8], d[7], d[6], d[5]);
      break;
    case 11:
      text += QString::asprintf("Версия ГМПО: %d.%d.%d.%d; версия ПО CANDRIVER: %d.%d.%d.%d", d[4],
                                d[3], d[2], d[1], d[8], d[7], d[6], d[5]);
      break;
    case 12:
      text +=
          QString::asprintf("№ ред. ПО загрузчика %d; № ред. ПО ГМПО %d; № ред. ПО CANDRIVER %d",
                            word15(1), word15(3), word15(5));
      break;
    case 13:
      text += QString::asprintf("Версия протокола = %d.%d.%d", d[1], d[2], d[3] + 256 * d[4]);
      break;
    default:
      break;
  }
  return text;
}
