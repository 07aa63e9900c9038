#include "binding/row_binding.h"

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
  std::array<int, ckData + 1> counters{};
  QStringList names;
  for (const TControlRow& row : rows) {
    if (!IsBound(row.Kind)) {
      names.append(QString());
    } else if (*row.Name != '\0') {
      names.append(QString::fromUtf8(row.Name));
    } else {
      names.append(QString::fromLatin1(kClassNames[row.Kind]) +
                   QString::number(++counters[row.Kind]));
    }
  }
  return names;
}
