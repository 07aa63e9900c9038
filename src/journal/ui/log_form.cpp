#include "journal/ui/log_form.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QScrollBar>
#include <QSettings>
#include <QTableView>
#include <QToolBar>
#include <QVBoxLayout>
#include <algorithm>

#include "journal/capture_journal.h"
#include "journal/logger.h"
#include "journal/ui/log_filter_commands.h"
#include "journal/ui/log_model.h"
#include "link/bus_capture.h"
#include "memory/settings_bool.h"

namespace {

struct TCommandText {
  const char* Name;
  const char* Caption;
  const char* Hint;
};

constexpr TCommandText kCommands[] = {
    {"aInverceFilter", "Инверсия фильтров", "Обратить действие фильтров"},
    {"aShowLastMessage", "Вниз", "Показывать последнее сообщение"},
    {"aClear", "Очистить журнал", "Очистить журнал"},
    {"aClearIndicator", "Сбросить индикатор", ""},
    {"aSaveLog", "Сохранить журнал...", "Сохранить все записи журнала в текстовый файл"},
    {"aSaveFilteredLog", "Сохранить с фильтрами...",
     "Сохранить показанные записи журнала в текстовый файл"},
    {"aPause", "Пауза", "Остановить обновление журнала, не теряя новых записей"},
    {"aShowAllEntries", "Все повторы", "Показывать каждую запись, не сворачивая повторы"},
    {"aFind", "Найти", "Найти текст в журнале (Ctrl+F)"},
    {"aFindNext", "Далее", "Следующая найденная запись (F3)"},
    {"aFindPrevious", "Ранее", "Предыдущая найденная запись (Shift+F3)"},
    {"aRecordBus", "Записать трафик шины...",
     "Записывать все кадры адаптера с их временем в файл pcap"},
    {"aOpenCapture", "Открыть запись трафика...",
     "Открыть запись трафика шины в отдельном окне журнала"},
};

// Besides the filter switches, kept with the layout. Following is not: the window always
// starts on the newest entry, as a terminal does.
constexpr const char* kSavedCommands[] = {"aInverceFilter", "aShowAllEntries"};
constexpr char kPanelVisibleKey[] = "LogPanelVisible";
constexpr char kRawVisibleKey[] = "LogRawBytesVisible";
constexpr char kExportFolderKey[] = "LogExportFolder";
constexpr char kCaptureFolderKey[] = "LogCaptureFolder";
constexpr int kRawWidth = 180;

// The context menu's "Фильтры": the switches used most.
constexpr const char* kMenuFilters[] = {"aMW",    "aShock",       "aSysOuts",
                                        "aSysIn", "aTXRcvFailed", "aExceptions"};
constexpr const char* kPanelCommands[] = {"aClear", "aInverceFilter", "aShowLastMessage",
                                          "aClearIndicator"};

constexpr int kMarkerWidth = 20;
constexpr int kIdWidth = 40;
constexpr int kTimeWidth = 54;
constexpr int kMessageWidth = 246;
constexpr int kRowHeight = 14;
// Room around the widest number and time a column has to show.
constexpr int kCellPadding = 8;

QString Text(const char* utf8) {
  return QString::fromUtf8(utf8);
}

constexpr char kCaptureSuffix[] = "pcap";

// The save dialog offers the encodings as its file types; the first is the default.
struct TEncodingFilter {
  const char* Filter;
  TLogger::TEncoding Encoding;
};
constexpr TEncodingFilter kEncodingFilters[] = {
    {"Текст UTF-8 (*.txt)", TLogger::TEncoding::Utf8Lf},
    {"Текст Windows-1251, строки CR LF (*.txt)", TLogger::TEncoding::Cp1251CrLf},
};

class TDialogPrompts : public ILogPrompts {
 public:
  TLogExportChoice AskExportName(QWidget* parent, const QString& title,
                                 const QString& folder) override {
    QStringList filters;
    for (const TEncodingFilter& f : kEncodingFilters) filters << Text(f.Filter);
    QString chosenFilter = filters.front();
    TLogExportChoice choice;
    choice.FileName =
        QFileDialog::getSaveFileName(parent, title, folder, filters.join(u";;"), &chosenFilter);
    for (const TEncodingFilter& f : kEncodingFilters) {
      if (chosenFilter == Text(f.Filter)) choice.Encoding = f.Encoding;
    }
    return choice;
  }
  QString AskCaptureName(QWidget* parent, bool save, const QString& folder) override {
    const QString filter = Text("Запись трафика шины (*.pcap);;Все файлы (*)");
    return save ? QFileDialog::getSaveFileName(parent, Text("Записать трафик шины"), folder, filter)
                : QFileDialog::getOpenFileName(parent, Text("Открыть запись трафика"), folder,
                                               filter);
  }
  void Warn(QWidget* parent, const QString& text) override {
    QMessageBox::warning(parent, QString(), text);
  }
};

}  // namespace

TLogForm::TLogForm(TLogger& logger, TLogColors colors, QWidget* parent,
                   std::unique_ptr<ILogPrompts> prompts)
    : QDockWidget(Text("Журнал"), parent),
      logger_(logger),
      colors_(colors),
      prompts_(prompts ? std::move(prompts) : std::make_unique<TDialogPrompts>()),
      model_(new TLogModel(logger, std::move(colors), this)) {
  setObjectName(QStringLiteral("LogForm"));
  CreateCommands();
  CreateViewCommands();
  CreateGrid();
  CreateViewBar();
  CreatePanel();
  CreateContextMenu();

  auto* body = new QWidget(this);
  auto* layout = new QVBoxLayout(body);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  // The view's own commands on a short bar of their own, where no overflow hides them.
  layout->addWidget(viewBar_);
  layout->addWidget(panel_);
  layout->addWidget(grid_, 1);
  status_ = new QLabel(body);
  status_->setObjectName(QStringLiteral("LogStatus"));
  status_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  layout->addWidget(status_);
  setWidget(body);
}

// The window may go after the link's owner has begun to go, so it does not call back: a
// closed writer takes no more frames from whoever still holds it.
TLogForm::~TLogForm() {
  if (recording_) recording_->Close();
}

QAction* TLogForm::Command(const QString& name) const {
  return findChild<QAction*>(name, Qt::FindDirectChildrenOnly);
}

QAction* TLogForm::AddCommand(const char* name, const char* caption, const char* hint) {
  auto* action = new QAction(Text(caption), this);
  action->setObjectName(Text(name));
  action->setStatusTip(Text(hint));
  action->setToolTip(*hint ? Text(hint) : Text(caption));
  return action;
}

void TLogForm::CreateCommands() {
  for (const TLogFilterCommand& command : LogFilterCommands()) {
    QAction* action = AddCommand(command.Name, command.Caption, command.Hint);
    action->setCheckable(true);
    // Switches without a caption of their own show their hint on the panel.
    const char* buttonText = command.ButtonText   ? command.ButtonText
                             : *command.Caption   ? command.Caption
                             : command.ButtonHint ? command.ButtonHint
                                                  : command.Hint;
    action->setIconText(Text(buttonText));
    if (command.ButtonHint) action->setToolTip(Text(command.ButtonHint));
    connect(action, &QAction::triggered, this,
            [this, &command](bool checked) { ToggleFilters(command, checked); });
  }
  for (const TCommandText& command : kCommands)
    AddCommand(command.Name, command.Caption, command.Hint);

  QAction* invert = Command(QStringLiteral("aInverceFilter"));
  invert->setCheckable(true);
  connect(invert, &QAction::triggered, this, [this](bool checked) { logger_.SetInvert(checked); });

  showLast_ = Command(QStringLiteral("aShowLastMessage"));
  showLast_->setCheckable(true);
  showLast_->setChecked(true);
  connect(showLast_, &QAction::triggered, this, [this](bool checked) {
    if (!checked) return;
    ClearTimeBase();
    FollowNewEntries();
  });

  connect(Command(QStringLiteral("aClear")), &QAction::triggered, this, [this] {
    logger_.Clear();
    ClearTimeBase();
  });
  connect(Command(QStringLiteral("aClearIndicator")), &QAction::triggered, this,
          &TLogForm::ClearIndicatorRequested);
  connect(Command(QStringLiteral("aSaveLog")), &QAction::triggered, this,
          [this] { SaveLog(true); });
  connect(Command(QStringLiteral("aSaveFilteredLog")), &QAction::triggered, this,
          [this] { SaveLog(false); });

  panelVisible_ = new QAction(Text("Панель фильтров"), this);
  panelVisible_->setCheckable(true);
  panelVisible_->setChecked(true);
  rawVisible_ = new QAction(Text("Байты сообщений"), this);
  rawVisible_->setObjectName(QStringLiteral("aShowRawBytes"));
  rawVisible_->setCheckable(true);
}

void TLogForm::CreateViewCommands() {
  pause_ = Command(QStringLiteral("aPause"));
  pause_->setCheckable(true);
  connect(pause_, &QAction::toggled, this, [this](bool paused) {
    model_->SetPaused(paused);
    ShowPauseState();
    if (!paused && showLast_->isChecked()) FollowNewEntries();
  });
  connect(&logger_, &TLogger::EntryAdded, this, [this] {
    if (pause_->isChecked()) ShowPauseState();
  });

  showAll_ = Command(QStringLiteral("aShowAllEntries"));
  showAll_->setCheckable(true);
  connect(showAll_, &QAction::toggled, this, [this](bool all) {
    model_->SetCollapseRepeats(!all);
    if (showLast_->isChecked()) FollowNewEntries();
  });

  QAction* find = Command(QStringLiteral("aFind"));
  find->setShortcut(QKeySequence::Find);
  find->setShortcutContext(Qt::WidgetWithChildrenShortcut);
  addAction(find);
  connect(find, &QAction::triggered, this, [this] {
    search_->setFocus(Qt::ShortcutFocusReason);
    search_->selectAll();
  });
  const struct {
    const char* Name;
    QKeySequence Key;
    bool Forward;
  } steps[] = {{"aFindNext", QKeySequence::FindNext, true},
               {"aFindPrevious", QKeySequence::FindPrevious, false}};
  for (const auto& step : steps) {
    QAction* action = Command(Text(step.Name));
    action->setShortcut(step.Key);
    action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    addAction(action);
    const bool forward = step.Forward;
    connect(action, &QAction::triggered, this, [this, forward] { FindNext(forward); });
  }

  record_ = Command(QStringLiteral("aRecordBus"));
  record_->setCheckable(true);
  record_->setEnabled(false);
  connect(record_, &QAction::triggered, this, &TLogForm::ToggleRecording);
  connect(Command(QStringLiteral("aOpenCapture")), &QAction::triggered, this,
          &TLogForm::AskAndOpenCapture);
}

void TLogForm::CreateViewBar() {
  viewBar_ = new QToolBar(Text("Просмотр журнала"), this);
  viewBar_->setObjectName(QStringLiteral("LogViewBar"));
  viewBar_->setToolButtonStyle(Qt::ToolButtonTextOnly);
  for (const char* name : {"aShowLastMessage", "aPause", "aShowAllEntries"})
    viewBar_->addAction(Command(Text(name)));
  viewBar_->addSeparator();
  search_ = new QLineEdit(viewBar_);
  search_->setObjectName(QStringLiteral("LogSearch"));
  search_->setPlaceholderText(Text("Найти (Ctrl+F)"));
  search_->setClearButtonEnabled(true);
  search_->setMaximumWidth(240);
  viewBar_->addWidget(search_);
  connect(search_, &QLineEdit::textChanged, model_, &TLogModel::SetSearchText);
  connect(search_, &QLineEdit::returnPressed, this, [this] { FindNext(true); });
  for (const char* name : {"aFindPrevious", "aFindNext"}) viewBar_->addAction(Command(Text(name)));
  viewBar_->addSeparator();
  for (const char* name : {"aRecordBus", "aOpenCapture"}) viewBar_->addAction(Command(Text(name)));
}

void TLogForm::CreateGrid() {
  grid_ = new QTableView(this);
  grid_->setObjectName(QStringLiteral("LogGrid"));
  grid_->setModel(model_);
  grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
  grid_->setSelectionMode(QAbstractItemView::SingleSelection);
  grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid_->setWordWrap(false);
  grid_->setTextElideMode(Qt::ElideNone);
  grid_->setCornerButtonEnabled(false);
  grid_->setContextMenuPolicy(Qt::CustomContextMenu);

  // Fixed row heights keep a full journal as cheap to scroll as an empty one.
  const QFontMetrics metrics = grid_->fontMetrics();
  QHeaderView* rows = grid_->verticalHeader();
  rows->hide();
  rows->setMinimumSectionSize(1);
  rows->setSectionResizeMode(QHeaderView::Fixed);
  rows->setDefaultSectionSize(std::max(kRowHeight, metrics.height() + 2));

  QHeaderView* columns = grid_->horizontalHeader();
  columns->setHighlightSections(false);
  columns->setSectionsClickable(false);
  columns->setStretchLastSection(true);
  columns->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  columns->resizeSection(TLogModel::kMarkerColumn, kMarkerWidth);
  columns->resizeSection(
      TLogModel::kIdColumn,
      std::max(kIdWidth, metrics.horizontalAdvance(QStringLiteral("00000")) + kCellPadding));
  columns->resizeSection(
      TLogModel::kTimeColumn,
      std::max(kTimeWidth, metrics.horizontalAdvance(QStringLiteral("00.00.00")) + kCellPadding));
  columns->resizeSection(TLogModel::kMessageColumn, kMessageWidth);
  columns->resizeSection(TLogModel::kRawColumn, kRawWidth);
  grid_->setColumnHidden(TLogModel::kRawColumn, true);

  grid_->viewport()->installEventFilter(this);
  connect(grid_->verticalScrollBar(), &QScrollBar::valueChanged, this, &TLogForm::OnTopRowChanged);
  connect(model_, &QAbstractItemModel::rowsInserted, this, [this] {
    if (showLast_->isChecked()) FollowNewEntries();
  });
  connect(grid_, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& pos) { contextMenu_->popup(grid_->viewport()->mapToGlobal(pos)); });
}

void TLogForm::CreatePanel() {
  panel_ = new QToolBar(Text("Панель фильтров"), this);
  panel_->setObjectName(QStringLiteral("LogFilterPanel"));
  panel_->setToolButtonStyle(Qt::ToolButtonTextOnly);
  for (const TLogFilterCommand& command : LogFilterCommands()) {
    panel_->addAction(Command(Text(command.Name)));
  }
  panel_->addSeparator();
  for (const char* name : kPanelCommands) {
    // "Вниз" stands on the view bar, where it is always in sight.
    if (QString::fromLatin1(name) != u"aShowLastMessage") panel_->addAction(Command(Text(name)));
  }
  connect(panelVisible_, &QAction::toggled, panel_, &QWidget::setVisible);
  connect(rawVisible_, &QAction::toggled, this,
          [this](bool on) { grid_->setColumnHidden(TLogModel::kRawColumn, !on); });
}

void TLogForm::CreateContextMenu() {
  contextMenu_ = new QMenu(this);
  QMenu* filters = contextMenu_->addMenu(Text("Фильтры"));
  for (const char* name : kMenuFilters) filters->addAction(Command(Text(name)));
  filters->addSeparator();
  filters->addAction(Command(QStringLiteral("aInverceFilter")));
  contextMenu_->addSeparator();
  contextMenu_->addAction(panelVisible_);
  contextMenu_->addAction(rawVisible_);
  contextMenu_->addAction(Command(QStringLiteral("aClear")));
  contextMenu_->addSeparator();
  contextMenu_->addAction(Command(QStringLiteral("aSaveLog")));
  contextMenu_->addAction(Command(QStringLiteral("aSaveFilteredLog")));
  contextMenu_->addSeparator();
  contextMenu_->addAction(record_);
  contextMenu_->addAction(Command(QStringLiteral("aOpenCapture")));
}

void TLogForm::ToggleFilters(const TLogFilterCommand& command, bool on) {
  // One rebuild of the grid for the filter pair of an address.
  logger_.BeginUpdate();
  for (const TFilterData& filter : FiltersOf(command)) logger_.ToggleFilter(filter, on);
  logger_.EndUpdate();
}

void TLogForm::SaveLog(bool all) {
  const QString title = all ? Text("Сохранить журнал") : Text("Сохранить журнал с фильтрами");
  const TLogExportChoice choice = prompts_->AskExportName(this, title, exportFolder_);
  if (choice.FileName.isEmpty()) return;
  // A name typed with its extension is taken as typed.
  const QString fileName = TLogger::WithTextExtension(choice.FileName);
  exportFolder_ = QFileInfo(fileName).absolutePath();
  QString error;
  if (!logger_.Export(fileName, all, choice.Encoding, &error)) {
    prompts_->Warn(this, Text("Не удалось записать журнал в файл\n%1\n%2")
                             .arg(QDir::toNativeSeparators(fileName), error));
    return;
  }
  ShowStatus(Text("Журнал сохранён в файле %1").arg(QDir::toNativeSeparators(fileName)));
}

QString TLogForm::StatusText() const {
  return status_->text();
}

void TLogForm::ShowStatus(const QString& text) {
  status_->setText(text);
}

void TLogForm::ShowPauseState() {
  const int waiting = model_->WaitingEntries();
  pause_->setText(pause_->isChecked() && waiting > 0 ? Text("Пауза (+%1)").arg(waiting)
                                                     : Text("Пауза"));
}

void TLogForm::SetCaptureTarget(TCaptureTarget target) {
  StopRecording();
  captureTarget_ = std::move(target);
  record_->setEnabled(static_cast<bool>(captureTarget_));
}

void TLogForm::ToggleRecording(bool on) {
  if (!on) {
    StopRecording();
    return;
  }
  record_->setChecked(false);
  QString fileName = prompts_->AskCaptureName(this, true, captureFolder_);
  if (fileName.isEmpty() || !captureTarget_) return;
  if (QFileInfo(fileName).suffix().isEmpty()) fileName += u'.' + Text(kCaptureSuffix);
  captureFolder_ = QFileInfo(fileName).absolutePath();
  auto writer = std::make_shared<TCaptureWriter>();
  QString error;
  if (!writer->Open(fileName, &error)) {
    prompts_->Warn(this, Text("Не удалось начать запись трафика\n%1").arg(error));
    return;
  }
  recording_ = std::move(writer);
  captureTarget_(recording_);
  record_->setChecked(true);
  ShowStatus(Text("Идёт запись трафика шины в файл %1")
                 .arg(QDir::toNativeSeparators(recording_->FileName())));
}

void TLogForm::StopRecording() {
  if (!recording_) return;
  if (captureTarget_) captureTarget_(nullptr);
  recording_->Close();
  const QString fileName = QDir::toNativeSeparators(recording_->FileName());
  QString error;
  const bool ok = recording_->Ok(&error);
  const int frames = recording_->RecordCount();
  recording_.reset();
  record_->setChecked(false);
  if (!ok) {
    prompts_->Warn(this, Text("Запись трафика в файл %1 неполна: %2").arg(fileName, error));
    return;
  }
  ShowStatus(Text("Трафик шины записан в файл %1 (кадров: %2)").arg(fileName).arg(frames));
}

void TLogForm::AskAndOpenCapture() {
  const QString fileName = prompts_->AskCaptureName(this, false, captureFolder_);
  if (fileName.isEmpty()) return;
  captureFolder_ = QFileInfo(fileName).absolutePath();
  OpenCapture(fileName);
}

TLogForm* TLogForm::OpenCapture(const QString& fileName) {
  const TCaptureFile capture = ReadCapture(fileName);
  if (!capture.Usable()) {
    prompts_->Warn(this, Text("Не удалось открыть запись трафика\n%1\n%2")
                             .arg(QDir::toNativeSeparators(fileName), capture.Error));
    return nullptr;
  }
  std::unique_ptr<TLogger> journal = CaptureJournal(capture.Records);
  auto* main = qobject_cast<QMainWindow*>(window());
  auto* form = new TLogForm(*journal, colors_, main);
  journal.release()->setParent(form);
  form->setAttribute(Qt::WA_DeleteOnClose);
  form->setObjectName(QStringLiteral("CaptureLogForm"));
  form->setWindowTitle(Text("Журнал: %1").arg(QFileInfo(fileName).fileName()));
  form->exportFolder_ = exportFolder_;
  form->captureFolder_ = captureFolder_;
  // A recording is read from its start.
  form->showLast_->setChecked(false);
  form->ShowStatus(capture.Error.isEmpty()
                       ? Text("Запись трафика %1: кадров %2")
                             .arg(QDir::toNativeSeparators(fileName))
                             .arg(capture.Records.size())
                       : Text("Запись трафика %1 повреждена (%2); показано то, что до повреждения")
                             .arg(QDir::toNativeSeparators(fileName), capture.Error));
  if (main) {
    main->addDockWidget(Qt::BottomDockWidgetArea, form);
    form->setFloating(true);
  }
  form->resize(std::max(width(), 900), std::max(height(), 500));
  form->show();
  form->grid_->scrollToTop();
  return form;
}

void TLogForm::FindNext(bool forward) {
  const QString text = search_->text();
  if (text.isEmpty()) {
    search_->setFocus(Qt::ShortcutFocusReason);
    return;
  }
  const int row = model_->FindRow(grid_->currentIndex().row(), forward);
  if (row < 0) {
    ShowStatus(Text("Не найдено: %1").arg(text));
    return;
  }
  // Looking back through the journal is no place to be pulled down by new entries.
  showLast_->setChecked(false);
  grid_->setCurrentIndex(model_->index(row, TLogModel::kMessageColumn));
  grid_->scrollTo(model_->index(row, 0));
  ShowStatus({});
}

void TLogForm::FollowNewEntries() {
  grid_->scrollToBottom();
}

// Scrolling away from the newest entry stops following it; scrolling back to it follows
// again and leaves relative time.
void TLogForm::OnTopRowChanged(int top) {
  if (top < grid_->verticalScrollBar()->maximum()) {
    showLast_->setChecked(false);
  } else if (!showLast_->isChecked()) {
    showLast_->setChecked(true);
    ClearTimeBase();
  }
}

void TLogForm::PickTimeBase(int row) {
  const int viewIndex = model_->FirstViewIndex(row);
  if (viewIndex < 0 || viewIndex == logger_.TimeBase()) {
    ClearTimeBase();
    return;
  }
  logger_.SetTimeBase(viewIndex);
  // Selected without becoming current, so that the grid does not scroll to it.
  grid_->selectionModel()->select(model_->index(row, 0),
                                  QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void TLogForm::ClearTimeBase() {
  logger_.SetTimeBase(-1);
  grid_->clearSelection();
}

bool TLogForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == grid_->viewport()) {
    if (event->type() == QEvent::MouseButtonPress) {
      const auto* mouse = static_cast<QMouseEvent*>(event);
      if (mouse->modifiers() & Qt::ControlModifier) {
        PickTimeBase(grid_->rowAt(mouse->position().toPoint().y()));
        return true;
      }
    } else if (event->type() == QEvent::MouseButtonRelease && logger_.TimeBase() < 0) {
      // Without a time base a selection would mean nothing.
      grid_->clearSelection();
    }
  }
  return QDockWidget::eventFilter(watched, event);
}

QStringList TLogForm::SavedCommandNames() {
  QStringList names;
  for (const TLogFilterCommand& command : LogFilterCommands()) {
    if (command.Saved) names << Text(command.Name);
  }
  for (const char* name : kSavedCommands) names << Text(name);
  return names;
}

void TLogForm::ReadSettings(QSettings& settings, const QString& group) {
  settings.beginGroup(group);
  panelVisible_->setChecked(
      ReadSettingsBool(settings, QString::fromLatin1(kPanelVisibleKey), true));
  rawVisible_->setChecked(ReadSettingsBool(settings, QString::fromLatin1(kRawVisibleKey), false));
  exportFolder_ = settings.value(QString::fromLatin1(kExportFolderKey)).toString();
  captureFolder_ = settings.value(QString::fromLatin1(kCaptureFolderKey)).toString();
  for (const QString& name : SavedCommandNames()) {
    QAction* action = Command(name);
    if (ReadSettingsBool(settings, name, false) != action->isChecked()) action->trigger();
  }
  settings.endGroup();
}

void TLogForm::WriteSettings(QSettings& settings, const QString& group) const {
  settings.beginGroup(group);
  settings.setValue(QString::fromLatin1(kPanelVisibleKey), panelVisible_->isChecked());
  settings.setValue(QString::fromLatin1(kRawVisibleKey), rawVisible_->isChecked());
  settings.setValue(QString::fromLatin1(kExportFolderKey), exportFolder_);
  settings.setValue(QString::fromLatin1(kCaptureFolderKey), captureFolder_);
  for (const QString& name : SavedCommandNames())
    settings.setValue(name, Command(name)->isChecked());
  settings.endGroup();
}
