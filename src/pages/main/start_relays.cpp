#include "pages/main/start_relays.h"

#include "binding/position_coding.h"
#include "binding/value_labels.h"

namespace {

// Delays are time bytes: the bytes 101 to 127 are never used.
constexpr TPositionCoding kDelayCoding{.Kind = pcTimeByte};

size_t DelayIndex(int functionIndex, int relay) {
  return static_cast<size_t>(TStartRelays::kRelays * functionIndex + (relay - 1));
}

}  // namespace

bool TStartRelays::Drives(int functionIndex, int relay) const {
  return (masks_.at(static_cast<size_t>(functionIndex)) >> (relay - 1) & 1) != 0;
}

void TStartRelays::SetDrives(int functionIndex, int relay, bool drives) {
  uint8_t& mask = masks_.at(static_cast<size_t>(functionIndex));
  const auto bit = static_cast<uint8_t>(1u << (relay - 1));
  mask = drives ? static_cast<uint8_t>(mask | bit) : static_cast<uint8_t>(mask & ~bit);
}

void TStartRelays::ClearMask(int functionIndex) {
  masks_.at(static_cast<size_t>(functionIndex)) = 0;
}

bool TStartRelays::HasRelays(int functionIndex) const {
  return masks_.at(static_cast<size_t>(functionIndex)) != 0;
}

int TStartRelays::OnDelay(int functionIndex, int relay) const {
  return kDelayCoding.Position(on_.at(DelayIndex(functionIndex, relay))).value_or(0);
}

int TStartRelays::OffDelay(int functionIndex, int relay) const {
  return kDelayCoding.Position(off_.at(DelayIndex(functionIndex, relay))).value_or(0);
}

void TStartRelays::SetDelays(int functionIndex, int relay, int onPosition, int offPosition) {
  const size_t index = DelayIndex(functionIndex, relay);
  on_.at(index) = static_cast<uint8_t>(kDelayCoding.Stored(onPosition, on_.at(index)));
  off_.at(index) = static_cast<uint8_t>(kDelayCoding.Stored(offPosition, off_.at(index)));
}

QString DelayText(int position, const char* secondsFormat) {
  if (position <= 100) return FormatNumber(secondsFormat, position * 0.05);
  if (position <= 210) return FormatNumber(secondsFormat, (position - 100) * 0.5 + 5);
  if (position <= 215) return FormatNumber("%4.0f мин", double(position - 209));
  return FormatNumber("%4.0f мин", double((position - 215) * 5 + 6));
}
