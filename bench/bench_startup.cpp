// Start-up time: from process start to the main window shown, for vardex against the
// virtual vehicle and for a bare Qt main window, each the median of several runs.
#include <QApplication>
#include <QElapsedTimer>
#include <QMainWindow>
#include <QProcess>
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
    if (!process.waitForFinished(30000) || process.exitCode() != 0) {
      std::fprintf(stderr, "%s failed: %s\n", qPrintable(program),
                   process.readAllStandardError().constData());
      return -1;
    }
    times.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc > 1 && QString::fromLatin1(argv[1]) == u"--bare") {
    QApplication app(argc, argv);
    QMainWindow window;
    window.resize(1100, 760);
    window.show();
    QTimer::singleShot(0, &app, [] { QApplication::quit(); });
    return QApplication::exec();
  }
  QCoreApplication app(argc, argv);
  const QString self = QCoreApplication::applicationFilePath();
  const QString vardex = QStringLiteral(VARDEX_PATH);
  // A settings folder of its own, so that the run neither reads nor writes the user's.
  qputenv("XDG_CONFIG_HOME", "/tmp/vardex-bench-config");
  const double bare = MedianMs(self, {QStringLiteral("--bare")});
  const double program = MedianMs(
      vardex, {QStringLiteral("--port"), QStringLiteral("sim:nolink"), QStringLiteral("--exit-when-shown")});
  if (bare <= 0 || program <= 0) return 1;
  std::printf("start-up, median of %d runs:\n", kRuns);
  std::printf("  bare Qt main window  %8.1f ms\n", bare);
  std::printf("  vardex (sim:nolink)  %8.1f ms\n", program);
  std::printf("  ratio                %8.2f\n", program / bare);
  return 0;
}
