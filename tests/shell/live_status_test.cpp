#include "shell/live_status.h"

#include <gtest/gtest.h>

#include <QSet>
#include <QSignalSpy>

#include "shell/indicator_form.h"
#include "shell/indicator_lamps.h"
#include "test_support.h"

namespace {

using namespace std::chrono_literals;

TLanMsg FromMain(uint8_t command, std::vector<uint8_t> data, uint8_t dest = kBroadcastAddr) {
  return MakeMsg(kMainModuleAddr, dest, false, false, data, command);
}

TLanMsg Status(uint8_t d0, uint8_t d1) {
  return FromMain(7, {d0, d1});
}

int LampHinted(const char* hint, TLampGroup group) {
  const auto lamps = IndicatorLamps();
  for (std::size_t i = 0; i < lamps.size(); ++i) {
    if (lamps[i].Group == group && QString::fromUtf8(lamps[i].Hint) == QString::fromUtf8(hint)) {
      return static_cast<int>(i);
    }
  }
  ADD_FAILURE() << "no lamp " << hint;
  return -1;
}

TEST(LiveStatus, StatusBytesGiveModeSubmodePinImmobiliserAndSwitches) {
  using enum TSwitchShown;
  struct TCase {
    uint8_t d0, d1;
    bool switchesOn;
    const char* mode;
    const char* submode;
    int picture;
    bool learning;
    bool red;
    TImmobiliserShown immo;
    TSwitchShown repeat, ahj;
    bool pinBlocked;
  };
  const TCase cases[] = {
      {0x02, 0x02, true, "Охрана", "Пляж", 9, false, false, TImmobiliserShown::Off, On, On, false},
      {0x00, 0x41, true, "Снято с охраны", "Снято с охраны", 3, true, false, TImmobiliserShown::Off,
       Off, On, false},
      {0x00, 0x80, false, "Снято с охраны", "Снято полностью", 3, true, false,
       TImmobiliserShown::Off, Disabled, Disabled, false},
      {0xC0, 0xC0, true, "Снято с охраны", "", 3, true, false, TImmobiliserShown::On, On, Off,
       false},
      {0x86, 0x05, true, "Защита от захвата", "Принудительный AHJ", 4, false, true,
       TImmobiliserShown::Off, Off, Off, false},
      {0x07, 0x00, true, "Дистанц запуск", "Охрана", 5, false, false, TImmobiliserShown::Off, On,
       On, false},
      {0x03, 0x08, true, "Тревога", "", 2, false, false, TImmobiliserShown::Off, On, On, true},
      {0x09, 0x00, true, "Автомойка", "", 8, false, false, TImmobiliserShown::Off, On, On, false},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.mode);
    TLiveStatus status;
    status.SetSwitches(c.switchesOn, c.switchesOn);
    status.Handle(Status(c.d0, c.d1));
    const TStatusPicture& picture = status.Picture();
    EXPECT_EQ(picture.Mode, QString::fromUtf8(c.mode));
    EXPECT_EQ(picture.Submode, QString::fromUtf8(c.submode));
    EXPECT_EQ(picture.ModePicture, c.picture);
    EXPECT_EQ(status.LearningAllowed(), c.learning);
    EXPECT_EQ(picture.ModeRed, c.red);
    EXPECT_EQ(picture.Immobiliser, c.immo);
    EXPECT_EQ(picture.RepeatAuthorisation, c.repeat);
    EXPECT_EQ(picture.AntiHijack, c.ahj);
    EXPECT_EQ(picture.PinText.isEmpty(), !c.pinBlocked);
    EXPECT_FALSE(picture.AntiHijackBlinks || picture.RepeatAuthorisationBlinks);
  }
}

TEST(LiveStatus, IdentificationBlinksAndAsksForThePowerDownWarningOutsideAntiHijack) {
  TLiveStatus status;
  status.SetSwitches(true, true);
  QSignalSpy warnings(&status, &TLiveStatus::PowerDownWarningDue);
  status.Handle(Status(0x02, 0x04));
  EXPECT_TRUE(status.Picture().RepeatAuthorisationBlinks);
  EXPECT_EQ(status.Picture().Submode, QStringLiteral("Опознание начато"));
  EXPECT_EQ(warnings.count(), 1);
  ASSERT_TRUE(SpinUntil([&] { return status.Picture().BlinkHidden; }, 2s)) << "it blinks";

  status.Handle(Status(0x86, 0x05));
  EXPECT_FALSE(status.Picture().RepeatAuthorisationBlinks || status.Picture().AntiHijackBlinks);
  EXPECT_EQ(warnings.count(), 1) << "no warning in anti-hijack mode";
}

TEST(LiveStatus, SwitchesShowUnknownUntilTheModuleSaysAndDisabledWhenOff) {
  TLiveStatus status;
  status.SetSwitches(true, false);
  EXPECT_EQ(status.Picture().AntiHijack, TSwitchShown::Unknown);
  EXPECT_EQ(status.Picture().RepeatAuthorisation, TSwitchShown::Disabled);
  status.Handle(Status(0x80, 0x00));
  EXPECT_EQ(status.Picture().AntiHijack, TSwitchShown::Off);
  status.SetSwitches(true, false);
  EXPECT_EQ(status.Picture().AntiHijack, TSwitchShown::Off) << "drawn stays drawn";
}

TEST(LiveStatus, EventsLightTheirLampsAndUnknownIndicesChangeNothing) {
  TLiveStatus status;
  QSignalSpy changes(&status, &TLiveStatus::LampChanged);
  const int ignition = LampHinted("Датчик включения зажигания", TLampGroup::Input);
  status.Handle(FromMain(3, {0x83}));
  EXPECT_TRUE(status.LampOn(ignition));
  EXPECT_TRUE(status.IgnitionOn());
  EXPECT_TRUE(status.IgnitionKnown());
  EXPECT_FALSE(status.Picture().EngineRuns);
  status.Handle(FromMain(3, {0xA8}));
  EXPECT_TRUE(status.Picture().EngineRuns) << "ignition and charge lamp";

  changes.clear();
  status.Handle(FromMain(3, {0x91}));
  EXPECT_EQ(changes.count(), 0) << "no input lamp 17";
  status.Handle(FromMain(3, {0xD1}));
  EXPECT_TRUE(status.LampOn(LampHinted("Программа №1", TLampGroup::Output)));
  status.Handle(FromMain(19, {0xFF}));
  status.Handle(FromMain(3, {0xFF}));
  EXPECT_EQ(changes.count(), 1) << "indices without a lamp";

  status.Handle(FromMain(19, {0x80 | 50}));
  EXPECT_TRUE(status.LampOn(LampHinted("ЦЗ отперт", TLampGroup::State)));
  EXPECT_FALSE(status.LampOn(LampNamed("lmpLocked")));
  status.Handle(FromMain(19, {50}));
  EXPECT_TRUE(status.LampOn(LampNamed("lmpLocked")));
}

// The voltage report the main module sends the PC carries the CAN bus's speeds: the tacho image
// shows them whichever page asked for the report. Engine revs count as a running engine while
// the ignition is on, as the charge lamp does; losing the main module forgets them.
TEST(LiveStatus, CanSpeedsOfTheVoltageReportShowInTheTachoImageAndRevsRunTheEngine) {
  TLiveStatus status;
  const auto report = [](uint8_t revsLow, uint8_t revsHigh, uint8_t road, uint8_t roadHigh) {
    return FromMain(53, {0x50, 0, 0x60, 0, 0, 12, 3, revsLow, revsHigh, road, roadHigh}, kPcAddr);
  };
  status.Handle(report(0x20, 0x03, 0, 0));
  EXPECT_EQ(status.Picture().EngineSpeedText, QStringLiteral("800 об/мин"));
  EXPECT_EQ(status.Picture().RoadSpeedText, QStringLiteral("0 км/час"));
  EXPECT_FALSE(status.Picture().EngineRuns) << "ignition off";
  status.Handle(FromMain(3, {0x83}));
  EXPECT_TRUE(status.Picture().EngineRuns);
  status.Handle(report(0, 0, 0, 255));
  EXPECT_FALSE(status.Picture().EngineRuns);
  EXPECT_EQ(status.Picture().RoadSpeedText, QStringLiteral("<не определена>"));
  // The short form of the report holds no speeds and leaves them as they are.
  status.Handle(FromMain(53, {0x50, 0, 0x60}, kPcAddr));
  EXPECT_EQ(status.Picture().EngineSpeedText, QStringLiteral("0 об/мин"));
  status.Handle(report(0x20, 0x03, 0, 0));
  status.MainModuleLost();
  status.Handle(FromMain(3, {0x83}));
  EXPECT_FALSE(status.Picture().EngineRuns) << "revs are unknown again";
}

TEST(LiveStatus, LampsWithAnOffTimerGoOutByThemselves) {
  TLiveStatus status;
  const int can = LampNamed("ToolButton40");
  status.Handle(MakeMsg(24, kPcAddr, false, false, std::vector<uint8_t>{6}, 33));
  EXPECT_TRUE(status.LampOn(can));
  EXPECT_TRUE(SpinUntil([&] { return !status.LampOn(can); }, 2s));
  const int learn = LampNamed("lmpLearnSpeed");
  status.Handle(FromMain(118, {58}));
  EXPECT_TRUE(status.LampOn(learn));
  EXPECT_TRUE(SpinUntil([&] { return !status.LampOn(learn); }, 4s));
}

TEST(LiveStatus, TemperaturesVoltageAndFuel) {
  const std::pair<uint8_t, const char*> temperatures[] = {
      {0x81, "Не опр."}, {0x19, "25"}, {0xF6, "-9"}, {0x00, "0"}};
  for (const auto& [byte, text] : temperatures) {
    EXPECT_EQ(TLiveStatus::TemperatureText(byte), QString::fromUtf8(text)) << int(byte);
  }
  TLiveStatus status;
  const int battery = LampNamed("ToolButton88");
  status.Handle(FromMain(53, {0x50, 0, 0x19}, kPcAddr));
  EXPECT_FALSE(status.LampOn(battery));
  EXPECT_EQ(status.Picture().BoardTemperature, QStringLiteral("25"));
  status.Handle(FromMain(53, {0x51, 0, 0x81}, kPcAddr));
  EXPECT_TRUE(status.LampOn(battery));
  status.Handle(FromMain(53, {0x20, 0, 0x81}, kPcAddr));
  EXPECT_EQ(QString::asprintf(" %5.2f [В]", *status.Picture().Volts), QStringLiteral("  4.79 [В]"));

  status.Handle(FromMain(52, {0, 0, 0, 0, 0, 0, 101, 0, 0}, kPcAddr));
  EXPECT_EQ(status.Picture().FuelText, QStringLiteral("? %"));
  EXPECT_EQ(status.Picture().EngineTemperature, QStringLiteral("Не опред."));
  status.Handle(FromMain(52, {0, 0, 0, 0, 0, 0, 40, 140, 1}, kPcAddr));
  EXPECT_EQ(status.Picture().FuelText, QStringLiteral("40 литр."));
  EXPECT_TRUE(status.Picture().EngineTemperature.startsWith(QStringLiteral("90 ")));
}

TEST(LiveStatus, AnAlarmCauseIsReportedAndLosingTheMainModuleResetsEverything) {
  TLiveStatus status;
  QSignalSpy causes(&status, &TLiveStatus::AlarmCause);
  QSignalSpy ended(&status, &TLiveStatus::AlarmEnded);
  status.Handle(FromMain(118, {17}));
  ASSERT_EQ(causes.count(), 1);
  EXPECT_EQ(causes[0][0].toString(), QStringLiteral("тревога после пропадания питания системы"));
  status.Handle(FromMain(118, {23}));
  EXPECT_EQ(causes.count(), 1) << "23 is no alarm cause";

  status.SetSwitches(true, true);
  status.Handle(Status(0x42, 0x00));
  status.Handle(FromMain(3, {0x83}));
  status.MainModuleLost();
  EXPECT_EQ(status.Picture().Mode, QStringLiteral("?"));
  EXPECT_EQ(status.Picture().Immobiliser, TImmobiliserShown::Unknown);
  EXPECT_EQ(status.Picture().AntiHijack, TSwitchShown::Unknown);
  EXPECT_FALSE(status.IgnitionKnown());
  for (int lamp = 0; lamp < static_cast<int>(IndicatorLamps().size()); ++lamp) {
    EXPECT_FALSE(status.LampOn(lamp));
  }
  EXPECT_GE(ended.count(), 2);
}

TEST(LampPanel, LampsFlowInAsManyColumnsAsTheWidthHolds) {
  TLampPanel panel;
  const int cell = panel.CellWidth();
  const int count = static_cast<int>(IndicatorLamps().size());
  struct TCase {
    int width;
    int columns;
  };
  for (const TCase c : {TCase{cell / 2, 1}, TCase{cell, 1}, TCase{3 * cell + 5, 3}}) {
    panel.resize(c.width, panel.heightForWidth(c.width));
    EXPECT_EQ(panel.Columns(), c.columns) << c.width;
    const int rows = (count + c.columns - 1) / c.columns;
    EXPECT_EQ(panel.heightForWidth(c.width), rows * 30) << c.width;
    EXPECT_EQ(panel.LampAt({3, 3}), 0);
    // The name beside a lamp belongs to it.
    EXPECT_EQ(panel.LampAt({cell - 3, 3}), 0);
    EXPECT_EQ(panel.LampAt({3, 33}), c.columns) << "the second row starts after a full row";
    const int last = count - 1;
    EXPECT_EQ(panel.LampAt({(last % c.columns) * cell + 3, (last / c.columns) * 30 + 3}), last);
    EXPECT_EQ(panel.LampAt({3, rows * 30 + 3}), -1) << "below the last row";
  }
  panel.resize(3 * cell + 5, panel.heightForWidth(3 * cell + 5));
  EXPECT_EQ(panel.LampAt({cell + 3, 3}), 1);
  EXPECT_EQ(panel.LampAt({3 * cell + 2, 3}), -1) << "beside the columns";
  panel.SetLit(5, true);
  EXPECT_TRUE(panel.Lit(5));
  panel.SetLit(500, true);
  EXPECT_FALSE(panel.Lit(500)) << "no lamp there";
}

// A lamp is found by its name on screen: every lamp has one, and no two share it.
TEST(LampPanel, EveryLampHasItsOwnName) {
  QSet<QString> names;
  for (const TLampRow& row : IndicatorLamps()) {
    const QString name = QString::fromUtf8(LampCaption(row)).trimmed();
    EXPECT_FALSE(name.isEmpty()) << row.Name;
    EXPECT_FALSE(names.contains(name)) << name.toStdString();
    names.insert(name);
  }
}

}  // namespace
