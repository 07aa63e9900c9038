#include "pages/can/can_in_page.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>

#include "binding/ui/vd_check_box.h"
#include "binding/ui/vd_data.h"
#include "pages/main/inputs_page.h"
#include "pages/main/main_board.h"
#include "pages/main/outputs_page.h"
#include "shell/fake_page_host.h"
#include "vehicle_memory_fixture.h"

namespace {

void Load(const TCanIn& page, const char* item, std::initializer_list<uint8_t> bytes) {
  auto& data = page.Controls().Get<TVDData>(item);
  int i = 0;
  for (const uint8_t byte : bytes) data.OnLoad(data, byte, i++);
}

TEST(CanInPage, EngineAndRoadSpeedShowTheirNumbersOrUnknown) {
  TFakePageHost host;
  TCanIn page(host);
  EXPECT_EQ(page.EngineSpeed().text(), QStringLiteral("1"));
  Load(page, "vddTahoSpeed", {0xE8, 0x03, 60, 0});
  EXPECT_EQ(page.EngineSpeed().text(), QStringLiteral("1000 об/мин"));
  EXPECT_EQ(page.RoadSpeed().text(), QStringLiteral("60 км/час"));
  EXPECT_TRUE(page.EngineRuns());
  Load(page, "vddTahoSpeed", {0, 0, 0, 255});
  EXPECT_EQ(page.EngineSpeed().text(), QStringLiteral("0 об/мин"));
  EXPECT_FALSE(page.EngineRuns());
  EXPECT_EQ(page.RoadSpeed().text(), QStringLiteral("<не определена>"));
  Load(page, "vddTahoSpeed", {0xE8, 255});
  EXPECT_EQ(page.EngineSpeed().text(), QStringLiteral("<не определена>"));
  EXPECT_FALSE(page.EngineRuns());
}

TEST(CanInPage, TheReadyByteChecksTheBoxOnlyForItsTwoValues) {
  TFakePageHost host;
  TCanIn page(host);
  Load(page, "VDData3", {7});
  EXPECT_TRUE(page.Ready().isChecked());
  Load(page, "VDData3", {3});
  EXPECT_TRUE(page.Ready().isChecked());
  Load(page, "VDData3", {255});
  EXPECT_FALSE(page.Ready().isChecked());
}

// The signal table and the READY byte share the byte at 64018; the box's item comes last
// and decides what is written.
class TCanInOnTheBus : public TVehicleMemoryTest {
 protected:
  TCanInOnTheBus() { registry.BindControls(page.BoundControls(), {}); }

  TFakePageHost host;
  TCanIn page{host};
};

TEST_F(TCanInOnTheBus, GridClicksAndTheReadyBoxReachTheFlashImage) {
  const uint8_t table[] = {0, 12, 12, 12, 1, 2, 14, 255, 255, 255, 255, 255, 255, 3, 255};
  for (int i = 0; i < int(std::size(table)); ++i) Poke(kSimFlash, 64004 + i, table[i]);
  Read();
  ASSERT_EQ(page.Inputs().Function(0), 1);
  EXPECT_FALSE(page.Ready().isChecked());

  page.ClickCell(0, 7);
  page.Ready().click();
  EXPECT_EQ(page.Inputs().Function(14), 8) << "the table shows the READY byte";
  Write();
  EXPECT_EQ(Peek(kSimFlash, 64004), 12);
  EXPECT_EQ(Peek(kSimFlash, 64018), 7);
  page.Ready().click();
  Write();
  EXPECT_EQ(Peek(kSimFlash, 64018), 255);
}

// The inputs page keeps its own state of what the CAN inputs page shows: a click on either
// page must leave both saying the same. The outputs page tells the board's generation.
class TCanInWithInputsPage : public TVehicleMemoryTest {
 protected:
  TCanInWithInputsPage() {
    registry.BindControls(outputs.BoundControls(), {});
    registry.BindControls(inputs.BoundControls(), {});
    registry.BindControls(page.BoundControls(), {});
  }

  TFakePageHost host;
  TMainBoard board;
  TMainOutputs outputs{host, board};
  TMainInputs inputs{host, board};
  TCanIn page{host};
};

TEST_F(TCanInWithInputsPage, TachoOverCanOnThisPageMovesTheInputsPagesTachoSource) {
  Poke(kSimFlash, 62748, 255);
  Poke(kSimExt, 546, 0);
  Read();
  ASSERT_NE(inputs.TachoSource(), TTachoSource::Can);
  page.Controls().Get<TVDCheckBox>("VDCheckBox1").click();
  EXPECT_EQ(inputs.TachoSource(), TTachoSource::Can);
  Write();
  EXPECT_NE(Peek(kSimExt, 546) & 0x10, 0);
  EXPECT_EQ(Peek(kSimFlash, 62748), 0) << "the inputs page wrote its tacho source";
  page.Controls().Get<TVDCheckBox>("VDCheckBox1").click();
  EXPECT_EQ(inputs.TachoSource(), TTachoSource::Wire);
  Write();
  EXPECT_EQ(Peek(kSimFlash, 62748), 255) << "the inputs page wrote its tacho source";

  Read();
  EXPECT_EQ(inputs.TachoSource(), TTachoSource::Wire) << "a read changes nothing";
}

TEST_F(TCanInWithInputsPage, TheConnectionRowTurnsTheInputsPagesFlagOfTheFunction) {
  Poke(kSimFlash, 62742, 255);
  Read();
  constexpr int kChargeColumn = 5;
  ASSERT_EQ(page.FromCan(kChargeColumn), false);
  EXPECT_EQ(page.FromCan(7), std::nullopt) << "the inputs page has no flag for function 15";
  EXPECT_FALSE(page.ClickConnection(7));

  EXPECT_TRUE(page.ClickConnection(kChargeColumn));
  EXPECT_EQ(page.FromCan(kChargeColumn), true);
  EXPECT_TRUE(board.Model().TaskIn(8)->FromCan) << "the inputs page shows the change at once";
  Write();
  EXPECT_EQ(Peek(kSimFlash, 62742), 0) << "the inputs page wrote the same flag";
  EXPECT_TRUE(page.ClickConnection(kChargeColumn));
  Write();
  EXPECT_EQ(Peek(kSimFlash, 62742), 255);
}

}  // namespace
