#pragma once

#include <QLocalServer>
#include <QObject>
#include <QString>

// Keeps one running instance per user: the first start listens on a local socket named after
// the program's lock name; a later start asks it to come to the front and then ends. The socket
// lives in a folder only the user can write to (the session's runtime folder, else a private
// folder in the user's cache): in a shared folder such as /tmp anyone could create it first and
// keep the user's program from starting.
class TSingleInstance : public QObject {
  Q_OBJECT

 public:
  static constexpr char kLockName[] = "Vardex Tarsk 5";

  explicit TSingleInstance(QString name = QString::fromUtf8(kLockName), QObject* parent = nullptr);
  ~TSingleInstance() override;

  // True for the first instance, which then listens; false when another instance runs and
  // was asked to come to the front.
  bool Acquire();
  // Where the socket lives; empty when no private folder could be had, and then every start
  // runs on its own.
  QString SocketPath() const;

 signals:
  // A later start asked this instance to bring its window to the front.
  void ActivateRequested();

 private:
  QString name_;
  QLocalServer server_;
};
