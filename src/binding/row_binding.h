#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <span>

#include "binding/control_table.h"

class TComponentData;

// Gives a binding the cell, guard and live settings of a table row; the row's module
// override wins over the page's module.
void BindRow(const TControlRow& row, uint8_t pageLanAddr, TComponentData& data);

// One name per row: the row's own, or the kind's class name and a running number
// ("VDCheckBox3") for rows nobody refers to, so that errors still name a control; a number
// that another row carries as its own name is skipped, so every name is unique.
// Headings get empty names.
QStringList RowControlNames(std::span<const TControlRow> rows);
