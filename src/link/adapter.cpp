#include "link/adapter.h"

#include <algorithm>

namespace {

TAdapter* gInstance = nullptr;

TLanMsg MakeMsg(uint8_t source, uint8_t dest, bool isAnswer, bool answerRequested,
                std::span<const uint8_t> data, uint8_t command) {
  TLanMsg msg;
  msg.Source = source;
  msg.Dest = dest;
  msg.Command = command;
  msg.IsAnswer = isAnswer ? 1 : 0;
  msg.AnswerRequested = answerRequested ? 1 : 0;
  msg.Length = static_cast<uint8_t>(std::min<size_t>(data.size(), kMaxMsgData));
  std::copy_n(data.begin(), msg.Length, msg.Data.begin());
  return msg;
}

}  // namespace

TAdapter::TAdapter(TPortFactory portFactory, QObject* parent)
    : QObject(parent),
      portFactory_(std::move(portFactory)),
      journal_(std::make_unique<TMemoryJournal>()) {
  onMessage_ = [this](const TLanMsg& msg) { journal_->AddMessage(msg); };
  gInstance = this;
}

TAdapter::~TAdapter() {
  onMessage_ = nullptr;
  onDeviceMessage_ = nullptr;
  onLiveStatus_ = nullptr;
  CloseDevice();
  if (gInstance == this) gInstance = nullptr;
}

TAdapter* TAdapter::Instance() {
  return gInstance;
}

void TAdapter::SetJournal(std::unique_ptr<IAdapterJournal> journal) {
  journal_ = std::move(journal);
}

bool TAdapter::Connect() {
  if (suspended_) return false;
  if (connected_) Disconnect();
  if (OpenDevice()) {
    SetConnected(true);
    ReportError(kErrAdapterFound);
  }
  return connected_;
}

void TAdapter::Disconnect() {
  if (!connected_) return;
  CloseDevice();
  SetConnected(false);
}

void TAdapter::SetConnected(bool connected) {
  if (connected_ == connected) return;
  connected_ = connected;
  emit ConnectionChanged(connected);
}

void TAdapter::SetDescription(const QString& description) {
  Disconnect();
  description_ = description;
  port_ = portFactory_ ? portFactory_(description) : nullptr;
  Connect();
}

bool TAdapter::OpenDevice() {
  if (deviceOpen_) CloseDevice();
  if (!port_ && portFactory_) port_ = portFactory_(description_);
  if (!port_ || port_->Open(description_) != kPortOk) return false;

  decoder_.Reset();
  stopThreads_ = false;
  dataEvent_.Reset();
  deviceEvent_.Reset();
  watcher_ = std::thread([this] { WatcherLoop(); });
  receiver_ = std::thread([this] { ReceiverLoop(); });

  TPortSettings settings;
  port_->Configure(settings);
  port_->SetEventNotification(&deviceEvent_);
  port_->PurgeReceive();
  deviceOpen_ = true;
  return true;
}

void TAdapter::CloseDevice() {
  if (!deviceOpen_) return;
  stopThreads_ = true;
  deviceEvent_.Set();
  dataEvent_.Set();
  watcher_.join();
  receiver_.join();
  port_->SetEventNotification(nullptr);
  port_->Close();
  deviceOpen_ = false;
}

bool TAdapter::IsWaiting() const {
  std::lock_guard lock(pendingMutex_);
  return waiting_;
}

void TAdapter::Send(uint8_t frameType, std::span<const uint8_t> payload) {
  if (sending_) return;
  if (!connected_ && !Connect()) return;
  const auto wire = EncodeAdapterFrame(frameType, payload);
  if (!wire) {
    ReportError(kErrBadFormat);
    return;
  }
  sending_ = true;
  struct TSendingGuard {
    bool& flag;
    ~TSendingGuard() { flag = false; }
  } guard{sending_};

  // Reset before writing: an adapter may acknowledge before the write call returns.
  acknowledgementEvent_.Reset();
  uint32_t written = 0;
  const int status = port_->Write(wire->Bytes.data(), wire->Size, written);
  std::this_thread::yield();
  if (status == kPortIoError) {
    ReportError(kErrAdapterNotFound);
    Disconnect();
    return;
  }
  if (status != kPortOk || written < wire->Size) {
    ReportError(kErrTransmit);
    return;
  }
  acknowledgementEvent_.Wait(kAcknowledgementWait);
}

bool TAdapter::MatchesPending(const TLanMsg& msg) const {
  return ::MatchesPending(pending_, msg);
}

std::chrono::milliseconds TAdapter::AnswerWait(uint8_t source, uint8_t dest) const {
  const bool gsm = source == kGsmAddr || dest == kGsmAddr;
  return gsm && gsmFirmwareMajor_ >= kSlowGsmMajor ? kSlowGsmAnswerWait : kAnswerWait;
}

TAdapter::TAnswer TAdapter::GetAnswer(uint8_t source, uint8_t dest, std::span<const uint8_t> data,
                                      uint8_t command) {
  TAnswer answer;
  const TLanMsg request = MakeMsg(source, dest, false, true, data, command);
  if (IsUnavailable()) {
    // Nothing is sent; the caller sees the request as unanswered.
    std::lock_guard lock(pendingMutex_);
    waiting_ = true;
    return answer;
  }
  TBusFrame frame;
  if (data.size() > kMaxMsgData || !BuildFrame(request, frame)) {
    ReportError(kErrBadFormat);
    std::lock_guard lock(pendingMutex_);
    waiting_ = true;
    return answer;
  }

  for (int attempt = 1; attempt <= kTries; ++attempt) {
    {
      std::lock_guard lock(pendingMutex_);
      pending_.Assign(request);
      waiting_ = true;
      answerReceived_ = false;
      answerEvent_.Reset();
    }
    Send(kFrameToBus, frame.View());
    answerEvent_.Wait(AnswerWait(source, dest));
    std::lock_guard lock(pendingMutex_);
    if (answerReceived_) {
      answer.Answered = true;
      answer.Length = pending_.Length;
      answer.Data = pending_.Data;
      return answer;
    }
  }

  const QString text = AdapterErrorText(kErrNoAnswer, ModuleName(dest));
  if (raiseOnNoAnswer_) throw EAdapter(text);
  ReportError(kErrNoAnswer, text);
  return answer;
}

TAdapter::TAnswer TAdapter::GetAnswerNoData(uint8_t source, uint8_t dest, uint8_t command) {
  return GetAnswer(source, dest, {}, command);
}

void TAdapter::QueueMsg(uint8_t source, uint8_t dest, bool isAnswer, bool answerRequested,
                        std::span<const uint8_t> data, uint8_t command) {
  if (data.size() > kMaxMsgData) {
    ReportError(kErrBadFormat);
    return;
  }
  outgoing_.Put(MakeMsg(source, dest, isAnswer, answerRequested, data, command));
}

void TAdapter::QueueCommand(uint8_t source, uint8_t dest, uint8_t command) {
  QueueMsg(source, dest, false, true, {}, command);
}

void TAdapter::SendMsg(uint8_t source, uint8_t dest, bool isAnswer, bool answerRequested,
                       std::span<const uint8_t> data, uint8_t command) {
  if (IsUnavailable()) return;
  TBusFrame frame;
  if (data.size() > kMaxMsgData ||
      !BuildFrame(MakeMsg(source, dest, isAnswer, answerRequested, data, command), frame)) {
    ReportError(kErrBadFormat);
    return;
  }
  Send(kFrameToBus, frame.View());
}

void TAdapter::SendCommand(uint8_t source, uint8_t dest, bool isAnswer, bool answerRequested,
                           uint8_t command) {
  SendMsg(source, dest, isAnswer, answerRequested, {}, command);
}

void TAdapter::ProcessQueue() {
  TLanMsg msg;
  if (!outgoing_.Take(msg)) {
    CheckLink();
    return;
  }
  SendMsg(msg.Source, msg.Dest, msg.IsAnswer != 0, msg.AnswerRequested != 0, msg.Payload(),
          msg.Command);
}

void TAdapter::CheckLink() {
  if (!connected_) return;
  uint32_t waiting = 0;
  if (port_ && port_->GetQueueStatus(waiting) == kPortOk) return;
  suspended_ = true;
  ReportError(kErrAdapterNotFound);
  CloseDevice();
  SetConnected(false);
}

void TAdapter::ReportError(int number, const QString& text) {
  journal_->AddError(number, text);
}

void TAdapter::RequestReconnect() {
  QMetaObject::invokeMethod(
      this,
      [this] {
        suspended_ = false;
        try {
          Connect();
        } catch (...) {
          // A failing reconnection is retried by the next request.
        }
      },
      Qt::QueuedConnection);
}

void TAdapter::WatcherLoop() {
  while (!stopThreads_) {
    deviceEvent_.Wait(kWatcherPeriod);
    if (stopThreads_) return;
    // Reset before asking: bytes that arrive after the question set the event again.
    deviceEvent_.Reset();
    TPortQueueStatus status;
    if (port_->GetStatus(status) == kPortOk && status.EventStatus == 1 && status.RxBytes > 0) {
      dataEvent_.Set();
    }
  }
}

void TAdapter::ReceiverLoop() {
  std::array<uint8_t, 255> buffer{};
  TAdapterFrame frame;
  while (!stopThreads_) {
    dataEvent_.Wait();
    if (stopThreads_) return;
    dataEvent_.Reset();
    for (;;) {
      uint32_t waiting = 0;
      if (port_->GetQueueStatus(waiting) != kPortOk || waiting == 0) break;
      uint32_t read = 0;
      if (port_->Read(buffer.data(), static_cast<uint32_t>(buffer.size()), read) != kPortOk ||
          read == 0) {
        break;
      }
      for (uint32_t i = 0; i < read; ++i) {
        if (decoder_.Feed(buffer[i], frame)) HandleFrame(frame);
      }
    }
  }
}

void TAdapter::PostError(int number) {
  // Journal entries are made on the user-interface thread only.
  toOwnThread_.Post([this, number] { ReportError(number); });
}

void TAdapter::HandleFrame(const TAdapterFrame& frame) {
  const int error = AdapterErrorFor(frame.Fault);
  if (error >= 0) PostError(error);
  switch (frame.Fault) {
    case TFrameFault::TooShort:
    case TFrameFault::TooLong:
    case TFrameFault::BadChecksum:
      return;
    default:
      break;
  }
  // An acknowledgement carries nothing, so one with an odd length still acknowledges.
  if (IsAcknowledgement(frame.Type)) {
    acknowledgementEvent_.Set();
    return;
  }
  // A bus message whose frame failed a test could carry wrong bytes into a memory image.
  if (frame.Fault != TFrameFault::None) return;
  if (frame.Type == kFrameStatus) {
    if (frame.Count > 0) statusByte_ = frame.Payload[frame.Count - 1];
    return;
  }
  if (frame.Type != kFrameFromBus) return;

  statusByte_ = 0;
  TLanMsg msg;
  if (!ParseFrame(frame.View(), msg)) {
    PostError(kErrBadFormat);
    return;
  }
  {
    std::lock_guard lock(pendingMutex_);
    if (waiting_ && MatchesPending(msg)) {
      pending_.Assign(msg);
      waiting_ = false;
      answerReceived_ = true;
      answerEvent_.Set();
      return;
    }
  }
  if (incoming_.Put(msg)) {
    toOwnThread_.Post([this] { DispatchIncoming(); });
  }
}

void TAdapter::DispatchIncoming() {
  TLanMsg msg;
  if (!incoming_.Take(msg)) return;
  // A handler that fails must not keep the message from the others: the registry and the
  // journal see every message whatever the live status made of it.
  const auto guarded = [this](const auto& step) {
    try {
      step();
    } catch (const std::exception& error) {
      if (onDispatchError_) onDispatchError_(QString::fromUtf8(error.what()));
    }
  };
  if (onLiveStatus_) guarded([&] { onLiveStatus_(*this, msg); });
  guarded([&] { SendAutomaticReplies(msg); });
  if (onDeviceMessage_) guarded([&] { onDeviceMessage_(*this, msg); });
  if (onMessage_) guarded([&] { onMessage_(msg); });
}

void TAdapter::SendAutomaticReplies(const TLanMsg& msg) {
  constexpr uint8_t kPresence = 1;
  const uint8_t from = msg.Source;
  if (msg.Command == 0 && msg.Length == 2) {
    if (from == 11 && msg.Dest == kBroadcastAddr) {
      SendCommand(kPcAddr, from, false, false, kPresence);
    } else if (from == kGsmAddr && msg.Dest == kPcAddr) {
      SendCommand(kPcAddr, from, false, true, kPresence);
    } else if (from == kMainModuleAddr && msg.Dest == kPcAddr) {
      SendCommand(kPcAddr, from, false, false, kPresence);
    }
  }
  if (msg.Command == 118 && msg.Dest == kBroadcastAddr && (msg.Data[0] & 0x80) &&
      (from == 4 || from == 13 || from == 14 || from == 15)) {
    SendCommand(kPcAddr, from, false, false, kPresence);
  }
  if (msg.Command == kPresence && msg.AnswerRequested) {
    SendCommand(kPcAddr, from, true, false, kPresence);
    if (msg.Dest == kBroadcastAddr) {
      for (const uint8_t module : {15, 13, 3}) SendCommand(kPcAddr, module, false, true, kPresence);
      SendCommand(kPcAddr, from, true, false, kPresence);
    }
  }
  if (msg.Command == 0 && msg.Dest == kBroadcastAddr &&
      (from == 2 || from == 3 || from == 13 || from == 15)) {
    SendCommand(kPcAddr, from, false, true, kPresence);
  }
}
