#include "memory/presence_replies.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

TLanMsg Message(uint8_t source, uint8_t dest, uint8_t command, uint8_t length, uint8_t first,
                bool answerRequested = false) {
  TLanMsg msg;
  msg.Source = source;
  msg.Dest = dest;
  msg.Command = command;
  msg.Length = length;
  msg.Data[0] = first;
  msg.AnswerRequested = answerRequested ? 1 : 0;
  return msg;
}

using TReply = std::tuple<int, int, int>;  // destination, IsAnswer, AnswerRequested

std::vector<TReply> Replies(const TLanMsg& msg) {
  std::vector<TReply> replies;
  for (const TLanMsg& reply : PresenceReplies(msg)) {
    EXPECT_EQ(reply.Source, kPcAddr);
    EXPECT_EQ(reply.Command, 1);
    EXPECT_EQ(reply.Length, 0);
    replies.emplace_back(reply.Dest, reply.IsAnswer, reply.AnswerRequested);
  }
  return replies;
}

TEST(PresenceReplies, AnswerTheModulesThatLookForThePc) {
  struct TCase {
    const char* what;
    TLanMsg msg;
    std::vector<TReply> expected;
  };
  const TCase cases[] = {
      {"broadcast presence query: answered twice, the usual modules probed between",
       Message(2, 0, 1, 0, 0, true),
       {{2, 1, 0}, {15, 0, 1}, {13, 0, 1}, {3, 0, 1}, {2, 1, 0}}},
      {"addressed presence query", Message(4, 1, 1, 0, 0, true), {{4, 1, 0}}},
      {"presence without a question", Message(4, 1, 1, 0, 0), {}},
      {"tag transceiver status to everyone", Message(11, 0, 0, 2, 0), {{11, 0, 0}}},
      {"GSM status to the PC", Message(3, 1, 0, 2, 0), {{3, 0, 1}}},
      {"main module status to the PC", Message(2, 1, 0, 2, 0), {{2, 0, 0}}},
      {"main module status to everyone", Message(2, 0, 0, 2, 0), {{2, 0, 1}}},
      {"a status of another length to the PC", Message(2, 1, 0, 3, 0), {}},
      {"slave announcing itself", Message(4, 0, 118, 1, 0x80), {{4, 0, 0}}},
      {"slave announcement without the flag", Message(4, 0, 118, 1, 0x7F), {}},
      {"announcement of a module that is not asked", Message(5, 0, 118, 1, 0x80), {}},
      {"an ordinary message", Message(2, 0, 6, 4, 0), {}},
  };
  for (const TCase& c : cases) EXPECT_EQ(Replies(c.msg), c.expected) << c.what;
}

}  // namespace
