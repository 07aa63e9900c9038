#pragma once

#include <QString>
#include <QStringList>
#include <QTextStream>
#include <memory>
#include <optional>

#include "app/port_provider.h"
#include "link/adapter_journal.h"
#include "memory/user_questions.h"

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

// The command line answers a failing step of a transfer "No", which abandons the command,
// and prints on stderr what the program would have asked or shown.
class TCtlQuestions : public IUserQuestions {
 public:
  explicit TCtlQuestions(QTextStream& err) : err_(err) {}
  TUserAnswer AskStep(const QString& text) override {
    err_ << text << "\n";
    return TUserAnswer::No;
  }
  void ShowError(const QString& text) override {
    err_ << text << "\n";
    ++errors_;
  }
  int Errors() const { return errors_; }

 private:
  QTextStream& err_;
  int errors_ = 0;
};

// Link problems go to stderr as the journal would show them.
class TCtlJournal : public IAdapterJournal {
 public:
  explicit TCtlJournal(QTextStream& err) : err_(err) {}
  void AddError(int, const QString& text) override { err_ << text << "\n"; }
  void AddMessage(const TLanMsg&) override {}

 private:
  QTextStream& err_;
};

// Parses a number written in decimal or with a 0x prefix in hexadecimal.
std::optional<unsigned> ParseCtlNumber(const QString& text);

struct TCtlCommand {
  const char* Name;
  const char* Usage;
  int (*Run)(TCtlContext& context, const QStringList& args);
};
