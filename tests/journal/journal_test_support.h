#pragma once

#include <cstdint>
#include <initializer_list>

#include "link/lan_msg.h"

// A bus message written the way the journal's cases read: sender, receiver, command, data.
inline TLanMsg Msg(uint8_t source, uint8_t dest, uint8_t command,
                   std::initializer_list<uint8_t> data = {}, bool answerRequested = false) {
  TLanMsg msg;
  msg.Source = source;
  msg.Dest = dest;
  msg.Command = command;
  msg.AnswerRequested = answerRequested ? 1 : 0;
  for (const uint8_t byte : data) msg.Data[msg.Length++] = byte;
  return msg;
}
