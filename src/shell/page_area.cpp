#include "shell/page_area.h"

#include <QAction>
#include <algorithm>
#include <set>

#include "binding/bound_control_base.h"
#include "binding/ui/category_panels.h"
#include "binding/ui/vd_frame.h"
#include "link/bus_requests.h"
#include "memory/bound_cell.h"
#include "memory/lan_device.h"
#include "memory/msg_memory_item.h"
#include "shell/live_poller.h"
#include "shell/module_availability.h"
#include "shell/module_commands.h"

TPageArea::TPageArea(TModuleAvailability& availability, TModuleCommands& commands,
                     TLivePoller& poller, QWidget* parent)
    : QStackedWidget(parent), availability_(availability), commands_(commands), poller_(poller) {
  setObjectName(QStringLiteral("PageArea"));
}

void TPageArea::AddPage(TVDFrame* page) {
  addWidget(page);
}

void TPageArea::FinishPages() {
  auto* blank = new QWidget(this);
  addWidget(blank);
  setCurrentWidget(blank);
}

TVDFrame* TPageArea::Page(const QString& name) const {
  return findChild<TVDFrame*>(name, Qt::FindDirectChildrenOnly);
}

std::vector<TVDFrame*> TPageArea::Pages() const {
  const auto pages = findChildren<TVDFrame*>(QString(), Qt::FindDirectChildrenOnly);
  return {pages.begin(), pages.end()};
}

template <class F>
void TPageArea::ForEveryControl(F apply) const {
  for (const TVDFrame* page : Pages()) {
    for (IBoundControl* control : page->BoundControls()) {
      if (auto* bound = dynamic_cast<TBoundControlBase*>(control)) apply(*bound);
    }
  }
}

void TPageArea::SetDemoMode(bool on) {
  demoMode_ = on;
  ApplyMainFirmware();
}

// The version record is live: most reports repeat what every control already follows.
void TPageArea::SetMainFirmware(uint8_t major) {
  if (major == mainMajor_) return;
  mainMajor_ = major;
  ApplyMainFirmware();
}

void TPageArea::ApplyMainFirmware() {
  ForEveryControl(
      [this](TBoundControlBase& control) { control.ApplyMainFirmware(mainMajor_, demoMode_); });
}

void TPageArea::SetBoardGeneration(int generation) {
  if (generation == boardGeneration_) return;
  boardGeneration_ = generation;
  ForEveryControl(
      [generation](TBoundControlBase& control) { control.ApplyBoardGeneration(generation); });
}

bool TPageArea::ShowPage(const QString& name, bool addToHistory, int category) {
  poller_.Stop();
  if (current_) {
    current_->PageHidden();
    current_->DropRequests();
  }
  TVDFrame* page = Page(name);
  if (!page) return false;
  if (addToHistory) history_.Append(name, category);
  ApplyEnabling(*page);
  setCurrentWidget(page);
  page->PageShown();
  current_ = page;
  poller_.Start(*page);
  return true;
}

bool TPageArea::FocusControl(const QString& name) {
  if (!current_) return false;
  auto* control = current_->findChild<QWidget*>(name);
  if (!control) return false;
  for (QWidget* parent = control->parentWidget(); parent && parent != current_;
       parent = parent->parentWidget()) {
    if (auto* category = qobject_cast<TPanelCategory*>(parent)) category->SetCollapsed(false);
  }
  current_->CategoryPanels1()->ensureWidgetVisible(control);
  control->setFocus(Qt::OtherFocusReason);
  return true;
}

void TPageArea::ApplyEnabling(TVDFrame& page) {
  std::set<TDeviceMemoryItem*> requested;
  // Each read is asked for once, however many controls of the page show its areas.
  std::vector<QAction*> reads;
  for (IBoundControl* control : page.BoundControls()) {
    auto* mem = dynamic_cast<TDeviceMemoryItem*>(control->GetMem());
    if (!mem || !mem->Device()) continue;
    const uint8_t addr = mem->Device()->LanAddr();
    const bool available = availability_.IsAvailable(addr);
    const TMemoryLocation location = mem->MemID();

    if (!mem->IsLoaded() && !demoMode_ && kPersistentLocations.Contains(location)) {
      for (QAction* read : commands_.ReadCommandsFor(addr, location)) {
        if (std::find(reads.begin(), reads.end(), read) == reads.end()) reads.push_back(read);
      }
    }
    // Live values are asked for once per area, however many controls show them.
    if (auto* live = dynamic_cast<TMsgMemoryItem*>(mem); live && requested.insert(mem).second) {
      if (available) {
        live->RequestUpdate();
      } else {
        live->ClearAll();
      }
    }

    const bool reachable = available || demoMode_;
    if (auto* bound = dynamic_cast<TBoundControlBase*>(control)) {
      bound->SetDisabled(drAbsent, !reachable);
    }
    if (auto* widget = dynamic_cast<QWidget*>(control)) {
      if (QWidget* panel = widget->parentWidget()) panel->setEnabled(reachable);
    }
  }
  for (QAction* read : reads) read->trigger();
}
