#pragma once

#include <QString>
#include <chrono>
#include <functional>
#include <vector>

#include "link/bus_capture.h"

// Plays the adapter's side of a bus capture on a pseudo-terminal: every frame the adapter
// sent to the PC goes out again with the recorded spacing, so that the program can be
// watched against a recorded car. The playback starts when a program opens the terminal (or
// writes its first byte); what it writes is read and otherwise ignored, since a recording
// cannot answer new questions.
class TCaptureReplay {
 public:
  explicit TCaptureReplay(std::vector<TCaptureRecord> records);
  TCaptureReplay(const TCaptureReplay&) = delete;
  TCaptureReplay& operator=(const TCaptureReplay&) = delete;
  ~TCaptureReplay();

  bool Open(QString* error);
  const QString& SlavePath() const { return slavePath_; }
  // Plays the capture once, then keeps the terminal open and quiet until `stopFd` becomes
  // readable; `onFinished` is called when the last frame went out. False on a failure of the
  // terminal.
  bool Serve(int stopFd, const std::function<void()>& onFinished = {});

  // When each frame for the PC is due, counted from the start of the playback.
  struct TDue {
    std::chrono::microseconds At;
    const TCaptureRecord* Record;
  };
  static std::vector<TDue> Schedule(const std::vector<TCaptureRecord>& records);

 private:
  bool DrainFromPc();
  // Whether the notices that wait tell of a program opening the terminal.
  bool ClientOpened();

  std::vector<TCaptureRecord> records_;
  int master_ = -1;
  int slave_ = -1;
  int inotify_ = -1;
  QString slavePath_;
};
