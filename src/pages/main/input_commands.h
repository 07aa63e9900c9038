#pragma once

#include <QString>
#include <cstdint>
#include <span>

// A command byte of a button combination or a press count: bits 0 to 6 index the command
// list, bit 7 asks for the tag; kNoCommand is no command at all.
inline constexpr uint8_t kNoCommand = 255;
inline constexpr uint8_t kTagRequired = 0x80;
inline constexpr int kPressCounts = 16;

// The commands a combination or a press count may run, by index.
std::span<const char* const> InputCommandNames();

bool HasCommand(uint8_t byte);
bool RequiresTag(uint8_t byte);
int CommandIndex(uint8_t byte);  // -1 for none
// An unassigned entry has no tag flag to set: turning it on would name command 127.
uint8_t ToggleTag(uint8_t byte);
// Keeps the tag flag of an assigned entry; a new assignment starts without it.
uint8_t WithCommand(uint8_t byte, int index);
QString CommandText(uint8_t byte);

// The byte of the press-count table that holds the command for `presses` (1 to 16): the
// count 16 wraps round to byte 0.
int PressCountByte(int presses);
