#include "journal/ui/log_form.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QHeaderView>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QScrollBar>
#include <QSettings>
#include <QTableView>
#include <QToolBar>
#include <QVBoxLayout>
#include <algorithm>

#include "journal/logger.h"
#include "journal/ui/log_filter_commands.h"
#include "journal/ui/log_model.h"
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
    {"aSaveLog", "Сохранить журнал", ""},
    {"aSaveFilteredLog", "Сохранить с фильтрами", ""},
};

// Besides the filter switches, kept with the layout.
constexpr const char* kSavedCommands[] = {"aInverceFilter", "aShowLastMessage"};
constexpr char kPanelVisibleKey[] = "LogPanelVisible";
constexpr char kRawVisibleKey[] = "LogRawBytesVisible";
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

// A missing or unreadable value keeps its default.
class TDialogPrompts : public ILogPrompts {
 public:
  QString AskExportName(QWidget* parent) override {
    return QFileDialog::getSaveFileName(parent, Text("Сохранить журнал"), QString(),
                                        Text("Текстовый (*.txt)"));
  }
  void Inform(QWidget* parent, const QString& text) override {
    QMessageBox::information(parent, QString(), text);
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
      prompts_(prompts ? std::move(prompts) : std::make_unique<TDialogPrompts>()),
      model_(new TLogModel(logger, std::move(colors), this)) {
  setObjectName(QStringLiteral("LogForm"));
  CreateCommands();
  CreateGrid();
  CreatePanel();
  CreateContextMenu();

  auto* body = new QWidget(this);
  auto* layout = new QVBoxLayout(body);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(panel_);
  layout->addWidget(grid_, 1);
  setWidget(body);
}

TLogForm::~TLogForm() = default;

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
  connect(Command(QStringLiteral("aSaveLog")), &QAction::triggered, this, &TLogForm::SaveLog);
  connect(Command(QStringLiteral("aSaveFilteredLog")), &QAction::triggered, this,
          &TLogForm::SaveFilteredLog);

  panelVisible_ = new QAction(Text("Панель фильтров"), this);
  panelVisible_->setCheckable(true);
  panelVisible_->setChecked(true);
  rawVisible_ = new QAction(Text("Байты сообщений"), this);
  rawVisible_->setObjectName(QStringLiteral("aShowRawBytes"));
  rawVisible_->setCheckable(true);
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
  for (const char* name : kPanelCommands) panel_->addAction(Command(Text(name)));
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
}

void TLogForm::ToggleFilters(const TLogFilterCommand& command, bool on) {
  // One rebuild of the grid for the filter pair of an address.
  logger_.BeginUpdate();
  for (const TFilterData& filter : FiltersOf(command)) logger_.ToggleFilter(filter, on);
  logger_.EndUpdate();
}

void TLogForm::SaveLog() {
  const QString chosen = prompts_->AskExportName(this);
  if (chosen.isEmpty()) return;
  // A name typed with its extension is taken as typed.
  const QString fileName = TLogger::WithTextExtension(chosen);
  QString error;
  const bool written = logger_.Export(fileName, true, &error);
  ReportExport(written, fileName, error, Text("Журнал сохранен"));
}

void TLogForm::SaveFilteredLog() {
  const QString fileName =
      QDir::current().absoluteFilePath(QString::fromLatin1(TLogger::kFilteredExportName));
  QString error;
  const bool written = logger_.Export(fileName, false, &error);
  ReportExport(written, fileName, error,
               Text("Журнал сохранен в файле\n") + QDir::toNativeSeparators(fileName));
}

void TLogForm::ReportExport(bool written, const QString& fileName, const QString& error,
                            const QString& doneText) {
  if (written) {
    prompts_->Inform(this, doneText);
    return;
  }
  prompts_->Warn(this, Text("Не удалось записать журнал в файл\n%1\n%2")
                           .arg(QDir::toNativeSeparators(fileName), error));
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
  if (row < 0 || row == logger_.TimeBase()) {
    ClearTimeBase();
    return;
  }
  logger_.SetTimeBase(row);
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
  for (const QString& name : SavedCommandNames())
    settings.setValue(name, Command(name)->isChecked());
  settings.endGroup();
}
