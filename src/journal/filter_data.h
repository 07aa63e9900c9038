#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "link/lan_msg.h"

// One journal filter: which messages it matches. A new filter has every test switched off;
// the named constructors switch on the tests they name.
struct TFilterData {
  static constexpr int kListCapacity = 32;
  // Lists keep one byte spare, as filters always have.
  static constexpr int kMaxListLength = kListCapacity - 1;

  static TFilterData ForSource(uint8_t source);
  static TFilterData ForDest(uint8_t dest);
  static TFilterData ForDestCommand(uint8_t dest, uint8_t command);
  static TFilterData ForSourceCommand(uint8_t source, uint8_t command);
  // Source, command and destination, with the first data byte required to hold every bit of
  // `mask` (a zero mask passes every byte).
  static TFilterData ForAll(uint8_t source, uint8_t mask, uint8_t command, uint8_t dest);
  // Pairs (dests[i], sources[i]) to match, except for the listed commands. A list given
  // empty stays off.
  static TFilterData ForLists(std::span<const uint8_t> dests, std::span<const uint8_t> sources,
                              std::span<const uint8_t> commands);

  bool Matches(const TLanMsg& msg) const;
  // Filters are the same when they share at least one test, agree on every test they share,
  // and invert the data test alike. Toggling a filter off finds its copy this way.
  bool SameAs(const TFilterData& other) const;

  uint8_t Source = 0;
  bool AnyData = true;
  bool AnySource = true;
  bool AnyDest = true;
  bool AnyCommand = true;
  bool NoDestList = true;
  bool NoSourceList = true;
  bool NoCommandList = true;
  uint8_t Command = 0;
  uint8_t CommandListLength = 0;
  uint8_t DestListLength = 0;
  uint8_t SourceListLength = 0;
  std::array<uint8_t, kListCapacity> CommandList{};
  std::array<uint8_t, kListCapacity> DestList{};
  std::array<uint8_t, kListCapacity> SourceList{};
  uint8_t Dest = 0;
  uint8_t DataMask = 0;
  uint8_t DataValue = 0;
  // The data test is instead that no bit of the mask is set.
  bool DataInvert = false;
};
