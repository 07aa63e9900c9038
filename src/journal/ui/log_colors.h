#pragma once

#include <QColor>
#include <functional>

// The colours the journal draws with, asked for whenever a cell is drawn, so that colours
// changed in the program's settings show at once. The program's options supply them.
struct TLogColors {
  std::function<QColor(int address)> Module;
  std::function<QColor()> Header;
};
