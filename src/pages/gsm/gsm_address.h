#pragma once

#include <cstdint>

// The bus addresses the GSM pages talk to: the GSM module itself, and the GPS receiver whose
// fix the telematics page shows.
inline constexpr uint8_t kGsmModuleAddr = 3;
inline constexpr uint8_t kGpsModuleAddr = 11;

// The GSM module's command whose first data byte names what it is to do: modem requests,
// GPRS, the heater and the module's dumps all go through it.
inline constexpr uint8_t kModemCommand = 40;
