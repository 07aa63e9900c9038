#include "memory/ee_memory_item.h"

#include <algorithm>

#include "memory/bound_cell.h"
#include "memory/lan_dev_error.h"
#include "memory/lan_device.h"
#include "memory/lan_devices.h"
#include "memory/rw.h"

uint8_t TEEMemoryItem::GetByte(int index) {
  CheckIndex(index);
  ValidMarks()[static_cast<size_t>(index)] = true;
  return ImageAt(index);
}

void TEEMemoryItem::SetByte(int index, uint8_t value) {
  CheckIndex(index);
  if (!ValidMarks()[static_cast<size_t>(index)]) {
    throw ELanDev(QStringLiteral("Запись в непрочитанную память по адресу %1").arg(index, 0, 16));
  }
  TDeviceMemoryItem::SetByte(index, value);
}

void TEEMemoryItem::ReadRange(int start, int count) {
  TRW* channel = RW();
  if (!channel) return;
  channel->SetDevice(Device());
  channel->SetItem(this);
  channel->Read(start, ImageRange(start, count));
}

void TEEMemoryItem::Progress(const QString& text, int done, int total) {
  if (Device()) Device()->Owner().ReportProgress(text, done, total);
}

bool TEEMemoryItem::Load(TRW& channel, const ITransferContext& context) {
  const bool whole = TRAMMemoryItem::Load(channel, context);
  if (context.Cancelled()) return false;
  context.OnOwner([&] {
    SetLoaded(true);
    if (channel.ClearDirtyAfterWrite()) SetModified(false);
  });
  return whole;
}

void TEEMemoryItem::SetDefaults(TRW& channel) {
  channel.SetItem(this);
  const TChannelScope scope(*this, &channel);
  if (!IsLoaded()) {
    const auto image = ImageRange(0, Capacity());
    std::fill(image.begin(), image.end(), uint8_t{0});
  }
  const QString text = QStringLiteral("Очистка: ") + GetTitle();
  const int total = static_cast<int>(Controls().size());
  int k = 0;
  for (IBoundControl* control : Controls()) {
    SetMarks(ValidMarks(), control->GetAddr(), control->GetSize(), true);
    control->SetDefault();
    SetMarks(ChangedMarks(), control->GetAddr(), control->GetSize(), true);
    Progress(text, ++k, total);
  }
  SetLoaded(true);
  SetModified(true);
}
