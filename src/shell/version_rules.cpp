#include "shell/version_rules.h"

#include <array>

namespace {

struct TArchiveRule {
  uint8_t Major;
  uint8_t MinorFrom;
  uint8_t MinorTo;
  const char* Version;
  int Number;
};

// Major-5 releases below 0x15 that have an archived program of their own.
// clang-format off
constexpr TArchiveRule kMajor5Rules[] = {
    {5, 0x12, 0x12, "5.14", 13}, {5, 0x11, 0x11, "5.13", 12}, {5, 0x10, 0x10, "5.12", 11},
    {5, 0x09, 0x09, "5.11", 10}, {5, 0x07, 0x07, "5.10", 9},  {5, 0x06, 0x06, "5.09", 8},
    {5, 0x05, 0x05, "5.08", 7},  {5, 0x02, 0x04, "5.07", 6},  {5, 0x01, 0x01, "5.01", 5},
};

// Older generations: the first rule that matches applies.
constexpr TArchiveRule kOlderRules[] = {
    {4, 0x70, 0x84, "3.62", 4},
    {4, 0x44, 0x53, "3.47", 3},
    {3, 0x08, 0x41, "3.38", 2},
    {4, 0x08, 0x41, "3.38", 2},
    {2, 0x21, 0x61, "2.13", 1},
};

constexpr std::array<const char*, 9> kArchivedPrograms = {
    "",
    "Arh/Vardex2_13.exe",
    "Arh/Vardex3_38.exe",
    "Arh/Vardex3_47.exe",
    "Arh/Vardex3_62.exe",
    "Arh/Vardex5_01.exe",
    "Arh/Vardex5_07.exe",
    "Arh/Vardex5_08.exe",
    "Arh/Vardex5_09.exe",
};

struct TCanRule {
  uint8_t B1, B2, B3;
  const char* Version;
};

constexpr TCanRule kCanVersions[] = {
    {6, 2, 183, "5.3.142"}, {7, 2, 184, "5.3.143"},
    {8, 2, 191, "5.3.151"}, {8, 2, 192, "5.3.152"}, {8, 2, 195, "5.3.155"},
    {8, 2, 196, "5.3.156"}, {8, 2, 197, "5.3.157"}, {8, 2, 198, "5.3.158"},
    {8, 2, 199, "5.3.159"}, {8, 2, 200, "5.3.160"}, {8, 2, 201, "5.3.161"},
    {8, 2, 202, "5.3.162"}, {8, 2, 203, "5.3.163"}, {8, 2, 204, "5.3.164"},
    {8, 2, 205, "5.3.165"}, {8, 2, 206, "5.3.167"}, {8, 2, 207, "5.3.169"},
    {8, 2, 208, "5.3.171"}, {8, 2, 209, "5.3.172"}, {8, 2, 210, "5.3.173"},
    {8, 2, 211, "5.3.174"}, {8, 2, 212, "5.3.176"}, {8, 2, 213, "5.3.178"},
    {8, 2, 215, "5.3.181"}, {8, 2, 216, "5.3.183"}, {8, 2, 217, "5.3.184"},
    {8, 2, 218, "5.3.185"}, {8, 2, 220, "5.3.187"}, {8, 2, 221, "5.3.188"},
    {8, 2, 222, "5.3.189"}, {8, 2, 223, "5.3.190"}, {8, 2, 224, "5.3.191"},
    {8, 2, 225, "5.3.192"}, {8, 2, 226, "5.3.193"}, {8, 2, 227, "5.3.195"},
    {8, 2, 228, "5.3.196"}, {8, 2, 229, "5.3.197"}, {8, 2, 230, "5.3.198"},
    {8, 2, 231, "5.3.199"}, {8, 2, 232, "5.3.200"}, {8, 2, 234, "5.3.203"},
    {8, 2, 238, "5.3.207"}, {8, 2, 244, "5.3.215"}, {8, 2, 245, "5.3.216"},
    {8, 2, 248, "5.3.218"}, {8, 2, 250, "5.3.220"}, {8, 2, 253, "5.3.224"},
    {8, 3, 1, "5.3.229"},   {8, 3, 2, "5.3.231"},   {8, 3, 6, "5.3.237"},
    {8, 3, 8, "5.3.239"},   {8, 3, 10, "5.3.241"},  {8, 3, 12, "5.3.244"},
    {8, 3, 13, "6.3.245"},  {8, 3, 14, "6.3.248"},  {8, 3, 15, "6.3.250"},
    {8, 3, 16, "6.3.252"},  {8, 3, 18, "6.3.255"},  {8, 3, 25, "6.4.265"},
    {8, 3, 38, "6.4.284"},  {8, 3, 42, "6.4.291"},  {8, 3, 45, "6.4.296"},
    {8, 3, 47, "6.4.299"},  {8, 3, 48, "6.4.302"},  {8, 3, 54, "6.4.313"},
    {8, 3, 56, "6.4.318"},  {8, 3, 57, "6.4.320"},  {8, 3, 59, "6.4.321"},
    {8, 3, 60, "6.4.324"},  {8, 3, 62, "6.4.327"},  {8, 3, 66, "6.4.330"},
    {8, 3, 68, "6.4.331"},  {8, 3, 73, "6.4.337"},  {8, 3, 76, "6.4.342"},
    {8, 3, 79, "6.4.345"},  {8, 3, 81, "6.4.348"},  {8, 3, 87, "6.4.356"},
    {8, 3, 90, "6.4.358"},  {8, 3, 104, "6.4.370"}, {8, 3, 107, "6.4.372"},
    {8, 3, 111, "6.4.376"}, {8, 3, 113, "6.4.380"}, {8, 3, 115, "6.4.384"},
    {8, 3, 118, "6.4.389"}, {8, 3, 120, "6.4.392"}, {8, 3, 122, "6.4.394"},
    {8, 3, 126, "6.4.397"}, {8, 3, 130, "6.4.399"}, {8, 3, 134, "6.4.404"},
};
// clang-format on

QString Hex2(uint8_t value) {
  return QStringLiteral("%1").arg(value, 2, 16, QChar(u'0')).toUpper();
}
QString Dec2(uint8_t value) {
  return QStringLiteral("%1").arg(value, 2, 10, QChar(u'0'));
}

}  // namespace

std::optional<TVersionNotice> MainVersionNotice(uint8_t major, uint8_t minor) {
  if (major == 0 || minor == 0) return std::nullopt;
  if (major == kBuiltForMajor && minor == kBuiltForMinor) return std::nullopt;
  TVersionNotice notice{QStringLiteral("Вы используете версию системы ниже, чем %1.%2")
                            .arg(Hex2(kBuiltForMajor), Hex2(kBuiltForMinor)),
                        QStringLiteral("Будет открыт Vardex, подходящий для вашей версии: "), 0,
                        false};

  if (major > kBuiltForMajor || (major == kBuiltForMajor && minor > kBuiltForMinor)) {
    notice.Heading = QStringLiteral("Вы используете версию системы выше, чем %1.%2")
                         .arg(Hex2(kBuiltForMajor), Hex2(kBuiltForMinor));
    notice.Text = QStringLiteral("Обновите Vardex. Программа будет закрыта");
    notice.ShowUpdateLink = true;
    return notice;
  }
  if (major == 5 && minor >= 0x15) {
    // The minor byte reads as the archive's two decimal digits; a hex digit (0x1A) has no
    // archive and must not be taken for one.
    const QString digits = Hex2(minor);
    bool decimal = false;
    const int value = digits.toInt(&decimal, 10);
    if (decimal) {
      notice.Text += QStringLiteral("5.") + digits;
      notice.ArchiveNumber = value - 1;
    }
    return notice;
  }
  for (const auto& rule : kMajor5Rules) {
    if (major == rule.Major && minor >= rule.MinorFrom && minor <= rule.MinorTo) {
      notice.Text += QLatin1String(rule.Version);
      notice.ArchiveNumber = rule.Number;
      return notice;
    }
  }
  for (const auto& rule : kOlderRules) {
    if (major == rule.Major && minor >= rule.MinorFrom && minor <= rule.MinorTo) {
      notice.Text += QLatin1String(rule.Version);
      notice.ArchiveNumber = rule.Number;
      return notice;
    }
  }
  return notice;
}

TVersionNotice ValidatorVersionNotice() {
  return {QString(), QStringLiteral("Будет открыт Vardex, подходящий для вашей версии валидатора"),
          4, false};
}

QString ArchivedProgram(int number) {
  if (number <= 0) return {};
  if (number < static_cast<int>(kArchivedPrograms.size())) {
    return QLatin1String(kArchivedPrograms[static_cast<size_t>(number)]);
  }
  return QStringLiteral("Arh/Vardex5_%1.exe").arg(number + 1);
}

QString PublicCanVersion(uint8_t b0, uint8_t b1, uint8_t b2, uint8_t b3) {
  if (b0 == 1) {
    for (const auto& rule : kCanVersions) {
      if (rule.B1 == b1 && rule.B2 == b2 && rule.B3 == b3) return QLatin1String(rule.Version);
    }
  }
  return QStringLiteral("Update VD");
}

QString BcdVersionText(uint8_t major, uint8_t minor, uint8_t day, uint8_t month, uint8_t year) {
  return QStringLiteral("%1.%2 от %3.%4.20%5")
      .arg(Hex2(major), Hex2(minor), Hex2(day), Hex2(month), Hex2(year));
}

QString DecimalVersionText(uint8_t major, uint8_t minor, uint8_t day, uint8_t month, uint8_t year) {
  return QStringLiteral("%1.%2 от %3.%4.20%5")
      .arg(Dec2(major), Dec2(minor), Dec2(day), Dec2(month), Dec2(year));
}

TBoardType BoardTypeFor(uint8_t typeCode, uint8_t byte2, uint8_t byte4) {
  const QString caption = QStringLiteral("Тип платы:");
  if (typeCode == 16) {
    if (byte2 == 5) return {caption, QStringLiteral("Tarsk 4"), true};
    if (byte4 == 0) return {caption, QStringLiteral("Mirel 3"), false};
    if (byte4 == 2) return {caption, QStringLiteral("Tarsk 3"), false};
    return {caption, QString(), false};
  }
  if (typeCode == 20) return {caption, QStringLiteral("Tarsk 5"), true};
  return {};
}

TConfigurationVariant ConfigurationVariant(uint8_t configuration) {
  TConfigurationVariant variant;
  if ((configuration & 0x04) == 0) variant.Generation = 2;
  if (configuration == 0) return variant;
  if (configuration & 0x04) {
    variant.CaptionSuffix = QStringLiteral(" (Mirelon / Tarskon )");
    variant.Generation = 3;
    return variant;
  }
  const bool bit5 = configuration & 0x20;
  const bool bit1 = configuration & 0x02;
  const char* name = bit5 && bit1 ? "Veltra 2.5"
                     : bit5       ? "Ostrin 2.5 / Palmey 2.5"
                     : bit1       ? "Ravelo 2.5"
                                  : "Zentis 2.5";
  variant.CaptionSuffix = QStringLiteral(" (%1)").arg(QLatin1String(name));
  return variant;
}
