#pragma once

#include <QString>
#include <cstdint>
#include <functional>
#include <optional>

class QTableWidgetItem;
class TVDGrid;

// What the grids of the extension pages share: a grid that fits its rows, cells with a text
// and a hint of their own, and the command menu of the events.

// A grid that is not edited in place, without headers, whose cells show their hints.
TVDGrid* MakeGrid(const char* name, int rows, int columns);
// The grid shows every row without scrolling up and down.
void FitHeight(TVDGrid& grid);
QTableWidgetItem& SetCell(TVDGrid& grid, int row, int column, const QString& text,
                          const QString& hint = {}, bool enabled = true);

// Pops the command menu up at the cell, the stored code checked, and hands the chosen code.
void PopCommandMenu(TVDGrid& grid, int row, int column, uint8_t current,
                    const std::function<void(uint8_t code)>& chosen);

// The marks the grids show in place of pictures.
inline const QString kMarkOn = QStringLiteral("✔");
inline const QString kLamp = QStringLiteral("●");
inline const QString kLearnButton = QStringLiteral("Обучить");
// The learn button of a narrow button column.
inline const QString kLearnMark = QStringLiteral("▶");
// A check cell that may be switched on.
inline const QString kMarkOff = QStringLiteral("☐");
