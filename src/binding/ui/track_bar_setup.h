#pragma once

#include <span>

#include "binding/value_labels.h"

class TPageControls;

// Gives each named track bar its value label text.
void ApplyValueLabels(const TPageControls& controls, std::span<const TValueLabelRow> rows);
