#include "shell/main_form.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDockWidget>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

#include "binding/config_diff.h"
#include "binding/ui/page_registry.h"
#include "binding/ui/vd_frame.h"
#include "journal/logger.h"
#include "journal/ui/log_form.h"
#include "journal/ui/log_model.h"
#include "link/adapter.h"
#include "link/bus_requests.h"
#include "link/bus_worker.h"
#include "link/link_keeper.h"
#include "memory/lan_devices.h"
#include "memory/lan_rw.h"
#include "shell/about_form.h"
#include "shell/board_watch.h"
#include "shell/command_table.h"
#include "shell/compare_form.h"
#include "shell/elements_form.h"
#include "shell/func_form.h"
#include "shell/help_topics.h"
#include "shell/indicator_form.h"
#include "shell/info_form.h"
#include "shell/link_status_field.h"
#include "shell/live_poller.h"
#include "shell/live_status.h"
#include "shell/module_availability.h"
#include "shell/page_area.h"
#include "shell/pending_marks.h"
#include "shell/port_chooser.h"
#include "shell/progress_form.h"
#include "shell/setting_search.h"
#include "shell/status_images.h"
#include "shell/version_info.h"
#include "shell/window_geometry.h"
#include "version.h"

namespace {

constexpr int kIdlePeriodMs = 100;
constexpr int kPanelWidth = 210;
constexpr int kIndicatorWidth = 72;
constexpr int kJournalHeight = 220;
constexpr int kStatusTextWidth = 850;

}  // namespace

TMainForm::TMainForm(TAdapter& adapter, TOptionsData& options, const TPageRegistry& pages,
                     std::unique_ptr<IShellDialogs> dialogs, QWidget* parent)
    : QMainWindow(parent),
      adapter_(adapter),
      options_(options),
      dialogs_(dialogs ? std::move(dialogs) : std::make_unique<TShellDialogs>(this)),
      pages_(pages),
      help_(QString(), [this](const QUrl& url) { return HelpWindow().Open(url); }),
      progress_(new TProgress(this)),
      busy_(
          [this](bool enabled) {
            setEnabled(enabled);
            // The progress window is a child window: it keeps its "Отмена" usable.
            progress_->setEnabled(true);
          },
          [this](bool shown) {
            progress_->SetText({});
            progress_->setVisible(shown);
          }) {
  setObjectName(QStringLiteral("MainForm"));
  setWindowTitle(QStringLiteral("Vardex - программа настройки охранных систем Sorvan"));
  resize(1100, 760);
  // Meant for a large screen; a small one gets the whole of its free area at most.
  FitToScreen(*this);

  CreateActions();
  CreateMenus();
  liveStatus_ = new TLiveStatus(this);
  CreateToolBar();
  CreateStatusBar();
  CreateLink();
  moduleCommands_ = std::make_unique<TModuleCommands>(
      *registry_, [this](const QString& name) { return Action(name); });
  availability_ = new TModuleAvailability(*registry_, adapter_, *worker_, *moduleCommands_, this);
  connect(availability_, &TModuleAvailability::MainModuleLost, this, &TMainForm::MainModuleLost);
  auto* poller = new TLivePoller(*registry_, *worker_, *availability_, this);
  pageArea_ = new TPageArea(*availability_, *moduleCommands_, *poller, this);
  setCentralWidget(pageArea_);
  data_ = new TDataCommands({adapter_, *registry_, *worker_, *availability_, *moduleCommands_,
                             *pageArea_, *dialogs_, options_},
                            *this, this);
  rw_->SetUserQuestions(&data_->TransferQuestions());
  registry_->SetUserQuestions(&data_->TransferQuestions());
  WireModuleCommands();
  CreateToolWindows();
  CreateLiveStatus();
  CreatePages();
  pendingMarks_ = new TPendingMarks(*registry_, *pageArea_, pages_, elementsForm_, this);
  ApplyColour();
  qApp->installEventFilter(new THelpKey(
      *this, [this](const QString& topic, const QString& anchor) { OpenHelp(topic, anchor); },
      this));

  linkKeeper_ = new TLinkKeeper(adapter_, worker_.get(), this);
  // Unread images must not pass for the modules' data while the adapter is away; offline
  // editing keeps them, since there is no module to read them from anyway.
  connect(linkKeeper_, &TLinkKeeper::LinkUnavailable, this, [this] {
    if (!demoMode_) registry_->MarkAllNotLoaded();
  });
  // Without the adapter nothing is known of the modules: the module panel and the module
  // information must not go on showing them as connected.
  connect(linkKeeper_, &TLinkKeeper::LinkLost, this, [this] {
    RestartScan();
    if (auto* info = qobject_cast<TVersionInfo*>(Page(QLatin1String(TVersionInfo::kPageName)))) {
      info->ShowPresenceUnknown();
    }
  });
  connect(linkKeeper_, &TLinkKeeper::LinkFound, this, &TMainForm::RestartScan);
  linkKeeper_->Start();

  connect(&idleTimer_, &QTimer::timeout, this, &TMainForm::UpdateCommandStates);
  idleTimer_.start(kIdlePeriodMs);
  RestartScan();
  UpdateCommandStates();

  startTimer_.setSingleShot(true);
  connect(&startTimer_, &QTimer::timeout, this,
          [this] { ShowPage(QStringLiteral("aVersionInfo"), true); });
  startTimer_.start(kStartDelayMs);
}

TMainForm::~TMainForm() {
  // Nothing may reach the window from the bus once it starts to go.
  worker_->Stop();
  // The journal decodes for this window; it must not outlive it inside the adapter.
  adapter_.SetJournal(std::make_unique<TMemoryJournal>());
  adapter_.SetOnDeviceMessage(nullptr);
  adapter_.SetOnDispatchError(nullptr);
  registry_->SetOnModified(nullptr);
  registry_->SetOnPending(nullptr);
  registry_->SetRW(nullptr);
}

QAction* TMainForm::AddAction(const QString& name, const QString& caption, const QString& hint,
                              const QString& shortcut) {
  auto* action = new QAction(caption, this);
  action->setObjectName(name);
  if (!hint.isEmpty()) {
    action->setToolTip(hint);
    action->setStatusTip(hint);
  }
  if (!shortcut.isEmpty()) action->setShortcut(QKeySequence(shortcut));
  addAction(action);  // shortcuts work even for commands no menu shows
  actions_[name] = action;
  return action;
}

QAction* TMainForm::Action(const QString& name) const {
  const auto it = actions_.find(name);
  return it == actions_.end() ? nullptr : it->second;
}

void TMainForm::CreateActions() {
  for (const auto& desc : MainCommands()) {
    AddAction(QLatin1String(desc.Name), QString::fromUtf8(desc.Caption),
              QString::fromUtf8(desc.Hint), QLatin1String(desc.Shortcut));
  }
  const auto addPageCommand = [this](const TPageCommandSpec& desc) {
    const QString name = QLatin1String(desc.Name);
    if (Action(name)) return;
    QAction* action = AddAction(name, QString::fromUtf8(desc.Caption));
    const QString page = QLatin1String(desc.Page);
    connect(action, &QAction::triggered, this, [this, name] { ShowPage(name, true); });
    action->setData(page);
  };
  for (const auto& desc : MenuPageCommands()) addPageCommand(desc);
  for (const auto& desc : PanelPageCommands()) addPageCommand(desc);
  for (const auto& desc : ModuleCommandTable()) AddAction(QLatin1String(desc.Name), {});

  Action(QStringLiteral("mmDemoMode"))->setCheckable(true);
  for (const char* name : {"aShowElements", "aShowIndicator", "aShowLog", "aShowToolBar"}) {
    Action(QLatin1String(name))->setCheckable(true);
  }
  connect(Action(QStringLiteral("mmDemoMode")), &QAction::triggered, this,
          [this](bool on) { SetDemoMode(on); });
  connect(Action(QStringLiteral("aPrev")), &QAction::triggered, this,
          [this] { ShowHistoryEntry(pageArea_->History().Back()); });
  connect(Action(QStringLiteral("aNext")), &QAction::triggered, this,
          [this] { ShowHistoryEntry(pageArea_->History().Forward()); });
  connect(Action(QStringLiteral("aExit")), &QAction::triggered, this, &QWidget::close);
  connect(Action(QStringLiteral("aHelp")), &QAction::triggered, this, &TMainForm::ShowHelp);
  connect(Action(QStringLiteral("aAbout")), &QAction::triggered, this, &TMainForm::ShowAbout);
  connect(Action(QStringLiteral("aShowFunc")), &QAction::triggered, this, &TMainForm::ShowSettings);
  connect(Action(QStringLiteral("aConnect")), &QAction::triggered, this,
          [this] { worker_->Submit([](TAdapter& adapter) { adapter.Reconnect(); }); });
  connect(Action(QStringLiteral("aChoosePort")), &QAction::triggered, this, &TMainForm::ChoosePort);
  connect(Action(QStringLiteral("aTSProperties")), &QAction::triggered, this,
          [this] { ShowPage(QStringLiteral("aTSProperties"), true); });
}

QMenu* TMainForm::BuildShowMenu() {
  auto* menu = new QMenu(QStringLiteral("Показать"), this);
  menu->setToolTip(QStringLiteral("Выбор новой страницы"));
  std::map<QString, QMenu*> submenus;
  for (const auto& desc : MenuPageCommands()) {
    QAction* action = Action(QLatin1String(desc.Name));
    const QString submenu = QString::fromUtf8(desc.Submenu);
    if (submenu.isEmpty()) {
      menu->addAction(action);
      continue;
    }
    QMenu*& target = submenus[submenu];
    if (!target) target = menu->addMenu(submenu);
    target->addAction(action);
  }
  // Opening the tag transceiver's submenu shows its only page at once.
  if (QMenu* tag = submenus[QStringLiteral("Трансивер метки")]) {
    connect(tag, &QMenu::aboutToShow, this,
            [this] { ShowPage(QStringLiteral("aTrans_2_44"), true); });
  }
  return menu;
}

void TMainForm::CreateMenus() {
  QMenu* data = menuBar()->addMenu(QStringLiteral("Данные"));
  // What a new user does first comes first.
  data->addAction(Action(QStringLiteral("aRead")));
  showMenu_ = BuildShowMenu();
  data->addMenu(showMenu_);

  writeMenu_ = data->addMenu(QStringLiteral("Записать"));
  writeMenu_->setToolTip(QStringLiteral("Записать данные"));
  for (const auto& entry : WriteSubmenu()) {
    if (!entry.Name) {
      writeMenu_->addSeparator();
      continue;
    }
    QAction* action = Action(QLatin1String(entry.Name));
    action->setText(QString::fromUtf8(entry.Caption));
    writeMenu_->addAction(action);
  }
  data->addAction(Action(QStringLiteral("aRefresh")));

  defaultsMenu_ = data->addMenu(QStringLiteral("Очистить"));
  defaultsMenu_->setToolTip(QStringLiteral("Очистить (вернуться к заводским установкам)"));
  QMenu* gsm = nullptr;
  for (const auto& entry : DefaultsSubmenu()) {
    const QString name = QLatin1String(entry.Name);
    QAction* action = Action(name);
    if (!action) action = AddAction(name, {});
    action->setText(QString::fromUtf8(entry.Caption));
    if (name.startsWith(u"aDef3")) {
      if (!gsm) gsm = defaultsMenu_->addMenu(QStringLiteral("GSM"));
      gsm->addAction(action);
    } else {
      defaultsMenu_->addAction(action);
    }
  }
  data->addAction(Action(QStringLiteral("aLoad")));
  data->addAction(Action(QStringLiteral("aSave")));
  data->addAction(Action(QStringLiteral("aCompare")));
  data->addAction(Action(QStringLiteral("aChanges")));
  data->addSeparator();
  data->addAction(Action(QStringLiteral("aExit")));

  QMenu* adapter = menuBar()->addMenu(QStringLiteral("Адаптер"));
  adapter->addAction(Action(QStringLiteral("aConnect")));
  adapter->addAction(Action(QStringLiteral("aChoosePort")));
  adapter->addAction(Action(QStringLiteral("mmDemoMode")));
  adapter->addSeparator();
  // A command, not a menu title: a title that acts when clicked surprises.
  adapter->addAction(Action(QStringLiteral("mmExitProgramming")));

  QMenu* tools = menuBar()->addMenu(QStringLiteral("Инструменты"));
  for (const char* name : {"aShowElements", "aShowIndicator", "aShowLog", "aShowToolBar"}) {
    tools->addAction(Action(QLatin1String(name)));
  }
  tools->addSeparator();
  tools->addAction(Action(QStringLiteral("aFindSetting")));
  tools->addAction(Action(QStringLiteral("aShowFunc")));

  QMenu* help = menuBar()->addMenu(QStringLiteral("Справка"));
  help->addAction(Action(QStringLiteral("aHelp")));
  help->addAction(Action(QStringLiteral("aAbout")));
}

void TMainForm::CreateToolBar() {
  QToolBar* bar = addToolBar(QStringLiteral("Панель кнопок"));
  bar->setObjectName(QStringLiteral("ToolBar1"));
  bar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
  bar->setMovable(false);

  const auto menuButton = [bar](const QString& name, const QString& text, QMenu* menu,
                                QAction* main) {
    auto* button = new QToolButton(bar);
    button->setObjectName(name);
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    if (main) {
      button->setDefaultAction(main);
      button->setMenu(menu);
      button->setPopupMode(QToolButton::MenuButtonPopup);
    } else {
      button->setText(text);
      button->setToolTip(menu->toolTip());
      button->setMenu(menu);
      button->setPopupMode(QToolButton::InstantPopup);
    }
    bar->addWidget(button);
    return button;
  };
  bar->addAction(Action(QStringLiteral("aRead")));
  bar->widgetForAction(Action(QStringLiteral("aRead")))->setObjectName(QStringLiteral("tbReadAll"));
  menuButton(QStringLiteral("tbRead"), QStringLiteral("Показать"), showMenu_, nullptr);
  bar->addAction(Action(QStringLiteral("aRefresh")));
  bar->widgetForAction(Action(QStringLiteral("aRefresh")))
      ->setObjectName(QStringLiteral("tbRefresh"));
  writeButton_ =
      menuButton(QStringLiteral("tbWrite"), {}, writeMenu_, Action(QStringLiteral("aWrite")));
  bar->addAction(Action(QStringLiteral("aChanges")));
  bar->addSeparator();
  menuButton(QStringLiteral("tbDefault"), QStringLiteral("Очистить"), defaultsMenu_, nullptr);
  bar->addSeparator();
  bar->addAction(Action(QStringLiteral("aPrev")));
  bar->addAction(Action(QStringLiteral("aNext")));
  bar->addAction(Action(QStringLiteral("aShowFunc")));
  // The live status has a bar of its own: on a narrow window it moves under the commands
  // instead of being cut off at the right edge.
  QToolBar* live = addToolBar(QStringLiteral("Состояние"));
  live->setObjectName(QStringLiteral("ToolBarStatus"));
  live->setMovable(false);
  statusImages_ = new TStatusImages(*liveStatus_, *live);
  // The tacho image opens the remote start page's graph of the engine speed.
  connect(statusImages_->Image(QStringLiteral("Img_TAHO")), &TStatusImage::Clicked, this, [this] {
    if (TVDFrame* page = Page(QStringLiteral("MainRStart"))) {
      QMetaObject::invokeMethod(page, "ShowGraph");
    }
  });

  QAction* toggle = Action(QStringLiteral("aShowToolBar"));
  connect(toggle, &QAction::triggered, bar, &QWidget::setVisible);
  connect(toggle, &QAction::triggered, live, &QWidget::setVisible);

  bar->setContextMenuPolicy(Qt::CustomContextMenu);
  auto* captions = new QAction(QStringLiteral("Подписи к кнопкам"), this);
  captions->setCheckable(true);
  captions->setChecked(true);
  connect(captions, &QAction::toggled, bar, [bar](bool on) {
    bar->setToolButtonStyle(on ? Qt::ToolButtonTextUnderIcon : Qt::ToolButtonIconOnly);
    for (auto* button : bar->findChildren<QToolButton*>()) {
      button->setToolButtonStyle(bar->toolButtonStyle());
      if (!on) button->setFixedSize(42, 42);
    }
  });
  connect(bar, &QWidget::customContextMenuRequested, this, [bar, captions](const QPoint& at) {
    QMenu menu;
    menu.addAction(captions);
    menu.exec(bar->mapToGlobal(at));
  });
}

void TMainForm::CreateStatusBar() {
  statusText_ = new QLabel(this);
  statusText_->setObjectName(QStringLiteral("SBPanel0"));
  statusText_->setMinimumWidth(std::min(kStatusTextWidth, width() / 2));
  statusBar()->addWidget(statusText_, 1);
  auto* version = new QLabel(QStringLiteral("%1.%2.%3.%4")
                                 .arg(kVersionMajor)
                                 .arg(kVersionMinor)
                                 .arg(kVersionRelease)
                                 .arg(kVersionBuild),
                             this);
  version->setObjectName(QStringLiteral("SBPanel2"));
  linkField_ = new TLinkStatusField(this);
  statusBar()->addPermanentWidget(linkField_);
  statusBar()->addPermanentWidget(version);
}

void TMainForm::CreatePages() {
  auto* versionInfo = new TVersionInfo(*registry_, *this, pageArea_);
  versionInfo->setObjectName(QLatin1String(TVersionInfo::kPageName));
  pageArea_->AddPage(versionInfo);
  ConnectVersionInfo(*versionInfo);
  versionInfo->Initialize();
  pageArea_->SetPageSetUp([this](TVDFrame& page) {
    page.AttachBus(*worker_);
    page.SetColour(options_.Background());
    const auto controls = page.BoundControls();
    registry_->BindControls(controls, {});
  });

  std::vector<IBoundControl*> controls;
  const auto bind = [&controls](const std::vector<IBoundControl*>& more) {
    controls.insert(controls.end(), more.begin(), more.end());
  };
  versionInfo->AttachBus(*worker_);
  bind(versionInfo->BoundControls());
  for (const auto& info : pages_.Pages()) {
    if (info.Table != nullptr) {
      bind(pageArea_->AddDeferredPage(info, *this));
      continue;
    }
    TVDFrame* page = info.Create(pageArea_, *this);
    page->setObjectName(info.Name);
    pageArea_->AddPage(page);
    page->Initialize();
    page->AttachBus(*worker_);
    bind(page->BoundControls());
  }
  pageArea_->FinishPages();

  boardWatch_ = std::make_unique<TBoardWatch>(
      [this](int generation) { pageArea_->SetBoardGeneration(generation); });
  controls.push_back(boardWatch_.get());
  registry_->BindControls(controls, [this](const QString& text) { ShowStatusText(text, false); });
}

TVDFrame* TMainForm::Page(const QString& name) const {
  return pageArea_->Page(name);
}

TVDFrame* TMainForm::CurrentPage() const {
  return pageArea_->CurrentPage();
}

const TPageHistory& TMainForm::History() const {
  return pageArea_->History();
}

void TMainForm::ShowPage(const QString& command, bool addToHistory, int category) {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const QAction* action = Action(command);
  const QString name =
      action && action->data().isValid() ? action->data().toString() : command.mid(1);
  pageArea_->ShowPage(name, addToHistory, category);
  elementsForm_->SelectCommand(command);
  QApplication::restoreOverrideCursor();
}

void TMainForm::ShowComparison(const TConfigDiff& diff, const QString& fileName) {
  if (compareForm_) compareForm_->close();
  if (diff.Empty()) {
    dialogs_->Inform(QStringLiteral("Настройки совпадают с файлом \"%1\".").arg(fileName));
    return;
  }
  compareForm_ = new TCompareForm(diff, *registry_, fileName, this);
  compareForm_->setAttribute(Qt::WA_DeleteOnClose);
  connect(compareForm_, &TCompareForm::ShowSetting, this, &TMainForm::ShowSetting);
  compareForm_->show();
}

TCompareForm* TMainForm::CompareForm() const {
  return compareForm_;
}

void TMainForm::ShowSetting(const QString& page, const QString& control) {
  ShowPage(QStringLiteral("a") + page, true);
  pageArea_->FocusControl(control);
}

void TMainForm::ShowPageCommand(const QString& command) {
  ShowPage(command, true);
}

void TMainForm::ShowHistoryEntry(const TPageHistory::TEntry* entry) {
  if (!entry) return;
  ShowPage(QStringLiteral("a") + entry->Page, false, entry->Category);
}

void TMainForm::SetDemoMode(bool on) {
  demoMode_ = on;
  pageArea_->SetDemoMode(on);
  Action(QStringLiteral("mmDemoMode"))->setChecked(on);
  if (const auto* entry = pageArea_->History().Current()) {
    ShowPage(QStringLiteral("a") + entry->Page, true, entry->Category);
  }
}

void TMainForm::UpdateCommandStates() {
  const bool unavailable = adapter_.IsUnavailable();
  Action(QStringLiteral("aRead"))->setEnabled(!unavailable && !demoMode_);
  Action(QStringLiteral("aRefresh"))->setEnabled(!unavailable);
  Action(QStringLiteral("aWrite"))
      ->setEnabled(!unavailable && data_->UnwrittenChanges() && moduleCommands_->AnyWriteEnabled());
  if (QWidget* read = findChild<QToolButton*>(QStringLiteral("tbRead"))) read->setEnabled(true);
  if (QWidget* def = findChild<QToolButton*>(QStringLiteral("tbDefault"))) {
    def->setEnabled(!unavailable);
  }
  Action(QStringLiteral("aPrev"))->setEnabled(pageArea_->History().CanGoBack());
  Action(QStringLiteral("aNext"))->setEnabled(pageArea_->History().CanGoForward());
  // The check marks follow what is shown, however it came to be shown or hidden.
  if (auto* bar = findChild<QToolBar*>(QStringLiteral("ToolBar1"))) {
    Action(QStringLiteral("aShowToolBar"))->setChecked(bar->isVisible());
  }
  Action(QStringLiteral("aShowElements"))->setChecked(elementsForm_->isVisible());
  Action(QStringLiteral("aShowLog"))->setChecked(logForm_->isVisible());
  Action(QStringLiteral("aShowIndicator"))->setChecked(indicatorForm_->isVisible());

  const int modules = static_cast<int>(availability_->PresentModules().size());
  const TLinkState state = unavailable   ? TLinkState::NoAdapter
                           : modules > 0 ? TLinkState::Connected
                                         : TLinkState::AdapterFound;
  linkField_->Show(PortTitle(adapter_.Description()), state, modules);
}

QString TMainForm::LinkStatusText() const {
  return linkField_->text();
}

QString TMainForm::PortTitle(const QString& port) const {
  return portCatalogue_ ? portCatalogue_->Title(port) : port;
}

void TMainForm::ChoosePort() {
  std::vector<TPortChoice> choices;
  if (portCatalogue_) choices = portCatalogue_->Choices();
  TPortChooser chooser(choices, adapter_.Description(), this);
  if (chooser.exec() != QDialog::Accepted) return;
  const QString chosen = chooser.Chosen();
  if (!chosen.isEmpty()) SwitchPort(chosen);
}

void TMainForm::SwitchPort(const QString& port) {
  // Kept for the next start even when this run was given its port on the command line.
  options_.PortName = port;
  if (port == adapter_.Description() && !adapter_.IsUnavailable()) return;
  worker_->Submit([port](TAdapter& adapter) { adapter.SetDescription(port); });
}

void TMainForm::ShowStatusText(const QString& text, bool refresh) {
  statusText_->setText(text);
  if (refresh) statusText_->repaint();
}

QString TMainForm::StatusText() const {
  return statusText_->text();
}

void TMainForm::BeginBusy() {
  busy_.Begin();
  infoForm_->SetBusy(true);
  progress_->SetProgress(0, 0);
}

void TMainForm::EndBusy() {
  busy_.End();
  // A version notice that came in during the transfer waits until the outermost end.
  if (!busy_.IsBusy()) infoForm_->SetBusy(false);
}

void TMainForm::ReportProgress(const QString& name, int maximum, int position) {
  progress_->SetText(QStringLiteral("Обработка: %1").arg(name));
  progress_->SetProgress(maximum, position);
}

void TMainForm::ShowSettings() {
  TFuncForm form(this);
  QPalette palette = form.palette();
  palette.setColor(QPalette::Window, options_.Background());
  form.setPalette(palette);
  form.Fill(options_, adapter_.Description());
  connect(&form, &TFuncForm::HelpRequested, this,
          [this] { ShowHelpTopic(QStringLiteral("program_settings")); });
  if (form.exec() != QDialog::Accepted) return;
  form.Apply(options_);
  if (options_.RestoreDefaultLayout) {
    ApplyDefaultLayout();
    options_.RestoreDefaultLayout = false;
  }
  ApplyColour();
  elementsForm_->Recolor(options_);
  logForm_->Model()->RefreshColors();
  if (const QString port = form.ChangedPort(); !port.isEmpty()) SwitchPort(port);
}

void TMainForm::ShowAbout() {
  TAboutForm about(this);
  about.exec();
}

void TMainForm::ApplyColour() {
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, options_.Background());
  setPalette(palette);
  for (TVDFrame* page : pageArea_->Pages()) {
    page->SetColour(options_.Background());
  }
  statusImages_->SetBackground(options_.Background());
}

void TMainForm::MarkModulePresent(int address) {
  if (address == 13) availability_->SetRelayModulePresent(true);
}

bool TMainForm::ModuleAvailable(uint8_t address) const {
  return demoMode_ || availability_->IsAvailable(address);
}

bool TMainForm::Confirm(const QString& text) {
  return dialogs_->Confirm(QStringLiteral("Подтверждение"), text);
}

bool TMainForm::ConfirmWarning(const QString& caption, const QString& text) {
  return dialogs_->ConfirmWarning(caption, text);
}

void TMainForm::SetMainVersion(uint8_t major, uint8_t minor) {
  mainMajor_ = major;
  mainMinor_ = minor;
  pageArea_->SetMainFirmware(major);
}

void TMainForm::SetMainGeneration(uint8_t generation) {
  mainGeneration_ = generation;
  registry_->SetMainGeneration(generation);
}

void TMainForm::CreateToolWindows() {
  auto logger = std::make_unique<TLogger>(TLogger::kCapacity, this);
  logger_ = logger.get();
  adapter_.SetJournal(std::move(logger));

  elementsForm_ = new TElementsForm([this](const QString& name) { return Action(name); }, this);
  addDockWidget(Qt::LeftDockWidgetArea, elementsForm_);
  logForm_ = new TLogForm(*logger_, options_.JournalColors(), this);
  logForm_->SetCaptureTarget(
      [this](std::shared_ptr<TCaptureWriter> capture) { adapter_.SetCapture(std::move(capture)); });
  addDockWidget(Qt::BottomDockWidgetArea, logForm_);
  infoForm_ = new TmInfoForm(this);
  infoForm_->SetCloser([this] { close(); });

  connect(Action(QStringLiteral("aShowElements")), &QAction::triggered, elementsForm_,
          &QWidget::setVisible);
  connect(Action(QStringLiteral("aShowLog")), &QAction::triggered, logForm_, &QWidget::setVisible);
  CreateSettingSearch();
  indicatorForm_ = new TIndicatorForm(*liveStatus_, this);
  addDockWidget(Qt::RightDockWidgetArea, indicatorForm_);
  connect(Action(QStringLiteral("aShowIndicator")), &QAction::triggered, indicatorForm_,
          &QWidget::setVisible);
}

void TMainForm::CreateSettingSearch() {
  std::vector<const TPageTable*> tables;
  for (const TPageInfo& page : pages_.Pages()) {
    if (page.Table != nullptr) tables.push_back(page.Table);
  }
  settingSearch_ = new TSettingSearch(
      tables,
      [this](const TSettingIndex::TEntry& entry) { return CurrentValueText(entry, *registry_); },
      this);
  // Above the module panel: both are how the user gets to a page.
  addDockWidget(Qt::LeftDockWidgetArea, settingSearch_);
  splitDockWidget(settingSearch_, elementsForm_, Qt::Vertical);
  connect(Action(QStringLiteral("aFindSetting")), &QAction::triggered, settingSearch_,
          &TSettingSearch::Activate);
  connect(settingSearch_, &TSettingSearch::SettingChosen, this,
          [this](const TSettingIndex::TEntry& entry) {
            ShowPage(QStringLiteral("a") + QLatin1String(entry.Table->Name), true);
            TVDFrame* shown = CurrentPage();
            QWidget* widget = shown ? FindRowWidget(*shown, entry) : nullptr;
            if (widget == nullptr || !pageArea_->FocusWidget(widget)) return;
            if (widget->isVisible()) FlashControl(*widget);
          });
}

void TMainForm::ConnectVersionInfo(TVersionInfo& page) {
  connect(&page, &TVersionInfo::MainVersionChanged, this, &TMainForm::SetMainVersion);
  connect(&page, &TVersionInfo::MainGenerationChanged, this,
          [this](int generation) { SetMainGeneration(static_cast<uint8_t>(generation)); });
  connect(&page, &TVersionInfo::GsmVersionChanged, this,
          [this](uint8_t major, uint8_t) { registry_->SetGsmFirmwareMajor(major); });
  connect(&page, &TVersionInfo::ValidatorPresentChanged, this,
          [this](bool present) { validatorPresent_ = present; });
  connect(&page, &TVersionInfo::RelayModulePresentChanged, this,
          [this](bool present) { availability_->SetRelayModulePresent(present); });
  connect(&page, &TVersionInfo::VersionNoticeDue, infoForm_, &TmInfoForm::Notify);
}

void TMainForm::SaveState(QSettings& settings) const {
  options_.Save(settings);
  if (!options_.SaveLayout) return;
  settings.beginGroup(QLatin1String(TOptionsData::kGroup));
  settings.setValue(QStringLiteral("Geometry"), saveGeometry());
  settings.setValue(QStringLiteral("dockData"), saveState());
  elementsForm_->SaveState(settings);
  settings.endGroup();
  logForm_->WriteSettings(settings, QLatin1String(TOptionsData::kGroup));
}

void TMainForm::RestoreState(QSettings& settings) {
  logForm_->ReadSettings(settings, QLatin1String(TOptionsData::kGroup));
  ApplyDefaultLayout();
  if (!options_.SaveLayout) return;
  settings.beginGroup(QLatin1String(TOptionsData::kGroup));
  restoreGeometry(settings.value(QStringLiteral("Geometry")).toByteArray());
  // Saved on another screen, or at another scale, the window may not fit this one.
  if (!isMaximized() && !isFullScreen()) FitToScreen(*this);
  restoreState(settings.value(QStringLiteral("dockData")).toByteArray());
  elementsForm_->LoadState(settings);
  settings.endGroup();
  // Qt's restore places a floating window saved on a screen that is gone on one that is there.
}

// The built-in layout: every tool window docked and shown, the module panel on the left, the
// indicator on the right, the journal along the bottom. Options, the journal's switches
// among them, stay as they are.
void TMainForm::ApplyDefaultLayout() {
  const std::pair<QDockWidget*, Qt::DockWidgetArea> docks[] = {
      {elementsForm_, Qt::LeftDockWidgetArea},
      {indicatorForm_, Qt::RightDockWidgetArea},
      {logForm_, Qt::BottomDockWidgetArea}};
  for (const auto& [dock, area] : docks) {
    dock->setFloating(false);
    addDockWidget(area, dock);
    dock->show();
  }
  resizeDocks({elementsForm_, indicatorForm_}, {kPanelWidth, kIndicatorWidth}, Qt::Horizontal);
  resizeDocks({logForm_}, {kJournalHeight}, Qt::Vertical);
}

void TMainForm::ArrangeToolBars() {
  auto* commands = findChild<QToolBar*>(QStringLiteral("ToolBar1"));
  auto* live = findChild<QToolBar*>(QStringLiteral("ToolBarStatus"));
  if (!commands || !live) return;
  const bool fits = commands->sizeHint().width() + live->sizeHint().width() <= width();
  if (fits != toolBarBreak(live)) return;
  if (fits) {
    removeToolBarBreak(live);
  } else {
    insertToolBarBreak(live);
  }
}

void TMainForm::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  ArrangeToolBars();
}

void TMainForm::closeEvent(QCloseEvent* event) {
  ShowStatusText(QStringLiteral("Закрытие соединения..."), true);
  linkKeeper_->Stop();
  // A transfer in flight is abandoned after its packet: what the modules did not confirm
  // stays marked as changed.
  worker_->Stop();
  QMainWindow::closeEvent(event);
}

void TMainForm::AddJournalNote(uint8_t source, uint8_t command, std::array<uint8_t, 3> data) {
  if (logger_ != nullptr) logger_->AddNote(source, command, data[0], data[1], data[2]);
}
