#include "shell/defaults_report.h"

#include <QStringList>
#include <algorithm>

#include "memory/device_memory_item.h"
#include "memory/lan_device.h"

TDefaultsReport::TDefaultsReport(const TLanDevice& device, TMemoryLocations locations)
    : module_(device.Title()) {
  for (const auto& area : device.Items()) {
    if (!locations.Contains(area->MemID())) continue;
    // Compared with what the pages showed, unwritten edits included.
    if (area->IsLoaded()) area->TakeControlValues();
    const auto image = area->Image().first(static_cast<size_t>(area->Size()));
    areas_.push_back({area.get(), {image.begin(), image.end()}});
  }
}

QString TDefaultsReport::AreaNames() const {
  QStringList names;
  for (const TArea& area : areas_) names << area.Area->Name();
  return names.join(QStringLiteral(", "));
}

QString TDefaultsReport::Question() const {
  return QStringLiteral(
             "Вернуть заводские установки в программе?\n\n%1: %2.\n\nНастройки изменятся только "
             "в программе; в модуль они попадут командой «Записать».")
      .arg(module_, AreaNames());
}

void TDefaultsReport::Finish() {
  for (const TArea& area : areas_) {
    if (area.Area->IsLoaded()) area.Area->TakeControlValues();
  }
}

int TDefaultsReport::ChangedBytes(const TArea& area) const {
  const auto after = area.Area->Image();
  const size_t now = static_cast<size_t>(std::max(0, area.Area->Size()));
  const size_t common = std::min({area.Before.size(), after.size(), now});
  // An area that grew with the reset counts its new bytes as changed.
  int changed = static_cast<int>(now - common);
  for (size_t i = 0; i < common; ++i) changed += area.Before[i] != after[i] ? 1 : 0;
  return changed;
}

QString TDefaultsReport::Summary() const {
  QStringList lines;
  for (const TArea& area : areas_) {
    const int changed = ChangedBytes(area);
    lines << (changed == 0
                  ? QStringLiteral("%1: без изменений, уже были заводскими.").arg(area.Area->Name())
                  : QStringLiteral("%1: изменено байт: %2.").arg(area.Area->Name()).arg(changed));
  }
  return QStringLiteral(
             "Заводские установки внесены в программу (%1).\n\n%2\n\nВ модуль ещё "
             "ничего не записано: запишите их командой «Записать».")
      .arg(module_, lines.join(u'\n'));
}

QString TDefaultsReport::StatusText() const {
  return QStringLiteral("%1: заводские установки в программе, в модуль не записаны").arg(module_);
}
