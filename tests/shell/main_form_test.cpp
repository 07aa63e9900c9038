#include "shell/main_form.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QDockWidget>
#include <QFile>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <array>
#include <deque>

#include "binding/example_page_table.h"
#include "binding/page_table.h"
#include "binding/ui/page_builder.h"
#include "binding/ui/page_registry.h"
#include "binding/ui/category_panels.h"
#include "binding/ui/pending_look.h"
#include "binding/ui/vd_labeled_memo.h"
#include "binding/ui/vd_check_box.h"
#include "binding/ui/vd_radio_group.h"
#include "journal/ui/log_form.h"
#include "link/adapter.h"
#include "link/bus_requests.h"
#include "memory/lan_devices.h"
#include "scripted_dialogs.h"
#include "memory/transfer_fault.h"
#include "shell/alarm_cause_form.h"
#include "shell/changes_form.h"
#include "shell/compare_form.h"
#include "shell/diff_tree.h"
#include "shell/elements_form.h"
#include "shell/pending_marks.h"
#include "shell/indicator_form.h"
#include "shell/indicator_lamps.h"
#include "shell/live_status.h"
#include "shell/version_info.h"
#include "sim_link.h"
#include "test_support.h"
#include "text/code_page_1251.h"

namespace {

using namespace std::chrono_literals;

constexpr TPageTable kExampleTable = {"MainOptions", kExampleLanAddr, kExampleRows, "Пример"};

// A page made from the example table; plain pages "A".."D" for the history.
TPageRegistry TestPages() {
  TPageRegistry pages;
  pages.Register({QStringLiteral("MainOptions"), kExampleLanAddr,
                  [](QWidget* parent, IPageHost&) {
                    auto* frame = new TVDFrame(kExampleLanAddr, parent);
                    BuildPage(*frame, kExampleRows);
                    return frame;
                  },
                  &kExampleTable});
  for (const char* name : {"VersionInfo", "MainTimes", "MainSensors", "MainTX", "TSProperties"}) {
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
    vehicle = MakeTestVehicle(*TSimOptions::Parse(simOptions));
    adapter = ConnectTo(vehicle);
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
  // Transfers and commands run on the bus worker; their results arrive a little later.
  void WaitForBus() {
    ASSERT_TRUE(SpinUntil([&] { return form->BusIdle() && !form->Busy().IsBusy(); }, 10s));
    SpinFor(20ms);
  }
  template <class T>
  T& Control(const char* name) {
    return form->Page(QStringLiteral("MainOptions"))->Control<T>(QLatin1String(name));
  }
  uint8_t ModuleByte(int addr, int loc, int index) {
    return vehicle->WithVehicle([&](TVirtualVehicle& v) {
      return v.Module(addr)->Memory(loc)[static_cast<size_t>(index)];
    });
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
  WaitForBus();
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
  WaitForBus();
  EXPECT_TRUE(dialogs->errors.isEmpty()) << dialogs->errors.join(u'|').toStdString();
  EXPECT_TRUE(dialogs->asked.isEmpty()) << dialogs->asked.join(u'|').toStdString();
  EXPECT_EQ((ModuleByte(2, kSimExt, 82) >> 5) & 1, before ? 0 : 1);
  EXPECT_FALSE(Act("aWrite2")->isEnabled());
  EXPECT_FALSE(form->UnwrittenChanges());
  EXPECT_EQ(form->StatusText(),
            QStringLiteral("Записано и проверено: Главный модуль — Память настроек"));
}

TEST_F(MainFormTest, AFailedWriteListsWhatIsLeftAndKeepsItToWrite) {
  Start(QString());
  form->ShowPage(QStringLiteral("aMainOptions"), true);
  WaitForBus();
  Control<TVDCheckBox>("cbSiren").click();
  ASSERT_TRUE(SpinUntil([&] { return !form->ScanPending(); }));
  vehicle->SilenceModule(2, true);
  Act("aWrite2")->trigger();
  WaitForBus();
  ASSERT_EQ(dialogs->errors.size(), 1) << "one message for the write, however many packets failed: "
                                       << dialogs->errors.join(u'|').toStdString();
  const QString& report = dialogs->errors.back();
  EXPECT_TRUE(report.startsWith(QStringLiteral("Запись завершилась с ошибками.")));
  EXPECT_TRUE(report.contains(QStringLiteral("Главный модуль — Память настроек: записано байт: 0")))
      << report.toStdString();
  EXPECT_TRUE(report.contains(QStringLiteral("первый адрес 0x0052 — модуль не отвечает.")))
      << report.toStdString();
  EXPECT_TRUE(report.contains(FaultAdvice(TFaultCause::NoAnswer))) << report.toStdString();
  EXPECT_FALSE(report.contains(QStringLiteral("чтени"))) << "a write is no read";
  EXPECT_TRUE(report.contains(QStringLiteral("осталось отмеченным"))) << report.toStdString();
  EXPECT_TRUE(form->StatusText().startsWith(QStringLiteral("Запись не завершена")));
  EXPECT_TRUE(form->UnwrittenChanges()) << "what failed is written next time";

  vehicle->SilenceModule(2, false);
  form->UpdateCommandStates();
  EXPECT_EQ(Act("aWrite")->isEnabled(), Act("aWrite2")->isEnabled())
      << "Записать offers exactly what its menu offers";
}

TEST_F(MainFormTest, APageIsBuiltWhenFirstNeededAndShowsWhatWasReadBefore) {
  Start(QString());
  vehicle->WithVehicle([](TVirtualVehicle& v) { v.Module(2)->Memory(kSimExt)[91] = 3; });
  ASSERT_EQ(form->findChild<TVDFrame*>(QStringLiteral("MainOptions")), nullptr)
      << "not built at start";
  Act("aRead2")->trigger();
  WaitForBus();
  ASSERT_TRUE(form->Registry().FindMem(2, mlExt)->IsLoaded());
  EXPECT_EQ(form->findChild<TVDFrame*>(QStringLiteral("MainOptions")), nullptr);
  EXPECT_FALSE(form->UnwrittenChanges()) << "the table's rows read and store without changing";

  EXPECT_EQ(Control<TVDRadioGroup>("rgSignal").ItemIndex(), 3);
  EXPECT_FALSE(form->UnwrittenChanges());
}

TEST_F(MainFormTest, FactorySettingsOfANeverShownPageTakeItsDefaults) {
  Start(QString());
  vehicle->WithVehicle([](TVirtualVehicle& v) { v.Module(2)->Memory(kSimExt)[91] = 3; });
  Act("aRead2")->trigger();
  WaitForBus();
  Act("aDef2")->trigger();
  WaitForBus();
  EXPECT_EQ(Control<TVDRadioGroup>("rgSignal").ItemIndex(), 3) << "nothing without a yes";
  EXPECT_TRUE(dialogs->informed.isEmpty());
  ASSERT_EQ(dialogs->asked.size(), 1);
  EXPECT_TRUE(dialogs->asked[0].contains(QStringLiteral("Главный модуль")))
      << dialogs->asked[0].toStdString();

  dialogs->confirmAnswer = true;
  Act("aDef2")->trigger();
  WaitForBus();
  EXPECT_EQ(Control<TVDRadioGroup>("rgSignal").ItemIndex(), 1);
  ASSERT_EQ(dialogs->informed.size(), 1);
  EXPECT_TRUE(dialogs->informed[0].contains(QStringLiteral("ничего не записано")))
      << dialogs->informed[0].toStdString();
  EXPECT_TRUE(dialogs->informed[0].contains(QStringLiteral("Память настроек: изменено байт")))
      << "the factory signal differs from the one read: " << dialogs->informed[0].toStdString();
  EXPECT_EQ(ModuleByte(2, kSimExt, 91), 3) << "the module keeps its settings until written";
  ASSERT_TRUE(SpinUntil([&] { return !form->ScanPending(); }));
  Act("aWrite2")->trigger();
  WaitForBus();
  EXPECT_EQ(ModuleByte(2, kSimExt, 91), 1);
}

// The transceiver's radio parameters are for the workshop: no menu or panel offers them.
TEST_F(MainFormTest, RadioParametersOpenOnlyByTheirShortcut) {
  Start(QString());
  EXPECT_EQ(Act("aTSProperties")->shortcut(), QKeySequence(QStringLiteral("Ctrl+Alt+A")));
  Act("aTSProperties")->trigger();
  EXPECT_EQ(form->CurrentPage()->objectName(), QStringLiteral("TSProperties"));
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
  WaitForBus();
  EXPECT_FALSE(Control<TVDCheckBox>("cbSiren").isEnabled());
  // The greyed page says why, naming the module and what to do.
  const QString note = form->Page(QStringLiteral("MainOptions"))->UnavailableNote();
  EXPECT_TRUE(note.contains(QStringLiteral("«Главный модуль» не отвечает"))) << note.toStdString();
  vehicle->TakeSentByPc();

  form->SetDemoMode(true);
  WaitForBus();
  EXPECT_TRUE(Control<TVDCheckBox>("cbSiren").isEnabled());
  EXPECT_TRUE(form->Page(QStringLiteral("MainOptions"))->UnavailableNote().isEmpty());
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
  WaitForBus();
  auto& siren = Control<TVDCheckBox>("cbSiren");
  const bool inModule = siren.isChecked();
  siren.click();
  TDeviceMemoryItem* settings = form->Registry().FindMem(2, mlExt);
  ASSERT_TRUE(settings->IsModified());

  dialogs->confirmAnswer = false;
  form->Refresh();
  WaitForBus();
  ASSERT_EQ(dialogs->asked, QStringList{QStringLiteral("Продолжить обновление данных?")});
  EXPECT_TRUE(settings->IsModified()) << "No leaves everything as it was";
  EXPECT_TRUE(settings->IsLoaded());

  dialogs->asked.clear();
  options_.DataLostNotification = false;
  form->Refresh();
  ASSERT_TRUE(SpinUntil([&] { return !settings->IsModified(); }));
  WaitForBus();
  EXPECT_TRUE(dialogs->asked.isEmpty());
  EXPECT_FALSE(settings->IsModified());
  EXPECT_TRUE(settings->IsLoaded()) << "the page shown again has read its module afresh";
  EXPECT_EQ(siren.isChecked(), inModule) << "the discarded edit is gone";
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

TEST_F(MainFormTest, TheLinkFieldFollowsALostAndAFoundAdapter) {
  Start(QString());
  form->UpdateCommandStates();
  const QString port = adapter->Description();
  EXPECT_TRUE(form->LinkStatusText().startsWith(QStringLiteral("Порт: ") + port))
      << form->LinkStatusText().toStdString();
  const QString connected =
      QStringLiteral("связь есть, %1 ").arg(static_cast<int>(form->PresentModules().size()));
  EXPECT_TRUE(form->LinkStatusText().contains(connected)) << form->LinkStatusText().toStdString();

  vehicle->Unplug();
  ASSERT_TRUE(SpinUntil([&] { return form->LinkStatusText().endsWith(u"нет адаптера"); }, 5s))
      << form->LinkStatusText().toStdString();
  ASSERT_TRUE(SpinUntil([&] { return form->PresentModules().empty(); }, 5s))
      << "no module passes for connected without the adapter";
  auto* info = qobject_cast<TVersionInfo*>(form->Page(QStringLiteral("VersionInfo")));
  ASSERT_NE(info, nullptr);
  EXPECT_TRUE(info->PresenceLabel(2).text().startsWith(QStringLiteral("Неизвестно")));
  EXPECT_FALSE(Act("aRead2")->isEnabled()) << "the module panel's commands follow";

  vehicle->Replug();
  ASSERT_TRUE(SpinUntil([&] { return form->LinkStatusText().contains(u"связь есть"); }, 10s))
      << form->LinkStatusText().toStdString();
  EXPECT_TRUE(Act("aRead2")->isEnabled());
}

TEST_F(MainFormTest, AReadOfASilentModuleSaysSoOnceNamingTheAreasAndTheCause) {
  Start(QString());
  // Silenced after the scan found it: whether the read finds it gone before or during the
  // transfer, the user hears one message with the cause.
  vehicle->SilenceModule(2, true);
  Act("aRead2")->trigger();
  WaitForBus();
  ASSERT_EQ(dialogs->errors.size(), 1) << dialogs->errors.join(u'|').toStdString();
  const QString& text = dialogs->errors.front();
  EXPECT_TRUE(text.startsWith(QStringLiteral("Чтение не завершено."))) << text.toStdString();
  EXPECT_TRUE(text.contains(QStringLiteral("Главный модуль — "))) << text.toStdString();
  EXPECT_TRUE(text.contains(QStringLiteral(": модуль не отвечает."))) << text.toStdString();
  EXPECT_TRUE(text.contains(FaultAdvice(TFaultCause::NoAnswer)));
  EXPECT_TRUE(dialogs->asked.isEmpty());
}

TEST_F(MainFormTest, ReadingComesFirstAndLeavingProgrammingIsAnItemNotATitle) {
  Start(QString());
  auto* bar = form->findChild<QToolBar*>(QStringLiteral("ToolBar1"));
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(bar->actions().value(0), Act("aRead")) << "first on the toolbar";
  EXPECT_EQ(Act("aRead")->shortcut(), QKeySequence(Qt::Key_F5));
  const QList<QAction*> titles = form->menuBar()->actions();
  ASSERT_FALSE(titles.isEmpty());
  ASSERT_NE(titles.front()->menu(), nullptr);
  EXPECT_EQ(titles.front()->menu()->actions().value(0), Act("aRead")) << "first in Данные";
  for (QAction* title : titles) {
    EXPECT_NE(title->menu(), nullptr) << title->text().toStdString() << " acts when clicked";
  }
  QMenu* adapterMenu = titles.value(1)->menu();
  ASSERT_NE(adapterMenu, nullptr);
  EXPECT_TRUE(adapterMenu->actions().contains(Act("mmExitProgramming")));
  EXPECT_TRUE(adapterMenu->actions().contains(Act("aChoosePort")));
}

TEST_F(MainFormTest, TheWindowFitsItsScreenAtStartAndWhenRestored) {
  Start(QString());
  const QRect screen = form->screen()->availableGeometry();
  EXPECT_LE(form->width(), screen.width());
  EXPECT_LE(form->height(), screen.height());

  QTemporaryDir dir;
  QSettings settings(dir.filePath(QStringLiteral("layout.ini")), QSettings::IniFormat);
  form->SaveState(settings);
  form->setGeometry(screen.x() + 40, screen.y() + 40, screen.width() * 2, screen.height() * 2);
  form->SaveState(settings);
  settings.sync();
  form.reset();
  form =
      std::make_unique<TMainForm>(*adapter, options_, pages, std::make_unique<TScriptedDialogs>());
  form->RestoreState(settings);
  form->show();
  EXPECT_TRUE(screen.contains(form->geometry())) << "a window saved larger than the screen";
}

TEST_F(MainFormTest, SaveOffersTheReadAreasOfAvailableModulesOnlyFromAModulePage) {
  Start(QStringLiteral("silent=3"));
  QTemporaryDir dir;
  dialogs->fileName = dir.filePath(QStringLiteral("cfg.ini"));
  Act("aRead")->trigger();
  WaitForBus();

  form->ShowPage(QStringLiteral("aVersionInfo"), true);
  form->SaveFile();
  EXPECT_EQ(dialogs->selectCalls, 0) << "the information page belongs to no module";

  form->ShowPage(QStringLiteral("aMainOptions"), true);
  WaitForBus();
  form->SaveFile();
  const QStringList offered = dialogs->Offered();
  EXPECT_TRUE(offered.contains(QStringLiteral("Главный модуль -> Память настроек")));
  EXPECT_TRUE(offered.contains(QStringLiteral("Главный модуль -> Память настроек Flash")));
  for (const QString& line : offered) EXPECT_FALSE(line.startsWith(u"GSM")) << line.toStdString();
  EXPECT_TRUE(QFile::exists(dialogs->fileName));
}

TEST_F(MainFormTest, OpenGreysAbsentModulesUnlessOfflineAndRefusesOtherPrograms) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("cfg.ini"));
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(
      ToCp1251(QStringLiteral("[Версия ПО]\r\nV1=5\r\n[Главный модуль]\r\n"
                              "Память настроек0=0102\r\n[GSM]\r\nПамять настроек0=AA\r\n")));
  file.close();
  Start(QStringLiteral("silent=3"));
  dialogs->fileName = path;
  form->OpenFile();
  EXPECT_EQ(dialogs->Offered(),
            (QStringList{"Главный модуль -> Память настроек", "GSM -> Память настроек (grey)"}));
  EXPECT_TRUE(form->Registry().FindMem(2, mlExt)->IsModified()) << "loaded, to be written";

  form->SetDemoMode(true);
  form->OpenFile();
  EXPECT_EQ(dialogs->Offered(),
            (QStringList{"Главный модуль -> Память настроек", "GSM -> Память настроек"}));

  // A file of another program generation: its message, and nothing offered.
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(ToCp1251(QStringLiteral("[Главный модуль]\r\nПамять настроек0=0102\r\n")));
  file.close();
  dialogs->selectCalls = 0;
  form->OpenFile();
  EXPECT_FALSE(form->FileCompatible());
  EXPECT_EQ(dialogs->selectCalls, 0);
  EXPECT_TRUE(dialogs->errors.contains(
      QStringLiteral("ПО главного модуля несовместимо с настройками ini файла")));
}

TEST_F(MainFormTest, FileWithoutUsableSectionsOffersNothingToLoad) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("other.ini"));
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("[\xc2\xe5\xf0\xf1\xe8\xff \xcf\xce]\r\nV1=5\r\n[Nothing]\r\nx0=00\r\n");
  file.close();
  Start(QString());
  dialogs->fileName = path;
  form->OpenFile();
  EXPECT_TRUE(dialogs->offeredLines.empty());
  EXPECT_EQ(dialogs->offeredFile, QStringLiteral("other.ini"));
}

TEST_F(MainFormTest, SavedConfigurationComesBackAfterFactorySettings) {
  Start(QString());
  QTemporaryDir dir;
  dialogs->fileName = dir.filePath(QStringLiteral("backup.ini"));
  form->ShowPage(QStringLiteral("aMainOptions"), true);
  WaitForBus();
  auto& signal = Control<TVDRadioGroup>("rgSignal");
  for (auto* button : signal.findChildren<QRadioButton*>()) {
    if (button->text() == QStringLiteral("двойной")) button->click();
  }
  ASSERT_EQ(signal.ItemIndex(), 3);
  // The write command follows the changes once the module scan has run.
  const auto writeMain = [&] {
    ASSERT_TRUE(SpinUntil([&] { return !form->ScanPending(); }));
    ASSERT_TRUE(Act("aWrite2")->isEnabled());
    Act("aWrite2")->trigger();
    WaitForBus();
  };
  writeMain();
  ASSERT_EQ(ModuleByte(2, kSimExt, 91), 3);

  form->SaveFile();
  dialogs->confirmAnswer = true;
  Act("aDef2")->trigger();
  WaitForBus();
  EXPECT_EQ(signal.ItemIndex(), 1) << "the factory value is shown";
  writeMain();
  ASSERT_EQ(ModuleByte(2, kSimExt, 91), 1);

  form->OpenFile();
  EXPECT_EQ(signal.ItemIndex(), 3);
  writeMain();
  EXPECT_EQ(ModuleByte(2, kSimExt, 91), 3);
  EXPECT_TRUE(dialogs->errors.isEmpty()) << dialogs->errors.join(u'|').toStdString();
}

TEST_F(MainFormTest, LiveCommandsReachTheMainModuleAndExitProgrammingReachesAll) {
  Start(QString());
  vehicle->TakeSentByPc();
  Act("aMeasureTaho")->trigger();
  form->ExitProgramming();
  WaitForBus();
  std::vector<std::tuple<int, int, int, int>> sent;  // source, destination, command, first byte
  for (const TLanMsg& msg : vehicle->TakeSentByPc()) {
    if (msg.Command != 114 && msg.Command != 8 && msg.Command != 122) continue;
    sent.emplace_back(msg.Source, msg.Dest, msg.Command, msg.Length ? msg.Data[0] : -1);
  }
  // The virtual main module does not answer the debug request: it is tried three times.
  const std::vector<std::tuple<int, int, int, int>> expected = {
      {1, 2, 114, 0}, {2, 0, 8, 0}, {1, 2, 122, 19}, {1, 2, 122, 19}, {1, 2, 122, 19}};
  EXPECT_EQ(sent, expected);
  EXPECT_EQ(form->CurrentPage()->objectName(), QStringLiteral("VersionInfo")) << "shown again";
}

// The memory transfers of a command and the end-of-write notices, as the vehicle saw them:
// destination, command, and for writes the address and count instead of the bytes.
std::vector<std::vector<int>> Transfers(std::vector<TLanMsg> sent) {
  std::vector<std::vector<int>> frames;
  for (const TLanMsg& msg : sent) {
    const bool memory = msg.Command >= 80 && msg.Command <= 90;
    const bool endNotice = msg.Command == 0 && msg.Length == 1;
    if (!memory && !endNotice) continue;
    std::vector<int> frame = {msg.Dest, msg.Command, msg.Length};
    const int shown = msg.Command >= 80 && msg.Command <= 83 ? 2 : msg.Length;
    for (int i = 0; i < shown; ++i) frame.push_back(msg.Data[static_cast<size_t>(i)]);
    frames.push_back(frame);
  }
  return frames;
}

TEST_F(MainFormTest, TransfersOnTheBusWorkerSendTheSameFramesAsOnTheCallingThread) {
  Start(QString());
  form->ShowPage(QStringLiteral("aMainOptions"), true);
  WaitForBus();
  vehicle->TakeSentByPc();
  Act("aRead")->trigger();
  WaitForBus();
  const auto windowRead = Transfers(vehicle->TakeSentByPc());
  form->Registry().ReadAll({});
  EXPECT_EQ(windowRead, Transfers(vehicle->TakeSentByPc()));
  ASSERT_FALSE(windowRead.empty());

  auto& siren = Control<TVDCheckBox>("cbSiren");
  siren.click();
  ASSERT_TRUE(SpinUntil([&] { return !form->ScanPending(); }));
  WaitForBus();
  form->UpdateCommandStates();
  ASSERT_TRUE(Act("aWrite")->isEnabled());
  vehicle->TakeSentByPc();
  Act("aWrite")->trigger();
  WaitForBus();
  const auto windowWrite = Transfers(vehicle->TakeSentByPc());
  siren.click();
  form->Registry().WriteAll({});
  EXPECT_EQ(windowWrite, Transfers(vehicle->TakeSentByPc()));
  ASSERT_FALSE(windowWrite.empty());
}

TEST_F(MainFormTest, PageRequestIsDeliveredOnlyWhileThePageIsShown) {
  Start(QString());
  form->ShowPage(QStringLiteral("aMainTimes"), true);
  TVDFrame* page = form->CurrentPage();
  std::vector<bool> answers;
  const auto onAnswer = [&](const TAdapter::TAnswer& answer) {
    answers.push_back(answer.Answered);
  };
  page->Requests().Request(2, 3, {}, onAnswer);
  WaitForBus();
  EXPECT_EQ(answers, std::vector<bool>{true});

  vehicle->SetExtraAnswerDelay(30ms);
  page->Requests().Request(2, 3, {}, onAnswer);
  page->Requests().Request(2, 3, {}, onAnswer);
  form->ShowPage(QStringLiteral("aMainSensors"), true);
  WaitForBus();
  SpinFor(100ms);
  EXPECT_EQ(answers, std::vector<bool>{true}) << "answers for a hidden page are dropped";
}

TEST_F(MainFormTest, CancelStopsAReadAfterThePacketInFlight) {
  Start(QString());
  vehicle->SetExtraAnswerDelay(20ms);
  Act("aRead")->trigger();
  ASSERT_TRUE(SpinUntil([&] { return vehicle->FramesFromPc() > 0 && form->Busy().IsBusy(); }));
  ASSERT_TRUE(SpinUntil([&] {
    for (const TLanMsg& msg : vehicle->TakeSentByPc()) {
      if (msg.Command == 88) return true;
    }
    return false;
  }));
  auto* cancel = form->findChild<QPushButton*>(QStringLiteral("ProgressCancel"));
  ASSERT_TRUE(cancel);
  EXPECT_TRUE(cancel->isEnabled()) << "the busy window keeps its cancel button usable";
  cancel->click();
  WaitForBus();
  EXPECT_LE(Transfers(vehicle->TakeSentByPc()).size(), 1u);
  EXPECT_FALSE(form->Registry().FindMem(2, mlExt)->IsLoaded());
  EXPECT_FALSE(form->Registry().FindMem(2, mlFlash)->IsLoaded());
  EXPECT_TRUE(form->isEnabled());
  EXPECT_TRUE(dialogs->errors.isEmpty()) << dialogs->errors.join(u'|').toStdString();
}

TEST_F(MainFormTest, ClosingDuringAWriteAbandonsItAndKeepsItsChanges) {
  Start(QString());
  form->ShowPage(QStringLiteral("aMainOptions"), true);
  WaitForBus();
  auto& siren = Control<TVDCheckBox>("cbSiren");
  const bool before = siren.isChecked();
  siren.click();
  ASSERT_TRUE(SpinUntil([&] { return !form->ScanPending(); }));
  WaitForBus();
  // The module takes its time: the write is still waiting for its answer when the window closes.
  vehicle->SetExtraAnswerDelay(250ms);
  vehicle->TakeSentByPc();
  Act("aWrite2")->trigger();
  ASSERT_TRUE(SpinUntil([&] { return !Transfers(vehicle->TakeSentByPc()).empty(); }));
  form->close();
  EXPECT_TRUE(form->BusIdle());
  EXPECT_TRUE(form->Registry().FindMem(2, mlExt)->IsModified())
      << "an unconfirmed write is not reported as done";
  EXPECT_TRUE(dialogs->errors.isEmpty()) << dialogs->errors.join(u'|').toStdString();
  SpinFor(300ms);
  EXPECT_EQ((ModuleByte(2, kSimExt, 82) >> 5) & 1, before ? 0 : 1) << "the packet did go out";
}

TEST_F(MainFormTest, OpenTellsWhichChunksItCouldNotReadWhole) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("damaged.ini"));
  const auto writeFile = [&](const QString& text) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(ToCp1251(text));
  };
  writeFile(
      QStringLiteral("[Версия ПО]\r\nV1=5\r\n[Главный модуль]\r\n"
                     "Память настроек0=0102zz\r\nПамять настроек Flash0=0A0\r\n"));
  Start(QString());
  dialogs->fileName = path;
  dialogs->errors.clear();
  form->OpenFile();
  EXPECT_TRUE(form->Registry().FindMem(2, mlExt)->IsModified()) << "what could be read is loaded";
  ASSERT_EQ(dialogs->errors.size(), 1);
  const QStringList told = dialogs->errors.front().split(u'\n');
  ASSERT_GE(told.size(), 3);
  EXPECT_EQ(told[0], QStringLiteral("Файл \"damaged.ini\" повреждён или неполон:"));
  EXPECT_EQ(
      told[1],
      QStringLiteral("Главный модуль -> Память настроек, блок 0: не прочитан с байта 2 (адрес 2)"));
  EXPECT_TRUE(told.contains(QStringLiteral(
      "Главный модуль -> Память настроек Flash, блок 0: не прочитан с байта 1 (адрес 1)")));
  // The cells the pages show beyond what the file holds are named too.
  EXPECT_TRUE(dialogs->errors.front().contains(QStringLiteral("в файле нет нужных байт")));

  // A sound file, holding every byte of the area, opens without a word.
  writeFile(QStringLiteral("[Версия ПО]\r\nV1=5\r\n[Главный модуль]\r\nПамять настроек0=%1\r\n"
                           "Память настроек1=00\r\n")
                .arg(QString(2 * 1023, u'0')));
  dialogs->errors.clear();
  form->OpenFile();
  EXPECT_TRUE(dialogs->errors.isEmpty()) << dialogs->errors.join(u'|').toStdString();
}

TEST_F(MainFormTest, LiveValuesArePolledOnlyWhileTheirPageIsShown) {
  Start(QString());
  // Status requests to the main module: anything but presence, access and memory transfers.
  const auto statusRequests = [&] {
    int count = 0;
    for (const TLanMsg& msg : vehicle->TakeSentByPc()) {
      const bool probe = msg.Command == 0 || msg.Command == 1 || msg.Command == 3;
      const bool memory = msg.Command >= 80 && msg.Command <= 90;
      if (msg.Dest == 2 && !probe && !memory) ++count;
    }
    return count;
  };
  form->ShowPage(QStringLiteral("aMainOptions"), true);
  WaitForBus();
  SpinFor(100ms);
  statusRequests();
  // The ignition label is live every 500 ms: the requests keep coming while it is shown.
  int polled = 0;
  EXPECT_TRUE(SpinUntil([&] { return (polled += statusRequests()) >= 2; }, 10s));

  form->ShowPage(QStringLiteral("aMainTimes"), true);
  // Requests queued before the page went still leave, one per link tick.
  SpinFor(800ms);
  statusRequests();
  SpinFor(1300ms);
  EXPECT_EQ(statusRequests(), 0) << "a hidden page polls nothing";
}

TEST_F(MainFormTest, ComparingWithAFileListsTheUnwrittenChangeAndShowsItOnItsPage) {
  Start(QString());
  QTemporaryDir dir;
  dialogs->fileName = dir.filePath(QStringLiteral("cfg.ini"));
  form->show();
  form->ShowPage(QStringLiteral("aMainOptions"), true);
  WaitForBus();
  form->SaveFile();
  Act("aCompare")->trigger();
  EXPECT_EQ(dialogs->informed,
            QStringList{QStringLiteral("Настройки совпадают с файлом \"cfg.ini\".")});
  EXPECT_EQ(form->CompareForm(), nullptr);

  auto& siren = Control<TVDCheckBox>("cbSiren");
  const bool saved = siren.isChecked();
  siren.click();
  form->ShowPage(QStringLiteral("aMainTimes"), true);
  Act("aCompare")->trigger();
  TCompareForm* compare = form->CompareForm();
  ASSERT_NE(compare, nullptr);
  QTreeWidget* tree = compare->Tree();
  ASSERT_EQ(tree->topLevelItemCount(), 1);
  QTreeWidgetItem* module = tree->topLevelItem(0);
  EXPECT_EQ(module->text(0), QStringLiteral("Главный модуль"));
  ASSERT_EQ(module->childCount(), 1) << "one page, nothing else";
  QTreeWidgetItem* page = module->child(0);
  EXPECT_EQ(page->text(0), QStringLiteral("Пример"));
  ASSERT_EQ(page->childCount(), 1);
  QTreeWidgetItem* setting = page->child(0);
  // Values as the page shows them: a check box as a mark.
  const QString now = saved ? QStringLiteral("— выкл") : QStringLiteral("✓ вкл");
  const QString then = saved ? QStringLiteral("✓ вкл") : QStringLiteral("— выкл");
  EXPECT_EQ((QStringList{setting->text(0), setting->text(1), setting->text(2), setting->text(3)}),
            (QStringList{QStringLiteral("Включить сирену при тревоге"), QStringLiteral("Охрана"),
                         now, then}));

  emit tree->itemDoubleClicked(setting, 0);
  EXPECT_EQ(form->CurrentPage()->objectName(), QStringLiteral("MainOptions"));
  EXPECT_EQ(form->focusWidget(), &siren);
}

TEST_F(MainFormTest, AWriteThatReadsBackOtherwiseIsReportedAndStaysToBeWrittenUnlessNotChecked) {
  Start(QStringLiteral("miswrite=2"));
  ASSERT_TRUE(options_.VerifyWrites) << "on unless the user turns it off";
  form->ShowPage(QStringLiteral("aMainOptions"), true);
  WaitForBus();
  Control<TVDCheckBox>("cbSiren").click();
  ASSERT_TRUE(SpinUntil([&] { return !form->ScanPending(); }));

  Act("aWrite2")->trigger();
  WaitForBus();
  ASSERT_EQ(dialogs->errors.size(), 1)
      << "the write report is the one message: " << dialogs->errors.join(u'|').toStdString();
  EXPECT_TRUE(dialogs->errors.back().contains(
      QStringLiteral("первый адрес 0x0052 — при проверке прочитано не то, что записано")))
      << dialogs->errors.back().toStdString();
  EXPECT_TRUE(form->UnwrittenChanges());
  EXPECT_TRUE(Act("aWrite2")->isEnabled());

  options_.VerifyWrites = false;
  Act("aWrite2")->trigger();
  WaitForBus();
  EXPECT_EQ(dialogs->errors.size(), 1) << "nothing read back, nothing to report";
  EXPECT_FALSE(form->UnwrittenChanges());
}

TEST_F(MainFormTest, TheCarsBroadcastsShowOnTheToolbarTheIndicatorAndTheAlarmWindow) {
  Start(QString());
  ASSERT_TRUE(form->IndicatorForm() != nullptr);
  EXPECT_TRUE(form->findChild<QWidget*>(QStringLiteral("Mode")) != nullptr);
  vehicle->Perform(TSimAction::IgnitionOn);
  const TLampPanel& lamps = form->IndicatorForm()->Lamps();
  const int ignition = LampOf(TLampGroup::Input, 3);
  ASSERT_TRUE(SpinUntil([&] { return lamps.Lit(ignition); }, 5s));
  vehicle->Perform(TSimAction::IgnitionOff);
  vehicle->Perform(TSimAction::Arm);
  ASSERT_TRUE(
      SpinUntil([&] { return form->LiveStatus().Picture().Mode == QStringLiteral("Охрана"); }, 5s));
  EXPECT_FALSE(lamps.Lit(ignition));

  TLanMsg alarm;
  alarm.Source = 2;
  alarm.Dest = 0;
  alarm.Command = 118;
  alarm.Length = 1;
  alarm.Data[0] = 12;
  vehicle->SendFromModule(alarm);
  ASSERT_TRUE(SpinUntil([&] { return form->AlarmCauseForm() != nullptr; }, 5s));
  EXPECT_EQ(form->AlarmCauseForm()->Cause(), QStringLiteral("тревога при открытии багажника"));
  vehicle->Perform(TSimAction::Disarm);
  EXPECT_TRUE(SpinUntil([&] { return form->AlarmCauseForm() == nullptr; }, 5s))
      << "disarming closes it";
}

TEST_F(MainFormTest, TheLayoutComesBackAndAFloatingWindowOffEveryScreenIsBroughtBack) {
  Start(QString());
  QTemporaryDir dir;
  QSettings settings(dir.filePath(QStringLiteral("layout.ini")), QSettings::IniFormat);
  form->show();
  auto* elements = form->findChild<QDockWidget*>(QStringLiteral("ElementsForm"));
  ASSERT_NE(elements, nullptr);
  form->addDockWidget(Qt::RightDockWidgetArea, elements);
  QDockWidget* indicator = form->IndicatorForm();
  indicator->setFloating(true);
  indicator->move(20000, 20000);
  form->LogForm()->Command(QStringLiteral("aShock"))->trigger();
  form->SaveState(settings);
  settings.sync();

  form.reset();
  form =
      std::make_unique<TMainForm>(*adapter, options_, pages, std::make_unique<TScriptedDialogs>());
  form->RestoreState(settings);
  form->show();
  elements = form->findChild<QDockWidget*>(QStringLiteral("ElementsForm"));
  EXPECT_EQ(form->dockWidgetArea(elements), Qt::RightDockWidgetArea);
  EXPECT_TRUE(form->IndicatorForm()->isFloating());
  const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  EXPECT_TRUE(screen.intersects(form->IndicatorForm()->frameGeometry()))
      << "on a visible screen again";
  EXPECT_TRUE(form->LogForm()->Command(QStringLiteral("aShock"))->isChecked());
}

}  // namespace

// What carries the pending mark of the example page's siren box: the box, its section, its
// page's button in the module panel and the module's group there.
class PendingMarksTest : public MainFormTest {
 protected:
  void ShowExamplePage() {
    Start(QString());
    form->ShowPage(QStringLiteral("aMainOptions"), true);
    WaitForBus();
  }
  std::array<bool, 4> Marks(QWidget& control, const QString& sectionCaption) {
    form->PendingMarks().Update();
    const TPanelCategory* section = nullptr;
    for (TPanelCategory* category : form->Page(QStringLiteral("MainOptions"))
                                        ->CategoryPanels1()
                                        ->Categories()) {
      if (category->Caption() == sectionCaption) section = category;
    }
    auto* button = form->ElementsForm()->findChild<QToolButton*>(QStringLiteral("tbaMainOptions"));
    const TPanelCategory* module = nullptr;
    for (TPanelCategory* category : form->ElementsForm()->Categories()->Categories()) {
      if (button && category->Panel()->isAncestorOf(button)) module = category;
    }
    EXPECT_TRUE(section && button && module);
    if (!section || !button || !module) return {};
    return {HasPendingLook(control), section->Pending(), HasPendingLook(*button),
            module->Pending()};
  }
  static constexpr std::array<bool, 4> kMarked{true, true, true, true};
  static constexpr std::array<bool, 4> kClear{false, false, false, false};
};

TEST_F(PendingMarksTest, AChangeIsMarkedUpToItsModuleUntilAConfirmedWrite) {
  ShowExamplePage();
  auto& siren = Control<TVDCheckBox>("cbSiren");
  const bool boldBefore = siren.font().bold();
  EXPECT_EQ(Marks(siren, QStringLiteral("Охрана")), kClear) << "nothing pending after the read";

  siren.click();
  EXPECT_EQ(Marks(siren, QStringLiteral("Охрана")), kMarked);
  EXPECT_NE(siren.font().bold(), boldBefore) << "bold keeps saying: differs from factory";
  siren.click();
  EXPECT_EQ(Marks(siren, QStringLiteral("Охрана")), kClear) << "changed back is not pending";

  siren.click();
  ASSERT_TRUE(SpinUntil([&] { return !form->ScanPending(); }));
  vehicle->SilenceModule(2, true);
  Act("aWrite2")->trigger();
  WaitForBus();
  ASSERT_FALSE(dialogs->errors.isEmpty()) << "the write failed";
  EXPECT_EQ(Marks(siren, QStringLiteral("Охрана")), kMarked) << "a failed write keeps the marks";

  vehicle->SilenceModule(2, false);
  form->RestartScan();
  ASSERT_TRUE(SpinUntil([&] { return Act("aWrite2")->isEnabled(); }, 5s));
  Act("aWrite2")->trigger();
  WaitForBus();
  EXPECT_EQ(Marks(siren, QStringLiteral("Охрана")), kClear) << "a confirmed write clears them";
  EXPECT_FALSE(form->PendingMarks().PagePending(QStringLiteral("MainOptions")));
}

TEST_F(PendingMarksTest, ATypedTextIsMarkedAndTypingItBackClearsTheMark) {
  ShowExamplePage();
  auto& owner = Control<TVDLabeledMemo>("mmOwner");
  const QString before = owner.Text();
  owner.SetText(before + QStringLiteral("Ж"));
  EXPECT_EQ(Marks(owner, QStringLiteral("Время и сервис")), kMarked);
  EXPECT_TRUE(form->PendingMarks().PagePending(QStringLiteral("MainOptions")));
  owner.SetText(before);
  EXPECT_EQ(Marks(owner, QStringLiteral("Время и сервис")), kClear);
}

// The setting lines of a comparison's tree, whatever their group.
std::vector<QTreeWidgetItem*> Lines(QTreeWidget& tree) {
  std::vector<QTreeWidgetItem*> lines;
  for (int m = 0; m < tree.topLevelItemCount(); ++m) {
    for (int g = 0; g < tree.topLevelItem(m)->childCount(); ++g) {
      QTreeWidgetItem* group = tree.topLevelItem(m)->child(g);
      for (int i = 0; i < group->childCount(); ++i) lines.push_back(group->child(i));
    }
  }
  return lines;
}

TEST_F(PendingMarksTest, TheChangesViewListsWhatAWriteSendsRevertsItAndOpensTheSetting) {
  ShowExamplePage();
  auto& siren = Control<TVDCheckBox>("cbSiren");
  auto& owner = Control<TVDLabeledMemo>("mmOwner");
  const bool sirenBefore = siren.isChecked();
  const QString ownerBefore = owner.Text();
  siren.click();
  owner.SetText(ownerBefore + QStringLiteral("Ж"));

  Act("aChanges")->trigger();
  TChangesForm* changes = form->ChangesForm();
  ASSERT_NE(changes, nullptr);
  QTreeWidget& tree = *changes->Tree();
  ASSERT_EQ(tree.topLevelItemCount(), 1);
  EXPECT_EQ(tree.topLevelItem(0)->text(0), QStringLiteral("Главный модуль"));
  EXPECT_EQ(tree.topLevelItem(0)->child(0)->text(0), QStringLiteral("Пример"));
  auto lines = Lines(tree);
  ASSERT_EQ(lines.size(), 2u) << "two settings, no stray bytes";
  const QString on = QStringLiteral("✓ вкл");
  const QString off = QStringLiteral("— выкл");
  EXPECT_EQ((QStringList{lines[0]->text(0), lines[0]->text(1), lines[0]->text(2),
                         lines[0]->text(3)}),
            (QStringList{QStringLiteral("Включить сирену при тревоге"), QStringLiteral("Охрана"),
                         sirenBefore ? on : off, sirenBefore ? off : on}));
  EXPECT_EQ(lines[1]->text(3), u'"' + ownerBefore + QStringLiteral("Ж\""));
  EXPECT_EQ(lines[1]->toolTip(3), lines[1]->text(3)) << "the whole text as a tooltip";

  changes->RevertLine(lines[0]);
  EXPECT_EQ(siren.isChecked(), sirenBefore) << "the page shows what the module holds";
  EXPECT_FALSE(HasPendingLook(siren));
  lines = Lines(tree);
  ASSERT_EQ(lines.size(), 1u);

  form->show();
  form->ShowPage(QStringLiteral("aMainTimes"), true);
  emit tree.itemDoubleClicked(lines[0], 0);
  EXPECT_EQ(form->CurrentPage()->objectName(), QStringLiteral("MainOptions"));
  EXPECT_EQ(form->focusWidget(), &owner);

  changes->RevertPage(lines[0]);
  EXPECT_EQ(owner.Text(), ownerBefore);
  EXPECT_EQ(tree.topLevelItemCount(), 0);
  EXPECT_EQ(Marks(owner, QStringLiteral("Время и сервис")), kClear);
  EXPECT_FALSE(form->PendingMarks().PagePending(QStringLiteral("MainOptions")));
}

TEST_F(PendingMarksTest, WritingSeveralModulesListsTheChangesFirstAndACancelWritesNothing) {
  ShowExamplePage();
  Act("aRead")->trigger();
  WaitForBus();
  // A byte of another module, as the module holds it; no page of this window shows it.
  TDeviceMemoryItem* other = form->Registry().FindMem(3, mlExt);
  ASSERT_TRUE(other && other->IsLoaded());
  const uint8_t otherBefore = ModuleByte(3, kSimExt, 10);
  other->TakeModuleBytes(10, std::array{otherBefore});
  other->SetByte(10, static_cast<uint8_t>(otherBefore ^ 1));
  other->SetModified(true);
  auto& siren = Control<TVDCheckBox>("cbSiren");
  siren.click();
  const int sirenInModule = (ModuleByte(2, kSimExt, 82) >> 5) & 1;
  ASSERT_TRUE(SpinUntil([&] { return !form->ScanPending(); }));
  form->UpdateCommandStates();

  dialogs->reviewAnswer = false;
  Act("aWrite")->trigger();
  WaitForBus();
  EXPECT_EQ(dialogs->reviewed, QStringList{QStringLiteral("ChangesForm")});
  EXPECT_EQ((ModuleByte(2, kSimExt, 82) >> 5) & 1, sirenInModule) << "cancelled: nothing sent";
  EXPECT_EQ(Marks(siren, QStringLiteral("Охрана")), kMarked);

  dialogs->reviewAnswer = true;
  Act("aWrite")->trigger();
  WaitForBus();
  EXPECT_EQ(dialogs->reviewed.size(), 2);
  EXPECT_NE((ModuleByte(2, kSimExt, 82) >> 5) & 1, sirenInModule);
  EXPECT_EQ(ModuleByte(3, kSimExt, 10), otherBefore ^ 1);
  EXPECT_EQ(Marks(siren, QStringLiteral("Охрана")), kClear);

  siren.click();
  options_.ShowChangesBeforeWrite = false;
  other->SetByte(10, otherBefore);
  other->SetModified(true);
  ASSERT_TRUE(SpinUntil([&] { return !form->ScanPending(); }));
  form->UpdateCommandStates();
  Act("aWrite")->trigger();
  WaitForBus();
  EXPECT_EQ(dialogs->reviewed.size(), 2) << "the option turns the look off";
  EXPECT_EQ(ModuleByte(3, kSimExt, 10), otherBefore);
}
