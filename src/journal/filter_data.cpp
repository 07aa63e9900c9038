#include "journal/filter_data.h"

#include <algorithm>

namespace {

// Copies a list and returns its length; an empty list stays off.
uint8_t CopyList(std::span<const uint8_t> from, std::array<uint8_t, TFilterData::kListCapacity>& to,
                 bool& off) {
  const size_t length = std::min<size_t>(from.size(), TFilterData::kMaxListLength);
  std::copy_n(from.begin(), length, to.begin());
  off = length == 0;
  return static_cast<uint8_t>(length);
}

bool SameList(const std::array<uint8_t, TFilterData::kListCapacity>& a, uint8_t lengthA,
              const std::array<uint8_t, TFilterData::kListCapacity>& b, uint8_t lengthB) {
  const size_t length = std::max(lengthA, lengthB);
  return std::equal(a.begin(), a.begin() + static_cast<long>(length), b.begin());
}

}  // namespace

TFilterData TFilterData::ForSource(uint8_t source) {
  TFilterData filter;
  filter.AnySource = false;
  filter.Source = source;
  return filter;
}

TFilterData TFilterData::ForDest(uint8_t dest) {
  TFilterData filter;
  filter.AnyDest = false;
  filter.Dest = dest;
  return filter;
}

TFilterData TFilterData::ForDestCommand(uint8_t dest, uint8_t command) {
  TFilterData filter = ForDest(dest);
  filter.AnyCommand = false;
  filter.Command = command;
  return filter;
}

TFilterData TFilterData::ForSourceCommand(uint8_t source, uint8_t command) {
  TFilterData filter = ForSource(source);
  filter.AnyCommand = false;
  filter.Command = command;
  return filter;
}

TFilterData TFilterData::ForAll(uint8_t source, uint8_t mask, uint8_t command, uint8_t dest) {
  TFilterData filter = ForSourceCommand(source, command);
  filter.AnyDest = false;
  filter.Dest = dest;
  filter.AnyData = false;
  filter.DataMask = mask;
  filter.DataValue = mask;
  return filter;
}

TFilterData TFilterData::ForLists(std::span<const uint8_t> dests, std::span<const uint8_t> sources,
                                  std::span<const uint8_t> commands) {
  TFilterData filter;
  filter.DestListLength = CopyList(dests, filter.DestList, filter.NoDestList);
  filter.SourceListLength = CopyList(sources, filter.SourceList, filter.NoSourceList);
  filter.CommandListLength = CopyList(commands, filter.CommandList, filter.NoCommandList);
  return filter;
}

bool TFilterData::Matches(const TLanMsg& msg) const {
  if (!AnyData) {
    const uint8_t masked = msg.Data[0] & DataMask;
    if (DataInvert ? masked != 0 : masked != DataValue) return false;
  }
  if (NoDestList && NoSourceList && NoCommandList) {
    return (AnySource || msg.Source == Source) && (AnyDest || msg.Dest == Dest) &&
           (AnyCommand || msg.Command == Command);
  }
  if (!NoCommandList) {
    const auto commands = std::span(CommandList).first(CommandListLength);
    if (std::find(commands.begin(), commands.end(), msg.Command) != commands.end()) return false;
  }
  if (NoSourceList) return false;
  for (size_t i = 0; i < SourceListLength; ++i) {
    if (SourceList[i] == msg.Source && DestList[i] == msg.Dest) return true;
  }
  return false;
}

bool TFilterData::SameAs(const TFilterData& other) const {
  int shared = 0;
  bool agree = true;
  const auto compare = [&](bool usedHere, bool usedThere, bool equal) {
    if (!usedHere || !usedThere) return;
    ++shared;
    agree = agree && equal;
  };
  compare(!AnyData, !other.AnyData, DataMask == other.DataMask && DataValue == other.DataValue);
  compare(!AnySource, !other.AnySource, Source == other.Source);
  compare(!AnyDest, !other.AnyDest, Dest == other.Dest);
  compare(!AnyCommand, !other.AnyCommand, Command == other.Command);
  compare(!NoCommandList, !other.NoCommandList,
          SameList(CommandList, CommandListLength, other.CommandList, other.CommandListLength));
  compare(!NoDestList, !other.NoDestList,
          SameList(DestList, DestListLength, other.DestList, other.DestListLength));
  compare(!NoSourceList, !other.NoSourceList,
          SameList(SourceList, SourceListLength, other.SourceList, other.SourceListLength));
  return shared > 0 && agree && DataInvert == other.DataInvert;
}
