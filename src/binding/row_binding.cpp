#include "binding/row_binding.h"

#include <QSet>
#include <array>

#include "binding/component_data.h"

void BindRow(const TControlRow& row, uint8_t pageLanAddr, TComponentData& data) {
  data.SetLanAddr(row.Module != 0 ? row.Module : pageLanAddr);
  data.SetMemID(row.Mem);
  data.SetAddr(row.Addr);
  data.SetDataType(row.Type);
  data.SetStartBit(static_cast<TStartBit>(row.Bit));
  data.SetMaxVal(row.Kind == ckTrackBar ? TrackRange(row).Max : row.Max);
  data.SetReadOnlyAddr(row.Guard.Addr);
  data.SetReadOnlyBit(static_cast<TStartBit>(row.Guard.Bit));
  data.SetAutoUpdate(row.Live);
  data.SetUpdateInterval(row.Interval);
}

QStringList RowControlNames(std::span<const TControlRow> rows) {
  constexpr std::array<const char*, ckData + 1> kClassNames = {
      "",        "",      "VDCheckBox", "VDRadioGroup", "VDTrackBar", "VDMemo", "VDLabeledMemo",
      "VDLabel", "VDData"};
  // A running number that a row of the table already carries as its own name is skipped:
  // pages, value labels and the settings list find controls by name, and a name given twice
  // would hand one control's cell to another.
  QSet<QString> taken;
  for (const TControlRow& row : rows) {
    if (IsBound(row.Kind) && *row.Name != '\0') taken.insert(QString::fromUtf8(row.Name));
  }
  std::array<int, ckData + 1> counters{};
  QStringList names;
  for (const TControlRow& row : rows) {
    if (!IsBound(row.Kind)) {
      names.append(QString());
    } else if (*row.Name != '\0') {
      names.append(QString::fromUtf8(row.Name));
    } else {
      QString name;
      do {
        name = QString::fromLatin1(kClassNames[row.Kind]) + QString::number(++counters[row.Kind]);
      } while (taken.contains(name));
      names.append(name);
    }
  }
  return names;
}
