#include "pages/main/sensors_page.h"

#include <gtest/gtest.h>

#include <QPushButton>

#include "binding/ui/vd_track_bar.h"
#include "link/bus_worker.h"
#include "options_page_fixture.h"
#include "sim_link.h"
#include "test_support.h"

namespace {

using namespace std::chrono_literals;

class SensorsPageTest : public ::testing::Test, public TBoundMainPage<TMainSensors> {
 protected:
  TVDTrackBar& Bar(const char* name) { return Control<TVDTrackBar>(name); }
};

TEST_F(SensorsPageTest, ZonesReadOffThenStepsThenMost) {
  Read();
  const std::pair<int, const char*> steps[] = {{0, "выкл"}, {1, "2"},   {2, "3"},
                                               {9, "10"},   {14, "15"}, {15, "максимум"}};
  for (const char* name :
       {"VDTrackBar1", "VDTrackBar2", "VDTrackBar3", "VDTrackBar4", "VDTrackBar5", "VDTrackBar6"}) {
    for (const auto& [position, text] : steps) {
      Bar(name).SetPosition(position);
      EXPECT_EQ(Bar(name).GetValueText(), QString::fromUtf8(text)) << name << " " << position;
    }
  }
}

TEST_F(SensorsPageTest, TemperatureThresholdAndConnectionDelay) {
  Read();
  const std::tuple<const char*, int, const char*> cases[] = {
      {"VDTrackBar7", 0, "-16 °C"},     {"VDTrackBar7", 8, "0 °C"},
      {"VDTrackBar7", 11, "6 °C"},      {"VDTrackBar7", 15, "14 °C"},
      {"VDTrackBar15", 0, "5 секунд"},  {"VDTrackBar15", 4, "25 секунд"},
      {"VDTrackBar15", 9, "50 секунд"},
  };
  for (const auto& [name, position, text] : cases) {
    Bar(name).SetPosition(position);
    EXPECT_EQ(Bar(name).GetValueText(), QString::fromUtf8(text)) << name << " " << position;
  }
}

TEST_F(SensorsPageTest, SwitchingOffAdaptationTellsTheShockSensorOnceUnanswered) {
  auto vehicle = MakeTestVehicle();
  auto adapter = ConnectTo(vehicle);
  ASSERT_TRUE(adapter->IsConnected());
  Read();
  auto& button = *page.findChild<QPushButton*>(QStringLiteral("btSwitchOffAdaptation"));
  button.click();  // no adapter link yet: nothing goes

  TBusWorker worker(*adapter);
  page.AttachBus(worker);
  vehicle->TakeSentByPc();
  button.click();
  std::vector<TLanMsg> messages;
  EXPECT_TRUE(SpinUntil(
      [&] {
        for (const TLanMsg& msg : vehicle->TakeSentByPc()) messages.push_back(msg);
        return !messages.empty();
      },
      5s));
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].Source, 1);
  EXPECT_EQ(messages[0].Dest, 20);
  EXPECT_EQ(messages[0].Command, 0);
  EXPECT_EQ(messages[0].Length, 1);
  EXPECT_EQ(messages[0].Data[0], 64);
  EXPECT_EQ(messages[0].AnswerRequested, 0);
  EXPECT_TRUE(button.isEnabled()) << "no answer is awaited";
  EXPECT_FALSE(Settings().IsModified()) << "nothing is stored";
  worker.Stop();
}

}  // namespace
