#pragma once

#include <QString>

// The main module's events as the installer picks them: numbered 1..241 in the order of the
// event list, with a name, an explanation and the categories the list filters by. Number 0
// means "no event". The module itself stores an event as its code, which is not the number:
// the codes run in blocks with gaps, so a byte read from the module may name no event at all.
inline constexpr int kEventCount = 241;

// Categories of the list's filter; 0 holds every event.
inline constexpr int kEventCategoryCount = 5;
QString EventCategoryName(int category);
bool EventInCategory(int number, int category);

// Texts of event `number`; empty for a number that is no event.
QString EventName(int number);
QString EventDescription(int number);
// "N name", as the pickers list an event.
QString EventTitle(int number);

// The code the module stores for event `number` (0 for 0 or a number that is no event), and
// the number of a stored code (0 for a code that is no event's).
int EventCodeOf(int number);
int EventNumberOfCode(int code);

// How a picker names a stored code: "---------" for 0, "N name" for an event, and "Событие N"
// with the code itself for one no event has (a newer firmware's event).
QString EventCodeText(int code);
