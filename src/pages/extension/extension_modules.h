#pragma once

#include <cstdint>

// The bus addresses of the extension modules whose pages live here.
inline constexpr uint8_t kSlaveAddr = 4;
inline constexpr uint8_t kRadioTransceiverAddr = 5;
inline constexpr uint8_t kRelayIOAddr = 13;
inline constexpr uint8_t kValidatorAddr = 14;
inline constexpr uint8_t kRemoteInputsAddr = 15;
inline constexpr uint8_t kShockAddr = 20;
inline constexpr uint8_t kTiltAddr = 23;
inline constexpr uint8_t kTransceiverAddr = 25;

// A firmware version as two numbers: 2.10 is newer than 2.9, whatever their digits look like.
struct TModuleVersion {
  uint8_t Major = 0;
  uint8_t Minor = 0;

  constexpr bool Known() const { return Major != 0 || Minor != 0; }
  constexpr auto operator<=>(const TModuleVersion&) const = default;
};
