#pragma once

#include <span>

#include "binding/scaled_coding.h"
#include "binding/value_labels.h"

class TPageControls;

// Gives each named track bar its value label text.
void ApplyValueLabels(const TPageControls& controls, std::span<const TValueLabelRow> rows);
// Makes each named track bar load and store its position through its scaled coding.
void ApplyScaledCodings(const TPageControls& controls, std::span<const TScaledCodingRow> rows);
