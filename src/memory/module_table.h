#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "memory/memory_location.h"

// The kind of a memory area: settings (EEPROM-type), live values read on demand (RAM-type),
// or one of the message areas, one per module kind.
enum class TAreaClass : uint8_t {
  Ee,
  Ram,
  MainMsg,
  CanMsg,
  GsmMsg,
  SlaveMsg,
  RemoteInputsMsg,
  LabelMsg,
  RelayIOMsg,
  ValidatorMsg,
  TSMsg,
  ShockMsg,
  GpsMsg,
};

struct TAreaSpec {
  TAreaClass Class;
  const char* Name;
  TMemoryLocation MemID;
  int Size;
  int BlockSize;
  std::span<const uint8_t> Commands = {};
};

inline constexpr uint8_t kNoEndCommand = 255;

struct TModuleSpec {
  const char* Name;
  uint8_t LanAddr;
  uint8_t PacketSize;
  uint8_t EndCommand;
  uint8_t EndParam;
  std::span<const TAreaSpec> Areas;
};

// Every module kind the program configures, in the order the registry keeps them.
extern const std::array<TModuleSpec, 14> kModuleTable;
