#pragma once

#include <memory>
#include <span>

#include "binding/value_labels.h"

class IPageHost;
class QWidget;
class TPageControls;

// What a page's value labels and byte lines read of the page: its table's controls, or its
// own widgets by object name (a check box that only changes how the page shows a value),
// and the demo mode of the page's host where it has one.
std::shared_ptr<const ILabelContext> PageLabelContext(QWidget& page, const TPageControls& controls,
                                                      const IPageHost* host = nullptr);

// Gives each named track bar its value label text.
void ApplyValueLabels(std::shared_ptr<const ILabelContext> page, const TPageControls& controls,
                      std::span<const TValueLabelRow> rows);
// Gives each memo of bytes whose row names a ByteLine the lines it shows.
void ApplyByteLines(std::shared_ptr<const ILabelContext> page, const TPageControls& controls);
