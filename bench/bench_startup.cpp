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

double MedianMs(const QString& program, const QStringList& args) {
  std::vector<double> times;
  for (int i = 0; i < kRuns; ++i) {
    QElapsedTimer timer;
    timer.start();
    QProcess process;
    process.start(program, args);
    // The time until the window is up, not until the program has wound down again.
    while (!process.canReadLine() && process.waitForReadyRead(30000)) {
    }
    const double shown = static_cast<double>(timer.nsecsElapsed()) / 1e6;
    if (!process.readLine().startsWith("shown") || !process.waitForFinished(30000) ||
        process.exitCode() != 0) {
      std::fprintf(stderr, "%s failed: %s\n", qPrintable(program),
                   process.readAllStandardError().constData());
      return -1;
    }
    times.push_back(shown);
  }
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
  const double bare = MedianMs(self, {QStringLiteral("--bare")});
  const double bareText = MedianMs(self, {QStringLiteral("--bare-text")});
  const double program = MedianMs(vardex, {QStringLiteral("--port"), QStringLiteral("sim:nolink"),
                                           QStringLiteral("--exit-when-shown")});
  if (bare <= 0 || bareText <= 0 || program <= 0) return 1;
  std::printf("start-up to the window shown, median of %d runs:\n", kRuns);
  std::printf("  bare Qt main window               %8.1f ms\n", bare);
  std::printf("  bare Qt main window with a text   %8.1f ms\n", bareText);
  std::printf("  vardex (sim:nolink)               %8.1f ms\n", program);
  std::printf("  ratio to the bare window          %8.2f\n", program / bare);
  std::printf("  ratio to the window with a text   %8.2f\n", program / bareText);
  return 0;
}
