#include "shell/func_form.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

struct TCheckSpec {
  const char* Name;
  const char* Caption;
};

constexpr TCheckSpec kChecks[] = {
    {"cbSaveLayout", "Сохранять размеры и положение"},
    {"cbRestoreLayout", "Вернуть стандартное расположение "},
    {"cbDataLost", "Предупреждать о несохраненных данных"},
    {"cbAutoArm", "Не показывать предупреждение в режиме \"Автопостановка по метке\""},
    {"cbPowerDown", "Не показывать предупреждение о снятии питания"},
    {"cbVerifyWrites", "Проверять запись"},
    {"cbChangesBeforeWrite", "Показывать изменения перед записью нескольких модулей"},
};

// Colour boxes of the module colours: box name and the colour index it edits.
struct TColorSpec {
  const char* Name;
  const char* Caption;
  int Index;
};

constexpr TColorSpec kColorBoxes[] = {
    {"cbColor0", "Общий фон", 0},
    {"cbColor2", "Главный модуль", 2},
    {"cbColor3", "GSM", 3},
    {"cbColor4", "Slave-модуль", 4},
    {"cbColor11", "Модуль GPS", 11},
    {"cbColor13", "Модуль запуска", 13},
    {"cbColor14", "Validator/Расширитель выходов", 14},
    {"cbColor15", "Расширитель входов", 15},
    {"cbColor20", "Датчик удара", 20},
    {"cbColor21", "Микроволновый датчик 1", 21},
    {"cbColor22", "Микроволновый датчик 2", 22},
    {"cbColor23", "Датчик наклона", 23},
    {"cbColor24", "CAN-модуль", 24},
    {"cbColor25", "Трансивер метки", 25},
};

constexpr char kModuleNameBox[] = "cbModuleNameColor";
constexpr char kModuleNameGrBox[] = "cbModuleNameGrColor";
constexpr char kBeaconBox[] = "cbEventsBeaconColor";

void Paint(QPushButton* box, const QColor& color) {
  box->setStyleSheet(QStringLiteral("background-color: %1;").arg(color.name()));
}

}  // namespace

TFuncForm::TFuncForm(QWidget* parent) : QDialog(parent), port_(new QComboBox(this)) {
  setWindowTitle(QStringLiteral("Свойства программы"));
  setObjectName(QStringLiteral("FuncForm"));
  auto* layout = new QVBoxLayout(this);

  auto* general = new QGroupBox(this);
  auto* generalLayout = new QVBoxLayout(general);
  for (const auto& desc : kChecks) {
    auto* check = new QCheckBox(QString::fromUtf8(desc.Caption), general);
    check->setObjectName(QLatin1String(desc.Name));
    generalLayout->addWidget(check);
  }
  layout->addWidget(general);

  auto* colors = new QGroupBox(QStringLiteral("Цвета"), this);
  auto* colorLayout = new QGridLayout(colors);
  int row = 0;
  const auto addRow = [&](const QString& name, const QString& caption) {
    colorLayout->addWidget(new QLabel(caption, colors), row / 2, (row % 2) * 2);
    colorLayout->addWidget(AddColorBox(name, caption), row / 2, (row % 2) * 2 + 1);
    ++row;
  };
  for (const auto& desc : kColorBoxes)
    addRow(QLatin1String(desc.Name), QString::fromUtf8(desc.Caption));
  addRow(QLatin1String(kModuleNameBox), QStringLiteral("Модули: заголовок"));
  addRow(QLatin1String(kModuleNameGrBox), QStringLiteral("Модули: градиент"));
  addRow(QLatin1String(kBeaconBox), QStringLiteral("Избранные события"));
  layout->addWidget(colors);

  auto* adapter = new QGroupBox(QStringLiteral("Адаптер"), this);
  auto* adapterLayout = new QFormLayout(adapter);
  port_->setObjectName(QStringLiteral("cbPort"));
  port_->setEditable(true);
  adapterLayout->addRow(QStringLiteral("Описание:"), port_);
  auto* password = new QLineEdit(adapter);
  password->setEnabled(false);
  adapterLayout->addRow(QStringLiteral("Пароль:"), password);
  layout->addWidget(adapter);

  auto* buttons = new QDialogButtonBox(
      QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Help, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(buttons, &QDialogButtonBox::helpRequested, this, &TFuncForm::HelpRequested);
  layout->addWidget(buttons);
}

QPushButton* TFuncForm::AddColorBox(const QString& name, const QString& caption) {
  auto* box = new QPushButton(this);
  box->setObjectName(name);
  box->setFixedWidth(60);
  colorBoxes_[name] = box;
  connect(box, &QPushButton::clicked, this, [this, name, caption] {
    const QColor chosen = QColorDialog::getColor(colors_[name], this, caption);
    if (chosen.isValid()) SetColorOf(name, chosen);
  });
  return box;
}

QColor TFuncForm::ColorOf(const QString& boxName) const {
  const auto it = colors_.find(boxName);
  return it == colors_.end() ? QColor() : it->second;
}

void TFuncForm::SetColorOf(const QString& boxName, const QColor& color) {
  const auto it = colorBoxes_.find(boxName);
  if (it == colorBoxes_.end()) return;
  colors_[boxName] = color;
  Paint(it->second, color);
}

QCheckBox* TFuncForm::Check(const QString& name) const {
  return findChild<QCheckBox*>(name);
}

void TFuncForm::Fill(const TOptionsData& options, const QString& portInUse) {
  Check(QStringLiteral("cbSaveLayout"))->setChecked(options.SaveLayout);
  Check(QStringLiteral("cbRestoreLayout"))->setChecked(false);
  Check(QStringLiteral("cbDataLost"))->setChecked(options.DataLostNotification);
  Check(QStringLiteral("cbAutoArm"))->setChecked(options.AutoArmWarning);
  Check(QStringLiteral("cbPowerDown"))->setChecked(options.PowerDownWarning);
  Check(QStringLiteral("cbVerifyWrites"))->setChecked(options.VerifyWrites);
  Check(QStringLiteral("cbChangesBeforeWrite"))->setChecked(options.ShowChangesBeforeWrite);
  for (const auto& desc : kColorBoxes) {
    SetColorOf(QLatin1String(desc.Name), options.Colors[static_cast<size_t>(desc.Index)]);
  }
  SetColorOf(QLatin1String(kModuleNameBox), options.ModuleNameColor);
  SetColorOf(QLatin1String(kModuleNameGrBox), options.ModuleNameGrColor);
  SetColorOf(QLatin1String(kBeaconBox), options.EventsBeaconColor);
  // Only the adapter in use is offered; other adapters are typed in or chosen with
  // "Выбрать порт...".
  shownPort_ = portInUse.isEmpty() ? options.PortName : portInUse;
  port_->clear();
  port_->addItem(shownPort_);
  port_->setCurrentIndex(0);
}

void TFuncForm::Apply(TOptionsData& options) {
  for (const auto& desc : kColorBoxes) {
    options.Colors[static_cast<size_t>(desc.Index)] = ColorOf(QLatin1String(desc.Name));
  }
  options.ModuleNameColor = ColorOf(QLatin1String(kModuleNameBox));
  options.ModuleNameGrColor = ColorOf(QLatin1String(kModuleNameGrBox));
  options.EventsBeaconColor = ColorOf(QLatin1String(kBeaconBox));
  QCheckBox* restore = Check(QStringLiteral("cbRestoreLayout"));
  options.RestoreDefaultLayout = restore->isChecked();
  restore->setChecked(false);
  options.SaveLayout = Check(QStringLiteral("cbSaveLayout"))->isChecked();
  options.DataLostNotification = Check(QStringLiteral("cbDataLost"))->isChecked();
  options.AutoArmWarning = Check(QStringLiteral("cbAutoArm"))->isChecked();
  options.PowerDownWarning = Check(QStringLiteral("cbPowerDown"))->isChecked();
  options.VerifyWrites = Check(QStringLiteral("cbVerifyWrites"))->isChecked();
  options.ShowChangesBeforeWrite = Check(QStringLiteral("cbChangesBeforeWrite"))->isChecked();
}

QString TFuncForm::ChangedPort() const {
  const QString port = port_->currentText().trimmed();
  return port.isEmpty() || port == shownPort_ ? QString() : port;
}
