#pragma once

#include <cstdint>
#include <functional>
#include <span>

class TPageControls;

// A page's data item over bytes of the page's model: loading fills them, storing writes them
// back, factory settings put `factory` in; `shown` runs after each load and reset.
void BindBytes(const TPageControls& controls, const char* item, std::span<uint8_t> bytes,
               std::span<const uint8_t> factory, const std::function<void()>& shown);
// What a grid changed in an item's bytes goes to its area at once.
void StoreItem(const TPageControls& controls, const char* item);
