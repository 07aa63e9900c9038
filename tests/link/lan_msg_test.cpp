#include "link/lan_msg.h"

#include <gtest/gtest.h>

#include <vector>

#include "link/msg_list.h"
#include "link/small_stack.h"

namespace {

TLanMsg Msg(uint8_t src, uint8_t dst, uint8_t cmd, std::vector<uint8_t> data = {},
            bool answer = false, bool request = false) {
  TLanMsg m;
  m.Source = src;
  m.Dest = dst;
  m.Command = cmd;
  m.IsAnswer = answer;
  m.AnswerRequested = request;
  m.Length = static_cast<uint8_t>(data.size());
  // Lengths beyond the 14 data bytes are kept to test refusals; only 14 bytes are stored.
  std::copy_n(data.begin(), std::min<size_t>(data.size(), kMaxMsgData), m.Data.begin());
  return m;
}

std::vector<uint8_t> Bytes(const TBusFrame& f) {
  return {f.Bytes.begin(), f.Bytes.begin() + f.Size};
}

struct BuildCase {
  const char* name;
  TLanMsg msg;
  std::vector<uint8_t> expected;
};

TEST(BusFrame, BuildsTheDocumentedLayouts) {
  const std::vector<BuildCase> cases = {
      {"presence query", Msg(1, 2, 1, {}, false, true), {0x08, 0x10, 0x81}},
      {"answer flag", Msg(2, 1, 1, {}, true, false), {0x14, 0x08, 0x01}},
      {"eight data bytes set the length's bit 3",
       Msg(1, 2, 81, {1, 2, 3, 4, 5, 6, 7, 8}),
       {0x09, 0x10, 81, 1, 2, 3, 4, 5, 6, 7, 8}},
      {"fourteen data bytes",
       Msg(1, 3, 80, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13}),
       {0x09, 0x1E, 80, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13}},
      {"broadcast has no length field", Msg(2, 0, 7, {5}), {0x12, 0x07, 0x05}},
      {"broadcast with two bytes and request",
       Msg(31, 0, 127, {1, 2}, true, true),
       {0xFE, 0xFF, 1, 2}},
  };
  for (const auto& c : cases) {
    TBusFrame frame;
    ASSERT_TRUE(BuildFrame(c.msg, frame)) << c.name;
    EXPECT_EQ(Bytes(frame), c.expected) << c.name;

    TLanMsg back;
    ASSERT_TRUE(ParseFrame(frame.View(), back)) << c.name;
    EXPECT_EQ(back.Source, c.msg.Source) << c.name;
    EXPECT_EQ(back.Dest, c.msg.Dest) << c.name;
    EXPECT_EQ(back.Command, c.msg.Command) << c.name;
    EXPECT_EQ(back.IsAnswer, c.msg.IsAnswer) << c.name;
    EXPECT_EQ(back.AnswerRequested, c.msg.AnswerRequested) << c.name;
    EXPECT_EQ(back.Length, c.msg.Length) << c.name;
    EXPECT_EQ(back.Data, c.msg.Data) << c.name;
  }
}

TEST(BusFrame, BroadcastIsOneByteShorterThanAddressed) {
  TBusFrame addressed, broadcast;
  ASSERT_TRUE(BuildFrame(Msg(2, 1, 0, {1, 2}), addressed));
  ASSERT_TRUE(BuildFrame(Msg(2, 0, 0, {1, 2}), broadcast));
  EXPECT_EQ(broadcast.Size + 1, addressed.Size);
}

TEST(BusFrame, RefusesWhatTheFormCannotCarry) {
  const std::vector<std::pair<const char*, TLanMsg>> cases = {
      {"15 data bytes", Msg(1, 2, 80, std::vector<uint8_t>(15, 0))},
      {"3 broadcast bytes", Msg(1, 0, 80, {1, 2, 3})},
      {"source 32", Msg(32, 2, 1)},
      {"dest 32", Msg(1, 32, 1)},
      {"command 128", Msg(1, 2, 128)},
  };
  for (const auto& [name, msg] : cases) {
    TBusFrame frame;
    EXPECT_FALSE(BuildFrame(msg, frame)) << name;
  }
}

TEST(BusFrame, ParseRejectsMalformedFrames) {
  const std::vector<std::pair<const char*, std::vector<uint8_t>>> cases = {
      {"empty", {}},
      {"one byte", {0x08}},
      {"addressed header cut", {0x08, 0x10}},
      {"announces 15 bytes", {0x09, 0x17, 80, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
      {"announces more than it holds", {0x08, 0x15, 87, 1, 2}},
      {"broadcast of 17 bytes",
       std::vector<uint8_t>{0x12, 0x03, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}},
  };
  for (const auto& [name, bytes] : cases) {
    TLanMsg msg;
    EXPECT_FALSE(ParseFrame(bytes, msg)) << name;
  }
  // Sixteen bytes of broadcast carry fourteen data bytes: still a message.
  std::vector<uint8_t> longest = {0x12, 0x03, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14};
  TLanMsg msg;
  ASSERT_TRUE(ParseFrame(longest, msg));
  EXPECT_EQ(msg.Length, 14);
  EXPECT_EQ(msg.Dest, 0);
}

TEST(BusFrame, ParseClearsStaleData) {
  TLanMsg msg;
  msg.Data.fill(0xAA);
  const std::vector<uint8_t> frame = {0x10, 0x09, 0x03, 0x55};
  ASSERT_TRUE(ParseFrame(frame, msg));
  EXPECT_EQ(msg.Data[0], 0x55);
  EXPECT_EQ(msg.Data[1], 0);
}

TEST(AnswerMatching, FollowsCommandAndLengthRules) {
  const TLanMsg write = Msg(1, 2, 81, {0x10, 0x00, 1, 2, 3, 4, 5, 6, 7, 8}, false, true);
  const TLanMsg read = Msg(1, 2, 88, {8, 0x10, 0x00}, false, true);
  const TLanMsg presence = Msg(1, 2, 1, {}, false, true);
  struct Case {
    const char* name;
    const TLanMsg& request;
    TLanMsg msg;
    bool matches;
  };
  const std::vector<Case> cases = {
      {"write confirmed", write, Msg(2, 1, 81, {8, 0x10, 0}, true), true},
      {"write count differs", write, Msg(2, 1, 81, {7, 0x10, 0}, true), false},
      {"write of another address", write, Msg(2, 1, 81, {8, 0x18, 0}, true), false},
      {"write of another address page", write, Msg(2, 1, 81, {8, 0x10, 1}, true), false},
      {"write confirmed by count alone", write, Msg(2, 1, 81, {8}, true), true},
      {"read of the asked length", read, Msg(2, 1, 88, {1, 2, 3, 4, 5, 6, 7, 8}, true), true},
      {"read of another length", read, Msg(2, 1, 88, {1, 2, 3, 4, 5, 6, 7}, true), false},
      {"presence answer", presence, Msg(2, 1, 1, {}, true), true},
      {"not flagged as answer", presence, Msg(2, 1, 1, {}, false), false},
      {"other sender", presence, Msg(3, 1, 1, {}, true), false},
      {"other receiver", presence, Msg(2, 5, 1, {}, true), false},
      {"other command", presence, Msg(2, 1, 3, {}, true), false},
  };
  for (const auto& c : cases) EXPECT_EQ(MatchesPending(c.request, c.msg), c.matches) << c.name;
}

TEST(ModuleNames, NamesAddressesAndRelays) {
  EXPECT_EQ(ModuleName(0), QString());
  EXPECT_EQ(ModuleName(2), QStringLiteral("Главный модуль"));
  EXPECT_EQ(ModuleName(12), QStringLiteral("Модуль GPS"));
  EXPECT_EQ(ModuleName(16), QStringLiteral("А16"));
  EXPECT_EQ(ModuleName(16).at(0).unicode(), 0x0410);  // Cyrillic A
  EXPECT_EQ(ModuleName(31), QStringLiteral("А31"));
  EXPECT_EQ(ModuleName(32), QStringLiteral("RL1"));
  EXPECT_EQ(ModuleName(39), QStringLiteral("RO2"));
  EXPECT_EQ(ModuleName(40), QString());
  EXPECT_EQ(ModuleName(-1), QString());
}

TEST(MsgList, HoldsOneLessThanItsCapacityInOrder) {
  TMsgList ring(64);
  for (int i = 0; i < 63; ++i) {
    EXPECT_FALSE(ring.IsFull()) << i;
    EXPECT_TRUE(ring.Put(Msg(2, 1, static_cast<uint8_t>(i))));
  }
  EXPECT_TRUE(ring.IsFull());
  EXPECT_FALSE(ring.Put(Msg(2, 1, 100)));

  TLanMsg msg;
  for (int i = 0; i < 63; ++i) {
    ASSERT_TRUE(ring.Take(msg));
    EXPECT_EQ(msg.Command, i);
  }
  EXPECT_TRUE(ring.IsEmpty());
  EXPECT_FALSE(ring.Take(msg));
}

TEST(MsgList, WrapsAroundAndKeepsNoStaleBytes) {
  TMsgList ring(4);
  TLanMsg msg;
  for (int round = 0; round < 10; ++round) {
    ASSERT_TRUE(ring.Put(Msg(2, 1, 3, {9, 9, 9})));
    ASSERT_TRUE(ring.Put(Msg(2, 1, 4, {7})));
    ASSERT_TRUE(ring.Take(msg));
    ASSERT_TRUE(ring.Take(msg));
    EXPECT_EQ(msg.Command, 4);
    EXPECT_EQ(msg.Data[1], 0);
  }
}

TEST(SmallStack, ReversesAndIgnoresOverflow) {
  TSmallStack stack;
  EXPECT_TRUE(stack.IsEmpty());
  for (int i = 0; i < 300; ++i) stack.Push(static_cast<uint8_t>(i));
  EXPECT_EQ(stack.Size(), TSmallStack::kCapacity);
  EXPECT_EQ(stack.Pop(), 254);
  EXPECT_EQ(stack.Pop(), 253);
  stack.Clear();
  EXPECT_TRUE(stack.IsEmpty());
  EXPECT_EQ(stack.Pop(), 0);
  EXPECT_TRUE(stack.IsEmpty());
}

}  // namespace
