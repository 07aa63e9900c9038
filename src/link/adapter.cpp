#include "link/adapter.h"

#include <algorithm>

TAdapter::TAdapter(TPortFactory portFactory, QObject* parent)
    : QObject(parent),
      portFactory_(std::move(portFactory)),
      journal_(std::make_unique<TMemoryJournal>()) {
  onMessage_ = [this](const TLanMsg& msg) { journal_->AddMessage(msg); };
}

TAdapter::~TAdapter() {
  onMessage_ = nullptr;
  onDeviceMessage_ = nullptr;
  onLiveStatus_ = nullptr;
  CloseDevice();
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

void TAdapter::Reconnect() {
  suspended_ = false;
  try {
    Connect();
  } catch (...) {
    // A failing reconnection is retried by the next request.
  }
}

void TAdapter::Disconnect() {
  if (!connected_) return;
  CloseDevice();
  SetConnected(false);
}

void TAdapter::SetConnected(bool connected) {
  if (connected_ == connected) return;
  connected_ = connected;
  if (OnOwnThread()) {
    emit ConnectionChanged(connected);
  } else {
    toOwnThread_.Post([this, connected] { emit ConnectionChanged(connected); });
  }
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

  TPortSettings settings;
  port_->Configure(settings);
  // Whatever waits in the port answers requests of an earlier session: it must never pass for
  // the answer to one of ours. A line that outlives this program may also bring answers to an
  // earlier run's requests later still: until it has been quiet long enough, every answer
  // counts as theirs.
  port_->PurgeReceive();
  lateAnswers_.Clear();
  if (const auto quiet = port_->EarlierAnswersQuiet(); quiet.count() > 0) {
    lateAnswers_.ExpectEarlierRun(quiet, std::chrono::steady_clock::now());
  }

  decoder_.Reset();
  stopThreads_ = false;
  dataEvent_.Reset();
  deviceEvent_.Reset();
  port_->SetEventNotification(&deviceEvent_);
  watcher_ = std::thread([this] { WatcherLoop(); });
  receiver_ = std::thread([this] { ReceiverLoop(); });
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

void TAdapter::SetCapture(std::shared_ptr<TCaptureWriter> capture) {
  std::lock_guard lock(captureMutex_);
  capture_ = std::move(capture);
}

std::shared_ptr<TCaptureWriter> TAdapter::Capture() const {
  std::lock_guard lock(captureMutex_);
  return capture_;
}

bool TAdapter::IsWaiting() const {
  std::lock_guard lock(pendingMutex_);
  return waiting_;
}

bool TAdapter::Send(uint8_t frameType, std::span<const uint8_t> payload) {
  if (sending_) return false;
  if (!connected_ && !Connect()) return false;
  const auto wire = EncodeAdapterFrame(frameType, payload);
  if (!wire) {
    ReportError(kErrBadFormat);
    return false;
  }
  sending_ = true;
  struct TSendingGuard {
    std::atomic<bool>& flag;
    ~TSendingGuard() { flag = false; }
  } guard{sending_};

  // Reset before writing: an adapter may acknowledge before the write call returns.
  acknowledgementEvent_.Reset();
  uint32_t written = 0;
  const int status = port_->Write(wire->Bytes.data(), wire->Size, written);
  if (const auto capture = Capture(); capture && status == kPortOk) {
    capture->Write(TCaptureDirection::ToAdapter,
                   wire->View().first(std::min<uint32_t>(written, wire->Size)));
  }
  std::this_thread::yield();
  if (status == kPortIoError) {
    ReportError(kErrAdapterNotFound);
    Disconnect();
    return false;
  }
  if (status != kPortOk || written < wire->Size) {
    ReportError(kErrTransmit);
    return false;
  }
  return !abortWaits_ && acknowledgementEvent_.Wait(kAcknowledgementWait);
}

void TAdapter::AbortWaits() {
  abortWaits_ = true;
  abortEvent_.Set();
  acknowledgementEvent_.Set();
  answerEvent_.Set();
}

bool TAdapter::MatchesPending(const TLanMsg& msg) const {
  return ::MatchesPending(pending_, msg);
}

std::chrono::milliseconds TAdapter::AnswerWait(uint8_t dest) const {
  return answerWait_ ? answerWait_(dest) : kAnswerWait;
}

void TAdapter::WaitOutLateAnswers(const TLanMsg& request) {
  // Checked again and again: the answer that retires the try may come any moment.
  constexpr std::chrono::milliseconds kRecheck{10};
  while (!abortWaits_) {
    const auto now = std::chrono::steady_clock::now();
    const auto until = lateAnswers_.HeldUntil(request, now);
    if (until <= now) return;
    // Not waiting: what arrives now is journalled like any message, never taken as ours.
    abortEvent_.Wait(std::min<std::chrono::steady_clock::duration>(until - now, kRecheck));
  }
}

std::chrono::steady_clock::time_point TAdapter::HeldBackUntil(uint8_t source, uint8_t dest,
                                                              std::span<const uint8_t> data,
                                                              uint8_t command) {
  return lateAnswers_.HeldUntil(MakeMsg(source, dest, false, true, data, command),
                                std::chrono::steady_clock::now());
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

  WaitOutLateAnswers(request);
  for (int attempt = 1; attempt <= kTries && !abortWaits_; ++attempt) {
    {
      std::lock_guard lock(pendingMutex_);
      pending_.Assign(request);
      waiting_ = true;
      answerReceived_ = false;
      answerEvent_.Reset();
    }
    // Expected before it leaves: its answer may come before Send returns.
    lateAnswers_.Expect(request, std::chrono::steady_clock::now());
    Send(kFrameToBus, frame.View());
    if (!abortWaits_) answerEvent_.Wait(AnswerWait(dest));
    std::lock_guard lock(pendingMutex_);
    if (answerReceived_) {
      answer.Answered = true;
      answer.Length = pending_.Length;
      answer.Data = pending_.Data;
      return answer;
    }
    // The adapter acknowledges every frame it takes before it puts it on the bus: a try it
    // has not acknowledged even now never reached a module, and nothing can answer it.
    if (!acknowledgementEvent_.IsSet()) lateAnswers_.Withdraw(request);
  }
  if (abortWaits_) return answer;

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
  if (IsLineError(number)) ++lineErrors_;
  // The journal belongs to the owner's thread.
  if (OnOwnThread()) {
    journal_->AddError(number, text);
  } else {
    toOwnThread_.Post([this, number, text] { journal_->AddError(number, text); });
  }
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
      if (const auto capture = Capture()) {
        captureSplitter_.Feed(std::span(buffer).first(read),
                              [&capture](std::span<const uint8_t> wire) {
                                capture->Write(TCaptureDirection::FromAdapter, wire);
                              });
      }
      for (uint32_t i = 0; i < read; ++i) {
        if (decoder_.Feed(buffer[i], frame)) HandleFrame(frame);
      }
    }
  }
}

void TAdapter::PostError(int number) {
  // Counted at once: the transfer that suffers from it asks on the bus thread.
  if (IsLineError(number)) ++lineErrors_;
  toOwnThread_.Post(
      [this, number, text = AdapterErrorText(number)] { journal_->AddError(number, text); });
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
  // Every answer retires a try that could have caused it, taken or not.
  if (msg.IsAnswer && msg.Dest == kPcAddr)
    lateAnswers_.Arrived(msg, std::chrono::steady_clock::now());
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
  if (onDeviceMessage_) guarded([&] { onDeviceMessage_(*this, msg); });
  if (onMessage_) guarded([&] { onMessage_(msg); });
}
