#include "shell/setting_search.h"

#include <QGraphicsColorizeEffect>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMainWindow>
#include <QPropertyAnimation>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <deque>
#include <memory>

#include "binding/component_data.h"
#include "binding/row_binding.h"
#include "binding/setting_text.h"
#include "binding/ui/vd_frame.h"
#include "link/lan_msg.h"
#include "memory/device_memory_item.h"
#include "memory/lan_devices.h"
#include "shell/command_table.h"

namespace {

enum TMatchColumn { kModuleColumn, kPageColumn, kSectionColumn, kCaptionColumn, kValueColumn };

constexpr int kEntryRole = Qt::UserRole;
constexpr int kFlashMs = 1200;
// The list needs this much room to show a caption beside its module, page and section.
constexpr int kListWidth = 640;
// Module, page and section give way to the caption beyond this width, and the caption to the
// value beyond its own; the tooltips of the cells hold the whole texts.
constexpr int kContextColumnWidth = 150;
constexpr int kCaptionColumnWidth = 300;

// A setting the user can find on its page: a visible control with a caption of its own.
bool Searchable(const TControlRow& row) {
  return IsBound(row.Kind) && row.Kind != ckData && !row.Hidden && row.Caption[0] != '\0';
}

// An area's image as it stands, read without marking anything: a search must not pass unread
// bytes off as read.
class TImageView final : public TBaseDeviceMemoryItem {
 public:
  explicit TImageView(const TDeviceMemoryItem& area) : area_(area) {}

  bool IsBusChannel() const override { return false; }
  bool IsLoaded() const override { return true; }
  bool IsModified() override { return false; }
  void SetLoaded(bool) override {}
  void SetModified(bool) override {}
  uint8_t GetByte(int index) override {
    const auto image = area_.Image();
    return index >= 0 && index < static_cast<int>(image.size())
               ? image[static_cast<std::size_t>(index)]
               : 0;
  }
  void SetByte(int, uint8_t) override {}
  bool IsUnlocked() const override { return false; }
  void ResetReadPlan() override {}
  void ReadRange(int, int) override {}
  void NotifyControls(IBoundControl*, int) override {}

 private:
  const TDeviceMemoryItem& area_;
};

}  // namespace

QString CurrentValueText(const TSettingIndex::TEntry& entry, const TLanDevices& registry) {
  TComponentData data;
  BindRow(*entry.Row, entry.Table->LanAddr, data);
  const TDeviceMemoryItem* area = registry.FindMem(data.LanAddr(), data.MemID());
  if (area == nullptr || data.Addr() + data.GetSize() > area->Size()) return {};
  if (!area->IsValid(data.Addr()) && !area->IsChanged(data.Addr())) {
    return QStringLiteral("не прочитано");
  }
  TImageView view(*area);
  // Value labels that read other cells of the page read them without marking them either.
  auto views = std::make_shared<std::deque<TImageView>>();
  const TTableLabelContext page(
      *entry.Table,
      [&registry, views](uint8_t lanAddr, TMemoryLocation memID) -> TBaseDeviceMemoryItem* {
        const TDeviceMemoryItem* other = registry.FindMem(lanAddr, memID);
        return other ? &views->emplace_back(*other) : nullptr;
      });
  return SettingValueText(*entry.Row, entry.Control, *entry.Table, view, data, page);
}

QString PageModule(const TPageTable& table) {
  const QString command = QStringLiteral("a") + QLatin1String(table.Name);
  for (const TPanelCategorySpec& category : ModulePanelCategories()) {
    for (const char* name : category.Commands) {
      if (command == QLatin1String(name)) return QString::fromUtf8(category.Caption).trimmed();
    }
  }
  return ModuleName(table.LanAddr);
}

QString SearchFold(const QString& text) {
  QString folded = text.toCaseFolded();
  folded.replace(QChar(u'ё'), QChar(u'е'));
  return folded.simplified();
}

TSettingIndex::TSettingIndex(const std::vector<const TPageTable*>& tables) {
  for (const TPageTable* table : tables) {
    for (const TSettingRow& setting : SettingRows(*table)) {
      const TControlRow& row = *setting.Row;
      if (!Searchable(row)) continue;
      const uint8_t lanAddr = row.Module != 0 ? row.Module : table->LanAddr;
      const QString module = row.Module != 0 ? ModuleName(row.Module) : PageModule(*table);
      entries_.push_back({.Table = table,
                          .Row = &row,
                          .Control = setting.Name,
                          .Module = module,
                          .Section = setting.Section,
                          .Caption = setting.Caption.simplified(),
                          .LanAddr = lanAddr,
                          .Folded = SearchFold(setting.Caption)});
    }
  }
}

std::vector<const TSettingIndex::TEntry*> TSettingIndex::Find(const QString& text) const {
  const QString wanted = SearchFold(text);
  std::vector<const TEntry*> found;
  if (wanted.isEmpty()) return found;
  for (const TEntry& entry : entries_) {
    if (entry.Folded.contains(wanted)) found.push_back(&entry);
  }
  return found;
}

TSettingSearch::TSettingSearch(const std::vector<const TPageTable*>& tables, TValueText value,
                               QWidget* parent)
    : QDockWidget(parent),
      index_(tables),
      value_(std::move(value)),
      field_(new QLineEdit),
      matches_(new QTreeWidget) {
  setObjectName(QStringLiteral("SettingSearch"));
  setWindowTitle(QStringLiteral("Найти настройку"));
  field_->setObjectName(QStringLiteral("edSettingSearch"));
  field_->setPlaceholderText(QStringLiteral("Найти настройку (Ctrl+Shift+F)"));
  field_->setClearButtonEnabled(true);
  matches_->setObjectName(QStringLiteral("lvSettingMatches"));
  matches_->setRootIsDecorated(false);
  matches_->setUniformRowHeights(true);
  matches_->setHeaderLabels({QStringLiteral("Модуль"), QStringLiteral("Страница"),
                             QStringLiteral("Раздел"), QStringLiteral("Настройка"),
                             QStringLiteral("Значение")});
  matches_->header()->setSectionResizeMode(QHeaderView::Interactive);
  matches_->hide();

  auto* body = new QWidget;
  auto* layout = new QVBoxLayout(body);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->setSpacing(4);
  layout->addWidget(field_);
  layout->addWidget(matches_, 1);
  setWidget(body);

  connect(field_, &QLineEdit::textChanged, this, &TSettingSearch::Refresh);
  // Enter in the field takes the highlighted match, or the first one.
  connect(field_, &QLineEdit::returnPressed, this, [this] {
    QTreeWidgetItem* item = matches_->currentItem();
    Choose(item ? item : matches_->topLevelItem(0));
  });
  connect(matches_, &QTreeWidget::itemActivated, this,
          [this](QTreeWidgetItem* item) { Choose(item); });
}

void TSettingSearch::Activate() {
  show();
  raise();
  field_->setFocus(Qt::ShortcutFocusReason);
  field_->selectAll();
}

void TSettingSearch::Refresh() {
  matches_->clear();
  const auto found = index_.Find(field_->text());
  matches_->setVisible(!found.empty() || !SearchFold(field_->text()).isEmpty());
  QList<QTreeWidgetItem*> items;
  for (const TSettingIndex::TEntry* entry : found) {
    auto* item = new QTreeWidgetItem(
        QStringList{entry->Module, QString::fromUtf8(entry->Table->Title), entry->Section,
                    entry->Caption, value_ ? value_(*entry) : QString()});
    for (int column = kModuleColumn; column <= kValueColumn; ++column) {
      item->setToolTip(column, item->text(column));
    }
    item->setData(0, kEntryRole, QVariant::fromValue(static_cast<const void*>(entry)));
    items.append(item);
  }
  matches_->addTopLevelItems(items);
  if (items.isEmpty()) return;
  matches_->setCurrentItem(items.first());
  for (int column = kModuleColumn; column <= kValueColumn; ++column) {
    matches_->resizeColumnToContents(column);
    if (column < kCaptionColumn) {
      matches_->setColumnWidth(column,
                               std::min(matches_->columnWidth(column), kContextColumnWidth));
    }
  }
  // Docked beside the pages, the window widens while it lists matches.
  auto* window = qobject_cast<QMainWindow*>(parentWidget());
  if (window != nullptr && !isFloating() && width() < kListWidth) {
    window->resizeDocks({this}, {kListWidth}, Qt::Horizontal);
  }
}

void TSettingSearch::Choose(QTreeWidgetItem* item) {
  if (item == nullptr) return;
  const auto* entry =
      static_cast<const TSettingIndex::TEntry*>(item->data(0, kEntryRole).value<const void*>());
  if (entry == nullptr) return;
  emit SettingChosen(*entry);
}

QWidget* FindRowWidget(const TVDFrame& page, const TSettingIndex::TEntry& entry) {
  TComponentData data;
  BindRow(*entry.Row, entry.Table->LanAddr, data);
  QWidget* sameCell = nullptr;
  for (IBoundControl* control : page.BoundControls()) {
    auto* widget = dynamic_cast<QWidget*>(control);
    if (widget == nullptr || control->GetLanAddr() != data.LanAddr() ||
        control->GetMemID() != data.MemID() || control->GetAddr() != data.Addr() ||
        control->GetStartBit() != data.StartBit()) {
      continue;
    }
    if (control->GetCaption().simplified() == entry.Caption) return widget;
    // A memo shows no caption of its own.
    if (sameCell == nullptr) sameCell = widget;
  }
  return sameCell;
}

void FlashControl(QWidget& control) {
  auto* effect = new QGraphicsColorizeEffect(&control);
  effect->setColor(control.palette().color(QPalette::Highlight));
  control.setGraphicsEffect(effect);
  auto* fade = new QPropertyAnimation(effect, "strength", effect);
  fade->setDuration(kFlashMs);
  fade->setKeyValues({{0.0, 0.0}, {0.25, 0.9}, {0.5, 0.2}, {0.75, 0.9}, {1.0, 0.0}});
  // Removing the effect deletes it, and the animation with it.
  QObject::connect(
      fade, &QPropertyAnimation::finished, &control,
      [&control, effect] {
        if (control.graphicsEffect() == effect) control.setGraphicsEffect(nullptr);
      },
      Qt::QueuedConnection);
  fade->start();
}
