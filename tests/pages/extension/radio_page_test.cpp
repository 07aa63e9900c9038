#include "pages/extension/radio_page.h"

#include <gtest/gtest.h>

#include <QRadioButton>

#include "binding/ui/vd_check_box.h"
#include "binding/ui/vd_radio_group.h"
#include "binding/ui/vd_track_bar.h"
#include "binding/value_labels.h"
#include "learning_fixture.h"
#include "pages/extension/formula_label.h"
#include "pages/extension/radio_figures.h"

namespace {

constexpr uint8_t kRadio = 5;

enum TFigure { kBandwidth, kDataRate, kSpacing, kRxTimeout, kEvent0, kEvent1 };

class RadioPage : public TLearningTest<TRadioPage> {
 protected:
  QString Figure(TFigure figure) const { return page.Figures().at(figure)->text(); }
  void Choose(const char* group, int item) {
    page.Controls().Get<TVDRadioGroup>(group).Button(item)->click();
  }
  void Write() { registry.WriteDevice(registry.FindDevice(kRadio), kPersistentLocations, {}); }
};

// The virtual transceiver holds the radio's reset values; the figures show what they come to
// as soon as they are read, and follow each field the user changes.
TEST_F(RadioPage, FiguresFollowTheFieldsTheyComeFrom) {
  Read(kRadio);
  EXPECT_EQ(Figure(kBandwidth), FormatNumber("= %6.2f kHz", 203.125));
  EXPECT_EQ(Figure(kDataRate), FormatNumber("= %8.2f kbps", DataRateKbps(12, 34)));
  EXPECT_EQ(Figure(kSpacing), FormatNumber("= %8.2f kHz", ChannelSpacingKHz(2, 248)));
  EXPECT_EQ(Figure(kRxTimeout), FormatNumber("%4.2f", 0.0)) << "RX_TIME 7";
  EXPECT_EQ(Figure(kEvent0), FormatNumber("%10.4fc", Event0Seconds(0x87, 0x6B, 0)));
  EXPECT_EQ(Figure(kEvent1), FormatNumber("Event1=%10.4f ms", Event1Ms(false, 7)));

  Choose("rgChanBwM", 3);
  EXPECT_EQ(Figure(kBandwidth), FormatNumber("= %6.2f kHz", ChannelBandwidthKHz(2, 3)));
  page.Controls().Get<TVDTrackBar>("tbDrateM").SetPosition(200);
  EXPECT_EQ(Figure(kDataRate), FormatNumber("= %8.2f kbps", DataRateKbps(12, 200)));
  Choose("rgRxTime", 2);
  // WOR_RES feeds two figures.
  Choose("rgWorRes", 1);
  EXPECT_EQ(Figure(kRxTimeout), FormatNumber("%4.2f", RxTimeFactor(2, 1)));
  EXPECT_EQ(Figure(kEvent0), FormatNumber("%10.4fc", Event0Seconds(0x87, 0x6B, 1)));
  Choose("rgEvent1", 0);
  EXPECT_EQ(Figure(kEvent1), FormatNumber("Event1=%10.4f ms", Event1Ms(false, 0)));
}

// Several fields share a register byte, and some bits of those bytes have no control: a
// field's write changes its own bits and keeps the others as the module holds them.
TEST_F(RadioPage, AFieldWritesItsOwnBitsOnly) {
  vehicle->WithVehicle([](TVirtualVehicle& car) {
    // AGCCTRL0 with the hysteresis bits 7:6 at 3, which the page does not show.
    car.Module(kRadio)->Memory(kSimInt)[29] = 0xD1;
    return 0;
  });
  Read(kRadio);
  Choose("rgWaitTime", 3);
  Choose("rgAgcFreeze", 2);
  Choose("rgModFormat", 7);
  page.Controls().Get<TVDCheckBox>("cbManchester").click();
  Write();
  EXPECT_EQ(ModuleByte(kRadio, 29), 0xF9) << "hysteresis 3, wait 3, freeze 2, filter 1";
  EXPECT_EQ(ModuleByte(kRadio, 18), 0x7A) << "MSK, Manchester, 16/16 sync";
}

}  // namespace
