#include "link/late_answers.h"

#include <gtest/gtest.h>

namespace {

using namespace std::chrono_literals;
using TClock = TLateAnswers::TClock;

TLanMsg Request(uint8_t command, std::initializer_list<uint8_t> data, uint8_t dest = 2) {
  return MakeMsg(kPcAddr, dest, false, true, std::vector<uint8_t>(data), command);
}
TLanMsg AnswerTo(const TLanMsg& request, std::initializer_list<uint8_t> data) {
  return MakeMsg(request.Dest, request.Source, true, false, std::vector<uint8_t>(data),
                 request.Command);
}

TEST(LateAnswers, OnlyRequestsOneAnswerCouldMatchShareAShape) {
  struct TCase {
    const char* What;
    TLanMsg First;
    TLanMsg Second;
    bool Same;
  };
  const TCase cases[] = {
      {"reads of one length", Request(88, {8, 0, 0}), Request(88, {8, 64, 1}), true},
      {"reads of two lengths", Request(88, {8, 0, 0}), Request(88, {7, 8, 0}), false},
      {"another location", Request(88, {8, 0, 0}), Request(87, {8, 0, 0}), false},
      {"another module", Request(88, {8, 0, 0}), Request(88, {8, 0, 0}, 3), false},
      {"single bytes", Request(85, {0}), Request(85, {9}), true},
      {"writes to one packet", Request(81, {16, 0, 1, 2}), Request(81, {16, 0, 7, 7}), true},
      {"writes elsewhere", Request(81, {16, 0, 1, 2}), Request(81, {24, 0, 1, 2}), false},
  };
  for (const TCase& c : cases) {
    EXPECT_EQ(TLateAnswers::SameAnswerShape(c.First, c.Second), c.Same) << c.What;
  }
}

TEST(LateAnswers, ATryHoldsItsShapeUntilItsAnswerComesOrTheHorizonPasses) {
  TLateAnswers late;
  const auto t0 = TClock::now();
  const TLanMsg first = Request(88, {4, 0, 0});
  const TLanMsg next = Request(88, {4, 4, 0});
  late.Expect(first, t0);
  EXPECT_GT(late.HeldUntil(next, t0 + 10ms), t0 + 10ms);
  EXPECT_LE(late.HeldUntil(Request(88, {3, 4, 0}), t0 + 10ms), t0 + 10ms) << "another length";
  // The answer comes 400 ms late: the shape is free, and the horizon no shorter than twice that.
  EXPECT_TRUE(late.Arrived(AnswerTo(first, {1, 2, 3, 4}), t0 + 400ms));
  EXPECT_LE(late.HeldUntil(next, t0 + 400ms), t0 + 400ms);
  EXPECT_GE(late.Horizon(), 800ms);
  EXPECT_EQ(late.Unexplained(), 0u);

  // A try that is never answered is forgotten after the horizon.
  late.Expect(next, t0 + 1s);
  EXPECT_EQ(late.HeldUntil(next, t0 + 1s), t0 + 1s + late.Horizon());
  EXPECT_LE(late.HeldUntil(next, t0 + 1s + late.Horizon()), t0 + 1s + late.Horizon());
}

TEST(LateAnswers, AReadAnswerNoTryCouldHaveCausedIsCountedAndWidensTheHorizon) {
  TLateAnswers late;
  const auto t0 = TClock::now();
  const TLanMsg read = Request(88, {4, 0, 0});
  const auto horizon = late.Horizon();
  EXPECT_FALSE(late.Arrived(AnswerTo(read, {1, 2, 3, 4}), t0));
  EXPECT_EQ(late.Unexplained(), 1u);
  EXPECT_EQ(late.Horizon(), 2 * horizon);
  // A presence answer says nothing about a packet: not counted.
  EXPECT_FALSE(late.Arrived(AnswerTo(Request(48, {}), {1}), t0));
  EXPECT_EQ(late.Unexplained(), 1u);
}

TEST(LateAnswers, AWithdrawnTryHoldsNothing) {
  TLateAnswers late;
  const auto t0 = TClock::now();
  const TLanMsg read = Request(85, {3});
  late.Expect(read, t0);
  late.Expect(read, t0 + 100ms);
  late.Withdraw(read);
  EXPECT_EQ(late.HeldUntil(read, t0 + 150ms), t0 + late.Horizon()) << "the older try stays";
  late.Withdraw(read);
  EXPECT_LE(late.HeldUntil(read, t0 + 150ms), t0 + 150ms);
}

TEST(LateAnswers, AnEarlierRunHoldsEverythingUntilTheLineWasQuietLongEnough) {
  TLateAnswers late;
  const auto t0 = TClock::now();
  late.ExpectEarlierRun(2s, t0);
  const TLanMsg status = Request(48, {});
  EXPECT_EQ(late.HeldUntil(status, t0), t0 + 2s);
  // Its answer comes after one second: two more seconds of quiet from then on.
  EXPECT_TRUE(late.Arrived(AnswerTo(Request(88, {8, 112, 0}), {1, 2, 3, 4, 5, 6, 7, 8}), t0 + 1s));
  EXPECT_EQ(late.HeldUntil(status, t0 + 1s), t0 + 3s);
  EXPECT_LE(late.HeldUntil(status, t0 + 3s), t0 + 3s);
  EXPECT_EQ(late.Unexplained(), 0u);
}

}  // namespace
