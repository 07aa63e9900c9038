// Renders the options page, read from a main module with a few settings away from the
// factory values, into build/main_options.png (or the path given, at the width given), so a
// person can judge how the page looks. The page is taller than a window: the sections are
// shown whole.
#include <QApplication>
#include <QPixmap>
#include <QScrollArea>

#include "binding/ui/category_panels.h"
#include "options_page_fixture.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const QString path =
      argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("build/main_options.png");
  const int width = argc > 2 ? QString::fromLocal8Bit(argv[2]).toInt() : 900;
  TBoundOptionsPage bound;
  bound.module.Put(192, {0x10});
  bound.module.Put(212, {0x21, 0x43, 0x10, 0x02});
  bound.module.Put(242, {0x6B, 0x0A, 0, 0, 0x53, 0x00});
  bound.module.Put(512, {20, 26});
  bound.module.Put(658, {0x40, 0x34});
  bound.module.Put(682, {0x14, 0x0A, 0x1E});
  bound.module.Put(702, {0x96});
  bound.Read();
  bound.Status(4, 5);
  TMainOptions& page = bound.page;
  page.SetColour(QColor(0xF0, 0xF0, 0xF0));
  page.resize(width, 700);
  page.show();
  QApplication::processEvents();
  // Every section at once: the page as tall as its content.
  QWidget* content = page.CategoryPanels1()->widget();
  page.resize(width, content->sizeHint().height() + 4);
  QApplication::processEvents();
  return page.grab().save(path) ? 0 : 1;
}
