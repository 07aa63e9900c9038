#pragma once

#include <chrono>
#include <cstdint>
#include <mutex>
#include <vector>

#include "link/lan_msg.h"

// Requests the bus may still answer. A memory read answer names no address, only its length,
// and a single-byte read answer not even that: a late answer to an earlier request would pass
// for the answer to any later request it could match. Every try that went unanswered stays
// here until an answer it could have caused arrives, or until it is older than the longest
// lateness the link accepts; a request that such a try's answer could match is not sent
// before then (TAdapter::GetAnswer), and the reads pick a length no such try has
// (TLanRW::Read), so nothing of this costs time on a clean line.
class TLateAnswers {
 public:
  using TClock = std::chrono::steady_clock;

  // The longest a module may take to answer, busy as it may be, before its answer counts as
  // lost for good. Raised for the session when a later answer is seen.
  static constexpr std::chrono::milliseconds kLongestLateness{2000};
  // The horizon never grows past this: a module later than a minute is a dead one.
  static constexpr std::chrono::milliseconds kLongestHorizon{60000};

  // Could one answer be taken for the answer to either request?
  static bool SameAnswerShape(const TLanMsg& first, const TLanMsg& second);

  // A try of `request` sent at `sent` got no answer of its own.
  void Expect(const TLanMsg& request, TClock::time_point sent);
  // The latest try of `request` never left: nothing will answer it.
  void Withdraw(const TLanMsg& request);
  // Requests of an earlier run on the same line may still be answered: every answer to the PC
  // counts as theirs until none has come for `quiet`.
  void ExpectEarlierRun(TClock::duration quiet, TClock::time_point now);
  // An answer to the PC that no waiting request took. Retires the oldest try that could have
  // caused it; false when none could (an answer later than the horizon, or a duplicate).
  bool Arrived(const TLanMsg& answer, TClock::time_point now);
  // Until when a try still expected could be answered with an answer `request` would take;
  // a time not after `now` when none could.
  TClock::time_point HeldUntil(const TLanMsg& request, TClock::time_point now);
  // Answers that came when no try could have caused them, as read answers: after one, a read
  // answer taken meanwhile may have been a late answer to a forgotten request.
  uint64_t Unexplained() const;
  std::chrono::milliseconds Horizon() const;
  void Clear();

 private:
  struct TTry {
    TLanMsg Request;
    TClock::time_point Sent;
  };

  void Expire(TClock::time_point now);

  mutable std::mutex mutex_;
  std::vector<TTry> tries_;
  TClock::time_point earlierRunUntil_{};
  TClock::duration earlierRunQuiet_{};
  std::chrono::milliseconds horizon_ = kLongestLateness;
  uint64_t unexplained_ = 0;
};
