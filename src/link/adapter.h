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

#include "link/adapter_errors.h"
#include "link/adapter_frame.h"
#include "link/adapter_journal.h"
#include "link/adapter_port.h"
#include "link/cross_thread_queue.h"
#include "link/lan_msg.h"
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

  struct TAnswer {
    bool Answered = false;
    uint8_t Length = 0;
    std::array<uint8_t, kMaxMsgData> Data{};
  };

  static constexpr int kRingCapacity = 64;
  static constexpr int kTries = 3;
  static constexpr std::chrono::milliseconds kAnswerWait{100};
  static constexpr std::chrono::milliseconds kSlowGsmAnswerWait{800};
  static constexpr std::chrono::milliseconds kAcknowledgementWait{500};
  static constexpr std::chrono::milliseconds kWatcherPeriod{2000};
  // GSM firmware from this major version on answers slowly.
  static constexpr int kSlowGsmMajor = 30;
  static constexpr int kGsmAddr = 3;

  // Commands the journal keeps quiet about: live chatter, and memory transfers.
  static constexpr std::array<uint8_t, 8> kQuietCommands = {6, 8, 40, 43, 52, 53, 125, 127};
  static constexpr std::array<uint8_t, 10> kMemoryCommands = {80, 81, 82, 83, 85,
                                                              87, 88, 89, 90, 122};

  explicit TAdapter(TPortFactory portFactory, QObject* parent = nullptr);
  TAdapter(const TAdapter&) = delete;
  TAdapter& operator=(const TAdapter&) = delete;
  ~TAdapter() override;

  // The program-wide adapter that pages reach directly; nullptr when none exists.
  static TAdapter* Instance();

  virtual bool Connect();
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
  // The GSM module's firmware major version as the module information shows it.
  void SetGsmFirmwareMajor(int major) { gsmFirmwareMajor_ = major; }

  void SetOnMessage(TJournalHandler handler) { onMessage_ = std::move(handler); }
  void SetOnDeviceMessage(TMessageHandler handler) { onDeviceMessage_ = std::move(handler); }
  // Runs first for every incoming message (the live status of the main window).
  void SetOnLiveStatus(TMessageHandler handler) { onLiveStatus_ = std::move(handler); }
  // Told when a handler failed on an incoming message; the other handlers still get it.
  void SetOnDispatchError(std::function<void(const QString& text)> handler) {
    onDispatchError_ = std::move(handler);
  }
  void SetJournal(std::unique_ptr<IAdapterJournal> journal);
  IAdapterJournal& Journal() { return *journal_; }

  // Writes one adapter frame and waits for the adapter's acknowledgement.
  virtual void Send(uint8_t frameType, std::span<const uint8_t> payload);
  // Does `msg` answer the pending request? Called with the pending record locked.
  virtual bool MatchesPending(const TLanMsg& msg) const;

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

  // Sends the oldest queued message, or checks the link when nothing is queued.
  void ProcessQueue();
  void CheckLink();
  void ReportError(int number, const QString& text);
  void ReportError(int number) { ReportError(number, AdapterErrorText(number)); }
  // Asks for a reconnection on the user-interface thread (clears suspended, connects).
  void RequestReconnect();

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
  void SendAutomaticReplies(const TLanMsg& msg);
  std::chrono::milliseconds AnswerWait(uint8_t source, uint8_t dest) const;

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

  bool connected_ = false;
  bool suspended_ = false;
  bool sending_ = false;
  bool raiseOnNoAnswer_ = false;
  bool deviceOpen_ = false;
  int gsmFirmwareMajor_ = 0;
  std::atomic<uint8_t> statusByte_{0};

  TManualResetEvent acknowledgementEvent_;
  TManualResetEvent answerEvent_;
  TManualResetEvent dataEvent_;
  TManualResetEvent deviceEvent_;
  std::atomic<bool> stopThreads_{false};
  std::thread watcher_;
  std::thread receiver_;
  TFrameDecoder decoder_;  // receiver thread only

  // Shared by GetAnswer and the receiver.
  mutable std::mutex pendingMutex_;
  TLanMsg pending_;
  bool waiting_ = false;
  bool answerReceived_ = false;
};
