#pragma once

#include <cstdint>

#include "pages/main/board_model.h"
#include "pages/main/start_relays.h"

// What a cell of the outputs grid says of a function and a pin.
enum class TOutputCell : uint8_t {
  Refused,  // the function may not go to the pin
  Free,     // it may
  Own,      // the pin is the function's own
  Relay,    // a start-module relay the function drives besides its own pin
};

// The assignment of output functions to pins, as the outputs grid edits it: the board model,
// the start module's relay masks and the CAN outputs byte. Every edit returns whether it
// changed anything, so that the page marks the images changed only then.
class TOutputsEditor {
 public:
  TOutputsEditor(TBoardModel& board, TStartRelays& relays) : board_(board), relays_(relays) {}

  // The relay number 1..6 of a start-module relay pin, 0 for any other pin.
  int RelayOf(int pin) const;
  TOutputCell Cell(int taskId, int pin) const;
  bool MayTake(int taskId, int pin) const;

  // A click on a function's cell: releases it from its own pin, or moves it there (`join`:
  // beside the functions already on the pin; between two start-module relays `join` adds or
  // removes the relay instead).
  bool Click(int taskId, int pin, bool join);
  // The function goes to its default pin; the other functions there are released.
  bool Default(int taskId);
  // A click on a pin's name: the pin's default function comes back to it.
  bool DefaultPin(int pin);
  bool Release(int taskId);
  // Takes a relay out of the function's relay mask.
  bool RemoveRelay(int taskId, int pin);

  // The CAN outputs byte: which functions are also sent as CAN commands.
  static bool HasCanBit(int taskId);
  bool SentOverCan(int taskId) const;
  bool ToggleCan(int taskId);
  uint8_t& CanOutputs() { return canOutputs_; }

  // A function that never goes to the pin, whatever the board says: the pin 7.о while the
  // input 7.о carries an input function.
  void SetInputPinBusy(bool busy) { inputPinBusy_ = busy; }
  void SetDigitalOutput(TDigitalOutput digitalOutput) { digitalOutput_ = digitalOutput; }

 private:
  void SetRelayOfPin(int taskId, int pin);

  TBoardModel& board_;
  TStartRelays& relays_;
  uint8_t canOutputs_ = 0;
  bool inputPinBusy_ = false;
  TDigitalOutput digitalOutput_ = TDigitalOutput::Free;
};
