#pragma once

#include <array>
#include <cstddef>

// The arming and disarming choices of the CAN outputs page. Neither is a cell of its own:
// each item stands for three stored settings, a bit of the CAN outputs byte, a check box,
// and a third setting (arming: the check box CanSlaveSystem2, disarming: bit 7 of the CAN
// outputs byte). Both choices share the same relation between items and the three values.
struct TChoiceBits {
  bool ByteBit = false;  // arming bit 2, disarming bit 3 of the CAN outputs byte
  bool Box = false;      // arming VDCheckBox3, disarming VDCheckBox4
  bool Third = false;    // arming CanSlaveSystem2, disarming bit 7 of the byte
  bool operator==(const TChoiceBits&) const = default;
};

inline constexpr int kChoiceItems = 5;

// What item `item` stores.
TChoiceBits ChoiceBits(int item);
// The item that stored settings stand for. Combinations no item stores show the nearest
// one: the third setting wins, then the byte bit chooses between the pairs 1, 2 and 0, 3,
// and the check box between the two of a pair.
int ChoiceItem(const TChoiceBits& bits);

struct TChoiceTexts {
  const char* Caption;
  std::array<const char*, kChoiceItems> Items;
  const char* Hint;
};

extern const TChoiceTexts kArmingChoice;
extern const TChoiceTexts kDisarmingChoice;
