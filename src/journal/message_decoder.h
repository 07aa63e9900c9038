#pragma once

#include <QString>
#include <cstdint>

#include "journal/log_data.h"

// What the decoder tells the rest of the program while it reads the bus. The main window
// supplies it; without one (command line, tests) the decoder only produces text.
class IDecoderHost {
 public:
  virtual ~IDecoderHost() = default;
  // A module showed itself on the bus.
  virtual void MarkModulePresent(int address) = 0;
};

// Turns journal entries into their lines of text. It remembers the main module's last mode
// so that the key fob count that follows a learning session is told apart from a diagnosis;
// that only works when every entry is decoded exactly once, in arrival order, which is why
// the journal decodes each entry as it arrives and keeps the line.
class TMessageDecoder {
 public:
  explicit TMessageDecoder(IDecoderHost* host = nullptr) : host_(host) {}

  QString DecodeEntry(const TLogData& entry);
  // What the command is for, its number and the data bytes in hex, for a message no rule
  // gives a text: "чтение EEPROM (команда 88) [01 02]", "неизвестная команда 10 []".
  static QString RawText(const TLanMsg& msg);

 private:
  QString Body(const TLanMsg& msg);
  QString CommandText(const TLanMsg& msg);
  QString BroadcastText(const TLanMsg& msg);
  QString ToPcText(const TLanMsg& msg);
  QString CountOrDiagnosis(const QString& diagnosis, uint8_t value);
  void NoteMainMode(uint8_t mode);

  IDecoderHost* host_;
  uint8_t lastMainMode_ = 0;
  bool countPending_ = false;
};
