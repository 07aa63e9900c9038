#include "pages/extension/radio_figures.h"

#include <array>
#include <cmath>

namespace {

constexpr double kCrystalKHz = 26000;
// The wake-on-radio timer runs on an RC oscillator at the crystal frequency / 750.
constexpr double kRcDivider = 750;

// Clock periods of that oscillator from Event 0 to Event 1, by EVENT1. The radio's timing
// does not depend on WOR AUTOSYNC, so both halves of the table are the same.
constexpr std::array<std::array<int, 8>, 2> kEvent1Periods = {{
    {4, 6, 8, 12, 16, 24, 32, 48},
    {4, 6, 8, 12, 16, 24, 32, 48},
}};

// C by RX_TIME 0..6 and WOR_RES 0..3, from the radio's documentation.
constexpr std::array<std::array<double, 4>, 7> kRxTimeFactors = {{
    {3.6058, 18.0288, 32.4519, 46.8750},
    {1.8029, 9.0144, 16.2260, 23.4375},
    {0.9014, 4.5072, 8.1130, 11.7188},
    {0.4507, 2.2536, 4.0565, 5.8594},
    {0.2254, 1.1268, 2.0282, 2.9297},
    {0.1127, 0.5634, 1.0141, 1.4648},
    {0.0563, 0.2817, 0.5071, 0.7324},
}};

}  // namespace

double ChannelBandwidthKHz(int chanBwE, int chanBwM) {
  return kCrystalKHz / (std::ldexp(1.0, chanBwE) * 8 * (chanBwM + 4));
}

double DataRateKbps(int drateE, int drateM) {
  return kCrystalKHz * (256 + drateM) * std::ldexp(1.0, drateE) / std::ldexp(1.0, 28);
}

double ChannelSpacingKHz(int chanSpcE, int chanSpcM) {
  return kCrystalKHz / std::ldexp(1.0, 18) * (256 + chanSpcM) * std::ldexp(1.0, chanSpcE);
}

double Event0Seconds(int event0High, int event0Low, int worRes) {
  return kRcDivider / (kCrystalKHz * 1000) * (256 * event0High + event0Low) *
         std::ldexp(1.0, 5 * worRes);
}

double Event1Ms(bool worAutosync, int event1) {
  return kEvent1Periods.at(worAutosync ? 1 : 0).at(static_cast<std::size_t>(event1)) * kRcDivider /
         kCrystalKHz;
}

double RxTimeFactor(int rxTime, int worRes) {
  if (rxTime >= static_cast<int>(kRxTimeFactors.size())) return 0;
  return kRxTimeFactors.at(static_cast<std::size_t>(rxTime)).at(static_cast<std::size_t>(worRes));
}
