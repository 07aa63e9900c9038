#pragma once

#include <QString>
#include <cstdint>
#include <span>
#include <vector>

#include "pages/main/board_config.h"
#include "pages/main/board_tables.h"

enum class TShownWith : uint8_t { Always, StartModule, OutputExtender };

// One wire of the board, or a relay or input of a module that extends it.
struct TInOut {
  QString Name;         // the short wire label, such as 1.о
  QString Description;  // hint and status text
  // The byte by which the module's memory names the pin. Inputs keep their polarity and
  // trigger-type settings in it, outputs with selectable polarity their polarity.
  uint8_t Code = 0;
  bool Assignable = true;
  TShownWith ShownWith = TShownWith::Always;
  int Index = 0;  // running index among the visible entries; 0 while hidden
};

struct TOut : TInOut {
  int DefaultTask = 0;
  bool ExtensionRelay = false;
  bool Pager = false;
  bool Immobiliser = false;
  bool DigitalOutput = false;
  bool SelectablePolarity = false;
  bool PolaritySet = false;
  uint8_t SetCode = 0;    // the code with the polarity flag set
  uint8_t ClearCode = 0;  // and with it clear
};

struct TIn : TInOut {
  int DefaultTask = 0;
  bool PolarityToggle = false;
  bool TriggerToggle = false;
  bool Speed = false;         // may take the speed function (9)
  bool Tacho = false;         // may take the tacho function (10)
  int StartModuleInput = -1;  // -1 for a pin of the main module
};

// The pins of the current board. Pins are addressed by their position in Outputs() or
// Inputs(); positions hold until the next Build.
class TPCB {
 public:
  TPCB();

  // Fills the lists from the tables of the board the flags describe; every entry starts hidden.
  void Build(TBoardConfig config, bool thirdGeneration, uint8_t subRevision);
  void Renumber(TBoardPresence presence);
  // Says the board is of the newer kind without touching the lists.
  void SetThirdGeneration(bool thirdGeneration) { thirdGeneration_ = thirdGeneration; }

  TBoardConfig Config() const { return config_; }
  bool IsThirdGeneration() const { return thirdGeneration_; }
  TPcbGeneration Generation() const;
  uint8_t SubRevision() const { return subRevision_; }
  uint8_t PolarityMask() const { return polarityMask_; }
  uint8_t TriggerMask() const { return triggerMask_; }

  const std::vector<TOut>& Outputs() const { return outputs_; }
  // Main-module inputs first, then the inputs of the engine start module.
  const std::vector<TIn>& Inputs() const { return inputs_; }
  std::span<const TIn> MainInputs() const;
  std::span<const TIn> StartInputs() const;

  // Positions, -1 when nothing matches.
  int FindOutput(uint8_t code) const;
  int FindInput(uint8_t code) const;
  int FindStartInput(uint8_t code) const;
  int OutputAt(int index) const;
  int InputAt(int index) const;

  // A pin found by a stored code takes that code as its own, and with it the settings the
  // code carries.
  void TakeOutputCode(int pin, uint8_t code);
  void TakeInputCode(int pin, uint8_t code);
  void ToggleOutputPolarity(int pin);
  void ToggleInputPolarity(int pin);
  void ToggleInputTrigger(int pin);
  // Default settings of an input: trigger-type bit clear, polarity bit clear where it can be
  // chosen.
  void ClearInputSettings(int pin);

 private:
  bool ValidOutput(int pin) const;
  bool ValidInput(int pin) const;

  TBoardConfig config_;
  bool thirdGeneration_ = false;
  uint8_t subRevision_ = 0;
  uint8_t polarityMask_ = 0;
  uint8_t triggerMask_ = 0;
  std::vector<TOut> outputs_;
  std::vector<TIn> inputs_;
  size_t mainInputCount_ = 0;
};
