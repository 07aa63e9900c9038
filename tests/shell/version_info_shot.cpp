// Renders the module information page, filled from the virtual vehicle, into
// /tmp/version_info.png for a look at the result.
#include <QApplication>
#include <QPixmap>
#include <QTimer>
#include <cstdio>

#include "app/port_provider.h"
#include "fake_page_host.h"
#include "link/adapter.h"
#include "link/link_keeper.h"
#include "memory/lan_devices.h"
#include "memory/lan_rw.h"
#include "memory/msg_memory_item.h"
#include "shell/version_info.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  TPortProvider ports;
  TAdapter adapter(ports.Factory());
  TLanDevices devices;
  adapter.SetOnDeviceMessage(
      [&devices](TAdapter&, const TLanMsg& msg) { devices.DispatchMessage(msg); });
  adapter.SetDescription(QStringLiteral("sim"));
  TLanRW rw;
  rw.SetAdapter(&adapter);
  rw.SetClearDirtyAfterWrite(true);
  rw.SetLocations(kPersistentLocations);
  devices.SetRW(&rw);

  TFakePageHost host;
  TVersionInfo page(devices, host);
  devices.BindControls(page.BoundControls(), {});
  QObject::connect(&page, &TVersionInfo::MainGenerationChanged,
                   [&devices](int generation) { devices.SetMainGeneration(generation); });
  page.resize(560, 1420);
  page.show();

  for (int i = 0; i < devices.Count(); ++i) devices.Items(i).IsPresent();
  page.PageShown();
  devices.ReadDevice(devices.FindDevice(kMainModuleAddr), {mlExt, mlFlash}, {});
  for (int i = 0; i < devices.Count(); ++i) {
    if (auto* area = dynamic_cast<TMsgMemoryItem*>(devices.Items(i).FindItem(mlMsg))) {
      area->RequestUpdate();
    }
  }
  TLinkKeeper keeper(adapter);
  keeper.Start();

  QTimer::singleShot(3000, &app, [&] {
    const QString path = QStringLiteral("/tmp/version_info.png");
    const bool saved = page.grab().save(path);
    std::printf("%s %s\n", saved ? "saved" : "could not save", qPrintable(path));
    devices.SetRW(nullptr);
    app.exit(saved ? 0 : 1);
  });
  return app.exec();
}
