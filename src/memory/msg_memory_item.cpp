#include "memory/msg_memory_item.h"

#include "link/adapter.h"
#include "memory/lan_device.h"
#include "memory/lan_devices.h"
#include "memory/lan_rw.h"

void TMsgMemoryItem::SetCommands(std::span<const uint8_t> commands) {
  commands_.reset();
  for (const uint8_t command : commands) commands_.set(command);
}

void TMsgMemoryItem::HandleMessage(const TLanMsg& msg) {
  if (Handle(msg)) NotifyUpdated();
}

void TMsgMemoryItem::RequestUpdate() {
  NotifyUpdated();
  if (TAdapter* adapter = GetAdapter()) {
    const TRequests requests = Requests();
    for (const uint8_t command : requests.Commands) {
      adapter->QueueCommand(kPcAddr, static_cast<uint8_t>(requests.Address), command);
    }
  }
  SetLoaded(true);
}

void TMsgMemoryItem::ClearAll() {
  for (int i = 0; i < Size(); ++i) SetByte(i, 0);
  NotifyUpdated();
}

TAdapter* TMsgMemoryItem::GetAdapter() const {
  if (!Device()) return nullptr;
  TLanRW* rw = Device()->Owner().RW();
  return rw ? rw->Adapter() : nullptr;
}

void TMsgMemoryItem::Put(int index, const TLanMsg& msg, int first, int count) {
  for (int i = 0; i < count && first + i < kMaxMsgData; ++i) {
    SetByte(index + i, msg.Data[static_cast<size_t>(first + i)]);
  }
}
