#pragma once

#include <span>

#include "app/ctl/ctl_context.h"
#include "binding/page_table.h"

struct TConfigDiff;

// diff: compares two configuration files, or a file with the modules, setting by setting; one
// line per difference, and an exit status as diff(1) gives it.
int RunDiff(TCtlContext& context, const QStringList& args);
// The same with the page tables given, so that tests can compare through pages of their own.
int RunDiffWith(TCtlContext& context, const QStringList& args, std::span<const TPageTable> tables);

// The lines of a comparison as diff prints them: settings, then bytes no setting shows, then
// areas on one side only.
void PrintConfigDiff(QTextStream& out, const TConfigDiff& diff);
