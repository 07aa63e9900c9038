#pragma once

#include <memory>

#include "memory/module_table.h"
#include "memory/msg_memory_item.h"

// The message area of a module kind; nullptr for the classes that are not message areas.
std::unique_ptr<TMsgMemoryItem> MakeMessageArea(TAreaClass areaClass);
