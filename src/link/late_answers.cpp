#include "link/late_answers.h"

#include <algorithm>

namespace {

bool IsReadCommand(uint8_t command) {
  return command >= 87 && command <= 90;
}
bool IsWriteCommand(uint8_t command) {
  return command >= 80 && command <= 83;
}
constexpr uint8_t kReadByteCommand = 85;
// Answers that only a memory read causes and that name no address.
bool IsAddresslessReadAnswer(const TLanMsg& answer) {
  return answer.IsAnswer && (IsReadCommand(answer.Command) || answer.Command == kReadByteCommand);
}
// Memory reads and writes: what their answers say depends on which packet was asked. A late
// answer to any other request (presence, access, status) says what a fresh one would.
bool AnswerDependsOnPacket(uint8_t command) {
  return IsReadCommand(command) || IsWriteCommand(command) || command == kReadByteCommand;
}

}  // namespace

bool TLateAnswers::SameAnswerShape(const TLanMsg& first, const TLanMsg& second) {
  if (first.Source != second.Source || first.Dest != second.Dest ||
      first.Command != second.Command) {
    return false;
  }
  // A read answer names its length; a write answer its length and address; anything else
  // nothing that tells two requests apart.
  if (IsReadCommand(first.Command)) return first.Data[0] == second.Data[0];
  if (IsWriteCommand(first.Command)) {
    return first.Length == second.Length && first.Data[0] == second.Data[0] &&
           first.Data[1] == second.Data[1];
  }
  return true;
}

void TLateAnswers::Expect(const TLanMsg& request, TClock::time_point sent) {
  if (!AnswerDependsOnPacket(request.Command)) return;
  std::lock_guard lock(mutex_);
  tries_.push_back({request, sent});
}

void TLateAnswers::Withdraw(const TLanMsg& request) {
  std::lock_guard lock(mutex_);
  const auto latest = std::find_if(tries_.rbegin(), tries_.rend(), [&](const TTry& tried) {
    return SameAnswerShape(tried.Request, request);
  });
  if (latest != tries_.rend()) tries_.erase(std::next(latest).base());
}

void TLateAnswers::ExpectEarlierRun(TClock::duration quiet, TClock::time_point now) {
  std::lock_guard lock(mutex_);
  earlierRunQuiet_ = quiet;
  earlierRunUntil_ = now + quiet;
}

bool TLateAnswers::Arrived(const TLanMsg& answer, TClock::time_point now) {
  std::lock_guard lock(mutex_);
  Expire(now);
  if (earlierRunUntil_ > now) {
    earlierRunUntil_ = now + earlierRunQuiet_;
    return true;
  }
  // Tries were added in the order they were sent: the first that fits is the oldest.
  const auto cause = std::find_if(tries_.begin(), tries_.end(), [&](const TTry& tried) {
    return MatchesPending(tried.Request, answer);
  });
  if (cause != tries_.end()) {
    const auto lateness = std::chrono::duration_cast<std::chrono::milliseconds>(now - cause->Sent);
    horizon_ = std::clamp(2 * lateness, horizon_, kLongestHorizon);
    tries_.erase(cause);
    return true;
  }
  if (!IsAddresslessReadAnswer(answer)) return false;
  // Later than the horizon: the horizon was too short for this line.
  ++unexplained_;
  horizon_ = std::min(2 * horizon_, kLongestHorizon);
  return false;
}

TLateAnswers::TClock::time_point TLateAnswers::HeldUntil(const TLanMsg& request,
                                                         TClock::time_point now) {
  std::lock_guard lock(mutex_);
  Expire(now);
  TClock::time_point until = std::max(now, earlierRunUntil_);
  for (const TTry& tried : tries_) {
    if (SameAnswerShape(tried.Request, request)) until = std::max(until, tried.Sent + horizon_);
  }
  return until;
}

uint64_t TLateAnswers::Unexplained() const {
  std::lock_guard lock(mutex_);
  return unexplained_;
}

std::chrono::milliseconds TLateAnswers::Horizon() const {
  std::lock_guard lock(mutex_);
  return horizon_;
}

void TLateAnswers::Clear() {
  std::lock_guard lock(mutex_);
  tries_.clear();
  earlierRunUntil_ = {};
}

void TLateAnswers::Expire(TClock::time_point now) {
  std::erase_if(tries_, [&](const TTry& tried) { return tried.Sent + horizon_ <= now; });
}
