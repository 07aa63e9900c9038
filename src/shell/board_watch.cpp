#include "shell/board_watch.h"

#include "link/lan_msg.h"
#include "memory/base_device_memory_item.h"

TBoardWatch::TBoardWatch(std::function<void(int)> changed) : changed_(std::move(changed)) {
  TComponentData& data = ComponentData();
  data.SetLanAddr(kMainModuleAddr);
  data.SetMemID(mlExt);
  data.SetAddr(0);
  data.SetDataType(stArray);
  data.SetMaxVal(1);
}

void TBoardWatch::Load() {
  TBaseDeviceMemoryItem* mem = GetMem();
  if (mem == nullptr || !mem->IsLoaded()) return;
  changed_(BoardGenerationOf(mem->GetByte(0)));
}
