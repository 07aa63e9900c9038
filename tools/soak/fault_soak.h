#pragma once

#include <QString>
#include <cstdint>
#include <functional>
#include <vector>

#include "sim/sim_options.h"
#include "soak/soak_figures.h"

// A fault soak: random settings written into the modules of the virtual vehicle and read back
// through the registry and the bus channel the program and vardexctl use, over a line that
// loses, garbles and delays frames and a module that falls silent now and then. Every cycle
// checks the module's memory against what the program reported.
struct TSoakOptions {
  int Cycles = 200;  // per module kind
  uint32_t Seed = 1;
  // Bus addresses; empty: every module of the vehicle whose kind keeps settings memory.
  std::vector<int> Modules;
  // The longest run of random bytes a cycle puts into one settings area.
  int MaxRunBytes = 32;
  // The line's random faults; the seed is drawn from Seed for each module.
  TSimFaults Line = DefaultLine();
  // The share of cycles in which one packet of the write loses every try: its requests, so
  // the module never gets it, or its answers, so the module has it but never confirms it.
  double LostPacketShare = 0.1;
  // Every SilenceEvery cycles the module falls silent in the middle of a write and answers
  // again SilenceFor cycles later; 0: never.
  int SilenceEvery = 40;
  int SilenceFor = 3;

  // A few percent of the frames lost and garbled each way, and of the answers held past the
  // link's answer window.
  static TSimFaults DefaultLine();
};

// The modules of the vehicle whose kind keeps settings memory, in the registry's order.
std::vector<int> SoakModules();

// Runs the soak module by module; `moduleDone` hears of each module's figures as it finishes.
// Throws std::runtime_error when a module cannot be read cleanly before the faults start.
using TSoakModuleDone =
    std::function<void(int address, const QString& name, const TSoakFigures& figures)>;
TSoakFigures RunFaultSoak(const TSoakOptions& options, const TSoakModuleDone& moduleDone = {});
