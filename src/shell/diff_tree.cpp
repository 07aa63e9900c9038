#include "shell/diff_tree.h"

#include <QHeaderView>
#include <QRegularExpression>
#include <QStringList>
#include <algorithm>
#include <utility>

#include "binding/config_diff.h"
#include "memory/device_memory_item.h"
#include "memory/lan_devices.h"

namespace {

// A value column takes at most this share of the width, a caption column a little more.
constexpr double kValueShare = 0.25;
constexpr double kCaptionShare = 0.35;

QString Hex(const std::vector<uint8_t>& bytes) {
  QStringList hex;
  for (const uint8_t byte : bytes) {
    hex << QStringLiteral("%1").arg(byte, 2, 16, QLatin1Char('0')).toUpper();
  }
  return hex.join(u' ');
}

QString AreaName(const TLanDevices& registry, uint8_t lanAddr, TMemoryLocation memID) {
  const TDeviceMemoryItem* area = registry.FindMem(lanAddr, memID);
  return area ? area->Name() : QString::number(memID);
}

// "N (text)" as the comparison writes an item or a labelled position: the text alone.
QString OwnText(const QString& value) {
  static const QRegularExpression kNumbered(QStringLiteral("^-?\\d+ \\((.*)\\)$"),
                                            QRegularExpression::DotMatchesEverythingOption);
  const QRegularExpressionMatch match = kNumbered.match(value);
  return match.hasMatch() ? match.captured(1) : value;
}

QString ShownValue(const TControlRow* row, const QString& value) {
  if (row == nullptr) return value;
  switch (row->Kind) {
    case ckCheckBox:
      return value == QStringLiteral("0") ? QStringLiteral("— выкл") : QStringLiteral("✓ вкл");
    case ckRadioGroup:
    case ckTrackBar:
      return OwnText(value);
    default:
      return value;
  }
}

}  // namespace

TDiffRowText PresentSetting(const TSettingChange& change) {
  // A control without a caption of its own goes by its section's heading; a data item, which
  // a page places where its own logic wants (its row says nothing of where), by its page's
  // title.
  QString caption = change.Caption;
  QString section = change.Section;
  if (caption == change.Control) {
    caption = !section.isEmpty() ? std::exchange(section, QString())
                                 : QString::fromUtf8(change.Page->Title);
  }
  return {caption, section, ShownValue(change.Row, change.Old), ShownValue(change.Row, change.New)};
}

TDiffTree::TDiffTree(const QString& sideA, const QString& sideB, QWidget* parent)
    : QTreeWidget(parent) {
  setObjectName(QStringLiteral("tvDifferences"));
  setColumnCount(kColumnCount);
  setHeaderLabels({QStringLiteral("Настройка"), QStringLiteral("Раздел"), sideA, sideB});
  setTextElideMode(Qt::ElideRight);
  setUniformRowHeights(true);
  header()->setSectionResizeMode(QHeaderView::Interactive);
  header()->setStretchLastSection(true);
  connect(this, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
    const QString page = item->data(kCaption, kPageRole).toString();
    if (!page.isEmpty()) emit ShowSetting(page, item->data(kCaption, kControlRole).toString());
  });
}

QTreeWidgetItem* TDiffTree::ModuleItem(const TLanDevices& registry, uint8_t lanAddr) {
  for (int i = 0; i < topLevelItemCount(); ++i) {
    QTreeWidgetItem* item = topLevelItem(i);
    if (item->data(kCaption, kModuleRole).toInt() == lanAddr) return item;
  }
  const TLanDevice* device = registry.FindDevice(lanAddr);
  auto* item = new QTreeWidgetItem(this, {device ? device->Title() : QString::number(lanAddr)});
  item->setData(kCaption, kModuleRole, lanAddr);
  return item;
}

QTreeWidgetItem* TDiffTree::GroupItem(QTreeWidgetItem* module, const QString& caption) {
  for (int i = 0; i < module->childCount(); ++i) {
    if (module->child(i)->text(kCaption) == caption) return module->child(i);
  }
  return new QTreeWidgetItem(module, {caption});
}

QTreeWidgetItem* TDiffTree::AddLine(QTreeWidgetItem* group, const QStringList& texts) {
  auto* item = new QTreeWidgetItem(group, texts);
  for (int column = 0; column < kColumnCount; ++column) item->setToolTip(column, texts.value(column));
  ++lines_;
  return item;
}

void TDiffTree::Fill(const TConfigDiff& diff, const TLanDevices& registry) {
  clear();
  lines_ = 0;
  for (const TSettingChange& change : diff.Settings) {
    QTreeWidgetItem* page =
        GroupItem(ModuleItem(registry, change.LanAddr), QString::fromUtf8(change.Page->Title));
    page->setData(kCaption, kPageRole, QString::fromUtf8(change.Page->Name));
    const TDiffRowText text = PresentSetting(change);
    QTreeWidgetItem* item = AddLine(page, {text.Caption, text.Section, text.Old, text.New});
    item->setData(kCaption, kPageRole, QString::fromUtf8(change.Page->Name));
    item->setData(kCaption, kControlRole, change.Control);
  }
  for (const TByteChange& change : diff.Bytes) {
    QTreeWidgetItem* area = GroupItem(ModuleItem(registry, change.LanAddr),
                                      AreaName(registry, change.LanAddr, change.MemID));
    const int count = static_cast<int>(change.Old.size());
    const QString where = count == 1 ? QStringLiteral("Байт %1").arg(change.Offset)
                                     : QStringLiteral("Байты %1..%2")
                                           .arg(change.Offset)
                                           .arg(change.Offset + count - 1);
    QTreeWidgetItem* item = AddLine(area, {where, QString(), Hex(change.Old), Hex(change.New)});
    item->setData(kCaption, kModuleRole, change.LanAddr);
    item->setData(kCaption, kAreaRole, static_cast<int>(change.MemID));
    item->setData(kCaption, kOffsetRole, change.Offset);
    item->setData(kCaption, kCountRole, count);
  }
  for (const TAreaOnlyIn& only : diff.OnlyIn) {
    QTreeWidgetItem* area =
        GroupItem(ModuleItem(registry, only.LanAddr), AreaName(registry, only.LanAddr, only.MemID));
    area->setText(only.Side == TDiffSide::A ? kSideA : kSideB, QStringLiteral("есть"));
    area->setText(only.Side == TDiffSide::A ? kSideB : kSideA, QStringLiteral("нет"));
  }
  expandAll();
  FitColumns();
}

void TDiffTree::resizeEvent(QResizeEvent* event) {
  QTreeWidget::resizeEvent(event);
  FitColumns();
}

void TDiffTree::FitColumns() {
  const int width = viewport()->width();
  for (int column = 0; column < kColumnCount - 1; ++column) {
    const double share = column == kCaption ? kCaptionShare : kValueShare;
    const int content = std::max(sizeHintForColumn(column), header()->sectionSizeHint(column));
    setColumnWidth(column, std::min(content, static_cast<int>(width * share)));
  }
}
