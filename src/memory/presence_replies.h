#pragma once

#include <vector>

#include "link/lan_msg.h"

// The PC takes part in the modules' presence protocol: some messages must be answered with a
// presence message of our own, or the modules count the PC as gone. Returns the messages to
// send in reply to `msg`, in order; none for most messages.
std::vector<TLanMsg> PresenceReplies(const TLanMsg& msg);
