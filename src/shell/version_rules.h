#pragma once

#include <QString>
#include <cstdint>
#include <optional>

// What the module information shows and decides from the firmware versions the modules
// report: the notice for a main module this program is not built for, the archived program
// that suits it, the public CAN version and the board names.

// The main firmware this program is built for: 05.34.
inline constexpr uint8_t kBuiltForMajor = 5;
inline constexpr uint8_t kBuiltForMinor = 0x34;

struct TVersionNotice {
  QString Heading;
  QString Text;       // the text line, with the archived program's version appended
  int ArchiveNumber;  // 0: nothing to start
  bool ShowUpdateLink;
};

// nullopt when no notice is due (the record is not valid yet, or the version is 05.34).
std::optional<TVersionNotice> MainVersionNotice(uint8_t major, uint8_t minor);
// The notice for a validator of major version 8.
TVersionNotice ValidatorVersionNotice();
// The archived program of a notice's number, relative to the program's folder; empty for 0.
QString ArchivedProgram(int number);

// The public CAN firmware version for the module's internal version bytes 0..3.
QString PublicCanVersion(uint8_t b0, uint8_t b1, uint8_t b2, uint8_t b3);

// "%2.2x.%2.2x от %2.2x.%2.2x.20%2.2x": a version with its date, all in BCD.
QString BcdVersionText(uint8_t major, uint8_t minor, uint8_t day, uint8_t month, uint8_t year);
// The same with decimal numbers ("%2.2u...").
QString DecimalVersionText(uint8_t major, uint8_t minor, uint8_t day, uint8_t month, uint8_t year);

struct TBoardType {
  QString Caption;  // "Тип платы:" or empty
  QString Value;    // empty: leave the shown value as it is
  bool NewerBoard = false;
};
// The board type from the main board record: type code, byte 2 and byte 4.
TBoardType BoardTypeFor(uint8_t typeCode, uint8_t byte2, uint8_t byte4);

struct TConfigurationVariant {
  QString CaptionSuffix;  // appended to "Главный модуль"
  std::optional<int> Generation;
};
// The main module's variant from its configuration byte.
TConfigurationVariant ConfigurationVariant(uint8_t configuration);
