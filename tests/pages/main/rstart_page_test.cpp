#include "pages/main/rstart_page.h"

#include <gtest/gtest.h>

#include <QCheckBox>

#include "binding/ui/vd_check_box.h"
#include "binding/ui/vd_track_bar.h"
#include "options_page_fixture.h"
#include "pages/main/inputs_page.h"
#include "pages/main/main_board.h"
#include "pages/main/tacho_graph.h"
#include "pages/main/tacho_scale.h"

namespace {

TEST(TachoScale, PeriodsAndThresholdsInRotationsPerMinute) {
  struct TCase {
    TTachoScale scale;
    int period;
    int threshold;
    const char* periodText;
    const char* thresholdText;
  };
  const TCase cases[] = {
      {{}, 750, 40, "60.00  мс [ 1000 об/мин]", "T x 2.50= 2500 об/мин"},
      {{.Coefficient = TTachoScale::kHalfCoefficient},
       750,
       40,
       "60.00  мс [  500 об/мин]",
       "T x 2.50= 1250 об/мин"},
      {{.DoubleImpulse = true}, 750, 40, "120.00 мс [  500 об/мин]", "T x 2.50= 1250 об/мин"},
      {{}, 0, 40, "0.00 ", "2.50"},
      {{.FromCan = true}, 850, 16, "850об/мин", "T x 1.00=  850 об/мин"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.periodText);
    EXPECT_EQ(c.scale.PeriodText(c.period), QString::fromUtf8(c.periodText));
    EXPECT_EQ(c.scale.ThresholdText(c.threshold, c.period), QString::fromUtf8(c.thresholdText));
  }
}

TEST(TachoScale, LiveReportsGiveTheSpeedOrSayItIsTooLow) {
  const TTachoScale wire;
  EXPECT_EQ(wire.ReportRpm(750), 1000);
  EXPECT_EQ(wire.ReportRpm(0x8000 | 750), 1000) << "bit 15 is no part of the value";
  EXPECT_EQ(wire.ReportRpm(0), 0);
  EXPECT_EQ(wire.ReportRpm(0x6012), std::nullopt);
  const TTachoScale can{.FromCan = true};
  EXPECT_EQ(can.ReportRpm(2400), 2400);
}

class RStartPageTest : public ::testing::Test {
 protected:
  RStartPageTest() { registry.BindControls(page.BoundControls(), {}); }
  TEEMemoryItem& Settings() const {
    return *dynamic_cast<TEEMemoryItem*>(registry.FindMem(2, mlExt));
  }
  // The main module's status: firmware 5, which knows the CAN sources.
  void NewerFirmware() {
    TLanMsg msg;
    msg.Source = 2;
    msg.Dest = 1;
    msg.Command = 48;
    msg.Length = 6;
    msg.Data = {5, 1, 0x15, 0x06, 0x24, 4};
    registry.DispatchMessage(msg);
  }
  template <class T>
  T& Control(const char* name) const {
    return page.Controls().template Get<T>(name);
  }

  TFakePageHost host;
  TMainBoard board;
  TMainRStart page{host, board};
  TLanDevices registry;
  TModuleMemory module;
};

TEST_F(RStartPageTest, APeriodWordWithItsFlagLoadsAndStoresBackWithTheFlag) {
  module.Put(224, {0x82, 0xEE});
  Settings().Load(module);
  EXPECT_EQ(Control<TVDTrackBar>("tbTaho").Position(), 750);
  EXPECT_TRUE(Control<TVDCheckBox>("cbDoubleImpulse").isChecked());
  EXPECT_EQ(Control<TVDTrackBar>("tbTaho").ValueLabel()->text().left(6), QStringLiteral("120.00"));
  Control<TVDTrackBar>("tbTaho").SetPosition(800);
  Settings().Store(module);
  EXPECT_EQ(module.Bytes[224], 0x83);
  EXPECT_EQ(module.Bytes[225], 0x20);
}

TEST_F(RStartPageTest, TakingTheTachoFromCanStartsTheSliderAtASpeed) {
  Settings().Load(module);
  EXPECT_FALSE(page.TachoFromCan().isEnabled()) << "unknown firmware";
  NewerFirmware();
  ASSERT_TRUE(page.TachoFromCan().isEnabled());
  page.TachoFromCan().click();
  EXPECT_EQ(Control<TVDTrackBar>("tbTaho").Position(), 850);
  EXPECT_EQ(Control<TVDTrackBar>("tbTaho").ValueLabel()->text(), QStringLiteral("850об/мин"));
  page.TachoFromCan().click();
  EXPECT_EQ(Control<TVDTrackBar>("tbTaho").Position(), 0);
}

// The inputs page keeps where the tacho signal comes from: the box changes it there, and shows
// what the inputs page chose.
TEST_F(RStartPageTest, TheTachoSourceIsTheInputsPagesBothWays) {
  TMainInputs inputs{host, board};
  host.Pages.insert(QStringLiteral("MainInputs"), &inputs);
  board.Model().SetConfiguration(0);
  const auto wire = [this] { return board.Model().TaskIn(kTachoTask)->Pin; };
  board.Model().DefaultInput(kTachoTask);
  ASSERT_GE(wire(), 0);
  Settings().Load(module);
  NewerFirmware();

  page.TachoFromCan().click();
  EXPECT_EQ(inputs.TachoSource(), TTachoSource::Can);
  EXPECT_EQ(wire(), -1) << "the tacho wire is released";
  page.TachoFromCan().click();
  EXPECT_EQ(inputs.TachoSource(), TTachoSource::Wire);

  inputs.TakeTachoFrom(TTachoSource::Can);
  EXPECT_TRUE(page.TachoFromCan().isChecked());
  inputs.TakeTachoFrom(TTachoSource::StartModule);
  EXPECT_FALSE(page.TachoFromCan().isChecked());
}

TEST_F(RStartPageTest, RulesFollowAClick) {
  Settings().Load(module);
  struct TCase {
    std::vector<const char*> clicks;
    std::vector<std::pair<const char*, bool>> expected;
  };
  const TCase cases[] = {
      {{"VDCheckBox20"}, {{"VDCheckBox13", true}, {"VDCheckBox20", true}}},
      {{"VDCheckBox53"}, {{"VDCheckBox52", true}, {"VDCheckBox50", false}}},
      {{"VDCheckBox53", "VDCheckBox52"}, {{"VDCheckBox52", false}, {"VDCheckBox53", false}}},
      {{"VDCheckBox57", "VDCheckBox59"}, {{"VDCheckBox57", false}, {"VDCheckBox59", true}}},
      {{"VDCheckBox24", "VDCheckBox26"}, {{"VDCheckBox24", false}, {"VDCheckBox26", true}}},
  };
  for (const TCase& c : cases) {
    for (const char* name :
         {"VDCheckBox13", "VDCheckBox20", "VDCheckBox50", "VDCheckBox52", "VDCheckBox53",
          "VDCheckBox57", "VDCheckBox59", "VDCheckBox24", "VDCheckBox26"}) {
      Control<TVDCheckBox>(name).setChecked(false);
    }
    for (const char* name : c.clicks) Control<TVDCheckBox>(name).click();
    for (const auto& [name, checked] : c.expected) {
      EXPECT_EQ(Control<TVDCheckBox>(name).isChecked(), checked) << c.clicks.back() << " " << name;
    }
  }
}

TEST_F(RStartPageTest, TheGraphShowsTheMainModulesReports) {
  module.Put(224, {0x02, 0xEE});
  Settings().Load(module);
  NewerFirmware();
  page.ShowGraph();
  ASSERT_NE(page.Graph(), nullptr);
  const auto report = [this](uint8_t high, uint8_t low, uint8_t dest = kPcAddr) {
    host.Deliver(MakeMsg(kMainModuleAddr, dest, false, false, std::vector<uint8_t>{high, low}, 4));
  };
  report(0x02, 0xEE);
  EXPECT_EQ(page.Graph()->Reading(), QStringLiteral("1000"));
  report(0x60, 0x01);
  EXPECT_EQ(page.Graph()->Reading(), QStringLiteral("Слишком низкие обороты"));
  report(0x01, 0x77, kBroadcastAddr);
  EXPECT_EQ(page.Graph()->PointCount(), 1) << "only reports to the PC count";
  EXPECT_TRUE(page.Graph()->Csv().endsWith(QStringLiteral(";1000\n")));
  page.HalfCoefficient().click();
  report(0x02, 0xEE);
  EXPECT_EQ(page.Graph()->Reading(), QStringLiteral("500"));
}

}  // namespace
