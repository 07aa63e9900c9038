#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "binding/page_table.h"

// One event the GSM module reports: its factory flags byte, its title on the page and its
// factory texts.
struct TGsmMessage {
  int Number = 0;
  uint8_t Flags = 0;
  const char* Title = "";
  const char* Russian = "";
  const char* English = "";
};

// The 92 events in record order.
std::span<const TGsmMessage> GsmMessageTable();

// Record n (from 1) of the message memory: a flags byte, the English text, a spare byte and
// the Russian text.
inline constexpr int kGsmRecordCount = 92;
inline constexpr int kGsmRecordSize = 80;
inline constexpr int kGsmFirstRecordAddr = 1792;
inline constexpr int kGsmTextSize = 39;
constexpr int GsmRecordAddr(int n) {
  return kGsmFirstRecordAddr + kGsmRecordSize * (n - 1);
}

// The name of a record's control: the stem followed by the record number ("cbSMS12").
std::string GsmRecordControl(const char* stem, int n);

// The whom-to-notify field has four states and three choices: state 3 (bit 4 alone) shows
// as the last choice and stays stored until the user picks one, after a read as after
// factory settings of a record whose factory flags hold it.
inline constexpr int kOwnerBitFourState = 3;

// The messages page without its widgets: a section of eight controls per record.
const TPageTable& GsmMessagesTable();
