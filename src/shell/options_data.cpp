#include "shell/options_data.h"

#include <QGuiApplication>
#include <QPalette>

#include "memory/settings_bool.h"
#include "shell/color_luma.h"

namespace {

struct TListedColor {
  int Index;
  quint32 ColorRef;
};

constexpr TListedColor kListedColors[] = {
    {0, 0xF0FBFF},  {1, 0xF3FCFF},  {2, 0xA7F5FE},  {3, 0xBEF8DF},  {4, 0xD5E2FF},
    {5, 0xFFF4FF},  {12, 0x2F2FFF}, {13, 0xD5E2FF}, {14, 0x85A0F3}, {15, 0xFB947D},
    {20, 0xADD8EF}, {21, 0xFFD6B0}, {22, 0xF5B4C5}, {23, 0xF0B0C0},
};
constexpr quint32 kBackgroundColorRef = 0xF0FBFF;
// Below this saturation the Windows luminance rule applies; above it the luminance is
// simply raised by the index.
constexpr int kLumaRuleSaturation = 160;

constexpr quint32 kModuleNameColor = 0xFFD1B9;
constexpr quint32 kModuleNameGrColor = 0xFDEBD0;
constexpr quint32 kEventsBeaconColor = 0x7F7FF0;

QColor ReadColor(QSettings& s, const QString& key, const QColor& fallback) {
  const QVariant v = s.value(key);
  bool ok = false;
  const qlonglong value = v.toString().toLongLong(&ok, 0);
  if (!v.isValid() || !ok || value < 0 || value > 0xFFFFFF) return fallback;
  return TOptionsData::FromColorRef(static_cast<quint32>(value));
}

QString ReadString(QSettings& s, const QString& key, const QString& fallback) {
  const QVariant v = s.value(key);
  return v.isValid() && v.canConvert<QString>() ? v.toString() : fallback;
}

QColor SystemWindowColor() {
  return qGuiApp ? QGuiApplication::palette().color(QPalette::Base) : QColor(Qt::white);
}

}  // namespace

QColor TOptionsData::FromColorRef(quint32 value) {
  return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                static_cast<int>((value >> 16) & 0xFF));
}

quint32 TOptionsData::ToColorRef(const QColor& color) {
  return static_cast<quint32>(color.red()) | (static_cast<quint32>(color.green()) << 8) |
         (static_cast<quint32>(color.blue()) << 16);
}

QColor TOptionsData::DefaultColor(int index) {
  for (const auto& listed : kListedColors) {
    if (listed.Index == index) return FromColorRef(listed.ColorRef);
  }
  const QColor base = FromColorRef(kBackgroundColorRef);
  THls hls = ColorToHls(base);
  if (hls.Saturation < kLumaRuleSaturation) return ColorAdjustLuma(base, index);
  hls.Luminance += index;
  return HlsToColor(hls);
}

TOptionsData::TOptionsData()
    : PortName(QStringLiteral("Vardex USB adapter")),
      ModuleNameColor(FromColorRef(kModuleNameColor)),
      ModuleNameGrColor(FromColorRef(kModuleNameGrColor)),
      EventsBeaconColor(FromColorRef(kEventsBeaconColor)),
      LogHeaderColor(SystemWindowColor()) {
  for (int i = 0; i < kColorCount; ++i) Colors[static_cast<size_t>(i)] = DefaultColor(i);
}

void TOptionsData::Load(QSettings& s) {
  const TOptionsData defaults;
  s.beginGroup(QLatin1String(kGroup));
  AnswerListCmd = ReadSettingsBool(s, QStringLiteral("AnswerListCmd"), defaults.AnswerListCmd);
  SaveLayout = ReadSettingsBool(s, QStringLiteral("SaveLayout"), defaults.SaveLayout);
  RestoreDefaultLayout = false;
  PortName = ReadString(s, QStringLiteral("PortName"), defaults.PortName);
  for (int i = 0; i < kColorCount; ++i) {
    const auto idx = static_cast<size_t>(i);
    Colors[idx] = ReadColor(s, QStringLiteral("Color%1").arg(i), defaults.Colors[idx]);
  }
  ModuleNameColor = ReadColor(s, QStringLiteral("ModuleNameColor"), defaults.ModuleNameColor);
  ModuleNameGrColor = ReadColor(s, QStringLiteral("ModuleNameGrColor"), defaults.ModuleNameGrColor);
  EventsBeaconColor = ReadColor(s, QStringLiteral("EventsBeaconColor"), defaults.EventsBeaconColor);
  LogHeaderColor = ReadColor(s, QStringLiteral("LogHeaderColor"), defaults.LogHeaderColor);
  DataLostNotification =
      ReadSettingsBool(s, QStringLiteral("DataLostNotification"), defaults.DataLostNotification);
  LastDir = ReadString(s, QStringLiteral("LastDir"), defaults.LastDir);
  CheckUpdates = ReadSettingsBool(s, QStringLiteral("CheckUpdates"), defaults.CheckUpdates);
  AutoArmWarning = ReadSettingsBool(s, QStringLiteral("AutoArmWarning"), defaults.AutoArmWarning);
  PowerDownWarning =
      ReadSettingsBool(s, QStringLiteral("PowerDownWarning"), defaults.PowerDownWarning);
  VerifyWrites = ReadSettingsBool(s, QStringLiteral("VerifyWrites"), defaults.VerifyWrites);
  ShowChangesBeforeWrite = ReadSettingsBool(s, QStringLiteral("ShowChangesBeforeWrite"),
                                            defaults.ShowChangesBeforeWrite);
  for (int i = 0; i < kEventCount; ++i) {
    FavEvents[static_cast<size_t>(i)] =
        ReadSettingsBool(s, QStringLiteral("FavEvents%1").arg(i + 1), false);
  }
  s.endGroup();
}

void TOptionsData::Save(QSettings& s) const {
  s.beginGroup(QLatin1String(kGroup));
  s.setValue(QStringLiteral("AnswerListCmd"), AnswerListCmd);
  s.setValue(QStringLiteral("SaveLayout"), SaveLayout);
  s.setValue(QStringLiteral("PortName"), PortName);
  for (int i = 0; i < kColorCount; ++i) {
    s.setValue(QStringLiteral("Color%1").arg(i), ToColorRef(Colors[static_cast<size_t>(i)]));
  }
  s.setValue(QStringLiteral("ModuleNameColor"), ToColorRef(ModuleNameColor));
  s.setValue(QStringLiteral("ModuleNameGrColor"), ToColorRef(ModuleNameGrColor));
  s.setValue(QStringLiteral("EventsBeaconColor"), ToColorRef(EventsBeaconColor));
  s.setValue(QStringLiteral("LogHeaderColor"), ToColorRef(LogHeaderColor));
  s.setValue(QStringLiteral("DataLostNotification"), DataLostNotification);
  s.setValue(QStringLiteral("LastDir"), LastDir);
  s.setValue(QStringLiteral("CheckUpdates"), CheckUpdates);
  s.setValue(QStringLiteral("AutoArmWarning"), AutoArmWarning);
  s.setValue(QStringLiteral("PowerDownWarning"), PowerDownWarning);
  s.setValue(QStringLiteral("VerifyWrites"), VerifyWrites);
  s.setValue(QStringLiteral("ShowChangesBeforeWrite"), ShowChangesBeforeWrite);
  for (int i = 0; i < kEventCount; ++i) {
    s.setValue(QStringLiteral("FavEvents%1").arg(i + 1), FavEvents[static_cast<size_t>(i)]);
  }
  s.endGroup();
}

TEventFavourites TOptionsData::EventFavourites() {
  const auto inRange = [](int number) { return number >= 1 && number <= kEventCount; };
  return {[this, inRange](int number) {
            return inRange(number) && FavEvents[static_cast<size_t>(number - 1)];
          },
          [this, inRange](int number, bool favourite) {
            if (inRange(number)) FavEvents[static_cast<size_t>(number - 1)] = favourite;
          },
          [this] { return static_cast<uint32_t>(EventsBeaconColor.rgb() & 0xFFFFFF); }};
}

TLogColors TOptionsData::JournalColors() const {
  return {[this](int address) {
            return address >= 0 && address < kColorCount ? Colors[static_cast<size_t>(address)]
                                                         : QColor();
          },
          [this] { return LogHeaderColor; }};
}
