#include "sim/virtual_gsm_module.h"

#include <algorithm>

namespace {

using namespace std::chrono_literals;

constexpr uint8_t kState = 3;
constexpr uint8_t kCoordinate = 38;
constexpr uint8_t kModemCommand = 40;
constexpr uint8_t kConsoleKey = 43;
constexpr uint8_t kClock = 44;
constexpr uint8_t kFirstTimer = 64;
constexpr uint8_t kBalance = 70;
// State bytes: powered and registered in the network; GPRS in use (bit 5), heater on (bit 4).
constexpr uint8_t kPowerMode = 0x41;
constexpr uint8_t kGprsUsed = 0x20;
constexpr uint8_t kHeaterOn = 0x10;

// The sub-requests of command 40.
constexpr uint8_t kStatus = 0;
constexpr uint8_t kFirstStatus = 1;
constexpr uint8_t kBoilerStatus = 2;
constexpr uint8_t kGprsOff = 3;
constexpr uint8_t kGprsOn = 4;
constexpr uint8_t kHeaterStart = 5;
constexpr uint8_t kHeaterStop = 6;
constexpr uint8_t kDump = 8;
constexpr uint8_t kConsoleOn = 9;
constexpr uint8_t kConsoleOff = 10;

constexpr std::array<uint8_t, 7> kDumpRecord = {0x03, 5, 0, 0, 0, 0, 0};
constexpr int kBalancePiece = 10;

constexpr std::array<TLiveStream, 1> kStreams = {{{0, 5000ms, 1500ms}}};

}  // namespace

TVirtualGsmModule::TVirtualGsmModule(const TVirtualModuleSpec& desc) : TVirtualModule(desc) {}

std::span<const TLiveStream> TVirtualGsmModule::LiveStreams() const {
  return kStreams;
}

void TVirtualGsmModule::FillState(TLanMsg& answer) const {
  answer.Length = 2;
  answer.Data[0] = kPowerMode;
  answer.Data[1] = static_cast<uint8_t>((gprs_ ? kGprsUsed : 0) | (heating_ ? kHeaterOn : 0));
}

void TVirtualGsmModule::Talk(int, std::vector<TLanMsg>& out) {
  TLanMsg state = Message(kBroadcastAddr, kState, {});
  FillState(state);
  out.push_back(state);
}

void TVirtualGsmModule::Handle(const TLanMsg& msg, std::vector<TLanMsg>& replies) {
  const bool request = msg.Dest == Address() && !msg.IsAnswer;
  if (!request) {
    TVirtualModule::Handle(msg, replies);
    return;
  }
  switch (msg.Command) {
    case kModemCommand:
      HandleModemCommand(msg, replies);
      return;
    case kClock:
      HandleClock(msg, replies);
      return;
    case kConsoleKey:
      HandleConsoleKey(msg, replies);
      return;
    case kBalance:
      SendBalance(replies);
      return;
    case kCoordinate:
      SendCoordinate(replies);
      return;
    default:
      break;
  }
  if (msg.Command >= kFirstTimer && msg.Command < kFirstTimer + timers_.size()) {
    HandleTimer(msg, replies);
    return;
  }
  TVirtualModule::Handle(msg, replies);
}

void TVirtualGsmModule::HandleModemCommand(const TLanMsg& msg, std::vector<TLanMsg>& replies) {
  const uint8_t sub = msg.Length > 0 ? msg.Data[0] : kStatus;
  switch (sub) {
    case kStatus:
    case kFirstStatus:
    case kBoilerStatus:
      replies.push_back(Answer(msg, Status));
      return;
    case kDump:
      replies.push_back(Answer(msg, kDumpRecord));
      return;
    case kGprsOff:
    case kGprsOn:
      gprs_ = sub == kGprsOn;
      break;
    case kHeaterStart:
    case kHeaterStop:
      heating_ = sub == kHeaterStart;
      break;
    case kConsoleOn:
    case kConsoleOff:
      consoleOn_ = sub == kConsoleOn;
      break;
    default:
      break;
  }
  if (msg.AnswerRequested) replies.push_back(Answer(msg, std::array<uint8_t, 1>{sub}));
}

void TVirtualGsmModule::HandleClock(const TLanMsg& msg, std::vector<TLanMsg>& replies) {
  if (msg.Length >= 6) {
    const auto& d = msg.Data;
    clockSet_ = QDateTime(QDate(2000 + d[3], d[4], d[5]), QTime(d[0], d[1], d[2]));
    setAt_ = QDateTime::currentDateTime();
    return;
  }
  const QDateTime now = clockSet_.addSecs(setAt_.secsTo(QDateTime::currentDateTime()));
  const QDate date = now.date();
  const QTime time = now.time();
  const std::array<uint8_t, 7> clock = {
      static_cast<uint8_t>(time.hour()),     static_cast<uint8_t>(time.minute()),
      static_cast<uint8_t>(time.second()),   static_cast<uint8_t>(date.year() - 2000),
      static_cast<uint8_t>(date.month()),    static_cast<uint8_t>(date.day()),
      static_cast<uint8_t>(date.dayOfWeek())};
  replies.push_back(Answer(msg, clock));
}

void TVirtualGsmModule::HandleTimer(const TLanMsg& msg, std::vector<TLanMsg>& replies) {
  auto& timer = timers_[msg.Command - kFirstTimer];
  if (msg.Length == 1 && msg.Data[0] == 0) {
    timer.fill(0);
  } else if (msg.Length > 1) {
    std::fill(timer.begin(), timer.end(), uint8_t{0});
    std::copy_n(msg.Data.begin(), std::min<size_t>(msg.Length, timer.size()), timer.begin());
  }
  if (msg.AnswerRequested) replies.push_back(Answer(msg, timer));
}

// A modem echoes every character; a finished command line gets its "OK".
void TVirtualGsmModule::HandleConsoleKey(const TLanMsg& msg, std::vector<TLanMsg>& replies) {
  if (msg.Length < 2) return;
  const auto key = static_cast<char>(msg.Data[1]);
  SendToPc(kConsoleKey, QByteArray(1, key), replies);
  if (key != '\r') {
    line_ += key;
    return;
  }
  if (!line_.isEmpty()) SendToPc(kConsoleKey, QByteArrayLiteral("\r\nOK\r\n"), replies);
  line_.clear();
}

void TVirtualGsmModule::SendBalance(std::vector<TLanMsg>& replies) const {
  const QByteArray text = BalanceText.toLatin1();
  uint8_t piece = 0;
  for (qsizetype at = 0; at <= text.size(); at += kBalancePiece) {
    const QByteArray part = text.mid(at, kBalancePiece);
    QByteArray bytes;
    bytes += static_cast<char>(piece++);
    bytes += static_cast<char>(part.size() + 2);
    bytes += part;
    SendToPc(kBalance, bytes, replies);
    if (part.size() < kBalancePiece) break;
  }
}

void TVirtualGsmModule::SendCoordinate(std::vector<TLanMsg>& replies) const {
  SendToPc(kCoordinate,
           QByteArrayLiteral("\x01"
                             "55457092"),
           replies);
  SendToPc(kCoordinate,
           QByteArrayLiteral("\x02"
                             "037365678"),
           replies);
}

void TVirtualGsmModule::SendToPc(uint8_t command, const QByteArray& bytes,
                                 std::vector<TLanMsg>& replies) const {
  replies.push_back(Message(kPcAddr, command,
                            std::span(reinterpret_cast<const uint8_t*>(bytes.data()),
                                      static_cast<size_t>(bytes.size()))));
}
