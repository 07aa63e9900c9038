#pragma once

#include <QStringList>
#include <cstdint>

class TVDFrame;

// The CAN pages serve the main module firmware 4 and 5 only: at the main version's first
// byte their sections are enabled for those majors (and for any in demo mode, where every
// byte loads) and disabled for others.
bool CanFirmwareKnown(uint8_t major, bool demoMode);
void EnableSections(TVDFrame& frame, const QStringList& captions, bool enabled);
