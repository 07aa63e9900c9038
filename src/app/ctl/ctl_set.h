#pragma once

#include <span>

#include "app/ctl/ctl_context.h"
#include "binding/page_table.h"

// set: takes settings as `settings` lists them (ADDR, PAGE, SECTION, CAPTION and VALUE
// separated by tabs) and puts them into the modules, or from one configuration file into
// another; all of them or, when one line is wrong, none.
int RunSet(TCtlContext& context, const QStringList& args);
// The same with the page tables given, so that tests can set pages of their own.
int RunSetWith(TCtlContext& context, const QStringList& args, std::span<const TPageTable> tables);
