// Checks every registered settings page the same way, so that a page only tests its own
// logic: its table is sound, its commands exist, its widgets bind the cells of its table,
// every setting survives a write and a read back, and factory settings show the table's
// defaults.

#include <gtest/gtest.h>

#include <QRadioButton>
#include <memory>
#include <set>

#include "binding/headless_binder.h"
#include "binding/page_table.h"
#include "binding/row_binding.h"
#include "binding/ui/page_registry.h"
#include "binding/ui/vd_check_box.h"
#include "binding/ui/vd_frame.h"
#include "binding/ui/vd_radio_group.h"
#include "binding/ui/vd_track_bar.h"
#include "link/adapter.h"
#include "memory/lan_devices.h"
#include "memory/lan_rw.h"
#include "pages/settings_pages.h"
#include "shell/command_table.h"
#include "shell/fake_page_host.h"
#include "sim_link.h"

namespace {

TPageRegistry Registered() {
  TPageRegistry registry;
  RegisterSettingsPages(registry);
  return registry;
}

bool HasPageCommand(const QString& name) {
  const QString command = QStringLiteral("a") + name;
  for (const auto& commands : {MenuPageCommands(), PanelPageCommands()}) {
    for (const TPageCommandSpec& page : commands) {
      if (command == QLatin1String(page.Name)) return true;
    }
  }
  // A page reached only by its keyboard shortcut has a plain command.
  for (const TCommandSpec& plain : MainCommands()) {
    if (command == QLatin1String(plain.Name)) return true;
  }
  return false;
}

// One page bound to a registry of its own on the virtual vehicle.
struct TBoundPage {
  TBoundPage(const TPageInfo& info, TAdapter& adapter) {
    rw.SetAdapter(&adapter);
    rw.SetClearDirtyAfterWrite(true);
    rw.SetLocations(kPersistentLocations);
    registry.SetRW(&rw);
    page.reset(info.Create(nullptr, host));
    registry.BindControls(page->BoundControls(), {});
  }
  ~TBoundPage() {
    page.reset();
    registry.SetRW(nullptr);
  }
  // Every module the page binds a cell of: a page may hold a setting of another module.
  std::set<uint8_t> Modules() const {
    std::set<uint8_t> modules{page->LanAddr()};
    for (IBoundControl* control : page->BoundControls()) modules.insert(control->GetLanAddr());
    return modules;
  }
  void Read() {
    for (const uint8_t module : Modules()) {
      registry.ReadDevice(registry.FindDevice(module), kPersistentLocations, {});
    }
  }
  void Write() {
    for (const uint8_t module : Modules()) {
      registry.WriteDevice(registry.FindDevice(module), kPersistentLocations, {});
    }
  }
  // Values of the controls that a user sets, by control.
  std::vector<QString> Values() const {
    std::vector<QString> values;
    for (IBoundControl* control : page->BoundControls()) values.push_back(control->GetValueText());
    return values;
  }

  TFakePageHost host;
  TLanRW rw;
  TLanDevices registry;
  std::unique_ptr<TVDFrame> page;
};

// Moves a control away from what it shows, as a user would; a greyed control a user cannot
// move. True when the control is one a user moves.
bool ChangeLikeAUser(QObject* control) {
  if (auto* widget = qobject_cast<QWidget*>(control); widget != nullptr && !widget->isEnabled()) {
    return false;
  }
  if (auto* box = qobject_cast<TVDCheckBox*>(control)) {
    box->click();
    return true;
  }
  if (auto* group = qobject_cast<TVDRadioGroup*>(control)) {
    for (auto* button : group->findChildren<QRadioButton*>()) {
      if (!button->isChecked()) {
        button->click();
        return true;
      }
    }
    return false;
  }
  if (auto* bar = qobject_cast<TVDTrackBar*>(control)) {
    bar->SetPosition(bar->Position() == bar->maximum() ? bar->minimum() : bar->maximum());
    return true;
  }
  return false;
}

TEST(RegisteredPages, TablesAreSoundAndEveryPageHasItsCommand) {
  const TPageRegistry registry = Registered();
  ASSERT_FALSE(registry.Pages().empty());
  for (const TPageInfo& info : registry.Pages()) {
    SCOPED_TRACE(info.Name.toStdString());
    ASSERT_NE(info.Table, nullptr);
    const TPageTable& table = *info.Table;
    EXPECT_EQ(info.Name, QLatin1String(table.Name));
    EXPECT_EQ(CheckTable(table.Rows).Row, -1);
    EXPECT_EQ(CheckValueLabels(table.Labels), -1);
    EXPECT_TRUE(HasPageCommand(info.Name));
    const QStringList names = RowControlNames(table.Rows);
    QStringList bound;
    for (const QString& name : names) {
      if (!name.isEmpty()) bound << name;
    }
    EXPECT_EQ(bound.removeDuplicates(), 0) << "a control name is given twice";
    for (const TValueLabelRow& label : table.Labels) {
      EXPECT_TRUE(names.contains(QLatin1String(label.Name))) << label.Name;
    }
  }
}

TEST(RegisteredPages, WidgetsBindExactlyTheCellsOfTheirTable) {
  const TPageRegistry registry = Registered();
  TFakePageHost host;
  for (const TPageInfo& info : registry.Pages()) {
    SCOPED_TRACE(info.Name.toStdString());
    std::unique_ptr<TVDFrame> page(info.Create(nullptr, host));
    const auto controls = page->BoundControls();
    const auto cells = BoundCells(info.Table->Rows, info.Table->LanAddr);
    ASSERT_EQ(controls.size(), cells.size());
    for (std::size_t i = 0; i < cells.size(); ++i) {
      SCOPED_TRACE(cells[i].Name.toStdString());
      EXPECT_EQ(controls[i]->GetLanAddr(), cells[i].LanAddr);
      EXPECT_EQ(controls[i]->GetMemID(), cells[i].MemID);
      EXPECT_EQ(controls[i]->GetAddr(), cells[i].Addr);
      EXPECT_EQ(controls[i]->GetSize(), cells[i].Size);
      EXPECT_EQ(controls[i]->GetReadOnlyAddr(), cells[i].ReadOnlyAddr);
    }
  }
}

TEST(RegisteredPages, EverySettingSurvivesAWriteAndAReadBack) {
  const TPageRegistry registry = Registered();
  auto vehicle = MakeTestVehicle();
  auto adapter = ConnectTo(vehicle);
  for (const TPageInfo& info : registry.Pages()) {
    SCOPED_TRACE(info.Name.toStdString());
    TBoundPage written(info, *adapter);
    written.Read();
    const auto before = written.Values();
    std::size_t moved = 0;
    for (IBoundControl* control : written.page->BoundControls()) {
      moved += ChangeLikeAUser(dynamic_cast<QObject*>(control)) ? 1 : 0;
    }
    const auto values = written.Values();
    std::size_t changed = 0;
    for (std::size_t i = 0; i < values.size(); ++i) changed += values[i] != before[i] ? 1 : 0;
    // Rules may take some changes back; most settings must really have moved. Pages whose
    // settings all live in page-drawn items test their own editing.
    if (moved > 0) {
      EXPECT_GT(changed, moved / 2);
    }
    written.Write();

    TBoundPage read(info, *adapter);
    read.Read();
    const auto readBack = read.Values();
    ASSERT_EQ(readBack.size(), values.size());
    for (std::size_t i = 0; i < values.size(); ++i) {
      EXPECT_EQ(readBack[i], values[i])
          << written.page->BoundControls()[i]->GetCaption().toStdString();
    }
  }
}

TEST(RegisteredPages, FactorySettingsShowTheTableDefaults) {
  const TPageRegistry registry = Registered();
  auto vehicle = MakeTestVehicle();
  auto adapter = ConnectTo(vehicle);
  for (const TPageInfo& info : registry.Pages()) {
    SCOPED_TRACE(info.Name.toStdString());
    TBoundPage bound(info, *adapter);
    bound.Read();
    bound.registry.SetDefaultsDevice(bound.registry.FindDevice(bound.page->LanAddr()),
                                     kPersistentLocations, {});
    const auto controls = bound.page->BoundControls();
    std::size_t next = 0;
    for (const TControlRow& row : info.Table->Rows) {
      if (!IsBound(row.Kind)) continue;
      QObject* control = dynamic_cast<QObject*>(controls[next++]);
      SCOPED_TRACE(row.Caption);
      if (auto* box = qobject_cast<TVDCheckBox*>(control)) {
        EXPECT_EQ(box->isChecked() ? 1 : 0, row.Default);
      } else if (auto* group = qobject_cast<TVDRadioGroup*>(control)) {
        // A default past the items is a stored state that shows as the last item.
        EXPECT_EQ(group->ItemIndex(),
                  std::min(row.Default, static_cast<int>(row.Items.size()) - 1));
      } else if (auto* bar = qobject_cast<TVDTrackBar*>(control)) {
        EXPECT_EQ(bar->Position(), row.Default);
      }
    }
  }
}

}  // namespace
