#pragma once

#include <functional>

class IPageHost;
class QAbstractButton;
class TVDFrame;

// Commands to the relays and imitations of other modules go only while the main module says
// its relays are in programming: asks it (RAM byte 61, bit 6), then runs `then`. A module that
// does not answer, or is not in programming, is said so in the status line.
void WhenRelaysProgrammed(TVDFrame& page, IPageHost& host, QAbstractButton& button,
                          std::function<void()> then);
