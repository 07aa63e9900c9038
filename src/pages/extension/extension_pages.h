#pragma once

class TPageRegistry;

// Offers the settings pages of the extension modules to the main window.
void RegisterExtensionPages(TPageRegistry& registry);
