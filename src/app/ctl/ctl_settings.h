#pragma once

#include <QTextStream>
#include <functional>
#include <set>
#include <span>

#include "app/ctl/ctl_context.h"
#include "binding/page_table.h"

class TDeviceMemoryItem;
class THeadlessPage;
class TLanDevices;

// settings: one line per bound control of the chosen modules' pages, from a configuration
// file or read over the link: ADDR, PAGE, SECTION, CAPTION and VALUE separated by tabs.
int RunSettings(TCtlContext& context, const QStringList& args);
// The same with the page tables given, so that tests can list pages of their own.
int RunSettingsWith(TCtlContext& context, const QStringList& args,
                    std::span<const TPageTable> tables);

// Whether a byte of an area holds a value the command really got, from the module or a file.
using TKnownByte = std::function<bool(const TDeviceMemoryItem& area, int index)>;

// The lines of one page bound without widgets to `devices`, in page order; rows of other
// boards than `boardGeneration` are left out, as the page leaves them out, and so are the
// settings of modules other than `modules` unless that is empty. A value whose bytes are not
// all `known` shows "?". Returns how many lines of settings memories show it.
int PrintSettings(QTextStream& out, TLanDevices& devices, const TPageTable& table,
                  const THeadlessPage& page, int boardGeneration, const std::set<int>& modules,
                  const TKnownByte& known);
