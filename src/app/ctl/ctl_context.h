#pragma once

#include <QString>
#include <QStringList>
#include <QTextStream>
#include <memory>
#include <optional>

#include "app/port_provider.h"

// Exit codes of vardexctl.
enum TCtlExit : int { kExitOk = 0, kExitFailed = 1, kExitUsage = 2 };

// What a vardexctl command works with: its output streams and, on demand, the link.
class TCtlContext {
 public:
  TCtlContext(QTextStream& out, QTextStream& err, QString portDescription);
  ~TCtlContext();

  QTextStream& Out() { return out_; }
  QTextStream& Err() { return err_; }
  const QString& PortDescription() const { return portDescription_; }
  // Opens the adapter at the first call; nullptr (with a message on stderr) when it fails.
  TAdapter* Adapter();
  // Standard input as text, for commands that read it when given no arguments.
  QString ReadStdin();

 private:
  QTextStream& out_;
  QTextStream& err_;
  QString portDescription_;
  TPortProvider ports_;
  std::unique_ptr<TAdapter> adapter_;
};

// Parses a number written in decimal or with a 0x prefix in hexadecimal.
std::optional<unsigned> ParseCtlNumber(const QString& text);

struct TCtlCommand {
  const char* Name;
  const char* Usage;
  int (*Run)(TCtlContext& context, const QStringList& args);
};
