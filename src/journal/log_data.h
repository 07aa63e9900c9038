#pragma once

#include <QString>
#include <cstdint>

#include "link/lan_msg.h"

// One journal entry: a bus message, or with Source 0 a system entry whose Command holds an
// adapter error number and whose Text the error text.
class TLogData : public TLanMsg {
 public:
  // The longest own text an entry keeps, as the journal always has.
  static constexpr qsizetype kMaxTextLength = 255;

  // Copies the message fields and, from another entry, its texts too.
  void Assign(const TLanMsg& from) override;

  bool IsSystem() const { return Source == 0; }

  double TimeStamp = 0;  // time of day as a fraction of a day
  uint32_t Id = 0;       // running number, from 1 after each clear
  QString Text;          // the entry's own text (system entries)
  QString Line;          // the decoded line, made once when the entry is added
};
