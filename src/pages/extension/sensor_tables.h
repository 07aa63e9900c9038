#pragma once

#include "binding/page_table.h"

// The pages of the tilt sensor, the shock sensor and the tag transceiver without their
// widgets.
const TPageTable& TiltOptionsTable();
const TPageTable& ShockOptionsTable();
const TPageTable& TransceiverTable();
