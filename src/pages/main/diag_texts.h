#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <utility>

// What the diagnostics page makes of the main module's bytes, without widgets.

// One line of a history cell: the text of the code in the table of the newer boards or of the
// older ones; a code past its table in two hex digits.
QString HistoryLine(uint8_t code, bool newerTable);

// The processor's restart history: sixteen big-endian entries kept as a ring, 0xFFFF empty.
QStringList RestartHistoryLines(std::span<const uint8_t, 32> bytes);

// The alarm counters with a text that are not 0, in index order.
QStringList AlarmCounterLines(std::span<const uint8_t, 32> counters);

// Dates kept in two bytes: day − 1, then year code × 16 + month − 1. The year code counts from
// a year that depends on the minor byte of the board's first firmware.
std::optional<QDate> DecodeDate(uint8_t day, uint8_t yearMonth, uint8_t firstMinor);
std::pair<uint8_t, uint8_t> EncodeDate(const QDate& date, uint8_t firstMinor);
// A date the module may hold: firmware of the fifth generation, and not both bytes 0.
bool DateKnown(uint8_t firstMajor, uint8_t day, uint8_t yearMonth);

// The board readings the main module answers with.
QString BoardVoltageText(uint8_t reading);
QString TurnCurrentText(uint8_t reading, uint8_t boardRevision);
QString ConverterText(uint8_t reading, uint8_t boardRevision);
