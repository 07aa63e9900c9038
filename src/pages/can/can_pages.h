#pragma once

class TPageRegistry;

// Offers the CAN interface's pages to the main window.
void RegisterCanPages(TPageRegistry& registry);
