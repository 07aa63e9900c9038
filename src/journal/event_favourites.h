#pragma once

#include <cstdint>
#include <functional>

// The installer's favourite events, kept with the program's options: the event list marks
// them and Ctrl + click toggles them. The options own the flags; the list only reaches them.
struct TEventFavourites {
  std::function<bool(int number)> IsFavourite;
  std::function<void(int number, bool favourite)> SetFavourite;
  std::function<uint32_t()> ColourRgb;  // 0xRRGGBB, the background of a favourite's number
};
