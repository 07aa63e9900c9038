#pragma once

#include "binding/page_table.h"

// The telematics page of the GSM module without its widgets: access point, server, ping, roaming,
// registration and GPS.
const TPageTable& GsmTelematicTable();
