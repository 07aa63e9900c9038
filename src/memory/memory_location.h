#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>
#include <optional>

// Which memory of a module an area mirrors. The numbers are fixed: bus commands and the
// main window's per-module command tags are built from them.
enum TMemoryLocation : uint8_t { mlInt = 0, mlExt = 1, mlRam = 2, mlFlash = 3, mlMsg = 4 };

inline constexpr int kMemoryLocationCount = 5;

// The bus commands that write and read each location; the message area has none.
struct TMemoryCommands {
  uint8_t Write;
  uint8_t Read;
};
inline constexpr std::array<std::optional<TMemoryCommands>, kMemoryLocationCount> kMemoryCommands =
    {{
        TMemoryCommands{80, 87},
        TMemoryCommands{81, 88},
        TMemoryCommands{82, 89},
        TMemoryCommands{83, 90},
        std::nullopt,
    }};

// A set of memory locations, one bit per location (as the command tags carry it).
class TMemoryLocations {
 public:
  constexpr TMemoryLocations() = default;
  constexpr TMemoryLocations(std::initializer_list<TMemoryLocation> locations) {
    for (const TMemoryLocation loc : locations) bits_ = static_cast<uint8_t>(bits_ | Bit(loc));
  }
  static constexpr TMemoryLocations FromBits(uint8_t bits) {
    TMemoryLocations set;
    set.bits_ = bits;
    return set;
  }

  constexpr bool Contains(TMemoryLocation loc) const { return (bits_ & Bit(loc)) != 0; }
  constexpr uint8_t Bits() const { return bits_; }

 private:
  static constexpr uint8_t Bit(TMemoryLocation loc) { return static_cast<uint8_t>(1u << loc); }
  uint8_t bits_ = 0;
};

// The persistent memories: read, written, reset, saved and opened as a whole.
inline constexpr TMemoryLocations kPersistentLocations = {mlInt, mlExt, mlFlash};
