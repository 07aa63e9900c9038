#include "pages/extension/radio_figures.h"

#include <gtest/gtest.h>

namespace {

// Figures of the radio's own reset values and of the ends of each field, checked against the
// radio's documentation (26 MHz crystal).
TEST(RadioFigures, FollowTheRadiosFormulas) {
  const struct {
    const char* What;
    double Figure;
    double Expected;
  } cases[] = {
      {"bandwidth at reset (E 2, M 0)", ChannelBandwidthKHz(2, 0), 203.125},
      {"widest bandwidth", ChannelBandwidthKHz(0, 0), 812.5},
      {"narrowest bandwidth", ChannelBandwidthKHz(3, 3), 26000.0 / (8 * 8 * 7)},
      {"data rate at reset (E 12, M 34)", DataRateKbps(12, 34), 115.0513},
      {"lowest data rate", DataRateKbps(0, 0), 26000.0 * 256 / (1 << 28)},
      {"channel spacing at reset (E 2, M 248)", ChannelSpacingKHz(2, 248), 199.9512},
      {"smallest channel spacing", ChannelSpacingKHz(0, 0), 25.390625},
      {"Event 0 at reset: 0x876B periods", Event0Seconds(0x87, 0x6B, 0), 1.0000},
      {"Event 0 with WOR_RES 1", Event0Seconds(0x87, 0x6B, 1), 32.0003},
      {"Event 0 with WOR_RES 3 and one count", Event0Seconds(0, 1, 3), 0.9452},
      {"Event 1, 4 periods", Event1Ms(false, 0), 0.1154},
      {"Event 1, 48 periods", Event1Ms(false, 7), 1.3846},
      {"Event 1 does not depend on WOR AUTOSYNC", Event1Ms(true, 7), 1.3846},
      {"receive timeout factor, RX_TIME 0, WOR_RES 3", RxTimeFactor(0, 3), 46.875},
      {"receive timeout factor, RX_TIME 6, WOR_RES 0", RxTimeFactor(6, 0), 0.0563},
      {"RX_TIME 7 receives to the end of the packet", RxTimeFactor(7, 2), 0},
  };
  for (const auto& c : cases) EXPECT_NEAR(c.Figure, c.Expected, 1e-4) << c.What;
}

}  // namespace
