#include "pages/settings_pages.h"

#include "pages/extension/extension_pages.h"
#include "pages/main/main_pages.h"

void RegisterSettingsPages(TPageRegistry& registry) {
  RegisterMainPages(registry);
  RegisterExtensionPages(registry);
}
