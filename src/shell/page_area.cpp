#include "shell/page_area.h"

#include <QAction>
#include <QCoreApplication>
#include <algorithm>
#include <set>

#include "binding/bound_control_base.h"
#include "binding/headless_binder.h"
#include "binding/page_table.h"
#include "binding/ui/category_panels.h"
#include "binding/ui/vd_frame.h"
#include "link/bus_requests.h"
#include "memory/bound_cell.h"
#include "memory/lan_device.h"
#include "memory/msg_memory_item.h"
#include "shell/live_poller.h"
#include "shell/module_availability.h"
#include "shell/module_commands.h"

namespace {

// Why the page's own module's settings are greyed, in the words the installer acts on.
QString UnavailableReason(const TLanDevice& device) {
  const QString module = device.Title();
  if (!device.Present()) {
    return QStringLiteral(
               "Модуль «%1» не отвечает, поэтому его настройки показаны серым. "
               "Проверьте подключение модуля и адаптера, затем нажмите "
               "«Прочитать» (F5).")
        .arg(module);
  }
  return QStringLiteral(
             "Модуль «%1» не разрешает доступ, поэтому его настройки показаны "
             "серым. Переведите систему в режим программирования, затем нажмите "
             "«Прочитать» (F5).")
      .arg(module);
}

}  // namespace

TPageArea::TPageArea(TModuleAvailability& availability, TModuleCommands& commands,
                     TLivePoller& poller, QWidget* parent)
    : QStackedWidget(parent), availability_(availability), commands_(commands), poller_(poller) {
  setObjectName(QStringLiteral("PageArea"));
}

TPageArea::~TPageArea() = default;

void TPageArea::AddPage(TVDFrame* page) {
  addWidget(page);
}

std::vector<IBoundControl*> TPageArea::AddDeferredPage(const TPageInfo& info, IPageHost& host) {
  auto standIn = std::make_unique<THeadlessPage>(info.Table->Rows, info.Table->LanAddr);
  std::vector<IBoundControl*> controls = standIn->BoundControls();
  deferred_.push_back({info, &host, std::move(standIn)});
  return controls;
}

TVDFrame* TPageArea::Build(TDeferredPage& deferred) {
  // The stand-ins leave the images before the widgets take their place.
  deferred.StandIn.reset();
  TVDFrame* page = deferred.Info.Create(this, *deferred.Host);
  page->setObjectName(deferred.Info.Name);
  addWidget(page);
  page->Initialize();
  if (setUp_) setUp_(*page);
  for (IBoundControl* control : page->BoundControls()) {
    if (auto* bound = dynamic_cast<TBoundControlBase*>(control)) {
      bound->ApplyMainFirmware(mainMajor_, demoMode_);
      bound->ApplyBoardGeneration(boardGeneration_);
    }
    // What was read or opened before the page existed shows as if it had been there.
    LoadIfLoaded(*control);
  }
  return page;
}

void TPageArea::BuildPagesOf(uint8_t lanAddr) {
  std::vector<QString> names;
  for (const TDeferredPage& deferred : deferred_) {
    if (deferred.Info.LanAddr == lanAddr) names.push_back(deferred.Info.Name);
  }
  for (const QString& name : names) Page(name);
}

void TPageArea::FinishPages() {
  auto* blank = new QWidget(this);
  addWidget(blank);
  setCurrentWidget(blank);
}

TVDFrame* TPageArea::Page(const QString& name) {
  if (auto* page = findChild<TVDFrame*>(name, Qt::FindDirectChildrenOnly)) return page;
  const auto deferred = std::find_if(deferred_.begin(), deferred_.end(),
                                     [&name](const auto& page) { return page.Info.Name == name; });
  if (deferred == deferred_.end()) return nullptr;
  TDeferredPage building = std::move(*deferred);
  deferred_.erase(deferred);
  return Build(building);
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
  return current_ && FocusWidget(current_->findChild<QWidget*>(name));
}

bool TPageArea::FocusWidget(QWidget* control) {
  if (!current_ || !control || !current_->isAncestorOf(control)) return false;
  for (QWidget* parent = control->parentWidget(); parent && parent != current_;
       parent = parent->parentWidget()) {
    if (auto* category = qobject_cast<TPanelCategory*>(parent)) category->SetCollapsed(false);
  }
  // A section just opened has not laid out its controls yet: the scroll needs their places.
  QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
  current_->CategoryPanels1()->ensureWidgetVisible(control);
  control->setFocus(Qt::OtherFocusReason);
  return true;
}

void TPageArea::ApplyEnabling(TVDFrame& page) {
  std::set<TDeviceMemoryItem*> requested;
  QString note;
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
    if (!reachable && addr == page.LanAddr() && note.isEmpty()) {
      note = UnavailableReason(*mem->Device());
    }
    if (auto* bound = dynamic_cast<TBoundControlBase*>(control)) {
      bound->SetDisabled(drAbsent, !reachable);
    }
    if (auto* widget = dynamic_cast<QWidget*>(control)) {
      if (QWidget* panel = widget->parentWidget()) panel->setEnabled(reachable);
    }
  }
  page.ShowUnavailableNote(note);
  for (QAction* read : reads) read->trigger();
}
