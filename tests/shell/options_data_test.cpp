#include "shell/options_data.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "shell/color_luma.h"
#include "test_support.h"

namespace {

class OptionsTest : public ::testing::Test {
 protected:
  QSettings Settings() const {
    return QSettings(dir.filePath(QStringLiteral("options.ini")), QSettings::IniFormat);
  }
  QTemporaryDir dir;
};

TEST_F(OptionsTest, EmptyStoreGivesEveryDefault) {
  auto settings = Settings();
  TOptionsData options;
  options.Load(settings);
  EXPECT_EQ(options.PortName, QStringLiteral("Vardex USB adapter"));
  EXPECT_EQ(options.Background(), QColor(0xFF, 0xFB, 0xF0));  // stored as 0xF0FBFF
  EXPECT_EQ(TOptionsData::ToColorRef(options.Colors[12]), 0x2F2FFFu);
  EXPECT_EQ(TOptionsData::ToColorRef(options.ModuleNameColor), 0xFFD1B9u);
  EXPECT_TRUE(options.SaveLayout);
  EXPECT_TRUE(options.DataLostNotification);
  EXPECT_TRUE(options.AutoArmWarning);
  EXPECT_TRUE(options.VerifyWrites);
  EXPECT_TRUE(options.LastDir.isEmpty());
  EXPECT_TRUE(options.FavEvents.none());
}

TEST_F(OptionsTest, UnlistedColoursAreTheBackgroundWithTheirIndexOfLuminance) {
  const THls background = ColorToHls(TOptionsData::DefaultColor(0));
  // The background is highly saturated, so its luminance is raised by the index.
  ASSERT_GE(background.Saturation, 160);
  for (const int index : {6, 7, 11, 16, 24, 32}) {
    const THls derived = ColorToHls(TOptionsData::DefaultColor(index));
    EXPECT_NEAR(derived.Luminance, std::min(240, background.Luminance + index), 1) << index;
  }
  // The listed ones keep their values.
  EXPECT_EQ(TOptionsData::ToColorRef(TOptionsData::DefaultColor(23)), 0xF0B0C0u);
}

TEST(ColorLuma, ConvertsBothWaysOnTheWindowsScale) {
  struct Case {
    QColor color;
    int hue, luminance, saturation;
  };
  const std::vector<Case> cases = {
      {QColor(255, 0, 0), 0, 120, 240},     {QColor(0, 255, 0), 80, 120, 240},
      {QColor(0, 0, 255), 160, 120, 240},   {QColor(127, 127, 127), 160, 120, 0},
      {QColor(255, 255, 255), 160, 240, 0},
  };
  for (const auto& c : cases) {
    const THls hls = ColorToHls(c.color);
    EXPECT_EQ(hls.Hue, c.hue) << c.color.name().toStdString();
    EXPECT_EQ(hls.Luminance, c.luminance) << c.color.name().toStdString();
    EXPECT_EQ(hls.Saturation, c.saturation) << c.color.name().toStdString();
    EXPECT_EQ(HlsToColor(hls), c.color) << c.color.name().toStdString();
  }
  // A tenth of a percent per step: +100 raises 120 to 132.
  EXPECT_EQ(ColorToHls(ColorAdjustLuma(QColor(127, 127, 127), 100)).Luminance, 132);
}

TEST_F(OptionsTest, SavedValuesComeBackAndBadOnesFallBack) {
  {
    auto settings = Settings();
    TOptionsData options;
    options.PortName = QStringLiteral("/dev/ttyUSB0");
    options.Colors[3] = QColor(1, 2, 3);
    options.SaveLayout = false;
    options.VerifyWrites = false;
    options.LastDir = QStringLiteral("/home/монтажник");
    options.FavEvents[0] = true;
    options.FavEvents[240] = true;
    options.RestoreDefaultLayout = true;
    options.Save(settings);
  }
  {
    auto settings = Settings();
    settings.setValue(QStringLiteral("3/Color5"), QStringLiteral("not a colour"));
    settings.setValue(QStringLiteral("3/DataLostNotification"), QStringLiteral("maybe"));
  }
  auto settings = Settings();
  EXPECT_EQ(TOptionsData::ToColorRef(
                TOptionsData::FromColorRef(settings.value(QStringLiteral("3/Color3")).toUInt())),
            0x030201u);
  TOptionsData options;
  options.Load(settings);
  EXPECT_EQ(options.PortName, QStringLiteral("/dev/ttyUSB0"));
  EXPECT_EQ(options.Colors[3], QColor(1, 2, 3));
  EXPECT_FALSE(options.SaveLayout);
  EXPECT_FALSE(options.VerifyWrites);
  EXPECT_FALSE(options.RestoreDefaultLayout);
  EXPECT_EQ(options.LastDir, QStringLiteral("/home/монтажник"));
  EXPECT_TRUE(options.FavEvents[0]);
  EXPECT_TRUE(options.FavEvents[240]);
  EXPECT_FALSE(options.FavEvents[1]);
  EXPECT_EQ(options.Colors[5], TOptionsData::DefaultColor(5));
  EXPECT_TRUE(options.DataLostNotification);
}

}  // namespace
