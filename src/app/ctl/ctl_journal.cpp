#include "app/ctl/ctl_journal.h"

#include <sys/signalfd.h>
#include <unistd.h>

#include <QEventLoop>
#include <QSocketNotifier>
#include <QTimer>
#include <csignal>
#include <optional>

#include "journal/logger.h"
#include "link/adapter.h"
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

}  // namespace

int RunMonitor(TCtlContext& context, const QStringList& args) {
  std::optional<unsigned> seconds;
  for (qsizetype i = 0; i < args.size(); ++i) {
    const QString& arg = args[i];
    QString value;
    if (arg == u"--seconds" && i + 1 < args.size()) {
      value = args[++i];
    } else if (arg.startsWith(u"--seconds=")) {
      value = arg.section(u'=', 1);
    } else {
      context.Err() << "vardexctl monitor: unexpected argument " << arg << "\n";
      return kExitUsage;
    }
    seconds = ParseCtlNumber(value);
    if (!seconds || *seconds == 0) {
      context.Err() << "vardexctl monitor: --seconds takes a whole number above 0\n";
      return kExitUsage;
    }
  }

  TInterruptWatch interrupt;
  TAdapter* adapter = context.Adapter();
  if (!adapter) return kExitFailed;

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
  return kExitOk;
}
