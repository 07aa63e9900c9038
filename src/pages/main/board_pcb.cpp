#include "pages/main/board_pcb.h"

#include <algorithm>

namespace {

uint8_t VariantCode(const TOutRow& row, TBoardConfig config, uint8_t subRevision) {
  switch (row.Variant.When) {
    case TCodeCondition::SubRevisionAbove8:
      return subRevision > 8 ? row.Variant.Code : row.Code;
    case TCodeCondition::SubRevisionAbove12:
      return subRevision > 12 ? row.Variant.Code : row.Code;
    case TCodeCondition::SirenMoved:
      return config.SirenMoved() ? row.Variant.Code : row.Code;
    case TCodeCondition::Never:
      break;
  }
  return row.Code;
}

TShownWith OutputShownWith(uint8_t flags) {
  if (flags & kOutWithStartModule) return TShownWith::StartModule;
  if (flags & kOutWithExtender) return TShownWith::OutputExtender;
  return TShownWith::Always;
}

TOut MakeOutput(const TOutRow& row, TBoardConfig config, uint8_t subRevision) {
  TOut out;
  out.Name = QString::fromUtf8(row.Name);
  out.Description = QString::fromUtf8(row.Description);
  out.Code = VariantCode(row, config, subRevision);
  out.Assignable = (row.Flags & kOutNotAssignable) == 0;
  out.ShownWith = OutputShownWith(row.Flags);
  out.DefaultTask = row.Task;
  out.ExtensionRelay = (row.Flags & kOutExtensionRelay) != 0;
  out.Pager = (row.Flags & kOutPager) != 0;
  out.Immobiliser = (row.Flags & kOutImmobiliser) != 0;
  out.DigitalOutput = (row.Flags & kOutDigitalOutput) != 0;
  out.SelectablePolarity = (row.Flags & kOutPolarity) != 0;
  if (out.SelectablePolarity) {
    out.SetCode = out.Code;
    out.ClearCode = row.ClearCode;
    out.PolaritySet = true;
  }
  return out;
}

TIn MakeInput(const TInRow& row) {
  TIn in;
  in.Name = QString::fromUtf8(row.Name);
  in.Description = QString::fromUtf8(row.Description);
  in.Code = row.Code;
  in.Assignable = (row.Flags & kInNotAssignable) == 0;
  in.ShownWith = row.StartInput >= 0 ? TShownWith::StartModule : TShownWith::Always;
  in.DefaultTask = row.Task;
  in.PolarityToggle = (row.Flags & kInPolarity) != 0;
  in.TriggerToggle = (row.Flags & kInTrigger) != 0;
  in.Speed = (row.Flags & kInSpeed) != 0;
  in.Tacho = (row.Flags & kInTacho) != 0;
  in.StartModuleInput = row.StartInput;
  return in;
}

bool Shown(const TInOut& entry, TBoardPresence presence) {
  if (!entry.Assignable) return false;
  switch (entry.ShownWith) {
    case TShownWith::StartModule:
      return presence.StartModule;
    case TShownWith::OutputExtender:
      return presence.OutputExtender;
    case TShownWith::Always:
      break;
  }
  return true;
}

template <class TEntry>
int Position(const std::vector<TEntry>& entries, int index) {
  if (index <= 0) return -1;
  const auto it = std::find_if(entries.begin(), entries.end(),
                               [index](const TEntry& entry) { return entry.Index == index; });
  return it == entries.end() ? -1 : static_cast<int>(it - entries.begin());
}

}  // namespace

TPCB::TPCB() {
  Build(TBoardConfig(), false, 0);
}

void TPCB::Build(TBoardConfig config, bool thirdGeneration, uint8_t subRevision) {
  config_ = config;
  thirdGeneration_ = thirdGeneration;
  subRevision_ = subRevision;
  polarityMask_ = thirdGeneration ? 8 : 16;
  triggerMask_ = thirdGeneration ? 128 : 2;

  const TPcbGeneration generation = Generation();
  outputs_.clear();
  for (const TOutRow& row : OutputRows(generation, config.Pager()))
    outputs_.push_back(MakeOutput(row, config, subRevision));
  inputs_.clear();
  for (const TInRow& row : InputRows(generation, config.Pager())) inputs_.push_back(MakeInput(row));
  mainInputCount_ = static_cast<size_t>(std::count_if(
      inputs_.begin(), inputs_.end(), [](const TIn& in) { return in.StartModuleInput < 0; }));
}

void TPCB::Renumber(TBoardPresence presence) {
  int index = 0;
  for (TOut& out : outputs_) out.Index = Shown(out, presence) ? ++index : 0;
  index = 0;
  for (TIn& in : inputs_) in.Index = Shown(in, presence) ? ++index : 0;
}

TPcbGeneration TPCB::Generation() const {
  if (thirdGeneration_) return TPcbGeneration::Third;
  return config_.SecondGeneration() ? TPcbGeneration::Second : TPcbGeneration::First;
}

std::span<const TIn> TPCB::MainInputs() const {
  return std::span<const TIn>(inputs_).first(mainInputCount_);
}

std::span<const TIn> TPCB::StartInputs() const {
  return std::span<const TIn>(inputs_).subspan(mainInputCount_);
}

int TPCB::FindOutput(uint8_t code) const {
  for (size_t i = 0; i < outputs_.size(); ++i) {
    const TOut& out = outputs_[i];
    const bool match =
        out.SelectablePolarity ? code == out.SetCode || code == out.ClearCode : code == out.Code;
    if (match) return static_cast<int>(i);
  }
  return -1;
}

int TPCB::FindInput(uint8_t code) const {
  for (size_t i = 0; i < mainInputCount_; ++i) {
    const TIn& in = inputs_[i];
    uint8_t ignored = triggerMask_;
    if (in.PolarityToggle) ignored |= polarityMask_;
    if ((in.Code | ignored) == (code | ignored)) return static_cast<int>(i);
  }
  return -1;
}

int TPCB::FindStartInput(uint8_t code) const {
  for (size_t i = mainInputCount_; i < inputs_.size(); ++i)
    if (inputs_[i].Code == code) return static_cast<int>(i);
  return -1;
}

int TPCB::OutputAt(int index) const {
  return Position(outputs_, index);
}

int TPCB::InputAt(int index) const {
  return Position(inputs_, index);
}

void TPCB::TakeOutputCode(int pin, uint8_t code) {
  if (!ValidOutput(pin)) return;
  TOut& out = outputs_[static_cast<size_t>(pin)];
  out.Code = code;
  if (out.SelectablePolarity) out.PolaritySet = code == out.SetCode;
}

void TPCB::TakeInputCode(int pin, uint8_t code) {
  if (ValidInput(pin)) inputs_[static_cast<size_t>(pin)].Code = code;
}

void TPCB::ToggleOutputPolarity(int pin) {
  if (!ValidOutput(pin)) return;
  const TOut& out = outputs_[static_cast<size_t>(pin)];
  if (out.SelectablePolarity) TakeOutputCode(pin, out.PolaritySet ? out.ClearCode : out.SetCode);
}

void TPCB::ToggleInputPolarity(int pin) {
  if (!ValidInput(pin)) return;
  TIn& in = inputs_[static_cast<size_t>(pin)];
  if (in.PolarityToggle) in.Code ^= polarityMask_;
}

void TPCB::ToggleInputTrigger(int pin) {
  if (!ValidInput(pin)) return;
  TIn& in = inputs_[static_cast<size_t>(pin)];
  if (in.TriggerToggle) in.Code ^= triggerMask_;
}

void TPCB::ClearInputSettings(int pin) {
  if (!ValidInput(pin)) return;
  TIn& in = inputs_[static_cast<size_t>(pin)];
  uint8_t cleared = triggerMask_;
  if (in.PolarityToggle) cleared |= polarityMask_;
  in.Code &= static_cast<uint8_t>(~cleared);
}

bool TPCB::ValidOutput(int pin) const {
  return pin >= 0 && static_cast<size_t>(pin) < outputs_.size();
}

bool TPCB::ValidInput(int pin) const {
  return pin >= 0 && static_cast<size_t>(pin) < inputs_.size();
}
