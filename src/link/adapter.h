#pragma once

#include <QObject>
#include <QString>
#include <array>
#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <mutex>
#include <span>
#include <thread>
#include <vector>

#include "link/adapter_errors.h"
#include "link/adapter_frame.h"
#include "link/adapter_journal.h"
#include "link/adapter_port.h"
#include "link/bus_capture.h"
#include "link/cross_thread_queue.h"
#include "link/lan_msg.h"
#include "link/late_answers.h"
#include "link/manual_reset_event.h"
#include "link/msg_list.h"

// The program's one link to the bus: opens the adapter through a port, turns incoming bytes
// into bus messages on two worker threads, answers requests, and hands every other message
// to the registry and the journal on the user-interface thread.
class TAdapter : public QObject {
  Q_OBJECT

 public:
  using TPortFactory = std::function<std::unique_ptr<IAdapterPort>(const QString& description)>;
  using TMessageHandler = std::function<void(TAdapter& adapter, const TLanMsg& msg)>;
  using TJournalHandler = std::function<void(const TLanMsg& msg)>;
  // How long to wait for the answer of a request to `dest`.
  using TAnswerWait = std::function<std::chrono::milliseconds(uint8_t dest)>;

  struct TAnswer {
    bool Answered = false;
    uint8_t Length = 0;
    std::array<uint8_t, kMaxMsgData> Data{};
  };

  static constexpr int kRingCapacity = 64;
  static constexpr int kTries = 3;
  static constexpr std::chrono::milliseconds kAnswerWait{100};
  static constexpr std::chrono::milliseconds kAcknowledgementWait{500};
  static constexpr std::chrono::milliseconds kWatcherPeriod{2000};

  // The thread that creates the adapter owns it: journal entries, notifications and message
  // handlers run there. Requests may come from one other thread, the bus thread.
  explicit TAdapter(TPortFactory portFactory, QObject* parent = nullptr);
  TAdapter(const TAdapter&) = delete;
  TAdapter& operator=(const TAdapter&) = delete;
  ~TAdapter() override;

  virtual bool Connect();
  // Clears the suspension of a lost link and connects again.
  void Reconnect();
  void Disconnect();
  void SetDescription(const QString& description);
  const QString& Description() const { return description_; }

  void SetSuspended(bool suspended) { suspended_ = suspended; }
  void SetRaiseOnNoAnswer(bool raise) { raiseOnNoAnswer_ = raise; }
  bool RaiseOnNoAnswer() const { return raiseOnNoAnswer_; }
  bool IsUnavailable() const { return suspended_ || !connected_; }
  bool IsIdle() const { return !sending_; }
  bool IsConnected() const { return connected_; }
  // Clear after a request exactly when its answer arrived.
  bool IsWaiting() const;
  // Decides the answer window per destination; kAnswerWait without one. Called on the bus
  // thread, so it must be safe to call from there.
  void SetAnswerWait(TAnswerWait answerWait) { answerWait_ = std::move(answerWait); }
  // Makes a request waiting for its answer or acknowledgement give up at once, and every later
  // one too: the program is closing.
  void AbortWaits();

  void SetOnMessage(TJournalHandler handler) { onMessage_ = std::move(handler); }
  void SetOnDeviceMessage(TMessageHandler handler) { onDeviceMessage_ = std::move(handler); }
  // Runs first for every incoming message (the live status of the main window).
  void SetOnLiveStatus(TMessageHandler handler) { onLiveStatus_ = std::move(handler); }
  // Told when a handler failed on an incoming message; the other handlers still get it.
  void SetOnDispatchError(std::function<void(const QString& text)> handler) {
    onDispatchError_ = std::move(handler);
  }
  void SetJournal(std::unique_ptr<IAdapterJournal> journal);
  // Every adapter frame written or read from now on goes into `capture` as well; nullptr
  // stops recording.
  void SetCapture(std::shared_ptr<TCaptureWriter> capture);
  std::shared_ptr<TCaptureWriter> Capture() const;
  IAdapterJournal& Journal() { return *journal_; }

  // Writes one adapter frame and waits for the adapter's acknowledgement; true when it came.
  virtual bool Send(uint8_t frameType, std::span<const uint8_t> payload);
  // Does `msg` answer the pending request? Called with the pending record locked.
  virtual bool MatchesPending(const TLanMsg& msg) const;

  // Until when GetAnswer would hold this request back because an answer to an earlier one,
  // still expected, could pass for its answer; a time not after now when it would not.
  std::chrono::steady_clock::time_point HeldBackUntil(uint8_t source, uint8_t dest,
                                                      std::span<const uint8_t> data,
                                                      uint8_t command);
  // Read answers that came when no request still expected could have caused them: a read
  // answer taken meanwhile may have belonged to a forgotten request.
  uint64_t UnexplainedAnswers() const { return lateAnswers_.Unexplained(); }
  // Garbled, malformed or unsent frames so far: a transfer that failed while this grew failed
  // on a poor line rather than on a silent module.
  uint64_t LineErrors() const { return lineErrors_; }

  // Sends a request and waits for its answer: three tries.
  TAnswer GetAnswer(uint8_t source, uint8_t dest, std::span<const uint8_t> data, uint8_t command);
  TAnswer GetAnswerNoData(uint8_t source, uint8_t dest, uint8_t command);

  void QueueMsg(uint8_t source, uint8_t dest, bool isAnswer, bool answerRequested,
                std::span<const uint8_t> data, uint8_t command);
  void QueueCommand(uint8_t source, uint8_t dest, uint8_t command);
  void SendMsg(uint8_t source, uint8_t dest, bool isAnswer, bool answerRequested,
               std::span<const uint8_t> data, uint8_t command);
  void SendCommand(uint8_t source, uint8_t dest, bool isAnswer, bool answerRequested,
                   uint8_t command);
  void SendMsg(const TLanMsg& msg) {
    SendMsg(msg.Source, msg.Dest, msg.IsAnswer != 0, msg.AnswerRequested != 0, msg.Payload(),
            msg.Command);
  }

  // Sends the oldest queued message, or checks the link when nothing is queued.
  void ProcessQueue();
  void CheckLink();
  void ReportError(int number, const QString& text);
  void ReportError(int number) { ReportError(number, AdapterErrorText(number)); }

  // The last adapter status report; diagnostics only.
  uint8_t StatusByte() const { return statusByte_; }

 signals:
  // The link opened or closed.
  void ConnectionChanged(bool connected);

 private:
  bool OpenDevice();
  void CloseDevice();
  void SetConnected(bool connected);
  void ReceiverLoop();
  void WatcherLoop();
  void HandleFrame(const TAdapterFrame& frame);
  void PostError(int number);
  void DispatchIncoming();
  bool OnOwnThread() const { return std::this_thread::get_id() == ownThread_; }
  std::chrono::milliseconds AnswerWait(uint8_t dest) const;
  // A request that an answer still expected could match waits until that answer came or
  // counts as lost: a read answer carries no address.
  void WaitOutLateAnswers(const TLanMsg& request);

  TPortFactory portFactory_;
  std::unique_ptr<IAdapterPort> port_;
  QString description_;

  // Work of the receiver thread for the user-interface thread.
  TCrossThreadQueue toOwnThread_;
  TMsgList incoming_{kRingCapacity};
  TMsgList outgoing_{kRingCapacity};
  std::unique_ptr<IAdapterJournal> journal_;
  TJournalHandler onMessage_;
  TMessageHandler onDeviceMessage_;
  TMessageHandler onLiveStatus_;
  std::function<void(const QString&)> onDispatchError_;

  const std::thread::id ownThread_ = std::this_thread::get_id();
  std::atomic<bool> connected_{false};
  std::atomic<bool> suspended_{false};
  std::atomic<bool> sending_{false};
  std::atomic<bool> raiseOnNoAnswer_{false};
  std::atomic<bool> abortWaits_{false};
  bool deviceOpen_ = false;
  TAnswerWait answerWait_;
  std::atomic<uint8_t> statusByte_{0};
  std::atomic<uint64_t> lineErrors_{0};

  TLateAnswers lateAnswers_;

  TManualResetEvent acknowledgementEvent_;
  TManualResetEvent answerEvent_;
  TManualResetEvent abortEvent_;
  TManualResetEvent dataEvent_;
  TManualResetEvent deviceEvent_;
  std::atomic<bool> stopThreads_{false};
  std::thread watcher_;
  std::thread receiver_;
  TFrameDecoder decoder_;          // receiver thread only
  TWireSplitter captureSplitter_;  // receiver thread only

  mutable std::mutex captureMutex_;
  std::shared_ptr<TCaptureWriter> capture_;

  // Shared by GetAnswer and the receiver.
  mutable std::mutex pendingMutex_;
  TLanMsg pending_;
  bool waiting_ = false;
  bool answerReceived_ = false;
};
