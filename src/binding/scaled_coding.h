#pragma once

// A track bar whose positions are a scaled version of the count the module stores, such as
// kilometres shown for a count of 6-metre units.

// The nearest integer, halves to the even neighbour, whatever rounding mode the floating
// point unit is in.
int RoundHalfEven(double value);

struct TScaledCodingRow {
  // The track bar's control name.
  const char* Name = "";
  // position = stored × LoadFactor; stored = position × StoreFactor; both rounded half to even.
  double LoadFactor = 1.0;
  double StoreFactor = 1.0;

  int Position(int stored) const { return RoundHalfEven(stored * LoadFactor); }
  int Stored(int position) const { return RoundHalfEven(position * StoreFactor); }
};
