#pragma once

#include "journal/logger.h"

// The journal's clock, set by the test: entries get exactly the times a case needs.
struct TTestClock {
  static constexpr double kSecondsPerDay = 24.0 * 60 * 60;

  double Now = 0;

  void SetSeconds(double seconds) { Now = seconds / kSecondsPerDay; }
  TLogger::TClock Clock() {
    return [this] { return Now; };
  }
};
