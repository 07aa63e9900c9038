// Renders the example page, loaded with a few values away from their defaults, into
// /tmp/example_page.png (or the path given), so a person can judge how a page looks.
#include <QApplication>
#include <QPixmap>

#include "binding/fake_memory_area.h"
#include "example_page.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const QString path =
      argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("/tmp/example_page.png");
  auto page = MakeExamplePage();
  TFakeMemoryArea ext;
  TFakeMemoryArea msg;
  for (IBoundControl* control : page->BoundControls()) {
    if (control->GetMemID() == mlExt && control->GetLanAddr() == kExampleLanAddr) {
      ext.Attach(*control);
    } else if (control->GetMemID() == mlMsg) {
      msg.Attach(*control);
    }
  }
  ext.MarkAllValid();
  ext.Fill(82, {0x20});
  ext.Fill(90, {0x08, 1, 0x20});
  ext.Fill(198, {0x74});
  ext.Fill(242, {0x2C, 0x01});
  ext.Fill(260, {0x01});
  ext.Fill(267, {0x00});
  ext.Fill(300, {0xC8, 0xE2, 0xE0, 0xED, 0x20, 0xCF, 0xE5, 0xF2, 0xF0, 0xEE, 0xE2, 0});
  msg.Fill(5, {0x01});
  ext.LoadAll();
  msg.LoadAll();
  page->SetColour(QColor(0xF0, 0xF0, 0xF0));
  page->resize(640, 760);
  page->show();
  QApplication::processEvents();
  return page->grab().save(path) ? 0 : 1;
}
