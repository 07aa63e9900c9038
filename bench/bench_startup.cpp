// Start-up time: from process start to the main window shown (the program says "shown" on
// its first turn of the event loop after showing it), for vardex against the virtual vehicle
// and for a bare Qt main window, each the median of several runs.
#include <QApplication>
#include <QElapsedTimer>
#include <QMainWindow>
#include <QProcess>
#include <QStatusBar>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kRuns = 7;

struct TProgram {
  QString Path;
  QStringList Args;
  std::vector<double> Times;
};

// The time until the window is up, not until the program has wound down again; -1 on failure.
double StartMs(const TProgram& program) {
  QElapsedTimer timer;
  timer.start();
  QProcess process;
  process.start(program.Path, program.Args);
  while (!process.canReadLine() && process.waitForReadyRead(30000)) {
  }
  const double shown = static_cast<double>(timer.nsecsElapsed()) / 1e6;
  if (!process.readLine().startsWith("shown") || !process.waitForFinished(30000) ||
      process.exitCode() != 0) {
    std::fprintf(stderr, "%s failed: %s\n", qPrintable(program.Path),
                 process.readAllStandardError().constData());
    return -1;
  }
  return shown;
}

// The programs take turns, so that a busy moment of the machine falls on all of them alike
// rather than on whichever ran then.
bool MeasureInTurns(std::vector<TProgram>& programs) {
  for (int i = 0; i < kRuns; ++i) {
    for (TProgram& program : programs) {
      const double ms = StartMs(program);
      if (ms < 0) return false;
      program.Times.push_back(ms);
    }
  }
  return true;
}

double Median(std::vector<double> times) {
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

}  // namespace

int main(int argc, char* argv[]) {
  const QString mode = argc > 1 ? QString::fromLatin1(argv[1]) : QString();
  if (mode == u"--bare" || mode == u"--bare-text") {
    QApplication app(argc, argv);
    QMainWindow window;
    window.resize(1100, 760);
    // The first line of text loads the font database, which any program that shows text
    // pays for; this variant tells that cost apart from the program's own work.
    if (mode == u"--bare-text") window.statusBar()->showMessage(QStringLiteral("Vardex"));
    window.show();
    QTimer::singleShot(0, &app, [] {
      std::fputs("shown\n", stdout);
      std::fflush(stdout);
      QApplication::quit();
    });
    return QApplication::exec();
  }
  QCoreApplication app(argc, argv);
  const QString self = QCoreApplication::applicationFilePath();
  const QString vardex = QStringLiteral(VARDEX_PATH);
  // A settings folder of its own, so that the run neither reads nor writes the user's.
  qputenv("XDG_CONFIG_HOME", "/tmp/vardex-bench-config");
  std::vector<TProgram> programs = {{self, {QStringLiteral("--bare")}, {}},
                                    {self, {QStringLiteral("--bare-text")}, {}},
                                    {vardex,
                                     {QStringLiteral("--port"), QStringLiteral("sim:nolink"),
                                      QStringLiteral("--exit-when-shown")},
                                     {}}};
  if (!MeasureInTurns(programs)) return 1;
  const double bare = Median(programs[0].Times);
  const double bareText = Median(programs[1].Times);
  const double program = Median(programs[2].Times);
  std::printf("start-up to the window shown, median of %d runs:\n", kRuns);
  std::printf("  bare Qt main window               %8.1f ms\n", bare);
  std::printf("  bare Qt main window with a text   %8.1f ms\n", bareText);
  std::printf("  vardex (sim:nolink)               %8.1f ms\n", program);
  std::printf("  ratio to the bare window          %8.2f\n", program / bare);
  std::printf("  ratio to the window with a text   %8.2f\n", program / bareText);
  return 0;
}
