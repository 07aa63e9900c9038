#include "shell/window_geometry.h"

#include <QScreen>
#include <QWidget>
#include <algorithm>

QRect ClampToArea(const QRect& wanted, const QRect& available) {
  if (!available.isValid()) return wanted;
  QRect result(wanted.topLeft(), wanted.size().boundedTo(available.size()));
  result.moveLeft(
      std::clamp(result.left(), available.left(), available.right() - result.width() + 1));
  result.moveTop(
      std::clamp(result.top(), available.top(), available.bottom() - result.height() + 1));
  return result;
}

void FitToScreen(QWidget& window) {
  const QScreen* screen = window.screen();
  if (!screen) return;
  // Before the window is shown its frame is not known yet; the title bar and borders of
  // common window managers fit in this allowance.
  constexpr int kFrameAllowance = 40;
  const QRect frame = window.frameGeometry();
  const QRect inner = window.geometry();
  const int extraWidth = frame.width() > inner.width() ? frame.width() - inner.width() : 0;
  const int extraHeight =
      frame.height() > inner.height() ? frame.height() - inner.height() : kFrameAllowance;
  // The title bar sits above the window's own area.
  const QRect available = screen->availableGeometry().adjusted(0, extraHeight, -extraWidth, 0);
  const QRect fitted = ClampToArea(inner, available);
  if (fitted != inner) window.setGeometry(fitted);
}
