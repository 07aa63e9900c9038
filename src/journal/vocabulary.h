#pragma once

#include <QString>
#include <span>
#include <string_view>

// The journal's vocabularies: value-to-text tables of the system's own Russian texts. A
// table lists only its non-empty entries; every other value of its range reads as the empty
// text, and so does every value outside the range, because modules send whatever byte they
// like and the journal must never read past a table.
struct TVocabularyEntry {
  int Value = 0;
  std::string_view Text;  // UTF-8
};

struct TVocabulary {
  int Size = 0;                               // values 0..Size-1 belong to the table
  std::span<const TVocabularyEntry> Entries;  // ascending by value
};

// The one lookup of every table: the text of `value`, empty for a value without text.
QString VocabularyText(const TVocabulary& table, int value);

extern const TVocabulary MainModeNames;
extern const TVocabulary ValidatorModeNames;
extern const TVocabulary DiagnosticCodes;
extern const TVocabulary EventCauseCodes;
extern const TVocabulary InputStateTexts;
extern const TVocabulary RemoteInputStateTexts;
extern const TVocabulary OnOffWords;
extern const TVocabulary AlgorithmNames;
extern const TVocabulary CanCommandNames;
extern const TVocabulary CanSignalNames;
extern const TVocabulary SensorTexts;
extern const TVocabulary OutgoingServerMessageNames;
extern const TVocabulary IncomingServerMessageNames;
extern const TVocabulary MainEventNames;
extern const TVocabulary GsmStatusTexts;
extern const TVocabulary GsmErrorTexts;
extern const TVocabulary MelodyNames;
extern const TVocabulary AnswerResultTexts;
extern const TVocabulary GpsCommandNames;
extern const TVocabulary GpsDeviceTexts;
extern const TVocabulary BusCommandNames;

// Entries of SensorTexts that other texts name.
inline constexpr int kSensorSensitivity = 4;
inline constexpr int kSensorMode = 6;
inline constexpr int kSensorWindBase = 7;
inline constexpr int kSensorMarkZ = 18;
inline constexpr int kSensorMarkV = 19;
inline constexpr int kSensorMarkM = 20;
inline constexpr int kSensorMarkMPlus = 21;
inline constexpr int kSensorMarkS = 22;

// Tables with a rule for codes they do not name, and with an extra argument where the
// module sends one.
QString MainEventText(int code);
QString GsmStatusText(int code, int arg);
QString GsmErrorText(int code, int arg);
QString AnswerResultText(int code);
QString GpsCommandName(int number);
QString GpsDeviceText(int number);
