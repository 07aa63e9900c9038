#include "binding/setting_text.h"

#include <QStringList>
#include <algorithm>

#include "binding/component_data.h"
#include "binding/row_binding.h"
#include "binding/value_coding.h"
#include "link/lan_msg.h"
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

int ShownTrackPosition(const TControlRow& row, int stored) {
  const TRange range = TrackRange(row);
  return std::clamp(ShownPosition(row, stored), range.Min, range.Max);
}

int ShownItem(const TControlRow& row, const TComponentData& data, int stored) {
  const int index = data.DataType() == stByte ? ShownPosition(row, stored) : stored;
  return std::min(index, static_cast<int>(row.Items.size()) - 1);
}

QString TrackBarText(const TControlRow& row, const QString& name, const TPageTable& table,
                     int stored, const ILabelContext& page) {
  const int position = ShownTrackPosition(row, stored);
  const QString number = QString::number(position);
  const TValueLabelRow* label = RowNamed(table.Labels, name);
  if (!label) return number;
  const QString text = ValueLabelText(*label, position, page);
  return text == number ? number : number + QStringLiteral(" (") + text + u')';
}

}  // namespace

std::optional<int> ShownNumber(const TControlRow& row, TBaseDeviceMemoryItem& area,
                               const TComponentData& data) {
  switch (row.Kind) {
    case ckCheckBox:
    case ckLabel:
      return LoadValue(area, data);
    case ckRadioGroup:
      return ShownItem(row, data, LoadValue(area, data));
    case ckTrackBar:
      return ShownTrackPosition(row, LoadValue(area, data));
    case ckData:
      return area.GetByte(data.Addr());
    default:
      return std::nullopt;
  }
}

QString SettingValueText(const TControlRow& row, const QString& controlName,
                         const TPageTable& table, TBaseDeviceMemoryItem& area,
                         const TComponentData& data, const ILabelContext& page) {
  switch (row.Kind) {
    case ckRadioGroup: {
      // A state past the items shows as the last item, as the group shows it.
      const int index = ShownItem(row, data, LoadValue(area, data));
      const QString number = QString::number(index);
      if (index < 0) return number;
      return number + QStringLiteral(" (") + QString::fromUtf8(row.Items[index].Text) + u')';
    }
    case ckTrackBar:
      return TrackBarText(row, controlName, table, LoadValue(area, data), page);
    case ckMemo:
    case ckLabeledMemo:
      if (data.DataType() == stString) return u'"' + LoadString(area, data) + u'"';
      if (row.ByteLine != nullptr) {
        QStringList lines;
        for (int i = 0; i < data.GetSize(); ++i) {
          lines << row.ByteLine(area.GetByte(data.Addr() + i), page);
        }
        return lines.join(QStringLiteral("; "));
      }
      return HexBytes(area, data.Addr(), data.GetSize());
    case ckData:
      return HexBytes(area, data.Addr(), data.GetSize());
    default:
      return QString::number(LoadValue(area, data));
  }
}

TTableLabelContext::TTableLabelContext(const TPageTable& table, TAreaLookup areas)
    : table_(table), areas_(std::move(areas)), names_(RowControlNames(table.Rows)) {}

std::optional<int> TTableLabelContext::Shown(std::string_view control) const {
  const qsizetype index =
      names_.indexOf(QString::fromUtf8(control.data(), static_cast<qsizetype>(control.size())));
  if (index < 0) return std::nullopt;
  const TControlRow& row = table_.Rows[static_cast<std::size_t>(index)];
  TComponentData data;
  BindRow(row, table_.LanAddr, data);
  TBaseDeviceMemoryItem* area = areas_(data.LanAddr(), data.MemID());
  if (area == nullptr || !area->IsLoaded()) return std::nullopt;
  return ShownNumber(row, *area, data);
}

int TTableLabelContext::BoardGeneration() const {
  TBaseDeviceMemoryItem* settings = areas_(kMainModuleAddr, mlExt);
  if (settings == nullptr || !settings->IsLoaded()) return 0;
  return BoardGenerationOf(settings->GetByte(0));
}

std::vector<TSettingRow> SettingRows(const TPageTable& table) {
  const QStringList names = RowControlNames(table.Rows);
  std::vector<TSettingRow> rows;
  QString section;
  for (std::size_t i = 0; i < table.Rows.size(); ++i) {
    const TControlRow& row = table.Rows[i];
    if (row.Kind == ckHeading) section = QString::fromUtf8(row.Caption);
    if (!IsBound(row.Kind) || row.Twin) continue;
    const QString& name = names[static_cast<qsizetype>(i)];
    rows.push_back({.Row = &row,
                    .Name = name,
                    .Section = row.Kind == ckData ? QString() : section,
                    .Caption = row.Caption[0] ? QString::fromUtf8(row.Caption) : name});
  }
  return rows;
}
