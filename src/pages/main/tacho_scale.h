#pragma once

#include <QString>
#include <cstdint>
#include <optional>

// Engine speeds from the measured tacho period. The module stores the period T of the tacho
// pulses in units of 0.08 ms (0.16 ms when it measures over every second edge), and engine
// speed thresholds as multiples of the speed that period stands for. With the tacho on the
// CAN bus the period slider holds the speed itself.
struct TTachoScale {
  static constexpr int kCoefficient = 60000;
  static constexpr int kHalfCoefficient = 30000;

  int Coefficient = kCoefficient;
  bool DoubleImpulse = false;
  bool FromCan = false;

  double PeriodMs(int period) const;
  // 0 while no period is measured.
  double Rpm(int period) const;
  QString PeriodText(int position) const;
  // A threshold byte in 4.4 fixed point: a multiple of the speed of the period.
  QString ThresholdText(int byte, int periodPosition) const;
  // The speed of one live tacho report; nullopt when the engine turns too slowly to measure.
  std::optional<int> ReportRpm(uint16_t value) const;
};
