#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>

class TVDData;

// Bytes that a page's own widget shows and edits, kept one to one in a data item: loading
// fills them, storing writes them back, and the factory value (where there is one) fills them
// all, or the factory bytes (where given) fill them one by one; without either a factory reset
// leaves the module's bytes as they are. Shown runs after every load and reset, once the last
// byte has arrived.
struct TByteTable {
  std::span<uint8_t> Bytes;
  std::function<void()> Shown = {};
  std::optional<uint8_t> Factory = {};
  std::span<const uint8_t> FactoryBytes = {};
};

void BindByteTable(TVDData& item, TByteTable table);
