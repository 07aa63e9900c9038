// Shows the journal window docked in a main window while the virtual vehicle talks, and saves
// a picture of it to /tmp/journal_window.png (or the path given), so a person can judge how
// the journal reads.
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QPixmap>
#include <QTimer>
#include <memory>

#include "app/port_provider.h"
#include "journal/logger.h"
#include "journal/ui/log_form.h"
#include "link/adapter.h"
#include "link/link_keeper.h"
#include "shell/options_data.h"

namespace {

constexpr int kRunMs = 5000;
constexpr int kJournalHeight = 440;

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const QString path =
      argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("/tmp/journal_window.png");
  TPortProvider ports;
  TAdapter adapter(ports.Factory());
  auto owned = std::make_unique<TLogger>();
  TLogger* journal = owned.get();
  adapter.SetJournal(std::move(owned));
  adapter.SetDescription(QStringLiteral("sim"));
  TLinkKeeper keeper(adapter);
  keeper.Start();

  TOptionsData options;
  QMainWindow window;
  window.setWindowTitle(QStringLiteral("Vardex"));
  window.setCentralWidget(new QLabel(QStringLiteral("Модули"), &window));
  auto* form = new TLogForm(*journal, options.JournalColors(), &window);
  window.addDockWidget(Qt::BottomDockWidgetArea, form);
  window.resize(1000, 640);
  window.show();
  QApplication::processEvents();
  window.resizeDocks({form}, {kJournalHeight}, Qt::Vertical);

  int result = 1;
  QTimer::singleShot(kRunMs, &window, [&] {
    result = window.grab().save(path) ? 0 : 1;
    app.quit();
  });
  app.exec();
  keeper.Stop();
  return result;
}
