#include "journal/ui/events_form.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QTextEdit>
#include <QVBoxLayout>
#include <QWindow>

#include "journal/event_table.h"
#include "journal/ui/event_grid.h"

namespace {

constexpr int kShownRows = 14;
constexpr int kMinRows = 10;
constexpr int kMaxRows = 28;
constexpr int kExtraWidth = 30;
constexpr int kWheelPixels = 30;
constexpr QSize kDescriptionSize(500, 300);

constexpr char kHelpText[] =
    "Чтобы выбрать событие из списка, щёлкните на него.\r\n\r\nЧтобы выбрать часто используемые "
    "Вами события,\r\nзажмите клавишу Ctrl и щёлкните по событиям.\r\n\r\nЧтобы убрать "
    "выделение события, пометьте\r\nсобытие повторно.\r\n\r\nЧтобы вызвать пояснение к событию, "
    "щёлкните\r\nпо нему правой кнопкой мыши.";

}  // namespace

TEventsForm::TEventsForm(TEventFavourites favourites, QWidget* parent) : QWidget(parent, Qt::Tool) {
  setWindowTitle(QStringLiteral("Список событий"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(2);
  auto* bar = new QMenuBar(this);
  BuildMenu(*bar);
  layout->setMenuBar(bar);

  search_ = new QLineEdit(this);
  search_->setObjectName(QStringLiteral("edSearch"));
  search_->setPlaceholderText(QStringLiteral("Поиск по названию"));
  search_->setClearButtonEnabled(true);
  connect(search_, &QLineEdit::textChanged, this, &TEventsForm::ApplyFilter);
  layout->addWidget(search_);

  grid_ = new TEventGrid(std::move(favourites));
  connect(grid_, &TEventGrid::Picked, this, &TEventsForm::Pick);
  connect(grid_, &TEventGrid::DescriptionRequested, this, &TEventsForm::ShowDescription);
  scroll_ = new QScrollArea(this);
  scroll_->setWidget(grid_);
  scroll_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  scroll_->verticalScrollBar()->setSingleStep(
      std::max(1, kWheelPixels / std::max(1, QApplication::wheelScrollLines())));
  layout->addWidget(scroll_);

  const int chrome =
      search_->sizeHint().height() + bar->sizeHint().height() + 2 * layout->spacing();
  const int rows = grid_->RowHeight();
  setFixedWidth(grid_->width() + kExtraWidth);
  setMinimumHeight(chrome + kMinRows * rows);
  setMaximumHeight(chrome + kMaxRows * rows);
  resize(width(), chrome + kShownRows * rows);

  // Closing without a choice leaves the field as it was.
  connect(new QShortcut(QKeySequence::Cancel, this), &QShortcut::activated, this, [this] {
    onPick_ = nullptr;
    hide();
  });
}

void TEventsForm::BuildMenu(QMenuBar& bar) {
  QMenu* filter = bar.addMenu(QStringLiteral("Фильтр событий"));
  categories_ = new QActionGroup(this);
  for (int category = 0; category < kEventCategoryCount; ++category) {
    QAction* action = filter->addAction(EventCategoryName(category));
    action->setCheckable(true);
    action->setChecked(category == 0);
    action->setData(category);
    categories_->addAction(action);
  }
  connect(categories_, &QActionGroup::triggered, this, &TEventsForm::ApplyFilter);
  bar.addAction(QStringLiteral("Справка ?"), this, &TEventsForm::ShowHelp);
}

void TEventsForm::ChooseCategory(int category) {
  const auto actions = categories_->actions();
  if (category < 0 || category >= actions.size()) return;
  actions[category]->setChecked(true);
  ApplyFilter();
}

void TEventsForm::ApplyFilter() {
  const QAction* checked = categories_->checkedAction();
  grid_->SetFilter(checked != nullptr ? checked->data().toInt() : 0, search_->text());
  grid_->IgnoreNextMove();
}

void TEventsForm::Open(const QString& title, std::function<void(int)> onPick) {
  setWindowTitle(title);
  onPick_ = std::move(onPick);
  StayAbove(QApplication::activeModalWidget());
  show();
  raise();
  activateWindow();
  search_->setFocus(Qt::OtherFocusReason);
}

void TEventsForm::StayAbove(QWidget* editor) {
  if (editor == this) editor = nullptr;
  // A modal editor blocks every window that is not above it: opened from one, the list is
  // modal itself and stands over that editor until it hides.
  const Qt::WindowModality modality = editor != nullptr ? Qt::ApplicationModal : Qt::NonModal;
  if (modality != windowModality()) {
    hide();
    setWindowModality(modality);
  }
  if (editor == nullptr) editor = parentWidget();
  createWinId();
  windowHandle()->setTransientParent(editor != nullptr ? editor->window()->windowHandle()
                                                       : nullptr);
}

void TEventsForm::Pick(int number) {
  const auto onPick = std::move(onPick_);
  onPick_ = nullptr;
  hide();
  if (onPick) onPick(number);
}

void TEventsForm::ShowDescription(int number) {
  QDialog window(this, Qt::Dialog | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
  window.setWindowTitle(QStringLiteral("Событие №%1").arg(number));
  auto* text = new QTextEdit(&window);
  text->setReadOnly(true);
  text->setPlainText(EventDescription(number));
  auto* layout = new QVBoxLayout(&window);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(text);
  window.resize(kDescriptionSize);
  if (const QScreen* screen = QApplication::primaryScreen(); screen != nullptr) {
    QRect frame(QPoint(), kDescriptionSize);
    frame.moveCenter(screen->availableGeometry().center());
    window.move(frame.topLeft());
  }
  window.exec();
  grid_->IgnoreNextMove();
}

void TEventsForm::ShowHelp() {
  QMessageBox::information(this, windowTitle(), QString::fromUtf8(kHelpText));
  grid_->IgnoreNextMove();
  grid_->update();
}

void TEventsForm::changeEvent(QEvent* event) {
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) grid_->IgnoreNextMove();
  QWidget::changeEvent(event);
}
