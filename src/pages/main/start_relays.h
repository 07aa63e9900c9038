#pragma once

#include <QString>
#include <array>
#include <cstdint>

// Which output functions drive which relays RL1..RL6 of the engine start module, and the
// delays with which each relay follows each function; the module keeps them in its flash.
class TStartRelays {
 public:
  static constexpr int kRelays = 6;
  static constexpr int kMaskBytes = 39;
  static constexpr int kDelayBytes = 222;

  // Function index k is the function's id − 1; relays count from 1.
  bool Drives(int functionIndex, int relay) const;
  void SetDrives(int functionIndex, int relay, bool drives);
  void ClearMask(int functionIndex);
  bool HasRelays(int functionIndex) const;

  // The raw tables as the module stores them. Mask bytes past the functions are kept as read.
  uint8_t& MaskByte(int index) { return masks_.at(static_cast<size_t>(index)); }
  uint8_t& OnDelayByte(int index) { return on_.at(static_cast<size_t>(index)); }
  uint8_t& OffDelayByte(int index) { return off_.at(static_cast<size_t>(index)); }

  // Delays as slider positions 0..kMaxDelayPosition.
  int OnDelay(int functionIndex, int relay) const;
  int OffDelay(int functionIndex, int relay) const;
  void SetDelays(int functionIndex, int relay, int onPosition, int offPosition);

 private:
  std::array<uint8_t, kMaskBytes> masks_{};
  std::array<uint8_t, kDelayBytes> on_{};
  std::array<uint8_t, kDelayBytes> off_{};
};

inline constexpr int kMaxDelayPosition = 225;

// The delay a slider position stands for: 0.05 s steps up to 5 s, half seconds up to 60 s,
// then whole minutes up to 6 and five-minute steps up to 56 (seconds in `secondsFormat`,
// minutes as "%4.0f мин").
QString DelayText(int position, const char* secondsFormat = "%4.2f c");
