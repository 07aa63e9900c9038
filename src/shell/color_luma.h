#pragma once

#include <QColor>

// Hue, luminance and saturation on the 0..240 scale of the Windows colour dialog, and its
// luminance adjustment, so that derived colours match what users saw on Windows.
struct THls {
  int Hue = 0;
  int Luminance = 0;
  int Saturation = 0;
};

THls ColorToHls(const QColor& color);
QColor HlsToColor(const THls& hls);
// Changes the luminance by `n` tenths of a percent of its value.
QColor ColorAdjustLuma(const QColor& color, int n);
