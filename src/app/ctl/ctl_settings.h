#pragma once

#include <span>

#include "app/ctl/ctl_context.h"
#include "binding/page_table.h"

// settings: one line per bound control of the chosen modules' pages, from a configuration
// file or read over the link: ADDR, PAGE, SECTION, CAPTION and VALUE separated by tabs.
int RunSettings(TCtlContext& context, const QStringList& args);
// The same with the page tables given, so that tests can list pages of their own.
int RunSettingsWith(TCtlContext& context, const QStringList& args,
                    std::span<const TPageTable> tables);
