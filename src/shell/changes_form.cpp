#include "shell/changes_form.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "binding/page_table.h"
#include "binding/pending_cells.h"
#include "memory/device_memory_item.h"
#include "memory/lan_device.h"
#include "memory/lan_devices.h"
#include "shell/diff_tree.h"
#include "shell/pending_marks.h"

namespace {

// What the module holds of an area, as far as the program knows it.
TAreaImage Baseline(const TDeviceMemoryItem& area) {
  TAreaImage image = TConfigComparison::FromArea(area);
  for (int i = 0; i < static_cast<int>(image.Bytes.size()); ++i) {
    const auto k = static_cast<size_t>(i);
    image.Known[k] = image.Known[k] && area.HasBaseline(i);
    if (area.HasBaseline(i)) image.Bytes[k] = area.BaselineByte(i);
  }
  return image;
}

// The line's group: a page, or a memory area for bytes no setting shows.
QTreeWidgetItem* GroupOf(QTreeWidgetItem* line) {
  return line != nullptr && line->parent() != nullptr && line->parent()->parent() != nullptr
             ? line->parent()
             : nullptr;
}

}  // namespace

TChangesForm::TChangesForm(TLanDevices& registry, std::vector<const TPageTable*> tables,
                           TPendingMarks& marks, TPurpose purpose, QWidget* parent)
    : QDialog(parent),
      registry_(registry),
      tables_(std::move(tables)),
      marks_(marks),
      tree_(new TDiffTree(QStringLiteral("В модуле"), QStringLiteral("Будет записано"), this)),
      revertLine_(new QPushButton(QStringLiteral("Вернуть настройку"), this)),
      revertPage_(new QPushButton(QStringLiteral("Вернуть страницу"), this)) {
  setObjectName(QStringLiteral("ChangesForm"));
  setWindowTitle(purpose == TPurpose::BeforeWrite ? QStringLiteral("Записать изменения?")
                                                  : QStringLiteral("Изменения"));
  resize(900, 500);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(
      QStringLiteral("Что отправит следующая запись. Двойной щелчок по настройке показывает её "
                     "на странице; \"Вернуть\" возвращает значение, которое хранит модуль."),
      this));
  layout->addWidget(tree_);
  connect(tree_, &TDiffTree::ShowSetting, this, [this, purpose](const QString& page,
                                                                const QString& control) {
    // A write waits for no page: looking at a setting first cancels it.
    if (purpose == TPurpose::BeforeWrite) reject();
    emit ShowSetting(page, control);
  });
  connect(tree_, &QTreeWidget::itemSelectionChanged, this, &TChangesForm::FollowSelection);

  revertLine_->setObjectName(QStringLiteral("btRevertSetting"));
  revertPage_->setObjectName(QStringLiteral("btRevertPage"));
  connect(revertLine_, &QPushButton::clicked, this, [this] { RevertLine(tree_->currentItem()); });
  connect(revertPage_, &QPushButton::clicked, this, [this] { RevertPage(tree_->currentItem()); });
  auto* buttons = new QDialogButtonBox(this);
  buttons->addButton(revertLine_, QDialogButtonBox::ActionRole);
  buttons->addButton(revertPage_, QDialogButtonBox::ActionRole);
  if (purpose == TPurpose::BeforeWrite) {
    buttons->addButton(QStringLiteral("Записать"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("Отмена"), QDialogButtonBox::RejectRole);
  } else {
    buttons->addButton(QStringLiteral("Закрыть"), QDialogButtonBox::RejectRole);
  }
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
  // Whatever the marks follow, the list follows too while it is open.
  connect(&marks_, &TPendingMarks::Changed, this, &TChangesForm::Refill);
  Refill();
}

TConfigDiff TChangesForm::PendingChanges(TLanDevices& registry,
                                         const std::vector<const TPageTable*>& tables) {
  std::vector<TAreaImage> module;
  std::vector<TAreaImage> program;
  for (int i = 0; i < registry.Count(); ++i) {
    for (const auto& area : registry.Items(i).Items()) {
      if (!area->IsLoaded() || !kPersistentLocations.Contains(area->MemID())) continue;
      area->TakeControlValues();
      module.push_back(Baseline(*area));
      program.push_back(TConfigComparison::FromArea(*area));
    }
  }
  return TConfigComparison(tables).Compare(module, program);
}

std::set<uint8_t> TChangesForm::PendingModules(const TConfigDiff& diff) {
  std::set<uint8_t> modules;
  for (const TSettingChange& change : diff.Settings) modules.insert(change.LanAddr);
  for (const TByteChange& change : diff.Bytes) modules.insert(change.LanAddr);
  return modules;
}

void TChangesForm::Refill() {
  tree_->Fill(PendingChanges(registry_, tables_), registry_);
  FollowSelection();
}

void TChangesForm::FollowSelection() {
  QTreeWidgetItem* line = tree_->currentItem();
  revertLine_->setEnabled(GroupOf(line) != nullptr);
  revertPage_->setEnabled(GroupOf(line) != nullptr || (line && line->childCount() > 0 &&
                                                       line->parent() != nullptr));
}

TDeviceMemoryItem* TChangesForm::Revert(QTreeWidgetItem* line) {
  const QString pageName = line->data(TDiffTree::kCaption, TDiffTree::kPageRole).toString();
  if (pageName.isEmpty()) {
    const auto lanAddr = line->data(TDiffTree::kCaption, TDiffTree::kModuleRole).toInt();
    const auto memID =
        static_cast<TMemoryLocation>(line->data(TDiffTree::kCaption, TDiffTree::kAreaRole).toInt());
    TDeviceMemoryItem* area = registry_.FindMem(lanAddr, memID);
    if (area == nullptr) return nullptr;
    area->RestoreBaseline(line->data(TDiffTree::kCaption, TDiffTree::kOffsetRole).toInt(),
                          line->data(TDiffTree::kCaption, TDiffTree::kCountRole).toInt(), 0xFF);
    return area;
  }
  const QString control = line->data(TDiffTree::kCaption, TDiffTree::kControlRole).toString();
  const auto table = std::find_if(tables_.begin(), tables_.end(), [&](const TPageTable* t) {
    return QLatin1String(t->Name) == pageName;
  });
  if (table == tables_.end()) return nullptr;
  for (const TNamedCell& cell : PageCells(**table)) {
    if (cell.Control != control) continue;
    RevertCell(registry_, cell.Cell);
    return registry_.FindMem(cell.Cell.LanAddr, cell.Cell.MemID);
  }
  return nullptr;
}

void TChangesForm::Reload(const std::set<TDeviceMemoryItem*>& areas) {
  for (TDeviceMemoryItem* area : areas) {
    if (area != nullptr) marks_.Reload(*area);
  }
  Refill();
}

void TChangesForm::RevertLine(QTreeWidgetItem* line) {
  if (GroupOf(line) == nullptr) return;
  Reload({Revert(line)});
}

void TChangesForm::RevertPage(QTreeWidgetItem* line) {
  QTreeWidgetItem* group = GroupOf(line);
  if (group == nullptr && line != nullptr && line->parent() != nullptr) group = line;
  if (group == nullptr) return;
  std::set<TDeviceMemoryItem*> areas;
  for (int i = 0; i < group->childCount(); ++i) areas.insert(Revert(group->child(i)));
  Reload(areas);
}
