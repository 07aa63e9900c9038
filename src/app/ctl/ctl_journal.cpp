#include "app/ctl/ctl_journal.h"

#include <sys/signalfd.h>
#include <unistd.h>

#include <QEventLoop>
#include <QSocketNotifier>
#include <QTimer>
#include <csignal>
#include <optional>

#include "journal/capture_journal.h"
#include "journal/logger.h"
#include "link/adapter.h"
#include "link/bus_capture.h"
#include "link/link_keeper.h"
#include "memory/presence_replies.h"

namespace {

// Ctrl-C ends the monitor through the event loop, so the adapter closes its threads and the
// device in order. SIGINT is blocked while the monitor runs (before the adapter starts its
// threads, which inherit the mask) and read from a descriptor instead.
class TInterruptWatch {
 public:
  TInterruptWatch() {
    sigemptyset(&mask_);
    sigaddset(&mask_, SIGINT);
    pthread_sigmask(SIG_BLOCK, &mask_, &previous_);
    fd_ = signalfd(-1, &mask_, SFD_CLOEXEC | SFD_NONBLOCK);
  }
  TInterruptWatch(const TInterruptWatch&) = delete;
  TInterruptWatch& operator=(const TInterruptWatch&) = delete;
  ~TInterruptWatch() {
    notifier_.reset();
    if (fd_ >= 0) close(fd_);
    pthread_sigmask(SIG_SETMASK, &previous_, nullptr);
  }

  // Quits `loop` at the first interrupt.
  void QuitOnInterrupt(QEventLoop& loop) {
    if (fd_ < 0) return;
    notifier_.emplace(fd_, QSocketNotifier::Read);
    QObject::connect(&*notifier_, &QSocketNotifier::activated, &loop, [this, &loop] {
      signalfd_siginfo info{};
      while (read(fd_, &info, sizeof info) == static_cast<ssize_t>(sizeof info)) {
      }
      loop.quit();
    });
  }

 private:
  sigset_t mask_{};
  sigset_t previous_{};
  int fd_ = -1;
  std::optional<QSocketNotifier> notifier_;
};

// The value of `--name VALUE` or `--name=VALUE` at args[i]; advances i past a separate value.
std::optional<QString> OptionValue(const QStringList& args, qsizetype& i, QStringView name) {
  const QString& arg = args[i];
  if (arg == name) {
    if (i + 1 >= args.size()) return QString();
    return args[++i];
  }
  if (arg.startsWith(name) && arg.mid(name.size()).startsWith(u'='))
    return arg.mid(name.size() + 1);
  return std::nullopt;
}

void PrintLines(TCtlContext& context, const TLogger& journal) {
  for (int i = 0; i < journal.ViewCount(); ++i)
    context.Out() << journal.ExportLine(*journal.EntryAt(i)) << "\n";
}

}  // namespace

int RunMonitor(TCtlContext& context, const QStringList& args) {
  std::optional<unsigned> seconds;
  QString saveName;
  for (qsizetype i = 0; i < args.size(); ++i) {
    if (const auto value = OptionValue(args, i, u"--seconds")) {
      seconds = ParseCtlNumber(*value);
      if (!seconds || *seconds == 0) {
        context.Err() << "vardexctl monitor: --seconds takes a whole number above 0\n";
        return kExitUsage;
      }
    } else if (const auto file = OptionValue(args, i, u"--save")) {
      if (file->isEmpty()) {
        context.Err() << "vardexctl monitor: --save takes a file name\n";
        return kExitUsage;
      }
      saveName = *file;
    } else {
      context.Err() << "vardexctl monitor: unexpected argument " << args[i] << "\n";
      return kExitUsage;
    }
  }

  std::shared_ptr<TCaptureWriter> capture;
  if (!saveName.isEmpty()) {
    capture = std::make_shared<TCaptureWriter>();
    QString error;
    if (!capture->Open(saveName, &error)) {
      context.Err() << "vardexctl monitor: " << error << "\n";
      return kExitUsage;
    }
  }

  TInterruptWatch interrupt;
  TAdapter* adapter = context.Adapter();
  if (!adapter) return kExitFailed;
  adapter->SetCapture(capture);

  auto owned = std::make_unique<TLogger>();
  TLogger* journal = owned.get();
  QObject::connect(journal, &TLogger::EntryAdded, journal, [&context, journal](int viewIndex) {
    context.Out() << journal->ExportLine(*journal->EntryAt(viewIndex)) << "\n";
    context.Out().flush();
  });
  adapter->SetJournal(std::move(owned));
  // The modules count a PC that stops answering their presence messages as gone.
  adapter->SetOnDeviceMessage([](TAdapter& link, const TLanMsg& msg) {
    for (const TLanMsg& reply : PresenceReplies(msg)) link.SendMsg(reply);
  });

  TLinkKeeper keeper(*adapter);
  keeper.Start();
  QEventLoop loop;
  interrupt.QuitOnInterrupt(loop);
  if (seconds) QTimer::singleShot(std::chrono::seconds(*seconds), &loop, &QEventLoop::quit);
  loop.exec();
  keeper.Stop();
  adapter->SetCapture(nullptr);
  if (!capture) return kExitOk;
  capture->Close();
  QString error;
  if (!capture->Ok(&error)) {
    context.Err() << "vardexctl monitor: the capture " << saveName << " is incomplete: " << error
                  << "\n";
    return kExitFailed;
  }
  context.Err() << capture->RecordCount() << " frames saved to " << saveName << "\n";
  return kExitOk;
}

int RunDecodeCapture(TCtlContext& context, const QStringList& args) {
  QString fileName;
  for (qsizetype i = 0; i < args.size(); ++i) {
    const auto value = OptionValue(args, i, u"--file");
    if (!value || value->isEmpty() || !fileName.isEmpty()) {
      context.Err() << "vardexctl decode: --file takes one capture file and nothing else\n";
      return kExitUsage;
    }
    fileName = *value;
  }
  const TCaptureFile capture = ReadCapture(fileName);
  if (!capture.Usable()) {
    context.Err() << "vardexctl decode: " << fileName << ": " << capture.Error << "\n";
    return kExitUsage;
  }
  PrintLines(context, *CaptureJournal(capture.Records));
  if (capture.Error.isEmpty()) return kExitOk;
  // The lines before the damage are worth having, but the capture is not whole.
  context.Err() << "vardexctl decode: " << fileName << ": " << capture.Error << "\n";
  return kExitFailed;
}
