#include "pages/main/diag_texts.h"

#include <array>

#include "binding/value_labels.h"
#include "journal/vocabulary.h"

namespace {

constexpr uint16_t kEmptyEntry = 0xFFFF;
constexpr int kEntries = 16;
// Steps around the ring before a history without an empty entry counts as broken.
constexpr int kSearchSteps = 21;
constexpr int kNewerCodesEnd = 174;
constexpr int kOlderCodesEnd = 128;
constexpr uint8_t kNewerYearsMinor = 39;

struct TCause {
  int Code;
  const char* Text;
};
constexpr TCause kCauses[] = {{15, "Принудительный по команде;"},
                              {23, "WDT, 4с;"},
                              {28, "Норм. старт;"},
                              {30, "Brownout 3.5V;"},
                              {31, "Принудительная перезагрузка;"}};

constexpr std::array<const char*, 32> kCounterTexts = [] {
  std::array<const char*, 32> texts{};
  texts[0] = "Тревога по открытию двери / двери водителя  ";
  texts[1] = "Тревога по открытию багажника  ";
  texts[2] = "Тревога по открытию капота  ";
  texts[3] = "Тревога по зажиганию  ";
  texts[12] = "Тревога по открытию двери пасажира  ";
  texts[14] = "Тревога по СТОП сигналу  ";
  texts[17] = "Тревога по штатной сигнализаци (CAN)  ";
  texts[18] = "Тревога по датчику удара  ";
  texts[19] = "Тревога по микроволновому датчику №1  ";
  texts[20] = "Тревога по микроволновому датчику №2  ";
  texts[21] = "Тревога по датчику наклона  ";
  texts[22] = "Тревога по буксировке автомобиля  ";
  texts[25] = "Тревога по превышению оборотов  ";
  texts[26] = "Тревога по ручнику (АКПП)  ";
  texts[27] = "Тревога по движению автомобиля  ";
  texts[29] = "Тревога после пропадания питания главного модуля  ";
  return texts;
}();

uint16_t Entry(std::span<const uint8_t, 32> bytes, int index) {
  const auto at = static_cast<std::size_t>(2 * index);
  return static_cast<uint16_t>(bytes[at] << 8 | bytes[at + 1]);
}

QString EntryLine(uint16_t entry) {
  const int cause = (entry >> 8) & 0x7F;
  QString text = QString::asprintf("(%4.4X);", entry);
  for (const TCause& known : kCauses) {
    if (known.Code == cause && entry != kEmptyEntry) text = QString::fromUtf8(known.Text);
  }
  if ((entry & 0x80) != 0) text += QStringLiteral(" переполнение стека;");
  if ((entry & 0x40) != 0) text += QStringLiteral(" пустой стек;");
  return text;
}

int YearBase(uint8_t firstMinor, int code) {
  if (firstMinor >= kNewerYearsMinor) return 2018;
  return code >= 5 ? 2003 : 2019;
}

}  // namespace

QString HistoryLine(uint8_t code, bool newerTable) {
  const int end = newerTable ? kNewerCodesEnd : kOlderCodesEnd;
  if (code > end) return QString::asprintf("%02X", code);
  return VocabularyText(newerTable ? EventCauseCodes : DiagnosticCodes, code);
}

QStringList RestartHistoryLines(std::span<const uint8_t, 32> bytes) {
  int empty = -1;
  for (int step = 0, at = 0; step < kSearchSteps; ++step, at = (at + 1) % kEntries) {
    if (Entry(bytes, at) == kEmptyEntry) {
      empty = at;
      break;
    }
  }
  if (empty < 0) return {QStringLiteral("Ошибка истории")};
  int start = (empty + 1) % kEntries;
  while (start != empty && Entry(bytes, start) == kEmptyEntry) start = (start + 1) % kEntries;
  if (start == empty) return {QStringLiteral("История пуста")};
  QStringList lines;
  for (int at = start, n = 1; at != empty; at = (at + 1) % kEntries, ++n) {
    lines << QStringLiteral("%1: %2").arg(n).arg(EntryLine(Entry(bytes, at)));
  }
  return lines;
}

QStringList AlarmCounterLines(std::span<const uint8_t, 32> counters) {
  QStringList lines;
  for (std::size_t i = 0; i < counters.size(); ++i) {
    if (counters[i] != 0 && kCounterTexts[i] != nullptr) {
      lines << QString::fromUtf8(kCounterTexts[i]) + QString::number(counters[i]);
    }
  }
  return lines;
}

std::optional<QDate> DecodeDate(uint8_t day, uint8_t yearMonth, uint8_t firstMinor) {
  const int code = yearMonth >> 4;
  const QDate date(YearBase(firstMinor, code) + code, (yearMonth & 0x0F) + 1, day + 1);
  if (!date.isValid()) return std::nullopt;
  return date;
}

std::pair<uint8_t, uint8_t> EncodeDate(const QDate& date, uint8_t firstMinor) {
  const int base = firstMinor >= kNewerYearsMinor ? 2018 : 2003;
  const int code = ((date.year() - base) % 16 + 16) % 16;
  return {static_cast<uint8_t>(date.day() - 1), static_cast<uint8_t>(code * 16 + date.month() - 1)};
}

bool DateKnown(uint8_t firstMajor, uint8_t day, uint8_t yearMonth) {
  return firstMajor == 5 && (day != 0 || yearMonth != 0);
}

QString BoardVoltageText(uint8_t reading) {
  return FormatNumber(" %5.2f [В]", reading * 20.0 / 1024 * 7.67);
}

QString TurnCurrentText(uint8_t reading, uint8_t boardRevision) {
  const double k = boardRevision == 5 ? 5100 : 3000;
  return FormatNumber("  %3.1f [A] ", reading * 5000.0 / 1024 / 510 * k * 4 / 1000);
}

QString ConverterText(uint8_t reading, uint8_t boardRevision) {
  const double k = boardRevision < 8 ? 0.235 : 0.755;
  return FormatNumber(" %5.2f [В]", reading / k * 0.01953125);
}
