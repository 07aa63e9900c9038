#pragma once

#include <QString>
#include <functional>
#include <memory>

#include "sim/virtual_adapter.h"

// A pseudo-terminal in raw mode at 115200 baud, the master side non-blocking; the server
// keeps the slave open itself so that clients may come and go.
struct TRawPty {
  int Master = -1;
  int Slave = -1;
  QString SlavePath;
};
// False with `error` set when a step fails; descriptors opened so far are left in `pty`.
bool OpenRawPty(TRawPty& pty, QString* error);
// Writes `count` bytes to the non-blocking master side; what the program on the other side
// has no room for is dropped, as frames are lost on a real line whose reader stalls.
void WriteToPty(int master, const uint8_t* bytes, size_t count);

// Serves a virtual adapter on a pseudo-terminal, so that a program opens the slave path as
// it would open the adapter's serial device. The server keeps the slave open itself: a
// client may close it and open it again, and finds the vehicle as it left it. A client that
// opens the terminal is the PC plugging in; bytes that waited for an earlier client are
// thrown away then.
class TPtyServer : private ISimEndpoint {
 public:
  explicit TPtyServer(std::shared_ptr<TVirtualAdapter> adapter);
  TPtyServer(const TPtyServer&) = delete;
  TPtyServer& operator=(const TPtyServer&) = delete;
  ~TPtyServer() override;

  // Creates the pseudo-terminal; false with `error` set when that fails.
  bool Open(QString* error);
  const QString& SlavePath() const { return slavePath_; }
  // Moves bytes between the terminal and the adapter until `stopFd` becomes readable or the
  // terminal fails; false on a failure. Lines read from `commandFd` (when not -1) go to
  // `onLine` as each completes.
  bool Serve(int stopFd, int commandFd = -1,
             const std::function<void(const QString&)>& onLine = {});

 private:
  void DeliverToPc(const uint8_t* bytes, size_t count) override;
  void AdapterUnplugged() override {}
  void WatchClients();
  void OnClientEvents();
  void SetAttached(bool attached);
  bool PumpFromPc();

  std::shared_ptr<TVirtualAdapter> adapter_;
  QString slavePath_;
  int master_ = -1;
  int slave_ = -1;
  int inotify_ = -1;
  int clients_ = 0;
  bool attached_ = false;
};
