#include "pages/gsm/properties_page.h"

#include <QActionGroup>
#include <QFormLayout>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QRegularExpressionValidator>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <iterator>

#include "binding/ui/page_sections.h"
#include "binding/ui/table_page.h"
#include "binding/ui/vd_data.h"
#include "pages/gsm/gsm_address.h"
#include "pages/gsm/gsm_codings.h"
#include "pages/gsm/properties_table.h"
#include "pages/gsm/text_cells.h"

namespace {

// The commands the owner may put on the three free rows, with the numbers the module knows
// them by.
constexpr const char* SpecialCommandNames[] = {
    "Снять \"полностью\" (альтернатива вводу PIN)",
    "Снять с охраны (как брелоком Sorvan)",
    "Автосервис: вход/выход",
    "Автомойка: вход/выход",
    "Включить прогр. выход №1",
    "Включить прогр. выход №2",
    "Заблокировать/разблокировать Дист. Запуск",
    "Выкл. IMMO, повторку и AHJ заранее",
    "Вход в режим Пляж",
    "Режим \"Отпуск\", вкл/выкл",
    "Отпереть капот",
};
constexpr uint8_t SpecialCommandCodes[] = {99, 116, 100, 75, 111, 95, 21, 74, 76, 25, 105};
static_assert(std::size(SpecialCommandNames) == std::size(SpecialCommandCodes));

constexpr uint8_t kNoCommand = 255;
// The table's rows of each subscriber's three check boxes, after the section heading.
constexpr int kFirstPhoneBoxRow = 1;
constexpr int kPhoneBoxes = 3;
constexpr int kFirstAssignableRow = 5;
constexpr char kDigits[] = "[0-9]*";
constexpr char kUnassigned[] = "Не назначено";

// The list index of a command code; -1 for none or a code the module does not know.
int CommandIndex(uint8_t code) {
  const auto* found =
      std::find(std::begin(SpecialCommandCodes), std::end(SpecialCommandCodes), code);
  return found == std::end(SpecialCommandCodes)
             ? -1
             : static_cast<int>(found - std::begin(SpecialCommandCodes));
}

QString CommandName(uint8_t code) {
  const int index = CommandIndex(code);
  return QString::fromUtf8(index < 0 ? kUnassigned : SpecialCommandNames[index]);
}

}  // namespace

TGSMPropertiesGSMPager::TGSMPropertiesGSMPager(IPageHost& host, QWidget* parent)
    : TVDFrame(kGsmModuleAddr, parent),
      controls_(BuildTablePage(*this, GsmPropertiesTable(), host)) {
  AddPhones();
  AddSmsCentre();
  AddPins();
  AddBalance();
  AddCommandGrid();
}

QLineEdit* TGSMPropertiesGSMPager::TextEdit(const char* name, const QString& pattern) {
  auto* edit = new QLineEdit;
  edit->setObjectName(QLatin1String(name));
  edit->setValidator(new QRegularExpressionValidator(QRegularExpression(pattern), edit));
  return edit;
}

void TGSMPropertiesGSMPager::AddPhones() {
  struct TPhone {
    const char* Edit;
    const char* Caption;
    const char* Cell;
    const char* Continuation;
  };
  constexpr TPhone kPhones[] = {
      {"Phone1", "Телефон владельца", "vddPhone1", "vddPhone1_con"},
      {"Phone2", "Телефон №2", "vddPhone2", "vddPhone2_con"},
      {"Phone3", "Телефон №3", "vddPhone3", "vddPhone3_con"},
  };
  // Each number stands above the three check boxes of what that subscriber may do, which
  // the table lists in the same order.
  auto* part = new QWidget;
  auto* grid = new QGridLayout(part);
  int column = 0;
  for (const TPhone& phone : kPhones) {
    QLineEdit* edit = TextEdit(phone.Edit, QLatin1String(kDigits));
    auto& cell = controls_.Get<TVDData>(phone.Cell);
    auto& continuation = controls_.Get<TVDData>(phone.Continuation);
    new TTextCells(*edit, {&cell, &continuation}, {.EmptyWhenFirstZero = true}, edit);
    if (std::string_view(phone.Edit) != "Phone1") {
      cell.SetControl(edit);
      continuation.SetControl(edit);
    }
    grid->addWidget(new QLabel(QString::fromUtf8(phone.Caption)), 0, column);
    grid->addWidget(edit, 1, column);
    for (int k = 0; k < kPhoneBoxes; ++k) {
      const auto row = static_cast<std::size_t>(kFirstPhoneBoxRow + kPhoneBoxes * column + k);
      grid->addWidget(qobject_cast<QWidget*>(controls_.At(row)), 2 + k, column);
    }
    ++column;
  }
  auto* note = new QLabel(QStringLiteral(
      "Номер телефона в международном формате без знака \"+\", например: 7********** или "
      "38**********"));
  note->setWordWrap(true);
  grid->addWidget(note, 2 + kPhoneBoxes, 0, 1, column);
  AddToSection(*this, QStringLiteral("Телефоны"), part);
}

void TGSMPropertiesGSMPager::AddSmsCentre() {
  QLineEdit* edit = TextEdit("PhoneCS", QLatin1String(kDigits));
  auto& cell = controls_.Get<TVDData>("vddPhoneCS");
  auto& continuation = controls_.Get<TVDData>("vddPhoneCS_con");
  new TTextCells(*edit, {&cell, &continuation}, {.Default = QString()}, edit);
  cell.SetControl(edit);
  continuation.SetControl(edit);
  auto* part = new QWidget;
  auto* column = new QVBoxLayout(part);
  column->setContentsMargins(0, 0, 0, 0);
  column->addWidget(new QLabel(QStringLiteral("Номер телефона центра обслуживания СМС")));
  column->addWidget(edit);
  AddToSection(*this, QStringLiteral("СМС"), part);
}

void TGSMPropertiesGSMPager::AddPins() {
  QLineEdit* pin = TextEdit("PIN", QLatin1String(kDigits));
  new TTextCells(*pin, {&controls_.Get<TVDData>("vddPIN")},
                 {.EmptyWhenFirstZero = true, .Default = QStringLiteral("8317")}, pin);
  mainPin_ = TextEdit("MainPIN", QLatin1String(kDigits));
  mainPin_->setMaxLength(4);
  mainPin_->setText(QStringLiteral("0000"));
  AttachMainPin();
  auto* part = new QWidget;
  auto* form = NewPartForm(part);
  form->addRow(QStringLiteral("ПИН-код"), pin);
  auto* mainCaption = new QLabel(QStringLiteral("ПИН-код Главного Модуля"));
  mainCaption->setToolTip(QStringLiteral(
      "Ввод вручную, на Ваше усмотрение. Если ПИН ненулевой, его можно будет узнать по СМС."));
  form->addRow(mainCaption, mainPin_);
  AddToSection(*this, QStringLiteral("ПИН-код"), part);
}

// The main module's PIN is only kept here for the module to report by SMS. A byte that is
// no digit 1..9 shows as "0" and is written back so; the item then counts as changed so
// that the write is offered.
void TGSMPropertiesGSMPager::AttachMainPin() {
  auto& cell = controls_.Get<TVDData>("vddMainPIN");
  cell.OnLoad = [this, &cell](QObject&, uint8_t byte, int index) {
    mainPinBytes_[static_cast<std::size_t>(index)] = byte;
    if (index != 3) return;
    const TMainPin pin = MainPinOf(mainPinBytes_);
    mainPin_->setText(pin.Text);
    // The read ends by counting the area as written; the rewrite is offered after it.
    if (pin.Rewritten) QTimer::singleShot(0, &cell, [&cell] { cell.StoreEdited(); });
  };
  cell.OnStore = [this](QObject&, uint8_t& byte, int index) {
    byte = CellByte(mainPin_->text(), index);
  };
  cell.OnSetDefaultState = [this](QObject&, uint8_t& byte, int) {
    mainPin_->setText(QStringLiteral("0000"));
    byte = '0';
  };
  cell.OnAsString = [this](const QObject&, QString& text) { text = mainPin_->text(); };
  connect(mainPin_, &QLineEdit::textEdited, &cell, [&cell] { cell.StoreEdited(); });
}

void TGSMPropertiesGSMPager::AddBalance() {
  QLineEdit* edit = TextEdit("Balance", QStringLiteral("[0-9*#]*"));
  new TTextCells(*edit, {&controls_.Get<TVDData>("vddBalance")},
                 {.EmptyWhenFirstZero = true, .Default = QStringLiteral("*100#")}, edit);
  auto* panel = new QWidget;
  auto* form = NewPartForm(panel);
  form->addRow(QStringLiteral("Номер USSD-запроса"), edit);
  AddPanel(QStringLiteral("Баланс"), panel);
}

void TGSMPropertiesGSMPager::AddCommandGrid() {
  constexpr const char* kFixedCommands[] = {
      "Не назначено", "Блокирование/разблокирование ввода комбинации №1", "Режим \"Супермаркет\"",
      "Принудительная блокировка/разблокировка штатного радиоканала"};
  commandGrid_ = new QTableWidget(8, 2);
  commandGrid_->setObjectName(QStringLiteral("dgSpecCmd"));
  commandGrid_->horizontalHeader()->hide();
  commandGrid_->verticalHeader()->hide();
  commandGrid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  commandGrid_->setColumnWidth(0, 20);
  commandGrid_->setColumnWidth(1, 250);
  commandGrid_->setWordWrap(true);
  const auto cell = [](const QString& text) { return new QTableWidgetItem(text); };
  commandGrid_->setItem(0, 0, cell(QStringLiteral("№")));
  commandGrid_->setItem(0, 1, cell(QStringLiteral("Команда")));
  commandGrid_->item(0, 0)->setTextAlignment(Qt::AlignCenter);
  commandGrid_->item(0, 1)->setTextAlignment(Qt::AlignCenter);
  for (int row = 1; row < 8; ++row) commandGrid_->setItem(row, 0, cell(QString::number(row)));
  for (int row = 1; row <= 4; ++row) {
    auto* item = cell(QString::fromUtf8(kFixedCommands[row - 1]));
    item->setBackground(commandGrid_->palette().button());
    item->setToolTip(QStringLiteral("Команды выполняются, только если назначены соотв. функции"));
    commandGrid_->setItem(row, 1, item);
  }
  for (int k = 0; k < 3; ++k) {
    const int row = kFirstAssignableRow + k;
    auto* button = new QToolButton;
    button->setObjectName(QStringLiteral("btCmd%1").arg(row));
    button->setPopupMode(QToolButton::InstantPopup);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    auto* menu = new QMenu(button);
    auto* choices = new QActionGroup(menu);
    for (int index = -1; index < static_cast<int>(std::size(SpecialCommandNames)); ++index) {
      QAction* action =
          menu->addAction(QString::fromUtf8(index < 0 ? kUnassigned : SpecialCommandNames[index]));
      action->setCheckable(true);
      action->setData(index);
      choices->addAction(action);
      connect(action, &QAction::triggered, this, [this, row, index] { AssignCommand(row, index); });
    }
    button->setMenu(menu);
    commandButtons_[static_cast<std::size_t>(k)] = button;
    commandGrid_->setCellWidget(row, 1, button);
    ShowAssigned(row);
  }
  commandGrid_->resizeRowsToContents();
  for (int row = kFirstAssignableRow; row < 8; ++row) commandGrid_->setRowHeight(row, 26);
  commandGrid_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  commandGrid_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  const int frame = 2 * commandGrid_->frameWidth();
  commandGrid_->setFixedSize(commandGrid_->horizontalHeader()->length() + frame,
                             commandGrid_->verticalHeader()->length() + frame);
  AttachCommandCells();
  AddToSection(*this, QStringLiteral("Особые команды"), commandGrid_);
}

void TGSMPropertiesGSMPager::AttachCommandCells() {
  auto& cell = controls_.Get<TVDData>("vdCmd");
  cell.OnLoad = [this](QObject&, uint8_t byte, int index) {
    commands_[static_cast<std::size_t>(index)] = CommandIndex(byte) < 0 ? kNoCommand : byte;
    ShowAssigned(kFirstAssignableRow + index);
  };
  cell.OnStore = [this](QObject&, uint8_t& byte, int index) {
    byte = commands_[static_cast<std::size_t>(index)];
  };
  cell.OnSetDefaultState = [this](QObject&, uint8_t& byte, int index) {
    commands_[static_cast<std::size_t>(index)] = kNoCommand;
    ShowAssigned(kFirstAssignableRow + index);
    byte = kNoCommand;
  };
  cell.OnAsString = [this](const QObject&, QString& text) {
    QStringList names;
    for (const uint8_t code : commands_) names << CommandName(code);
    text = names.join(QStringLiteral("; "));
  };
}

uint8_t TGSMPropertiesGSMPager::AssignedCommand(int row) const {
  return commands_.at(static_cast<std::size_t>(row - kFirstAssignableRow));
}

void TGSMPropertiesGSMPager::AssignCommand(int row, int index) {
  commands_.at(static_cast<std::size_t>(row - kFirstAssignableRow)) =
      index < 0 ? kNoCommand : SpecialCommandCodes[index];
  ShowAssigned(row);
  controls_.Get<TVDData>("vdCmd").StoreEdited();
}

void TGSMPropertiesGSMPager::ShowAssigned(int row) {
  const std::size_t k = static_cast<std::size_t>(row - kFirstAssignableRow);
  QToolButton* button = commandButtons_[k];
  if (button == nullptr) return;
  button->setText(CommandName(commands_[k]));
  const int index = CommandIndex(commands_[k]);
  for (QAction* action : button->menu()->actions()) {
    action->setChecked(action->data().toInt() == index);
  }
}
