#include "pages/settings_pages.h"

#include "pages/can/can_pages.h"
#include "pages/extension/extension_pages.h"
#include "pages/gsm/gsm_pages.h"
#include "pages/main/main_pages.h"

void RegisterSettingsPages(TPageRegistry& registry) {
  RegisterMainPages(registry);
  RegisterGsmPages(registry);
  RegisterCanPages(registry);
  RegisterExtensionPages(registry);
}
