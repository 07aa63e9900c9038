#pragma once

#include <span>

#include "binding/page_table.h"

class TPageRegistry;

// Every settings page of every module without its widgets, in the order of the module panel:
// what the command line reads, writes, lists and compares.
std::span<const TPageTable> SettingsPageTables();

// Offers every settings page of every module to the main window.
void RegisterSettingsPages(TPageRegistry& registry);
