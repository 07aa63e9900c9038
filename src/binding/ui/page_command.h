#pragma once

#include <QString>
#include <cstdint>
#include <functional>
#include <vector>

#include "link/adapter.h"

class IPageHost;
class QAbstractButton;
class TVDFrame;

// A bus command that a page's button sends.
struct TPageCommand {
  uint8_t Source = kPcAddr;
  uint8_t Dest = 0;
  uint8_t Command = 0;
  std::vector<uint8_t> Data = {};
  // Asked of the user first when not empty; "No" sends nothing.
  QString Confirm = {};
};

using TOnPageAnswer = std::function<void(const TAdapter::TAnswer& answer)>;

// Sends a page's command the way every page button does: nothing without an adapter, or to a
// module that does not answer (the status line says why), the user's confirmation where the
// command asks for one, through the page's own requests (so hiding the page drops what has
// not gone yet, and the journal shows the frames as it shows all traffic). With `onAnswer`
// the command asks for an answer and the button stays greyed until it arrives, so that one
// click sends once; without it the message goes unanswered.
void SendPageCommand(TVDFrame& page, IPageHost& host, QAbstractButton* button, TPageCommand command,
                     TOnPageAnswer onAnswer = {});
