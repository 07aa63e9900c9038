#include "shell/compare_form.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QStringList>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "binding/config_diff.h"
#include "memory/lan_devices.h"

namespace {

enum TColumn { kCaption, kSection, kProgram, kFile, kColumnCount };
// Where a setting's item keeps its page and control.
constexpr int kPageRole = Qt::UserRole;
constexpr int kControlRole = Qt::UserRole + 1;
constexpr int kModuleRole = Qt::UserRole + 2;

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

}  // namespace

TCompareForm::TCompareForm(const TConfigDiff& diff, const TLanDevices& registry,
                           const QString& fileName, QWidget* parent)
    : QDialog(parent), tree_(new QTreeWidget(this)) {
  setObjectName(QStringLiteral("CompareForm"));
  setWindowTitle(QStringLiteral("Сравнение с файлом \"%1\"").arg(fileName));
  resize(900, 500);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(
      new QLabel(QStringLiteral("Двойной щелчок по настройке показывает её на странице."), this));

  tree_->setObjectName(QStringLiteral("tvDifferences"));
  tree_->setColumnCount(kColumnCount);
  tree_->setHeaderLabels({QStringLiteral("Настройка"), QStringLiteral("Раздел"),
                          QStringLiteral("В программе"), QStringLiteral("В файле")});
  tree_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
  layout->addWidget(tree_);
  Fill(diff, registry);
  tree_->expandAll();
  connect(tree_, &QTreeWidget::itemDoubleClicked, this,
          [this](QTreeWidgetItem* item) { Activate(item); });

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
}

QTreeWidgetItem* TCompareForm::ModuleItem(const TLanDevices& registry, uint8_t lanAddr) {
  for (int i = 0; i < tree_->topLevelItemCount(); ++i) {
    QTreeWidgetItem* item = tree_->topLevelItem(i);
    if (item->data(kCaption, kModuleRole).toInt() == lanAddr) return item;
  }
  const TLanDevice* device = registry.FindDevice(lanAddr);
  auto* item = new QTreeWidgetItem(tree_, {device ? device->Title() : QString::number(lanAddr)});
  item->setData(kCaption, kModuleRole, lanAddr);
  return item;
}

QTreeWidgetItem* TCompareForm::GroupItem(QTreeWidgetItem* module, const QString& caption) {
  for (int i = 0; i < module->childCount(); ++i) {
    if (module->child(i)->text(kCaption) == caption) return module->child(i);
  }
  return new QTreeWidgetItem(module, {caption});
}

void TCompareForm::Fill(const TConfigDiff& diff, const TLanDevices& registry) {
  for (const TSettingChange& change : diff.Settings) {
    QTreeWidgetItem* page =
        GroupItem(ModuleItem(registry, change.LanAddr), QString::fromUtf8(change.Page->Title));
    auto* item =
        new QTreeWidgetItem(page, {change.Caption, change.Section, change.Old, change.New});
    item->setData(kCaption, kPageRole, QString::fromUtf8(change.Page->Name));
    item->setData(kCaption, kControlRole, change.Control);
  }
  for (const TByteChange& change : diff.Bytes) {
    QTreeWidgetItem* area = GroupItem(ModuleItem(registry, change.LanAddr),
                                      AreaName(registry, change.LanAddr, change.MemID));
    const QString where = change.Old.size() == 1
                              ? QStringLiteral("Байт %1").arg(change.Offset)
                              : QStringLiteral("Байты %1..%2")
                                    .arg(change.Offset)
                                    .arg(change.Offset + static_cast<int>(change.Old.size()) - 1);
    new QTreeWidgetItem(area, {where, QString(), Hex(change.Old), Hex(change.New)});
  }
  for (const TAreaOnlyIn& only : diff.OnlyIn) {
    QTreeWidgetItem* area =
        GroupItem(ModuleItem(registry, only.LanAddr), AreaName(registry, only.LanAddr, only.MemID));
    area->setText(only.Side == TDiffSide::A ? kProgram : kFile, QStringLiteral("есть"));
    area->setText(only.Side == TDiffSide::A ? kFile : kProgram, QStringLiteral("нет"));
  }
}

void TCompareForm::Activate(QTreeWidgetItem* item) {
  const QString page = item->data(kCaption, kPageRole).toString();
  if (page.isEmpty()) return;
  emit ShowSetting(page, item->data(kCaption, kControlRole).toString());
}
