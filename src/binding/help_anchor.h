#pragma once

#include <QString>

#include "binding/control_table.h"

class TComponentData;

// The anchor of a bound control's entry in the page's help topic, or empty for kinds that
// have no entry: check box "cb<addr>b<bit>", track bar "tb<addr>h<0|1>" (1 for the high
// half of a byte), radio group "rg<addr>b<bit>".
QString HelpAnchor(TControlKind kind, const TComponentData& data);
