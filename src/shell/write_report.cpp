#include "shell/write_report.h"

#include <QStringList>

#include "memory/device_memory_item.h"
#include "memory/lan_device.h"

namespace {

QString Address(int address) {
  return QStringLiteral("0x") +
         QString::number(address, 16).toUpper().rightJustified(4, QLatin1Char('0'));
}

}  // namespace

TWriteReport::TWriteReport(const std::vector<TLanDevice*>& devices, TMemoryLocations locations,
                           bool verifies, const std::function<bool(const TLanDevice&)>& reachable)
    : verifies_(verifies) {
  for (TLanDevice* device : devices) {
    for (const auto& area : device->Items()) {
      if (!locations.Contains(area->MemID()) || area->Size() <= 0) continue;
      // The write takes the controls' values first; so does the count.
      if (area->IsLoaded()) area->TakeControlValues();
      const int toSend = CountChanged(*area);
      if (toSend == 0) continue;
      TArea entry;
      entry.Area = area.get();
      entry.Attempted = reachable(*device) && area->IsLoaded();
      entry.ToSend = toSend;
      areas_.push_back(entry);
    }
  }
}

int TWriteReport::CountChanged(const TDeviceMemoryItem& area, int* first) {
  int count = 0;
  for (int i = 0; i < area.Size(); ++i) {
    if (!area.IsChanged(i)) continue;
    if (first && count == 0) *first = i;
    ++count;
  }
  return count;
}

void TWriteReport::Finish() {
  for (TArea& area : areas_) {
    area.Left = CountChanged(*area.Area, &area.FirstLeft);
    if (area.Attempted) area.Mismatch = area.Area->WriteMismatch();
  }
}

bool TWriteReport::Failed() const {
  for (const TArea& area : areas_) {
    if (area.Attempted && area.Left > 0) return true;
  }
  return false;
}

QString TWriteReport::Title(const TArea& area) {
  return area.Area->Device()->Title() + QStringLiteral(" — ") + area.Area->Name();
}

QString TWriteReport::StatusText() const {
  QStringList written;
  for (const TArea& area : areas_) {
    if (area.Attempted && area.Left < area.ToSend) written << Title(area);
  }
  if (Failed()) {
    return QStringLiteral("Запись не завершена: часть настроек осталась незаписанной");
  }
  if (written.isEmpty()) return QStringLiteral("Записывать нечего: изменений нет");
  return (verifies_ ? QStringLiteral("Записано и проверено: ") : QStringLiteral("Записано: ")) +
         written.join(QStringLiteral(", "));
}

QString TWriteReport::Line(const TArea& area) const {
  const QString title = Title(area);
  if (!area.Attempted) {
    return QStringLiteral("%1: не записано байт: %2 (модуль недоступен или не прочитан).")
        .arg(title)
        .arg(area.Left);
  }
  const int written = area.ToSend - area.Left;
  QString line = QStringLiteral("%1: записано байт: %2").arg(title).arg(written);
  if (verifies_ && written > 0) line += QStringLiteral(", проверено");
  if (area.Left == 0) return line + u'.';
  const QString cause = area.Mismatch
                            ? QStringLiteral("при проверке прочитано не то, что записано")
                            : QStringLiteral("модуль не подтвердил запись, подробности в журнале");
  return line + QStringLiteral("; ошибка: не записано байт: %1, первый адрес %2 — %3.")
                    .arg(area.Left)
                    .arg(Address(area.FirstLeft), cause);
}

QString TWriteReport::Details() const {
  QStringList lines;
  for (const TArea& area : areas_) lines << Line(area);
  return QStringLiteral(
             "Запись завершилась с ошибками.\n\n%1\n\nНезаписанное осталось отмеченным: "
             "следующая команда «Записать» отправит его снова.")
      .arg(lines.join(u'\n'));
}
