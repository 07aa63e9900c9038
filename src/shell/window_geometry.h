#pragma once

#include <QRect>

class QWidget;

// `wanted` made to fit inside `available`: no larger than it, and moved in where it sticks
// out. A window saved on a larger screen, or a default size meant for one, must never open
// with its bottom or its buttons off the screen.
QRect ClampToArea(const QRect& wanted, const QRect& available);

// Clamps a top-level window's frame to the available area of the screen it is on.
void FitToScreen(QWidget& window);
