#include "pages/extension/page_bus.h"

#include "binding/ui/page_command.h"
#include "binding/ui/page_host.h"
#include "binding/ui/vd_frame.h"

void TellPageShown(TVDFrame& page, IPageHost& host, uint8_t module, bool shown) {
  if (!page.HasBus() || host.DemoMode() || !host.ModuleAvailable(module)) return;
  SendPageCommand(page, host, nullptr,
                  {.Dest = module, .Command = 0, .Data = {static_cast<uint8_t>(shown ? 1 : 0)}});
}
