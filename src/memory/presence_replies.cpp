#include "memory/presence_replies.h"

namespace {

constexpr uint8_t kPresence = 1;
constexpr uint8_t kStatusCommand = 0;
constexpr uint8_t kAnnounceCommand = 118;
constexpr uint8_t kGsmAddr = 3;
constexpr uint8_t kTagTransceiverAddr = 11;

TLanMsg Presence(uint8_t dest, bool isAnswer, bool answerRequested) {
  return MakeMsg(kPcAddr, dest, isAnswer, answerRequested, {}, kPresence);
}

bool OneOf(uint8_t value, std::initializer_list<uint8_t> set) {
  for (const uint8_t item : set) {
    if (item == value) return true;
  }
  return false;
}

}  // namespace

std::vector<TLanMsg> PresenceReplies(const TLanMsg& msg) {
  std::vector<TLanMsg> replies;
  const uint8_t from = msg.Source;
  if (msg.Command == kStatusCommand && msg.Length == 2) {
    if (from == kTagTransceiverAddr && msg.Dest == kBroadcastAddr) {
      replies.push_back(Presence(from, false, false));
    } else if (from == kGsmAddr && msg.Dest == kPcAddr) {
      replies.push_back(Presence(from, false, true));
    } else if (from == kMainModuleAddr && msg.Dest == kPcAddr) {
      replies.push_back(Presence(from, false, false));
    }
  }
  if (msg.Command == kAnnounceCommand && msg.Dest == kBroadcastAddr && (msg.Data[0] & 0x80) &&
      OneOf(from, {4, 13, 14, 15})) {
    replies.push_back(Presence(from, false, false));
  }
  if (msg.Command == kPresence && msg.AnswerRequested) {
    replies.push_back(Presence(from, true, false));
    if (msg.Dest == kBroadcastAddr) {
      for (const uint8_t module : {15, 13, 3}) replies.push_back(Presence(module, false, true));
      replies.push_back(Presence(from, true, false));
    }
  }
  if (msg.Command == kStatusCommand && msg.Dest == kBroadcastAddr && OneOf(from, {2, 3, 13, 15})) {
    replies.push_back(Presence(from, false, true));
  }
  return replies;
}
