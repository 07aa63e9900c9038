#include "shell/pending_marks.h"

#include <QLabel>
#include <algorithm>
#include <utility>

#include "binding/bound_control_base.h"
#include "binding/ui/category_panels.h"
#include "binding/ui/page_registry.h"
#include "binding/ui/pending_look.h"
#include "binding/ui/vd_data.h"
#include "binding/ui/vd_frame.h"
#include "memory/device_memory_item.h"
#include "memory/lan_devices.h"
#include "shell/elements_form.h"
#include "shell/page_area.h"

TPendingMarks::TPendingMarks(TLanDevices& registry, TPageArea& pages, const TPageRegistry& tables,
                             TElementsForm* panel, QObject* parent)
    : QObject(parent), registry_(registry), pages_(pages), panel_(panel), update_(*this, [this] {
        Update();
      }) {
  for (const TPageInfo& info : tables.Pages()) {
    if (info.Table == nullptr) continue;
    TPageCells page{info.Name, {}, false};
    for (const TNamedCell& cell : PageCells(*info.Table)) page.Cells.push_back(cell.Cell);
    tables_.push_back(std::move(page));
  }
  registry_.SetOnPending([this](TDeviceMemoryItem& area) {
    // Live memories are never written: a refresh of their values is no change to send.
    if (!kPersistentLocations.Contains(area.MemID())) return;
    dirty_.insert(&area);
    update_.Request();
  });
  // A page built or shown later takes the marks of what it shows.
  connect(&pages_, &QStackedWidget::currentChanged, this, [this] {
    if (TVDFrame* page = pages_.CurrentPage()) MarkPage(*page, nullptr);
  });
}

QWidget* TPendingMarks::MarkedWidget(IBoundControl* control) {
  if (auto* data = dynamic_cast<TVDData*>(control)) return data->Control();
  auto* widget = dynamic_cast<QWidget*>(control);
  // A label shows a live value, never a setting the user edits.
  return widget == nullptr || qobject_cast<QLabel*>(widget) != nullptr ? nullptr : widget;
}

void TPendingMarks::Update() {
  const std::set<TDeviceMemoryItem*> areas = std::exchange(dirty_, {});
  if (areas.empty()) return;
  // The image holds what the controls show, so that a value changed and changed back
  // compares equal to what the module holds.
  for (TDeviceMemoryItem* area : areas) {
    if (area->IsLoaded()) area->TakeControlValues();
  }
  for (TVDFrame* page : pages_.Pages()) MarkPage(*page, &areas);
  for (TPageCells& page : tables_) {
    const bool touched = std::any_of(page.Cells.begin(), page.Cells.end(), [&](const auto& cell) {
      TDeviceMemoryItem* area = registry_.FindMem(cell.LanAddr, cell.MemID);
      return area != nullptr && areas.contains(area);
    });
    if (!touched) continue;
    page.Pending = std::any_of(page.Cells.begin(), page.Cells.end(),
                               [&](const auto& cell) { return CellPending(registry_, cell); });
    SetPagePending(page.Name, page.Pending);
  }
  emit Changed();
}

void TPendingMarks::Reload(TDeviceMemoryItem& area) {
  for (IBoundControl* control : area.Controls()) LoadIfLoaded(*control);
  dirty_.insert(&area);
  Update();
}

bool TPendingMarks::PagePending(const QString& name) const {
  const auto found = std::find_if(tables_.begin(), tables_.end(),
                                  [&name](const TPageCells& page) { return page.Name == name; });
  return found != tables_.end() && found->Pending;
}

void TPendingMarks::SetPagePending(const QString& name, bool pending) {
  if (panel_ != nullptr) panel_->SetCommandPending(QLatin1Char('a') + name, pending);
}

void TPendingMarks::MarkPage(TVDFrame& page, const std::set<TDeviceMemoryItem*>* only) {
  std::vector<QWidget*> marked;
  bool touched = false;
  for (IBoundControl* control : page.BoundControls()) {
    QWidget* widget = MarkedWidget(control);
    auto* bound = dynamic_cast<TBoundControlBase*>(control);
    auto* area = dynamic_cast<TDeviceMemoryItem*>(control->GetMem());
    if (widget == nullptr || bound == nullptr || area == nullptr) continue;
    if (only == nullptr || only->contains(area)) {
      touched = true;
      SetPendingLook(*widget, CellPending(*area, ShownCell(bound->ComponentData())));
    }
    if (HasPendingLook(*widget)) marked.push_back(widget);
  }
  if (!touched) return;
  for (TPanelCategory* category : page.CategoryPanels1()->Categories()) {
    category->SetPending(std::any_of(marked.begin(), marked.end(), [category](QWidget* widget) {
      return category->Panel()->isAncestorOf(widget);
    }));
  }
}
