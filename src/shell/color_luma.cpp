#include "shell/color_luma.h"

#include <algorithm>

namespace {

constexpr int kHlsMax = 240;
constexpr int kRgbMax = 255;
constexpr int kUndefinedHue = kHlsMax * 2 / 3;

int HueToRgb(int n1, int n2, int hue) {
  if (hue < 0) hue += kHlsMax;
  if (hue > kHlsMax) hue -= kHlsMax;
  if (hue < kHlsMax / 6) return n1 + (((n2 - n1) * hue + (kHlsMax / 12)) / (kHlsMax / 6));
  if (hue < kHlsMax / 2) return n2;
  if (hue < (kHlsMax * 2) / 3) {
    return n1 + (((n2 - n1) * (((kHlsMax * 2) / 3) - hue) + (kHlsMax / 12)) / (kHlsMax / 6));
  }
  return n1;
}

}  // namespace

THls ColorToHls(const QColor& color) {
  const int r = color.red(), g = color.green(), b = color.blue();
  const int cMax = std::max({r, g, b});
  const int cMin = std::min({r, g, b});
  THls hls;
  hls.Luminance = (((cMax + cMin) * kHlsMax) + kRgbMax) / (2 * kRgbMax);
  if (cMax == cMin) {
    hls.Saturation = 0;
    hls.Hue = kUndefinedHue;
    return hls;
  }
  if (hls.Luminance <= kHlsMax / 2) {
    hls.Saturation = (((cMax - cMin) * kHlsMax) + ((cMax + cMin) / 2)) / (cMax + cMin);
  } else {
    hls.Saturation = (((cMax - cMin) * kHlsMax) + ((2 * kRgbMax - cMax - cMin) / 2)) /
                     (2 * kRgbMax - cMax - cMin);
  }
  const int rDelta = (((cMax - r) * (kHlsMax / 6)) + ((cMax - cMin) / 2)) / (cMax - cMin);
  const int gDelta = (((cMax - g) * (kHlsMax / 6)) + ((cMax - cMin) / 2)) / (cMax - cMin);
  const int bDelta = (((cMax - b) * (kHlsMax / 6)) + ((cMax - cMin) / 2)) / (cMax - cMin);
  if (r == cMax) {
    hls.Hue = bDelta - gDelta;
  } else if (g == cMax) {
    hls.Hue = (kHlsMax / 3) + rDelta - bDelta;
  } else {
    hls.Hue = ((2 * kHlsMax) / 3) + gDelta - rDelta;
  }
  if (hls.Hue < 0) hls.Hue += kHlsMax;
  if (hls.Hue > kHlsMax) hls.Hue -= kHlsMax;
  return hls;
}

QColor HlsToColor(const THls& hls) {
  const int lum = std::clamp(hls.Luminance, 0, kHlsMax);
  const int sat = std::clamp(hls.Saturation, 0, kHlsMax);
  if (sat == 0) {
    const int grey = (lum * kRgbMax) / kHlsMax;
    return QColor(grey, grey, grey);
  }
  const int magic2 = lum <= kHlsMax / 2 ? (lum * (kHlsMax + sat) + (kHlsMax / 2)) / kHlsMax
                                        : lum + sat - ((lum * sat) + (kHlsMax / 2)) / kHlsMax;
  const int magic1 = 2 * lum - magic2;
  const auto channel = [&](int hue) {
    return std::clamp((HueToRgb(magic1, magic2, hue) * kRgbMax + (kHlsMax / 2)) / kHlsMax, 0,
                      kRgbMax);
  };
  return QColor(channel(hls.Hue + kHlsMax / 3), channel(hls.Hue), channel(hls.Hue - kHlsMax / 3));
}

QColor ColorAdjustLuma(const QColor& color, int n) {
  if (n == 0) return color;
  THls hls = ColorToHls(color);
  hls.Luminance = std::clamp(((n + 1000) * hls.Luminance) / 1000, 0, kHlsMax);
  return HlsToColor(hls);
}
