#include "binding/setting_text.h"

#include <QRegularExpression>
#include <QStringList>
#include <algorithm>

#include "binding/component_data.h"
#include "binding/row_binding.h"
#include "binding/value_coding.h"
#include "link/lan_msg.h"
#include "memory/base_device_memory_item.h"
#include "text/code_page_1251.h"

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

// A number with, optionally, the bracketed text the listing adds: "3" or "3 (Текст)".
struct TNumberText {
  int Number = 0;
  std::optional<QString> Text;
};

std::optional<TNumberText> ParseNumberText(const QString& text) {
  const qsizetype space = text.indexOf(u' ');
  const QString head = space < 0 ? text : text.left(space);
  bool ok = false;
  const int number = head.toInt(&ok, 10);
  if (!ok) return std::nullopt;
  if (space < 0) return TNumberText{number, std::nullopt};
  const QString rest = text.mid(space + 1);
  if (rest.size() < 2 || !rest.startsWith(u'(') || !rest.endsWith(u')')) return std::nullopt;
  return TNumberText{number, rest.mid(1, rest.size() - 2)};
}

QString RangeText(int min, int max) {
  return QStringLiteral("%1..%2").arg(min).arg(max);
}

// Upper- or lower-case hexadecimal bytes separated by single spaces, exactly `count` of them.
std::optional<std::vector<uint8_t>> ParseHexBytes(const QString& text, int count) {
  const QStringList parts = text.split(u' ');
  if (parts.size() != count) return std::nullopt;
  std::vector<uint8_t> bytes;
  for (const QString& part : parts) {
    bool ok = false;
    const uint value = part.toUInt(&ok, 16);
    if (!ok || part.size() != 2) return std::nullopt;
    bytes.push_back(static_cast<uint8_t>(value));
  }
  return bytes;
}

// The byte whose line the memo shows as `line`; the first of them where several show alike.
std::optional<uint8_t> ByteOfLine(const TControlRow& row, const QString& line,
                                  const ILabelContext& page) {
  for (int byte = 0; byte < 256; ++byte) {
    if (row.ByteLine(static_cast<uint8_t>(byte), page) == line) return static_cast<uint8_t>(byte);
  }
  return std::nullopt;
}

QString StoreNumberText(const TControlRow& row, TBaseDeviceMemoryItem& area,
                        const TComponentData& data, const QString& text) {
  const auto parsed = ParseNumberText(text);
  switch (row.Kind) {
    case ckCheckBox:
      if (text != u"0" && text != u"1") return QStringLiteral("ожидается 0 или 1");
      StoreValue(area, data, text.toInt());
      return {};
    case ckRadioGroup: {
      const int last = static_cast<int>(row.Items.size()) - 1;
      if (!parsed || parsed->Number < 0 || parsed->Number > last) {
        QStringList items;
        for (const TRadioItem& item : row.Items) {
          items << QStringLiteral("%1 (%2)").arg(item.Index).arg(QString::fromUtf8(item.Text));
        }
        return QStringLiteral("ожидается номер пункта: ") + items.join(QStringLiteral(", "));
      }
      const QString item = QString::fromUtf8(row.Items[static_cast<size_t>(parsed->Number)].Text);
      if (parsed->Text && *parsed->Text != item) {
        return QStringLiteral("пункт %1 называется «%2»").arg(parsed->Number).arg(item);
      }
      const bool coded = data.DataType() == stByte && row.Coding != nullptr;
      StoreValue(
          area, data,
          coded ? row.Coding->Stored(parsed->Number, LoadValue(area, data)) : parsed->Number);
      return {};
    }
    case ckTrackBar: {
      const TRange range = TrackRange(row);
      if (!parsed || parsed->Number < range.Min || parsed->Number > range.Max) {
        return QStringLiteral("ожидается положение ") + RangeText(range.Min, range.Max);
      }
      StoreValue(
          area, data,
          row.Coding ? row.Coding->Stored(parsed->Number, LoadValue(area, data)) : parsed->Number);
      return {};
    }
    default:
      return QStringLiteral("только показывает значение, это не настройка");
  }
}

QString StoreBytesText(const TControlRow& row, TBaseDeviceMemoryItem& area,
                       const TComponentData& data, const QString& text, const ILabelContext& page) {
  const int size = data.GetSize();
  std::vector<uint8_t> bytes;
  if (row.ByteLine != nullptr) {
    const QStringList lines = text.split(QStringLiteral("; "));
    if (lines.size() != size) {
      return QStringLiteral("ожидается %1 строк через «; »").arg(size);
    }
    for (const QString& line : lines) {
      const auto byte = ByteOfLine(row, line, page);
      if (!byte) return QStringLiteral("строка «%1» не означает ни одного значения").arg(line);
      bytes.push_back(*byte);
    }
  } else {
    const auto parsed = ParseHexBytes(text, size);
    if (!parsed) {
      return QStringLiteral("ожидается %1 байт в шестнадцатеричном виде через пробел").arg(size);
    }
    bytes = *parsed;
  }
  for (int i = 0; i < size; ++i) area.SetByte(data.Addr() + i, bytes[static_cast<size_t>(i)]);
  return {};
}

QString StoreQuotedText(TBaseDeviceMemoryItem& area, const TComponentData& data,
                        const QString& text) {
  if (text.size() < 2 || !text.startsWith(u'"') || !text.endsWith(u'"')) {
    return QStringLiteral("ожидается текст в двойных кавычках");
  }
  const QString inner = text.mid(1, text.size() - 2);
  if (FromCp1251(ToCp1251(inner)) != inner) {
    return QStringLiteral("в тексте есть знаки, которых нет в кодировке модуля");
  }
  if (inner.size() > data.MaxVal()) {
    return QStringLiteral("текст длиннее %1 знаков").arg(data.MaxVal());
  }
  if (inner.contains(QChar(0))) return QStringLiteral("в тексте есть нулевой знак");
  StoreString(area, data, inner);
  return {};
}

}  // namespace

QString StoreSettingText(const TControlRow& row, TBaseDeviceMemoryItem& area,
                         const TComponentData& data, const QString& text,
                         const ILabelContext& page) {
  switch (row.Kind) {
    case ckMemo:
    case ckLabeledMemo:
      if (data.DataType() == stString) return StoreQuotedText(area, data, text);
      return StoreBytesText(row, area, data, text, page);
    case ckData:
      return StoreBytesText(row, area, data, text, page);
    default:
      return StoreNumberText(row, area, data, text);
  }
}

bool SettingTextMatches(const QString& given, const QString& shown) {
  if (given == shown) return true;
  // Bytes may be given in lower case; the listing writes them in upper case.
  static const QRegularExpression kHexBytes(QStringLiteral("^[0-9A-F]{2}( [0-9A-F]{2})*$"));
  if (kHexBytes.match(shown).hasMatch() && given.toUpper() == shown) return true;
  const auto parsed = ParseNumberText(given);
  return parsed && !parsed->Text && shown.startsWith(given + QStringLiteral(" ("));
}

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
