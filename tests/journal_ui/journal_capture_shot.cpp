// Records a full read of the virtual vehicle (vardexctl read --full, with the modules
// broadcasting their state) into a bus capture, opens the capture in a journal window of its
// own as "Открыть запись трафика..." does, and saves a picture of that window to
// /tmp/journal_capture.png (or the path given). The capture is kept beside the picture.
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMainWindow>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>
#include <memory>

#include "app/ctl/ctl_context.h"
#include "app/ctl/ctl_files.h"
#include "journal/logger.h"
#include "journal/ui/log_form.h"
#include "link/adapter.h"
#include "link/bus_capture.h"
#include "shell/options_data.h"

namespace {

constexpr int kShowMs = 1500;

// The traffic of `vardexctl read --full` on the virtual vehicle, recorded into `capture`.
bool RecordFullRead(const QString& capturePath) {
  QString out;
  QString err;
  QTextStream outStream(&out);
  QTextStream errStream(&err);
  TCtlContext context(outStream, errStream, QStringLiteral("sim:live"));
  TAdapter* adapter = context.Adapter();
  if (!adapter) return false;
  auto capture = std::make_shared<TCaptureWriter>();
  QString error;
  if (!capture->Open(capturePath, &error)) return false;
  adapter->SetCapture(capture);
  QTemporaryDir dir;
  const int status = RunRead(context, {QStringLiteral("--full"), QStringLiteral("--out"),
                                       dir.filePath(QStringLiteral("full.ini"))});
  adapter->SetCapture(nullptr);
  capture->Close();
  return status == 0 && capture->Ok();
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const QString path =
      argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("/tmp/journal_capture.png");
  const QFileInfo picture(path);
  const QString capturePath = picture.dir().filePath(picture.completeBaseName() + ".pcap");
  if (!RecordFullRead(capturePath)) return 1;

  TOptionsData options;
  QMainWindow window;
  window.setWindowTitle(QStringLiteral("Vardex"));
  window.setCentralWidget(new QLabel(QStringLiteral("Модули"), &window));
  TLogger live;
  auto* form = new TLogForm(live, options.JournalColors(), &window);
  window.addDockWidget(Qt::BottomDockWidgetArea, form);
  window.resize(1000, 640);
  window.show();
  TLogForm* opened = form->OpenCapture(capturePath);
  if (!opened) return 1;
  opened->resize(1360, 600);

  int result = 1;
  QTimer::singleShot(kShowMs, &window, [&] {
    result = opened->grab().save(path) ? 0 : 1;
    app.quit();
  });
  app.exec();
  return result;
}
