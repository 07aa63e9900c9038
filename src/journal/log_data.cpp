#include "journal/log_data.h"

void TLogData::Assign(const TLanMsg& from) {
  TLanMsg::Assign(from);
  if (const auto* entry = dynamic_cast<const TLogData*>(&from)) {
    Text = entry->Text;
    Line = entry->Line;
  }
}
