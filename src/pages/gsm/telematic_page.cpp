#include "pages/gsm/telematic_page.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "binding/ui/page_command.h"
#include "binding/ui/page_sections.h"
#include "binding/ui/table_page.h"
#include "binding/ui/vd_check_box.h"
#include "binding/ui/vd_data.h"
#include "binding/ui/vd_label.h"
#include "pages/gsm/gsm_address.h"
#include "pages/gsm/gsm_codings.h"
#include "pages/gsm/named_button.h"
#include "pages/gsm/telematic_table.h"
#include "pages/gsm/text_cells.h"

namespace {

struct TApnPreset {
  const char* Operator;
  const char* AccessPoint;
};
// The operators' own access point names.
constexpr TApnPreset ApnPresets[] = {
    {"Beeline Россия", "internet.beeline.ru"},
    {"MTS Россия", "internet.mts.ru"},
    {"MegaFon Россия", "internet"},
    {"Tele2 Россия", "internet.tele2.ru"},
    {"Kyivstar Украина", "www.kyivstar.net"},
    {"DJuice Украина", "www.djuice.com.ua"},
    {"UMC (MTS UA) Украина", "www.umc.ua"},
    {"Beeline Украина", "internet.beeline.ua"},
    {"Life Украина", "internet"},
    {"UTEL Украина", "3g.utel.ua"},
};
constexpr int kDefaultPreset = 1;
constexpr char kDefaultServer[] = "online.vardex.net";
constexpr char kDefaultPort[] = "7071";
constexpr char kSettings[] = "Настройки";
constexpr char kAscii[] = "[\\x20-\\x7E]*";

constexpr uint8_t kGprsOff = 3;
constexpr uint8_t kGprsOn = 4;
constexpr uint8_t kDeleteRegistration = 7;
constexpr uint8_t kCoordinateRequest = 38;
constexpr uint8_t kGpsPowerCommand = 4;
constexpr uint8_t kGpsAwakeFiveMinutes = 126;

QLineEdit* Edit(const char* name, const char* pattern) {
  auto* edit = new QLineEdit;
  edit->setObjectName(QLatin1String(name));
  edit->setValidator(
      new QRegularExpressionValidator(QRegularExpression(QLatin1String(pattern)), edit));
  return edit;
}

}  // namespace

TGSMTelematic::TGSMTelematic(IPageHost& host, QWidget* parent)
    : TVDFrame(kGsmModuleAddr, parent),
      host_(host),
      controls_(BuildTablePage(*this, GsmTelematicTable(), host)) {
  AddServerSettings();
  AttachGprsSwitch();
  AttachRegistration();
  AddCoordinate();
  AttachCoordinate();
  AttachFixValidity();
}

// The edits take no more than their cells hold: a longer name would be cut silently on the
// way to the module.
void TGSMTelematic::AddServerSettings() {
  QLineEdit* accessPoint = Edit("eAPN", kAscii);
  auto* apn = new TTextCells(*accessPoint, {&controls_.Get<TVDData>("vddAPN")},
                             {.Default = QLatin1String(ApnPresets[kDefaultPreset].AccessPoint)},
                             accessPoint);
  QLineEdit* server = Edit("eDomen", kAscii);
  auto* domain = new TTextCells(*server, {&controls_.Get<TVDData>("vddDomen")},
                                {.Default = QLatin1String(kDefaultServer)}, server);
  QLineEdit* port = Edit("ePort", "[0-9]*");
  new TTextCells(*port, {&controls_.Get<TVDData>("vddPort")},
                 {.Default = QLatin1String(kDefaultPort)}, port);
  auto* portWarning = new QLabel(QStringLiteral("Введите 4 цифры!"));
  portWarning->setObjectName(QStringLiteral("lbPortWarning"));
  portWarning->setStyleSheet(QStringLiteral("color: red"));
  const auto checkPort = [port, portWarning] { portWarning->setVisible(port->text().size() < 4); };
  connect(port, &QLineEdit::textChanged, portWarning, checkPort);
  checkPort();

  auto* part = new QWidget;
  auto* form = NewPartForm(part);
  // Each edit says how much its cell holds, with the operator's or maker's note below it.
  const auto limited = [](QLineEdit* edit, int capacity, const char* note) {
    edit->setToolTip(QStringLiteral("Не более %1 символов").arg(capacity));
    // As wide as what the cell holds, up to a long domain name.
    edit->setMinimumWidth(edit->fontMetrics().averageCharWidth() * std::min(capacity + 2, 40));
    auto* box = new QWidget;
    auto* column = new QVBoxLayout(box);
    column->setContentsMargins(0, 0, 0, 0);
    auto* row = new QHBoxLayout;
    row->addWidget(edit, 1);
    row->addWidget(new QLabel(QStringLiteral("не более %1 символов").arg(capacity)));
    column->addLayout(row);
    column->addWidget(new QLabel(QString::fromUtf8(note)));
    return box;
  };
  AddPresets(*apn);
  form->addRow(QStringLiteral("Точка доступа"),
               limited(accessPoint, apn->Capacity(), "Уточняйте у оператора сети"));
  form->addRow(QString(), findChild<QComboBox*>(QStringLiteral("cbApnPresets")));
  form->addRow(QStringLiteral("Доменное имя сервера"),
               limited(server, domain->Capacity(),
                       "Изменять эту настройку следует только по рекомендации производителя"));
  form->addRow(
      QStringLiteral("Номер порта"),
      limited(port, 4, "Изменять эту настройку следует только по рекомендации производителяя"));
  form->addRow(QString(), portWarning);
  AddToSection(*this, QString::fromUtf8(kSettings), part);
}

void TGSMTelematic::AddPresets(TTextCells& accessPoint) {
  auto* presets = new QComboBox(this);
  presets->setObjectName(QStringLiteral("cbApnPresets"));
  presets->setPlaceholderText(QStringLiteral("Оператор"));
  for (const TApnPreset& preset : ApnPresets) {
    presets->addItem(QString::fromUtf8(preset.Operator), QLatin1String(preset.AccessPoint));
  }
  presets->setCurrentIndex(-1);
  connect(presets, &QComboBox::activated, &accessPoint, [presets, &accessPoint](int index) {
    accessPoint.Enter(presets->itemData(index).toString());
  });
}

// The marker follows the module's state bit; the button beside it switches the other way.
void TGSMTelematic::AttachGprsSwitch() {
  auto& marker = controls_.Get<TVDLabel>("VDLabel1");
  gprs_ = NamedButton(QStringLiteral("Выключить"), QStringLiteral("btGprs"));
  marker.OnLoad = [this, &marker](QObject&, uint8_t byte, int) {
    gprsOn_ = (byte >> 5) & 1;
    marker.SetActive(gprsOn_);
    gprs_->setText(gprsOn_ ? QStringLiteral("ВЫКЛ") : QStringLiteral("ВКЛ"));
  };
  connect(gprs_, &QPushButton::clicked, this, [this] {
    SendPageCommand(
        *this, host_, gprs_,
        {.Dest = kGsmModuleAddr, .Command = kModemCommand, .Data = {gprsOn_ ? kGprsOff : kGprsOn}},
        [](const TAdapter::TAnswer&) {});
  });
  AddToSection(*this, QString::fromUtf8(kSettings), gprs_);
}

// The stored registration can be cleared here but never set: only the server registers.
void TGSMTelematic::AttachRegistration() {
  auto& registered = controls_.Get<TVDCheckBox>("VDCheckBox2");
  connect(&registered, &QCheckBox::clicked, &registered, [&registered](bool checked) {
    if (checked) registered.SetChecked(false);
  });
  auto* remove = NamedButton(QStringLiteral("Удалить регистрацию и выключить GPRS"),
                             QStringLiteral("btUnregister"));
  connect(remove, &QPushButton::clicked, this, [this, remove] {
    SendPageCommand(*this, host_, remove,
                    {.Dest = kGsmModuleAddr,
                     .Command = kModemCommand,
                     .Data = {kDeleteRegistration},
                     .Confirm = QStringLiteral("Вы уверены?")},
                    [](const TAdapter::TAnswer&) {});
  });
  AddToSection(*this, QString::fromUtf8(kSettings), remove);
}

void TGSMTelematic::AddCoordinate() {
  coordinate_ = new QLineEdit;
  coordinate_->setObjectName(QStringLiteral("eCoordinate"));
  coordinate_->setReadOnly(true);
  auto* request = NamedButton(QStringLiteral("Запросить координату GPS"),
                              QStringLiteral("btRequestCoordinate"));
  connect(request, &QPushButton::clicked, this, &TGSMTelematic::RequestCoordinate);
  validity_ = new QLabel;
  validity_->setObjectName(QStringLiteral("lbFixValidity"));
  validityMark_ = new QLabel(QStringLiteral("●"));
  validityMark_->setObjectName(QStringLiteral("lbFixMark"));
  auto* test = NamedButton(QStringLiteral("test: 5 минут без энергосбережения"),
                           QStringLiteral("btGpsTest"));
  connect(test, &QPushButton::clicked, this, [this, test] {
    SendPageCommand(
        *this, host_, test,
        {.Dest = kGpsModuleAddr, .Command = kGpsPowerCommand, .Data = {kGpsAwakeFiveMinutes}},
        [](const TAdapter::TAnswer&) {});
  });
  auto* part = new QWidget;
  auto* form = NewPartForm(part);
  coordinate_->setMinimumWidth(coordinate_->fontMetrics().averageCharWidth() * 32);
  form->addRow(QStringLiteral("Координата:"), coordinate_);
  form->addRow(request);
  auto* validityRow = new QHBoxLayout;
  validityRow->addWidget(validityMark_);
  validityRow->addWidget(validity_, 1);
  form->addRow(QStringLiteral("Достоверность данных:"), validityRow);
  form->addRow(test);
  AddToSection(*this, QStringLiteral("Геолокация"), part);
}

void TGSMTelematic::RequestCoordinate() {
  coordinate_->clear();
  latitude_.clear();
  longitude_.clear();
  SendPageCommand(*this, host_, nullptr,
                  {.Dest = kGsmModuleAddr, .Command = kCoordinateRequest, .Data = {0}});
}

void TGSMTelematic::AttachCoordinate() {
  controls_.Get<TVDData>("vddGPSCoord").OnLoad = [this](QObject&, uint8_t byte, int index) {
    coordinateBytes_[static_cast<std::size_t>(index)] = byte;
    const uint8_t kind = coordinateBytes_[0];
    if (index == 0 && kind == 0) {
      // No fix: positions kept from earlier answers no longer stand.
      latitude_.clear();
      longitude_.clear();
      coordinate_->setText(QStringLiteral("Нет данных"));
    }
    if (kind == 1 && index == 8) latitude_ = CoordinateText(coordinateBytes_);
    if (kind == 2 && index == 9) longitude_ = CoordinateText(coordinateBytes_);
    if (!latitude_.isEmpty() && !longitude_.isEmpty()) {
      coordinate_->setText(latitude_ + u' ' + longitude_);
    }
  };
}

// Each fix report blinks the mark once: green for a valid fix, red for an invalid one.
void TGSMTelematic::AttachFixValidity() {
  const auto mark = [this](const char* colour) {
    validityMark_->setStyleSheet(QStringLiteral("color: %1").arg(QLatin1String(colour)));
  };
  mark("gray");
  controls_.Get<TVDData>("vddGPSCoordValidity").OnLoad = [this, mark](QObject&, uint8_t byte, int) {
    if ((byte & 1) != 0) {
      validity_->setText(QStringLiteral("Да (%1)").arg(invalidFixes_));
      invalidFixes_ = 0;
      mark("green");
    } else {
      ++invalidFixes_;
      validity_->setText(QStringLiteral("Нет (%1)").arg(invalidFixes_));
      mark("red");
    }
    QTimer::singleShot(250, validityMark_, [mark] { mark("gray"); });
  };
}

QString TGSMTelematic::Coordinate() const {
  return coordinate_->text();
}

QString TGSMTelematic::FixValidity() const {
  return validity_->text();
}
