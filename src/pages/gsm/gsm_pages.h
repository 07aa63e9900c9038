#pragma once

class TPageRegistry;

// Offers the settings pages of the GSM module to the main window.
void RegisterGsmPages(TPageRegistry& registry);
