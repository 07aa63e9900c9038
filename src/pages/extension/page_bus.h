#pragma once

#include <cstdint>

class IPageHost;
class TVDFrame;

// Tells a module that its page is open (command 0 with data byte 1) or closed (0): the
// module then reports its inputs and learning states live. Quietly nothing without an
// adapter or while the module does not answer, since the user asked for no command.
void TellPageShown(TVDFrame& page, IPageHost& host, uint8_t module, bool shown);
