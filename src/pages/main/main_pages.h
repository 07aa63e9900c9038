#pragma once

class TPageRegistry;

// Offers the settings pages of the main module to the main window.
void RegisterMainPages(TPageRegistry& registry);
