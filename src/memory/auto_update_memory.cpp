#include "memory/auto_update_memory.h"

#include <QStringLiteral>
#include <algorithm>
#include <map>

#include "memory/bound_cell.h"

uint8_t TAutoUpdateMemory::GetByte(int index) {
  CheckIndex(index);
  UpdatedMarks()[static_cast<size_t>(index)] = false;
  return ImageAt(index);
}

void TAutoUpdateMemory::SetByte(int index, uint8_t value) {
  CheckIndex(index);
  ImageAt(index) = value;
  UpdatedMarks()[static_cast<size_t>(index)] = true;
}

void TAutoUpdateMemory::NotifyUpdated() {
  const auto& marks = UpdatedMarks();
  const int end = std::min(Size(), static_cast<int>(marks.size()));
  const int total = static_cast<int>(std::count(marks.begin(), marks.begin() + end, true));
  // The controls by the index they start at, each list in binding order.
  std::map<int, std::vector<IBoundControl*>> byAddr;
  for (IBoundControl* control : Controls()) byAddr[control->GetAddr()].push_back(control);

  const QString text = QStringLiteral("Обновление элементов");
  int done = 0;
  for (int i = 0; i < end; ++i) {
    if (!marks[static_cast<size_t>(i)]) continue;
    Progress(text, done, total);
    const auto found = byAddr.find(i);
    if (found == byAddr.end()) continue;
    for (IBoundControl* control : found->second) {
      control->Load();
      done += control->GetSize();
    }
  }
}
