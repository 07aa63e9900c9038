#include "shell/main_form.h"

#include <QAction>
#include <QCheckBox>
#include <QTest>
#include <gtest/gtest.h>

#include <deque>

#include "binding/example_page_table.h"
#include "binding/ui/page_builder.h"
#include "binding/ui/page_registry.h"
#include "binding/ui/vd_check_box.h"
#include "link/adapter.h"
#include "memory/lan_devices.h"
#include "sim/sim_port.h"
#include "test_support.h"

namespace {

using namespace std::chrono_literals;

// Answers the window's questions from a script and records what was asked.
class TScriptedDialogs : public IShellDialogs {
 public:
  TUserAnswer AskStep(const QString& text) override {
    asked << text;
    return TUserAnswer::No;
  }
  void ShowError(const QString& text) override { errors << text; }
  bool Confirm(const QString&, const QString& text) override {
    asked << text;
    return confirmAnswer;
  }
  TUserAnswer AskYesNoCancel(const QString& text) override {
    asked << text;
    return TUserAnswer::Yes;
  }
  void Inform(const QString& text) override { informed << text; }
  QString OpenFileName(const QString&) override { return {}; }
  QString SaveFileName(const QString&) override { return {}; }
  std::optional<std::vector<TSelectDevice::TLine>> SelectAreas(
      const std::vector<TSelectDevice::TLine>&, const QString&) override {
    return std::nullopt;
  }

  bool confirmAnswer = false;
  QStringList asked;
  QStringList errors;
  QStringList informed;
};

// A page made from the example table; plain pages "A".."D" for the history.
TPageRegistry TestPages() {
  TPageRegistry pages;
  pages.Register({QStringLiteral("MainOptions"), kExampleLanAddr, [](QWidget* parent, IPageHost&) {
                    auto* frame = new TVDFrame(kExampleLanAddr, parent);
                    BuildPage(*frame, kExampleRows);
                    return frame;
                  }});
  for (const char* name : {"VersionInfo", "MainTimes", "MainSensors", "MainTX"}) {
    pages.Register({QLatin1String(name), 0, [](QWidget* parent, IPageHost&) {
                      auto* frame = new TVDFrame(0, parent);
                      frame->AddPanel(QStringLiteral("Раздел"), new QWidget);
                      return frame;
                    }});
  }
  return pages;
}

class MainFormTest : public ::testing::Test {
 protected:
  void Start(const QString& simOptions) {
    auto options = TSimOptions::Parse(simOptions);
    options->LinkModel = false;
    vehicle = std::make_shared<TVirtualAdapter>(*options);
    adapter = std::make_unique<TAdapter>(
        [this](const QString&) { return std::make_unique<TSimPort>(vehicle); });
    adapter->SetDescription(QStringLiteral("sim"));
    auto scripted = std::make_unique<TScriptedDialogs>();
    dialogs = scripted.get();
    form = std::make_unique<TMainForm>(*adapter, options_, pages, std::move(scripted));
    // The window shows the module information shortly after start.
    ASSERT_TRUE(SpinUntil([&] { return form->CurrentPage() && !form->ScanPending(); }, 10s));
  }
  void TearDown() override {
    form.reset();
    adapter.reset();
  }
  QAction* Act(const char* name) { return form->Action(QLatin1String(name)); }
  template <class T>
  T& Control(const char* name) {
    return form->Page(QStringLiteral("MainOptions"))->Control<T>(QLatin1String(name));
  }
  uint8_t ModuleByte(int addr, int loc, int index) {
    return vehicle->WithVehicle(
        [&](TVirtualVehicle& v) { return v.Module(addr)->Memory(loc)[static_cast<size_t>(index)]; });
  }

  TOptionsData options_;
  TPageRegistry pages = TestPages();
  std::shared_ptr<TVirtualAdapter> vehicle;
  std::unique_ptr<TAdapter> adapter;
  TScriptedDialogs* dialogs = nullptr;
  std::unique_ptr<TMainForm> form;
};

TEST_F(MainFormTest, ModuleCommandsFollowAvailability) {
  Start(QStringLiteral("refuse=3,silent=4"));
  EXPECT_TRUE(Act("aRead2")->isEnabled());
  EXPECT_TRUE(Act("aDef2")->isEnabled());
  EXPECT_FALSE(Act("aRead3")->isEnabled()) << "access refused";
  EXPECT_FALSE(Act("aRead4")->isEnabled()) << "absent";
  EXPECT_FALSE(Act("aWrite2")->isEnabled()) << "nothing read yet";
  EXPECT_TRUE(form->PresentModules().contains(2));
  EXPECT_FALSE(form->PresentModules().contains(4));
}

TEST_F(MainFormTest, ShowingAPageReadsItAndAChangeEnablesWritingUntilWritten) {
  Start(QString());
  form->ShowPage(QStringLiteral("aMainOptions"), true);
  TDeviceMemoryItem* settings = form->Registry().FindMem(2, mlExt);
  ASSERT_TRUE(settings->IsLoaded()) << "read automatically on first show";
  EXPECT_FALSE(Act("aWrite2")->isEnabled());

  auto& siren = Control<TVDCheckBox>("cbSiren");
  const bool before = siren.isChecked();
  siren.click();
  ASSERT_TRUE(SpinUntil([&] { return !form->ScanPending(); }));
  EXPECT_TRUE(form->UnwrittenChanges());
  EXPECT_TRUE(Act("aWrite2")->isEnabled());
  form->UpdateCommandStates();
  EXPECT_TRUE(Act("aWrite")->isEnabled());

  Act("aWrite2")->trigger();
  EXPECT_TRUE(dialogs->errors.isEmpty()) << dialogs->errors.join(u'|').toStdString();
  EXPECT_TRUE(dialogs->asked.isEmpty()) << dialogs->asked.join(u'|').toStdString();
  EXPECT_EQ((ModuleByte(2, kSimExt, 82) >> 5) & 1, before ? 0 : 1);
  EXPECT_FALSE(Act("aWrite2")->isEnabled());
  EXPECT_FALSE(form->UnwrittenChanges());
}

TEST_F(MainFormTest, HistoryGoesBackAndForwardAndAppendsAfterGoingBack) {
  Start(QString());
  form->UpdateCommandStates();
  ASSERT_EQ(form->History().Entries().size(), 1u) << "the start page";
  EXPECT_FALSE(Act("aPrev")->isEnabled());
  EXPECT_FALSE(Act("aNext")->isEnabled());
  for (const char* page : {"aMainTimes", "aMainSensors", "aMainTX"}) {
    form->ShowPage(QLatin1String(page), true);
  }
  form->UpdateCommandStates();
  ASSERT_TRUE(Act("aPrev")->isEnabled());
  Act("aPrev")->trigger();
  EXPECT_EQ(form->CurrentPage()->objectName(), QStringLiteral("MainSensors"));
  form->UpdateCommandStates();
  Act("aNext")->trigger();
  EXPECT_EQ(form->CurrentPage()->objectName(), QStringLiteral("MainTX"));
  form->UpdateCommandStates();
  Act("aPrev")->trigger();
  form->ShowPage(QStringLiteral("aVersionInfo"), true);
  QStringList names;
  for (const auto& entry : form->History().Entries()) names << entry.Page;
  EXPECT_EQ(names,
            (QStringList{"VersionInfo", "MainTimes", "MainSensors", "MainTX", "VersionInfo"}));
  EXPECT_EQ(form->History().Index(), 4);
}

TEST_F(MainFormTest, AbsentModuleDisablesItsPageUnlessInDemoModeWhichNeverReads) {
  Start(QStringLiteral("silent=2"));
  form->ShowPage(QStringLiteral("aMainOptions"), true);
  EXPECT_FALSE(Control<TVDCheckBox>("cbSiren").isEnabled());
  vehicle->TakeSentByPc();

  form->SetDemoMode(true);
  EXPECT_TRUE(Control<TVDCheckBox>("cbSiren").isEnabled());
  EXPECT_TRUE(Control<TVDCheckBox>("cbNoSensors").isEnabled()) << "guards do not apply";
  EXPECT_FALSE(form->Registry().FindMem(2, mlExt)->IsLoaded()) << "no automatic read";
  EXPECT_EQ(form->History().Entries().size(), 3u) << "the page is shown again";
  SpinFor(50ms);
  for (const TLanMsg& msg : vehicle->TakeSentByPc()) {
    EXPECT_FALSE(msg.Command >= 87 && msg.Command <= 90) << "a memory read went out";
  }
}

TEST_F(MainFormTest, NestedBusyKeepsTheWindowDisabledUntilTheOutermostEnd) {
  Start(QString());
  form->BeginBusy();
  form->BeginBusy();
  form->EndBusy();
  EXPECT_FALSE(form->isEnabled());
  form->EndBusy();
  EXPECT_TRUE(form->isEnabled());
}

TEST_F(MainFormTest, RefreshAsksBeforeDiscardingChangesWhenTheOptionIsOn) {
  Start(QString());
  form->ShowPage(QStringLiteral("aMainOptions"), true);
  Control<TVDCheckBox>("cbSiren").click();
  TDeviceMemoryItem* settings = form->Registry().FindMem(2, mlExt);
  ASSERT_TRUE(settings->IsModified());

  dialogs->confirmAnswer = false;
  form->Refresh();
  ASSERT_EQ(dialogs->asked, QStringList{QStringLiteral("Продолжить обновление данных?")});
  EXPECT_TRUE(settings->IsModified()) << "No leaves everything as it was";
  EXPECT_TRUE(settings->IsLoaded());

  dialogs->asked.clear();
  options_.DataLostNotification = false;
  form->Refresh();
  EXPECT_TRUE(dialogs->asked.isEmpty());
  EXPECT_FALSE(settings->IsModified());
  EXPECT_FALSE(settings->IsLoaded()) << "read again when a page shows it";
}

TEST_F(MainFormTest, UnpluggedAdapterDisablesCommandsAndComesBackWithoutRestart) {
  Start(QString());
  form->UpdateCommandStates();
  ASSERT_TRUE(Act("aRead")->isEnabled());
  vehicle->Unplug();
  ASSERT_TRUE(SpinUntil([&] { return adapter->IsUnavailable(); }));
  form->UpdateCommandStates();
  EXPECT_FALSE(Act("aRead")->isEnabled());
  EXPECT_FALSE(Act("aRefresh")->isEnabled());
  vehicle->Replug();
  ASSERT_TRUE(SpinUntil([&] { return !adapter->IsUnavailable(); }, 5s));
  form->UpdateCommandStates();
  EXPECT_TRUE(Act("aRead")->isEnabled());
}

}  // namespace
