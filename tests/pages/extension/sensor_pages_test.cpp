#include "pages/extension/sensor_pages.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QPushButton>

#include "binding/ui/vd_check_box.h"
#include "binding/ui/vd_data.h"
#include "binding/ui/vd_label.h"
#include "learning_fixture.h"
#include "pages/extension/held_lamp.h"

namespace {

using namespace std::chrono_literals;

constexpr uint8_t kShock = 20;
constexpr uint8_t kTransceiver = 25;

using ShockPage = TLearningTest<TShockOptions>;

bool NewerSettingsEnabled(const TShockOptions& page) {
  return page.Controls().Get<TVDCheckBox>("vdcbTurnOff").isEnabled();
}

// The settings from firmware 3.6 on: compared as numbers, major first.
TEST_F(ShockPage, NewerSettingsFollowTheSensorsVersion) {
  const struct {
    uint8_t Major;
    uint8_t Minor;
    bool Enabled;
  } versions[] = {{3, 5, false}, {2, 9, false}, {3, 6, true}, {3, 10, true}, {4, 0, true}};
  for (const auto& v : versions) {
    page.PageShown();
    EXPECT_FALSE(NewerSettingsEnabled(page));
    registry.DispatchMessage(StatusAnswer(kShock, {v.Major, v.Minor}));
    EXPECT_EQ(NewerSettingsEnabled(page), v.Enabled) << +v.Major << '.' << +v.Minor;
    for (const char* name : {"vdcbNoSound", "vdcbNoAdapt", "VDCheckBox18"}) {
      EXPECT_EQ(page.Controls().Get<TVDCheckBox>(name).isEnabled(), v.Enabled) << name;
    }
  }
}

TEST_F(ShockPage, RemembersTwoSensorsAndEitherNewEnoughWillDo) {
  page.PageShown();
  registry.DispatchMessage(StatusAnswer(kShock, {3, 6}));
  registry.DispatchMessage(StatusAnswer(kShock, {2, 1}));
  EXPECT_EQ(page.FirstVersion(), QStringLiteral("3.6"));
  EXPECT_EQ(page.SecondVersion(), QStringLiteral("2.1"));
  EXPECT_TRUE(NewerSettingsEnabled(page));
  page.PageShown();
  EXPECT_EQ(page.FirstVersion(), QStringLiteral("?"));
  EXPECT_EQ(page.SecondVersion(), QStringLiteral("?"));
}

using TransceiverPage = TLearningTest<TTransceiverPage>;

TEST_F(TransceiverPage, ChannelListShowsTheStoredChannelAndStoresTheChosenOne) {
  vehicle->WithVehicle([](TVirtualVehicle& car) {
    car.Module(kTransceiver)->Memory(kSimInt)[78] = 0x85;
    return 0;
  });
  Read(kTransceiver);
  EXPECT_EQ(page.ChannelList().currentText(), QStringLiteral("Канал 6"));
  page.ChannelList().setCurrentIndex(11);
  emit page.ChannelList().activated(11);
  registry.WriteDevice(registry.FindDevice(kTransceiver), kPersistentLocations, {});
  EXPECT_EQ(ModuleByte(kTransceiver, 78), 10);
}

TEST_F(TransceiverPage, TiltSettingHiddenOnATransceiverWithoutTheSensor) {
  registry.DispatchMessage(StatusAnswer(kTransceiver, {4, 5, 2}));
  EXPECT_FALSE(page.Controls().Get<TVDCheckBox>("VDCheckBox1").isVisibleTo(&page));
  registry.DispatchMessage(StatusAnswer(kTransceiver, {4, 4, 2}));
  EXPECT_TRUE(page.Controls().Get<TVDCheckBox>("VDCheckBox1").isVisibleTo(&page));
}

TEST_F(TransceiverPage, SwitchingOffReadsModifiesAndWritesBackTheByte) {
  vehicle->WithVehicle([](TVirtualVehicle& car) {
    car.Module(kTransceiver)->Memory(kSimInt)[15] = 0xA4;
    return 0;
  });
  Click("btTransceiverOff");
  ASSERT_TRUE(SpinUntil([&] { return ModuleByte(kTransceiver, 15) == 0xA5; }, 5s));
  EXPECT_EQ(host.Asked, QStringList{QStringLiteral("Вы уверены?")});
  Click("btTransceiverOn");
  ASSERT_TRUE(SpinUntil([&] { return ModuleByte(kTransceiver, 15) == 0xA4; }, 5s));
}

// Without the byte as the transceiver holds it, nothing is written: a guessed byte would
// change its other settings.
TEST_F(TransceiverPage, NoAnswerToTheReadWritesNothing) {
  vehicle->WithVehicle([](TVirtualVehicle& car) {
    car.Module(kTransceiver)->Memory(kSimInt)[15] = 0xA5;
    return 0;
  });
  vehicle->RefuseAccess(kTransceiver, true);  // the memory commands go unanswered
  Click("btTransceiverOn");
  ASSERT_TRUE(SpinUntil(
      [&] { return StatusSays(QStringLiteral("Трансивер не ответил: настройка не изменена")); },
      5s));
  const auto sent = Sent();
  EXPECT_FALSE(std::ranges::any_of(sent, [](const TLanMsg& msg) { return msg.Command == 80; }));
  EXPECT_EQ(ModuleByte(kTransceiver, 15), 0xA5);
}

TEST_F(TransceiverPage, RefusedAccessStopsSwitchingOff) {
  vehicle->RefuseAccess(kTransceiver, true);
  Click("btTransceiverOff");
  ASSERT_TRUE(SpinUntil([&] { return StatusSays(QStringLiteral("Доступ запрещён")); }, 5s));
  const auto sent = Sent();
  EXPECT_FALSE(std::ranges::any_of(sent, [](const TLanMsg& msg) { return msg.Command == 87; }));
}

TEST(HeldLamp, HoldsAShortEventAndLightsAgainAfterTheHold) {
  std::vector<bool> shown;
  THeldLamp lamp([&shown](bool lit) { shown.push_back(lit); }, 50ms);
  lamp.Take(true);
  lamp.Take(true);
  EXPECT_TRUE(lamp.Lit());
  EXPECT_EQ(shown, std::vector<bool>{true}) << "a repeated bit does not restart the hold";
  ASSERT_TRUE(SpinUntil([&] { return !lamp.Lit(); }, 5s));
  lamp.Take(true);
  EXPECT_TRUE(lamp.Lit()) << "the bit still set after the hold lights the lamp again";
  lamp.Take(false);
  EXPECT_FALSE(lamp.Lit()) << "a clear bit puts it out at once";
  EXPECT_EQ(shown, (std::vector<bool>{true, false, true, false}));
}

}  // namespace
