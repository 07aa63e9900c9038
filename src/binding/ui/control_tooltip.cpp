#include "binding/ui/control_tooltip.h"

#include <QStringList>
#include <QWidget>
#include <algorithm>

#include "binding/component_data.h"
#include "binding/help_anchor.h"
#include "binding/page_table.h"
#include "binding/row_binding.h"
#include "binding/ui/page_controls.h"
#include "binding/ui/page_host.h"
#include "link/lan_msg.h"
#include "memory/module_table.h"

namespace {

// The area of the module as the program names it elsewhere ("Память настроек").
QString AreaName(uint8_t lanAddr, TMemoryLocation memID) {
  for (const TModuleSpec& module : kModuleTable) {
    if (module.LanAddr != lanAddr) continue;
    for (const TAreaSpec& area : module.Areas) {
      if (area.MemID == memID) return QString::fromUtf8(area.Name);
    }
  }
  return QStringLiteral("память %1").arg(static_cast<int>(memID));
}

QString FactoryValue(const TPageTable& table, const TControlRow& row) {
  switch (row.Kind) {
    case ckCheckBox:
      return row.Default != 0 ? QStringLiteral("включено") : QStringLiteral("выключено");
    case ckRadioGroup:
      if (row.Default < 0 || row.Default >= static_cast<int>(row.Items.size())) return {};
      return QString::fromUtf8(row.Items[static_cast<std::size_t>(row.Default)].Text);
    case ckTrackBar: {
      const QString number = QString::number(row.Default);
      const auto label =
          std::find_if(table.Labels.begin(), table.Labels.end(), [&row](const TValueLabelRow& l) {
            return *row.Name != '\0' && QLatin1String(l.Name) == QLatin1String(row.Name);
          });
      if (label == table.Labels.end()) return number;
      const QString text = ValueLabelText(*label, row.Default).trimmed();
      return text == number ? number : number + QStringLiteral(" (") + text + u')';
    }
    case ckMemo:
    case ckLabeledMemo:
      return *row.DefaultText != '\0' ? u'"' + QString::fromUtf8(row.DefaultText) + u'"'
                                      : QString();
    default:
      return {};
  }
}

QString Cell(const TComponentData& data) {
  QString cell = AreaName(data.LanAddr(), data.MemID()) + QStringLiteral(", байт ") +
                 QString::number(data.Addr());
  if (data.DataType() == stBit || data.DataType() == stBits) {
    cell += QStringLiteral(", бит ") + QString::number(static_cast<int>(data.StartBit()));
  } else if (data.DataType() == stByteLo) {
    cell += QStringLiteral(", младшая половина");
  } else if (data.DataType() == stByteHi) {
    cell += QStringLiteral(", старшая половина");
  } else if (data.GetSize() > 1) {
    cell += QStringLiteral(" (%1 байт)").arg(data.GetSize());
  }
  return cell;
}

}  // namespace

QString ControlTooltip(const TPageTable& table, const TControlRow& row,
                       const QString& helpSentence) {
  TComponentData data;
  BindRow(row, table.LanAddr, data);
  QStringList lines;
  const QString caption = QString::fromUtf8(row.Caption).simplified();
  if (!caption.isEmpty()) lines << caption;
  // The hint keeps its own line breaks.
  const QString hint = QString::fromUtf8(row.Hint);
  if (!hint.isEmpty()) lines << hint;
  lines << QStringLiteral("Модуль: %1 (адрес %2)")
               .arg(ModuleName(data.LanAddr()))
               .arg(data.LanAddr());
  lines << QStringLiteral("Ячейка: ") + Cell(data);
  const QString factory = FactoryValue(table, row);
  if (!factory.isEmpty()) lines << QStringLiteral("Заводское значение: ") + factory;
  const QString sentence = helpSentence.simplified();
  if (!sentence.isEmpty() && sentence != hint.simplified()) lines << sentence;
  return lines.join(u'\n');
}

void AttachControlTooltips(const TPageControls& controls, const TPageTable& table,
                           IPageHost& host) {
  const QString topic = PageHelpTopic(table);
  const auto rows = controls.Rows();
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const TControlRow& row = rows[i];
    auto* widget = qobject_cast<QWidget*>(controls.At(i));
    if (!IsBound(row.Kind) || row.Kind == ckData || widget == nullptr) continue;
    TComponentData data;
    BindRow(row, table.LanAddr, data);
    const QString anchor = HelpAnchor(row.Kind, data);
    const QString sentence = anchor.isEmpty() ? QString() : host.HelpSentence(topic, anchor);
    widget->setToolTip(ControlTooltip(table, row, sentence));
  }
}
