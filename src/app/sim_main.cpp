// vardex-sim: the virtual vehicle on a pseudo-terminal. The first line of the output is the
// terminal's path; `vardex --port /dev/pts/N` then talks to the vehicle through the real
// serial port code.

#include <signal.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include <QString>
#include <QStringList>
#include <cstdio>
#include <memory>
#include <optional>

#include "sim/capture_replay.h"
#include "sim/pty_server.h"
#include "sim/sim_options.h"
#include "sim/sim_scenario.h"

int main(int argc, char** argv) {
  QStringList arguments;
  for (int i = 1; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
  if (arguments.contains(QStringLiteral("--help")) || arguments.contains(QStringLiteral("-h"))) {
    std::printf(
        "usage: vardex-sim [OPTION[,OPTION...]]\n"
        "  main        only the main module is fitted\n"
        "  gen2        an older main module (firmware 04.xx, second-generation board)\n"
        "  nolink      frames cross at once instead of at 115200 baud\n"
        "  live|quiet  modules broadcast their state on their own, or not\n"
        "  silent=ADDR a module that never answers\n"
        "  refuse=ADDR a module that refuses access\n"
        "  miswrite=ADDR a module that stores a byte of every write wrong but confirms it\n"
        "  drop=P      loses that share of the frames, the PC's and the modules' (P: 0 to 1)\n"
        "  corrupt=P   garbles that share of the frames, the PC's and the modules'\n"
        "  corrupt=P:S ... and of the modules' garbled frames a share S keeps its checksum\n"
        "  late=P:MS   holds that share of the answers MS milliseconds longer (up to 60000);\n"
        "              may come more than once, e.g. late=0.02:150,late=0.01:1500\n"
        "  seed=N      where the random faults start (default %u): a seed repeats its run\n"
        "\nLines on standard input drive the car:\n%s\n"
        "\nusage: vardex-sim --replay CAPTURE\n"
        "  plays the modules' side of a bus capture (vardexctl monitor --save, the journal's\n"
        "  \"Записать трафик шины...\") with its recorded timing, from the moment a program\n"
        "  opens the terminal on\n",
        TSimFaults::kDefaultSeed, qPrintable(ScenarioHelp()));
    return 0;
  }
  QString error;
  std::optional<TCaptureFile> capture;
  if (!arguments.isEmpty() && arguments.front() == u"--replay") {
    if (arguments.size() != 2) {
      std::fprintf(stderr, "vardex-sim: --replay takes one capture file and nothing else\n");
      return 2;
    }
    capture = ReadCapture(arguments[1]);
    if (!capture->Usable()) {
      std::fprintf(stderr, "vardex-sim: %s: %s\n", qPrintable(arguments[1]),
                   qPrintable(capture->Error));
      return 2;
    }
    if (!capture->Error.isEmpty())
      std::fprintf(stderr, "vardex-sim: %s: %s; playing the frames before it\n",
                   qPrintable(arguments[1]), qPrintable(capture->Error));
    arguments.clear();
  }
  const auto options = TSimOptions::Parse(arguments.join(u','), &error);
  if (!options) {
    std::fprintf(stderr, "vardex-sim: %s\n", qPrintable(error));
    return 2;
  }

  // Signals arrive through a descriptor, so that the server stops between two reads.
  sigset_t stopSignals;
  sigemptyset(&stopSignals);
  sigaddset(&stopSignals, SIGINT);
  sigaddset(&stopSignals, SIGTERM);
  sigaddset(&stopSignals, SIGHUP);
  pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
  const int stopFd = signalfd(-1, &stopSignals, SFD_CLOEXEC);
  if (stopFd < 0) {
    std::perror("vardex-sim: signalfd");
    return 1;
  }

  if (capture) {
    TCaptureReplay replay(std::move(capture->Records));
    if (!replay.Open(&error)) {
      std::fprintf(stderr, "vardex-sim: %s\n", qPrintable(error));
      return 1;
    }
    std::printf("%s\n", qPrintable(replay.SlavePath()));
    std::fflush(stdout);
    const bool ok = replay.Serve(stopFd, [] {
      std::fprintf(stderr, "vardex-sim: the capture has been played to its end\n");
    });
    ::close(stopFd);
    return ok ? 0 : 1;
  }

  // Created after the signals are blocked: the scheduler thread inherits the mask.
  auto adapter = std::make_shared<TVirtualAdapter>(*options);
  TPtyServer server(adapter);
  if (!server.Open(&error)) {
    std::fprintf(stderr, "vardex-sim: %s\n", qPrintable(error));
    return 1;
  }
  std::printf("%s\n", qPrintable(server.SlavePath()));
  std::fflush(stdout);
  const bool ok = server.Serve(stopFd, STDIN_FILENO, [&adapter](const QString& line) {
    const QString error = RunScenarioLine(*adapter, line);
    if (!error.isEmpty()) std::fprintf(stderr, "vardex-sim: %s\n", qPrintable(error));
  });
  ::close(stopFd);
  return ok ? 0 : 1;
}
