#include "pages/can/can_options_page.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTimer>

#include "binding/ui/page_command.h"
#include "binding/ui/page_host.h"
#include "binding/ui/page_sections.h"
#include "binding/ui/table_page.h"
#include "binding/ui/vd_data.h"
#include "link/lan_msg.h"
#include "pages/can/can_links.h"
#include "pages/can/can_tables.h"
#include "pages/can/car_models.h"
#include "pages/can/section_gate.h"

namespace {

constexpr const char* kControlSection = "Управление модулем";
constexpr const char* kServiceSection = "Служебные команды";
// The main module passes the data of this command on to the CAN interface.
constexpr uint8_t kToCanInterface = 123;
constexpr uint8_t kFactoryReset = 15;
constexpr uint8_t kSetCar = 16;
constexpr uint8_t kRequest = 62;
constexpr uint8_t kRequestVersion = 1;
constexpr uint8_t kRequestGroup = 5;
// The interface answers the version request before it takes the group request.
constexpr int kRequestPauseMs = 500;
constexpr uint8_t kUnknown = 255;

struct TServiceCommand {
  const char* Group;  // opens a group of buttons where not empty
  const char* Left;
  uint8_t LeftCommand;
  const char* Right;  // none where empty
  uint8_t RightCommand;
};

// clang-format off
constexpr TServiceCommand kServiceCommands[] = {
    {"Управление ЦЗ", "Запереть все двери", 1, "Отпереть все двери ", 2},
    {"", "Запереть и заблокировать все двери", 11, "Отпереть и разблокировать все двери", 12},
    {"", "Запереть и заблокировать все двери; вкл. штатную систему", 3, "Отпереть и разблокировать все двери; выкл. штатную систему", 4},
    {"", "Запереть и заблокировать все двери; вкл. штатную систему + комфорт", 10, "Отпереть и разблокировать дверь водителя; выкл. штатную систему", 9},
    {"", "Запереть и заблокировать все двери; + комфорт", 13, "Отпереть и разблокировать дверь водителя", 14},
    {"Прочие команды", "Запустить / остановить двигатель", 20, "Перезапуск", 17},
    {"", "Мигнуть указателями поворота", 6, "Открыть багажник", 5},
    {"", "Запустить комфорт", 7, "Остановить комфорт", 8},
    {"", "Cымитировать открытие двери водителя ", 18, "", 0},
    {"KESTRA-2XL / \"ДЕЛЬТА\"", "Запустить предпусковой отопитель", 32, "Остановить предпусковой отопитель", 33},
    {"Модуль CAN \"ДЕЛЬТА\"", "Запуск двигателя", 34, "Остановка двигателя", 35},
    {"", "Заблокировать KeyLess", 36, "Разблокировать KeyLess", 37},
    {"", "Запустить обучение обходчика штатного иммобилайзера", 38, "Запустить обходчик штатного иммобилайзера", 39},
    {"", "Запустить блокировку двигателя", 40, "Отменить блокировку двигателя", 41},
    {"", "DEBUG1 BMW", 40, "DEBUG2 BMW", 41},
};
// clang-format on

QString NumberText(uint8_t byte) {
  return byte == kUnknown ? QStringLiteral("<не определена>") : QString::number(byte);
}

void FillNumbers(QComboBox& box, const std::vector<int>& numbers) {
  const QSignalBlocker blocker(box);
  box.clear();
  for (const int number : numbers) box.addItem(QString::number(number));
  box.setCurrentIndex(-1);
}

void SelectText(QComboBox& box, const QString& text) {
  const QSignalBlocker blocker(box);
  box.setCurrentIndex(box.findText(text));
}

void Unselect(QComboBox& box) {
  const QSignalBlocker blocker(box);
  box.setCurrentIndex(-1);
}

QComboBox* MakeList(const char* name, bool editable) {
  auto* box = new QComboBox;
  box->setObjectName(QLatin1String(name));
  box->setEditable(editable);
  box->setMaxVisibleItems(20);
  return box;
}

}  // namespace

TCanOptions::TCanOptions(IPageHost& host, TCanLinks* links, QWidget* parent)
    : TVDFrame(kMainModuleAddr, parent),
      host_(host),
      links_(links),
      controls_(BuildTablePage(*this, CanOptionsTable(), host)) {
  BuildControlPanel();
  BuildServiceCommands();
  AttachLiveData();
}

void TCanOptions::BuildControlPanel() {
  auto* part = new QWidget;
  auto* grid = new QGridLayout(part);
  reset_ = new QPushButton(QStringLiteral("Полный сброс настроек"));
  reset_->setObjectName(QStringLiteral("btCanReset"));
  request_ = new QPushButton(QStringLiteral("Запросить вер. ПО и группу подгруппу"));
  request_->setObjectName(QStringLiteral("btCanRequest"));
  setModel_ = new QPushButton(QStringLiteral("Установить модель автомобиля"));
  setModel_->setObjectName(QStringLiteral("btCanSetModel"));
  const auto valueLabel = [](const char* name) {
    auto* label = new QLabel(QStringLiteral("--"));
    label->setObjectName(QLatin1String(name));
    return label;
  };
  group_ = valueLabel("CanNumGroup");
  subgroup_ = valueLabel("CanNumCarInGroup");
  protocol_ = valueLabel("CanProtocolVer");
  grid->addWidget(reset_, 0, 0);
  grid->addWidget(request_, 0, 1);
  grid->addWidget(new QLabel(QStringLiteral("Только для KESTRA")), 0, 2);
  grid->addWidget(new QLabel(QStringLiteral("Текущая группа")), 1, 0);
  grid->addWidget(group_, 1, 1);
  grid->addWidget(new QLabel(QStringLiteral("Текущая подгруппа")), 2, 0);
  grid->addWidget(subgroup_, 2, 1);
  grid->addWidget(new QLabel(QStringLiteral("Версия протокола")), 3, 0);
  grid->addWidget(protocol_, 3, 1);

  carBox_ = MakeList("CarBox", false);
  carBox_->addItems(CarBrands());
  carBox_->setCurrentIndex(-1);
  modelBox_ = MakeList("ModelBox", false);
  modelSearch_ = new QLineEdit;
  modelSearch_->setObjectName(QStringLiteral("edModelSearch"));
  modelSearch_->setPlaceholderText(QStringLiteral("Поиск по марке или модели"));
  modelSearch_->setClearButtonEnabled(true);
  groupBox_ = MakeList("GroupBox", true);
  subGroupBox_ = MakeList("SubGroupBox", true);
  ShowModels(CarModelsOf({}));
  FillNumbers(*groupBox_, CarGroups());
  FillNumbers(*subGroupBox_, CarSubgroups());
  const std::pair<const char*, QWidget*> lists[] = {{"Марка", carBox_},
                                                    {"Модель", modelBox_},
                                                    {"Группа", groupBox_},
                                                    {"Подгруппа", subGroupBox_}};
  int column = 0;
  for (const auto& [heading, list] : lists) {
    grid->addWidget(new QLabel(QString::fromUtf8(heading)), 4, column);
    grid->addWidget(list, 5, column++);
  }
  grid->addWidget(modelSearch_, 6, 1);
  grid->addWidget(setModel_, 6, 2, 1, 2);
  grid->setColumnStretch(1, 1);
  AddToSection(*this, QString::fromUtf8(kControlSection), part);

  connect(carBox_, &QComboBox::activated, this, &TCanOptions::ChooseBrand);
  connect(modelBox_, &QComboBox::activated, this, &TCanOptions::ChooseModel);
  connect(modelSearch_, &QLineEdit::textEdited, this,
          [this](const QString& text) { ShowModels(CarModelsMatching(text)); });
  connect(groupBox_, &QComboBox::activated, this, &TCanOptions::ChooseGroup);
  connect(groupBox_->lineEdit(), &QLineEdit::textEdited, this, &TCanOptions::ChooseGroup);
  connect(subGroupBox_, &QComboBox::activated, this, &TCanOptions::ChooseSubgroup);
  connect(subGroupBox_->lineEdit(), &QLineEdit::textEdited, this, &TCanOptions::ChooseSubgroup);
  connect(reset_, &QPushButton::clicked, this, [this] {
    SendPageCommand(*this, host_, reset_,
                    {.Dest = kMainModuleAddr,
                     .Command = kToCanInterface,
                     .Data = {kFactoryReset},
                     .Confirm = QStringLiteral(
                         "Понадобится переобучать Can-модуль машине(ставить/снимать с охраны "
                         "штатным брелоком,включать/выключать зажигание, открывать по очереди "
                         "все двери, багажник, капот)")});
  });
  connect(request_, &QPushButton::clicked, this, &TCanOptions::RequestVersion);
  connect(setModel_, &QPushButton::clicked, this, &TCanOptions::SetCarModel);
}

void TCanOptions::BuildServiceCommands() {
  auto* part = new QWidget;
  auto* grid = new QGridLayout(part);
  int row = 0;
  grid->addWidget(new QLabel(QStringLiteral("<b>CAN-интерфейс (KESTRA-2XL, \"ДЕЛЬТА\")</b>")),
                  row++, 0, 1, 2);
  const auto addButton = [&](const char* text, uint8_t command, int column) {
    auto* button = new QPushButton(QString::fromUtf8(text));
    // The two debugging buttons repeat the last two commands.
    QString name = QStringLiteral("btCanCommand%1").arg(command);
    if (part->findChild<QPushButton*>(name) != nullptr) name += QStringLiteral("_2");
    button->setObjectName(name);
    // Two columns of long captions fit a narrow window: a button shows what fits, its hint
    // the whole caption.
    button->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    button->setToolTip(button->text());
    connect(button, &QPushButton::clicked, this,
            [this, button, command] { Send(button, {command}); });
    grid->addWidget(button, row, column);
  };
  for (const TServiceCommand& command : kServiceCommands) {
    if (*command.Group != '\0') {
      grid->addWidget(new QLabel(QString::fromUtf8(command.Group)), row++, 0, 1, 2);
    }
    addButton(command.Left, command.LeftCommand, 0);
    if (*command.Right != '\0') addButton(command.Right, command.RightCommand, 1);
    ++row;
  }
  AddToSection(*this, QString::fromUtf8(kServiceSection), part);
}

void TCanOptions::AttachLiveData() {
  controls_.Get<TVDData>("VDData1").OnLoad = [this](QObject&, uint8_t byte, int) {
    group_->setText(NumberText(byte));
  };
  controls_.Get<TVDData>("VDData2").OnLoad = [this](QObject&, uint8_t byte, int) {
    subgroup_->setText(NumberText(byte));
  };
  controls_.Get<TVDData>("vddCanPacketID_09").OnLoad = [this](QObject&, uint8_t byte, int i) {
    packet09_[i] = byte;
    if (i != 5) return;
    group_->setText(QString::number(packet09_[4]));
    subgroup_->setText(QString::number(packet09_[5]));
  };
  controls_.Get<TVDData>("vddCanPacketID_0D").OnLoad = [this](QObject&, uint8_t byte, int i) {
    packet0D_[i] = byte;
    if (i != 3) return;
    protocol_->setText(QStringLiteral("%1.%2.%3")
                           .arg(packet0D_[0])
                           .arg(packet0D_[1])
                           .arg(packet0D_[2] + 256 * packet0D_[3]));
  };
  controls_.Get<TVDData>("vddMainVersion").OnLoad = [this](QObject&, uint8_t byte, int index) {
    if (index != 0 && !host_.DemoMode()) return;
    EnableSections(*this, {QString::fromUtf8(kControlSection), QString::fromUtf8(kServiceSection)},
                   CanFirmwareKnown(byte, host_.DemoMode()));
  };
}

void TCanOptions::ShowModels(const QStringList& models) {
  const QSignalBlocker blocker(modelBox_);
  modelBox_->clear();
  modelBox_->addItems(models);
  modelBox_->setCurrentIndex(-1);
}

void TCanOptions::ShowSubgroups(const std::vector<int>& subgroups) {
  FillNumbers(*subGroupBox_, subgroups);
}

void TCanOptions::ChooseBrand(int index) {
  ShowModels(CarModelsOf(carBox_->itemText(index)));
  Unselect(*groupBox_);
  Unselect(*subGroupBox_);
}

void TCanOptions::ChooseModel(int index) {
  const TCarModel* model = FindCarModel(modelBox_->itemText(index));
  if (model == nullptr) return;
  SelectText(*groupBox_, QString::number(model->Group));
  ShowSubgroups(CarSubgroupsOf(model->Group, false));
  SelectText(*subGroupBox_, QString::number(model->Subgroup));
  if (links_ != nullptr && CarHintApplies(group_->text(), subgroup_->text())) {
    emit links_->ChoiceHint(CarChoiceHint(*model));
  }
}

void TCanOptions::ChooseGroup() {
  Unselect(*modelBox_);
  Unselect(*carBox_);
  const auto group = CarModelNumber(groupBox_->currentText());
  ShowSubgroups(group ? CarSubgroupsOf(*group, true) : std::vector<int>());
}

void TCanOptions::ChooseSubgroup() {
  Unselect(*carBox_);
  Unselect(*modelBox_);
}

// Only numbers the interface can take are sent: a group of 300 would otherwise reach it as
// its low byte, a different car.
void TCanOptions::SetCarModel() {
  const auto group = CarModelNumber(groupBox_->currentText());
  const auto subgroup = CarModelNumber(subGroupBox_->currentText());
  if (!group || !subgroup) {
    host_.ShowStatusText(
        QStringLiteral("%1: введите число от 0 до 255").arg(!group ? "Группа" : "Подгруппа"),
        false);
    return;
  }
  Send(setModel_, {kSetCar, *group, *subgroup});
}

void TCanOptions::RequestVersion() {
  Send(request_, {kRequest, kRequestVersion});
  QTimer::singleShot(kRequestPauseMs, this, [this] { Send(request_, {kRequest, kRequestGroup}); });
}

void TCanOptions::Send(QPushButton* button, std::initializer_list<uint8_t> data) {
  SendPageCommand(*this, host_, button,
                  {.Dest = kMainModuleAddr, .Command = kToCanInterface, .Data = data});
}
