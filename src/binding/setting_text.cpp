#include "binding/setting_text.h"

#include <QStringList>
#include <algorithm>

#include "binding/component_data.h"
#include "binding/row_binding.h"
#include "binding/value_coding.h"
#include "memory/base_device_memory_item.h"

namespace {

QString HexBytes(TBaseDeviceMemoryItem& area, int addr, int count) {
  QStringList bytes;
  for (int i = 0; i < count; ++i) {
    bytes << QStringLiteral("%1").arg(area.GetByte(addr + i), 2, 16, QLatin1Char('0')).toUpper();
  }
  return bytes.join(u' ');
}

template <class TRow>
const TRow* RowNamed(std::span<const TRow> rows, const QString& name) {
  const auto found = std::find_if(rows.begin(), rows.end(), [&name](const TRow& row) {
    return name == QLatin1String(row.Name);
  });
  return found == rows.end() ? nullptr : &*found;
}

// What the row's control shows for a stored value: a freshly built control keeps its default
// where the coding gives the value no position.
int ShownPosition(const TControlRow& row, int stored) {
  if (row.Coding == nullptr) return stored;
  return row.Coding->Position(stored).value_or(row.Default);
}

QString TrackBarText(const TControlRow& row, const QString& name, const TPageTable& table,
                     int stored) {
  int position = ShownPosition(row, stored);
  const TRange range = TrackRange(row);
  position = std::clamp(position, range.Min, range.Max);
  const QString number = QString::number(position);
  const TValueLabelRow* label = RowNamed(table.Labels, name);
  if (!label) return number;
  const QString text = ValueLabelText(*label, position);
  return text == number ? number : number + QStringLiteral(" (") + text + u')';
}

}  // namespace

QString SettingValueText(const TControlRow& row, const QString& controlName,
                         const TPageTable& table, TBaseDeviceMemoryItem& area,
                         const TComponentData& data) {
  switch (row.Kind) {
    case ckRadioGroup: {
      const int index = data.DataType() == stByte ? ShownPosition(row, LoadValue(area, data))
                                                  : LoadValue(area, data);
      const QString number = QString::number(index);
      if (index < 0 || index >= static_cast<int>(row.Items.size())) return number;
      return number + QStringLiteral(" (") + QString::fromUtf8(row.Items[index].Text) + u')';
    }
    case ckTrackBar:
      return TrackBarText(row, controlName, table, LoadValue(area, data));
    case ckMemo:
    case ckLabeledMemo:
      if (data.DataType() == stString) return u'"' + LoadString(area, data) + u'"';
      return HexBytes(area, data.Addr(), data.GetSize());
    case ckData:
      return HexBytes(area, data.Addr(), data.GetSize());
    default:
      return QString::number(LoadValue(area, data));
  }
}

std::vector<TSettingRow> SettingRows(const TPageTable& table) {
  const QStringList names = RowControlNames(table.Rows);
  std::vector<TSettingRow> rows;
  QString section;
  for (std::size_t i = 0; i < table.Rows.size(); ++i) {
    const TControlRow& row = table.Rows[i];
    if (row.Kind == ckHeading) section = QString::fromUtf8(row.Caption);
    if (!IsBound(row.Kind)) continue;
    const QString& name = names[static_cast<qsizetype>(i)];
    rows.push_back({.Row = &row,
                    .Name = name,
                    .Section = row.Kind == ckData ? QString() : section,
                    .Caption = row.Caption[0] ? QString::fromUtf8(row.Caption) : name});
  }
  return rows;
}
