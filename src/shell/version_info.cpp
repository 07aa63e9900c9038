#include "shell/version_info.h"

#include <QAction>
#include <QGridLayout>
#include <QLabel>
#include <algorithm>
#include <utility>

#include "binding/control_table.h"
#include "binding/ui/page_builder.h"
#include "binding/ui/page_host.h"
#include "binding/ui/vd_check_box.h"
#include "binding/ui/vd_data.h"
#include "binding/ui/vd_label.h"
#include "memory/lan_devices.h"

namespace {

constexpr char kCheck[] = "Проверять наличие";

// The version records (live data items) and the presence-check switches, which are settings
// of the main module, one section per module.
// clang-format off
constexpr TControlRow kRows[] = {
    {.Kind = ckHeading, .Caption = "Главный модуль"},
    {.Name = "vdMainVersion", .Kind = ckData, .Mem = mlMsg, .Addr = 130, .Type = stArray,
     .Max = 5, .Live = true, .Module = 2},
    {.Name = "vdMainBoard", .Kind = ckData, .Mem = mlFlash, .Addr = 65408, .Type = stArray,
     .Max = 8, .Module = 2},
    {.Name = "vdMainConfiguration", .Kind = ckData, .Mem = mlExt, .Addr = 0, .Type = stArray,
     .Max = 1, .Module = 2},
    {.Name = "vdMainGeneration", .Kind = ckData, .Mem = mlFlash, .Addr = 65474,
     .Type = stArray, .Max = 1, .Module = 2},

    {.Kind = ckHeading, .Caption = "CAN-модуль"},
    {.Name = "vdCan", .Kind = ckData, .Mem = mlMsg, .Addr = 154, .Type = stArray, .Max = 16,
     .Live = true, .Module = 2},
    {.Name = "cbCheckCan", .Kind = ckCheckBox, .Caption = kCheck, .Mem = mlFlash,
     .Addr = 64001, .Type = stBit, .Bit = 0, .Default = 1, .Module = 2},

    {.Kind = ckHeading, .Caption = "Трансивер метки"},
    {.Name = "vdTag", .Kind = ckData, .Mem = mlMsg, .Addr = 0, .Type = stArray, .Max = 3,
     .Live = true, .Module = 25},
    {.Name = "cbCheckTag", .Kind = ckCheckBox, .Caption = kCheck, .Mem = mlFlash,
     .Addr = 64001, .Type = stBit, .Bit = 1, .Default = 1, .Module = 2},

    {.Kind = ckHeading, .Caption = "GSM"},
    {.Name = "vdGsm", .Kind = ckData, .Mem = mlMsg, .Addr = 2, .Type = stArray, .Max = 6,
     .Live = true, .Module = 3},
    {.Name = "cbCheckGsm", .Kind = ckCheckBox, .Caption = kCheck, .Mem = mlFlash,
     .Addr = 64000, .Type = stBit, .Bit = 0, .Default = 1, .Module = 2},

    {.Kind = ckHeading, .Caption = "Датчик наклона"},
    {.Name = "vdTilt", .Kind = ckData, .Mem = mlMsg, .Addr = 0, .Type = stArray, .Max = 2,
     .Live = true, .Module = 23},
    {.Name = "cbCheckTilt", .Kind = ckCheckBox, .Caption = kCheck, .Mem = mlFlash,
     .Addr = 64000, .Type = stBit, .Bit = 5, .Default = 1, .Module = 2},

    {.Kind = ckHeading, .Caption = "Датчик удара"},
    {.Name = "vdShock", .Kind = ckData, .Mem = mlMsg, .Addr = 0, .Type = stArray, .Max = 2,
     .Live = true, .Module = 20},
    {.Name = "cbCheckShock", .Kind = ckCheckBox, .Caption = kCheck, .Mem = mlFlash,
     .Addr = 64000, .Type = stBit, .Bit = 2, .Default = 1, .Module = 2},

    {.Kind = ckHeading, .Caption = "МКВ датчик-1"},
    {.Name = "vdMicrowave", .Kind = ckData, .Mem = mlMsg, .Addr = 0, .Type = stArray,
     .Max = 2, .Live = true, .Module = 21},
    {.Name = "cbCheckMicrowave", .Kind = ckCheckBox, .Caption = kCheck, .Mem = mlFlash,
     .Addr = 64000, .Type = stBit, .Bit = 3, .Default = 0, .Module = 2},

    {.Kind = ckHeading, .Caption = "МКВ датчик-2"},
    {.Name = "vdMicrowave2", .Kind = ckData, .Mem = mlMsg, .Addr = 0, .Type = stArray,
     .Max = 2, .Live = true, .Module = 22},
    {.Name = "cbCheckMicrowave2", .Kind = ckCheckBox, .Caption = kCheck, .Mem = mlFlash,
     .Addr = 64000, .Type = stBit, .Bit = 4, .Default = 0, .Module = 2},

    {.Kind = ckHeading, .Caption = "Slave-модуль"},
    {.Name = "vdSlave", .Kind = ckData, .Mem = mlMsg, .Addr = 0, .Type = stArray, .Max = 2,
     .Live = true, .Module = 4},
    {.Name = "cbCheckSlave", .Kind = ckCheckBox, .Caption = kCheck, .Mem = mlFlash,
     .Addr = 64000, .Type = stBit, .Bit = 1, .Default = 0, .Module = 2},

    {.Kind = ckHeading, .Caption = "Расширитель входов"},
    {.Name = "vdInputs", .Kind = ckData, .Mem = mlMsg, .Addr = 0, .Type = stArray, .Max = 2,
     .Live = true, .Module = 15},
    {.Name = "cbCheckInputs", .Kind = ckCheckBox, .Caption = kCheck, .Mem = mlFlash,
     .Addr = 64000, .Type = stBit, .Bit = 7, .Default = 0, .Module = 2},

    {.Kind = ckHeading, .Caption = "Validator/Расширитель выходов"},
    {.Name = "vdValidator", .Kind = ckData, .Mem = mlMsg, .Addr = 0, .Type = stArray,
     .Max = 2, .Live = true, .Module = 14},
    {.Name = "cbCheckValidator", .Kind = ckCheckBox, .Caption = kCheck, .Mem = mlFlash,
     .Addr = 64001, .Type = stBit, .Bit = 2, .Default = 0, .Module = 2},

    {.Kind = ckHeading, .Caption = "Модуль запуска"},
    {.Name = "vdRelay", .Kind = ckData, .Mem = mlMsg, .Addr = 0, .Type = stArray, .Max = 2,
     .Live = true, .Module = 13},
    {.Name = "cbCheckRelay", .Kind = ckCheckBox, .Caption = kCheck, .Mem = mlFlash,
     .Addr = 64001, .Type = stBit, .Bit = 3, .Default = 0, .Module = 2},

    {.Kind = ckHeading, .Caption = "Модуль GPS"},
    {.Name = "vdGps", .Kind = ckData, .Mem = mlMsg, .Addr = 2, .Type = stArray, .Max = 6,
     .Live = true, .Module = 11},
};
// clang-format on
static_assert(CheckTable(kRows).Row == -1);

// A caption and its value label; the caption label is named after the value with "Caption".
struct TValueLine {
  const char* Caption;
  const char* Name;
};

// What a section shows besides its switch, in the order of the sections above.
struct TPanelSpec {
  uint8_t LanAddr;  // whose presence the section's label shows
  std::span<const TValueLine> Lines;
};

constexpr TValueLine kMainLines[] = {{"Версия ПО:", "lbMainVersion"},
                                     {"Версия платы:", "lbMainBoard"},
                                     {"Тип платы:", "lbBoardType"},
                                     {"Версия ПО (исходная):", "lbMainFirstVersion"}};
constexpr TValueLine kCanLines[] = {{"Версия ПО:", "lbCanVersion"},
                                    {"Группа / Подгруппа:", "lbCanGroup"},
                                    {"Версия протокола:", "lbCanProtocol"}};
constexpr TValueLine kTagLines[] = {{"Версия ПО:", "lbTagVersion"},
                                    {"Версия платы:", "lbTagBoard"}};
constexpr TValueLine kGsmLines[] = {{"Версия ПО:", "lbGsmVersion"},
                                    {"Версия платы:", "lbGsmBoard"}};
constexpr TValueLine kTiltLines[] = {{"Версия ПО:", "lbTiltVersion"}};
// A second shock sensor with other firmware shows on the second line.
constexpr TValueLine kShockLines[] = {{"Версия ПО:", "lbShockVersion"}, {"", "lbShockVersion2"}};
constexpr TValueLine kMicrowaveLines[] = {{"Версия ПО:", "lbMicrowaveVersion"}};
constexpr TValueLine kMicrowave2Lines[] = {{"Версия ПО:", "lbMicrowave2Version"}};
constexpr TValueLine kSlaveLines[] = {{"Версия ПО:", "lbSlaveVersion"}};
constexpr TValueLine kInputsLines[] = {{"Версия ПО:", "lbInputsVersion"}};
constexpr TValueLine kValidatorLines[] = {{"Версия ПО:", "lbValidatorVersion"}};
constexpr TValueLine kRelayLines[] = {{"Версия ПО:", "lbRelayVersion"}};
constexpr TValueLine kGpsLines[] = {{"Версия ПО:", "lbGpsVersion"}};

constexpr uint8_t kCanAddr = 24;
constexpr uint8_t kGsmAddr = 3;
constexpr uint8_t kValidatorAddr = 14;
constexpr uint8_t kRelayAddr = 13;
constexpr uint8_t kGpsAddr = 11;
constexpr int kMainPanel = 0;
constexpr int kGsmPanel = 3;

constexpr TPanelSpec kPanels[] = {
    {2, kMainLines},
    {kCanAddr, kCanLines},
    {25, kTagLines},
    {kGsmAddr, kGsmLines},
    {23, kTiltLines},
    {20, kShockLines},
    {21, kMicrowaveLines},
    {22, kMicrowave2Lines},
    {4, kSlaveLines},
    {15, kInputsLines},
    {kValidatorAddr, kValidatorLines},
    {kRelayAddr, kRelayLines},
    {kGpsAddr, kGpsLines},
};

constexpr std::size_t HeadingCount() {
  std::size_t count = 0;
  for (const TControlRow& row : kRows) count += row.Kind == ckHeading ? 1 : 0;
  return count;
}
static_assert(HeadingCount() == std::size(kPanels));

// Slave, input extender, start module, tilt and microwave sensors: major.minor, shown with
// every byte as it loads.
constexpr std::pair<const char*, const char*> kTwoByteRecords[] = {
    {"vdSlave", "lbSlaveVersion"},         {"vdInputs", "lbInputsVersion"},
    {"vdRelay", "lbRelayVersion"},         {"vdTilt", "lbTiltVersion"},
    {"vdMicrowave", "lbMicrowaveVersion"}, {"vdMicrowave2", "lbMicrowave2Version"}};

const QString kUnknown = QStringLiteral("?");

QString Hex2(uint8_t value) {
  return QStringLiteral("%1").arg(value, 2, 16, QChar(u'0')).toUpper();
}

QString MajorMinor(std::span<const uint8_t> b) {
  return QStringLiteral("%1.%2").arg(b[0]).arg(b[1]);
}

}  // namespace

TVersionInfo::TVersionInfo(TLanDevices& devices, IPageHost& host, QWidget* parent)
    : TVDFrame(0, parent), devices_(devices), host_(host), refresh_(new QAction(this)) {
  setObjectName(QLatin1String(kPageName));
  BuildPage(*this, kRows);
  BuildPanels();

  refresh_->setText(QStringLiteral("Обновить"));
  connect(refresh_, &QAction::triggered, this,
          [this] { host_.ShowPageCommand(QLatin1String(kCommand)); });
  setContextMenuPolicy(Qt::ActionsContextMenu);
  addAction(refresh_);

  AttachRecord("vdMainVersion", [this](auto b, int i) { MainFirmware(b, i); });
  AttachRecord("vdMainBoard", [this](auto b, int i) { MainBoard(b, i); });
  AttachRecord("vdMainConfiguration", [this](auto b, int i) { MainConfiguration(b, i); });
  AttachRecord("vdMainGeneration", [this](auto b, int i) { MainGenerationByte(b, i); });
  AttachRecord("vdCan", [this](auto b, int i) { CanRecord(b, i); });
  AttachRecord("vdGsm", [this](auto b, int i) { GsmRecord(b, i); });
  AttachRecord("vdGps", [this](auto b, int i) { GpsRecord(b, i); });
  AttachRecord("vdValidator", [this](auto b, int i) { ValidatorRecord(b, i); });
  AttachRecord("vdShock", [this](auto b, int i) { ShockRecord(b, i); });
  AttachRecord("vdTag", [this](auto b, int i) { TagRecord(b, i); });
  for (const auto& [record, label] : kTwoByteRecords) {
    QLabel* value = &ValueLabel(QLatin1String(label));
    AttachRecord(record, [value](auto b, int) { value->setText(MajorMinor(b)); });
  }
}

void TVersionInfo::BuildPanels() {
  const auto& categories = CategoryPanels1()->Categories();
  for (std::size_t p = 0; p < std::size(kPanels); ++p) {
    TPanelCategory* category = categories[p];
    panelCaptions_.push_back(category->Caption());
    auto* grid = qobject_cast<QGridLayout*>(category->Panel()->layout());
    // The switch goes below the versions: take it out and put it back last.
    std::vector<QWidget*> switches;
    for (int i = grid->count() - 1; i >= 0; --i) {
      if (QWidget* widget = grid->itemAt(i)->widget()) {
        grid->removeWidget(widget);
        switches.insert(switches.begin(), widget);
      }
    }
    int row = 0;
    auto* presence = new TVDLabel(category->Panel());
    presence->setObjectName(QStringLiteral("lbPresence%1").arg(kPanels[p].LanAddr));
    presence_.emplace_back(kPanels[p].LanAddr, presence);
    SetPresence(*presence, false);
    grid->addWidget(presence, row++, 0, 1, 2);
    for (const TValueLine& line : kPanels[p].Lines) {
      const QString name = QLatin1String(line.Name);
      auto* caption = new QLabel(QString::fromUtf8(line.Caption), category->Panel());
      caption->setObjectName(name + QStringLiteral("Caption"));
      auto* value = new QLabel(kUnknown, category->Panel());
      value->setObjectName(name);
      value->setTextInteractionFlags(Qt::TextSelectableByMouse);
      grid->addWidget(caption, row, 0);
      grid->addWidget(value, row++, 1);
    }
    for (QWidget* widget : switches) grid->addWidget(widget, row++, 0, 1, 2);
  }
  ResetShockLabels();
}

void TVersionInfo::AttachRecord(const char* name, TRecordHandler handler) {
  const QString key = QLatin1String(name);
  auto& data = Control<TVDData>(key);
  std::vector<uint8_t>& bytes = records_[key];
  bytes.assign(static_cast<std::size_t>(data.GetMaxVal()), 0);
  data.OnLoad = [&bytes, handler = std::move(handler)](QObject&, uint8_t value, int index) {
    bytes[static_cast<std::size_t>(index)] = value;
    handler(bytes, index);
  };
}

TVDLabel& TVersionInfo::PresenceLabel(uint8_t lanAddr) const {
  return Control<TVDLabel>(QStringLiteral("lbPresence%1").arg(lanAddr));
}

void TVersionInfo::SetPanelCaption(int index, const QString& caption) {
  panelCaptions_[static_cast<std::size_t>(index)] = caption;
  const auto& categories = CategoryPanels1()->Categories();
  if (index >= 0 && index < static_cast<int>(categories.size())) {
    categories[static_cast<std::size_t>(index)]->SetCaption(caption);
  }
}

void TVersionInfo::SetPresence(TVDLabel& label, bool present) {
  label.setText(present ? QStringLiteral("Подключен") : QStringLiteral("Не подключен"));
  label.SetActive(present);
}

void TVersionInfo::ShowPresenceUnknown() {
  for (const auto& [lanAddr, label] : presence_) {
    label->setText(QStringLiteral("Неизвестно (нет связи с адаптером)"));
    label->SetActive(false);
  }
}

void TVersionInfo::ResetShockLabels() {
  ValueLabel(QStringLiteral("lbShockVersion")).setText(kUnknown);
  ShowSecondShock(QString());
  shockText_.clear();
}

void TVersionInfo::ShowSecondShock(const QString& text) {
  // The second line takes room only while a second sensor has answered.
  ValueLabel(QStringLiteral("lbShockVersion2")).setText(text);
  ValueLabel(QStringLiteral("lbShockVersion2")).setVisible(!text.isEmpty());
  ValueLabel(QStringLiteral("lbShockVersion2Caption")).setVisible(!text.isEmpty());
}

void TVersionInfo::MainFirmware(std::span<const uint8_t> b, int index) {
  if (index != 4) return;
  emit MainVersionChanged(b[0], b[1]);
  ValueLabel(QStringLiteral("lbMainVersion")).setText(BcdVersionText(b[0], b[1], b[2], b[3], b[4]));
  ShowBoardCode();
  if (const auto notice = MainVersionNotice(b[0], b[1])) emit VersionNoticeDue(*notice);
}

void TVersionInfo::ShowBoardCode() {
  // Until the board record has been read its code is unknown, not zero.
  if (boardLoaded_) {
    ValueLabel(QStringLiteral("lbMainBoard"))
        .setText(Hex2(records_[QStringLiteral("vdMainBoard")][1]));
  }
}

void TVersionInfo::MainBoard(std::span<const uint8_t> b, int index) {
  if (index != 7) return;
  boardLoaded_ = true;
  ValueLabel(QStringLiteral("lbMainFirstVersion"))
      .setText(BcdVersionText(b[2], b[3], b[4], b[5], b[6]));
  ShowBoardCode();
  const TBoardType type = BoardTypeFor(b[1], b[2], b[4]);
  ValueLabel(QStringLiteral("lbBoardTypeCaption")).setText(type.Caption);
  QLabel& value = ValueLabel(QStringLiteral("lbBoardType"));
  if (type.Caption.isEmpty()) {
    value.clear();
  } else if (!type.Value.isEmpty()) {
    value.setText(type.Value);
  }
  if (type.NewerBoard) {
    newerBoard_ = true;
    emit NewerBoardFound();
  }
}

void TVersionInfo::MainConfiguration(std::span<const uint8_t> b, int) {
  const TConfigurationVariant variant = ConfigurationVariant(b[0]);
  if (variant.Generation) emit MainGenerationChanged(*variant.Generation);
  SetPanelCaption(kMainPanel, QStringLiteral("Главный модуль") + variant.CaptionSuffix);
}

void TVersionInfo::MainGenerationByte(std::span<const uint8_t> b, int) {
  if (!newerBoard_) return;
  emit MainGenerationChanged(b[0] == 0xFF ? 3 : b[0]);
}

void TVersionInfo::CanRecord(std::span<const uint8_t> b, int index) {
  if (index != 15) return;
  QLabel& version = ValueLabel(QStringLiteral("lbCanVersion"));
  version.setToolTip(
      QStringLiteral("Внутр. версия: %1.%2.%3.%4").arg(b[0]).arg(b[1]).arg(b[2]).arg(b[3]));
  version.setText(PublicCanVersion(b[0], b[1], b[2], b[3]));
  ValueLabel(QStringLiteral("lbCanGroup"))
      .setText(b[6] == 255 ? kUnknown
                           : QStringLiteral("%1 / %2")
                                 .arg(b[6], 2, 10, QChar(u'0'))
                                 .arg(b[7], 2, 10, QChar(u'0')));
  ValueLabel(QStringLiteral("lbCanProtocol")).setText(QStringLiteral("%1.%2").arg(b[4]).arg(b[5]));
  SetPresence(PresenceLabel(kCanAddr),
              std::any_of(b.begin(), b.begin() + 4, [](uint8_t v) { return v != 0; }));
}

void TVersionInfo::GsmRecord(std::span<const uint8_t> b, int index) {
  if (index != 5) return;
  emit GsmVersionChanged(b[0], b[1]);
  QLabel& version = ValueLabel(QStringLiteral("lbGsmVersion"));
  QLabel& board = ValueLabel(QStringLiteral("lbGsmBoard"));
  QLabel& boardCaption = ValueLabel(QStringLiteral("lbGsmBoardCaption"));
  const bool dated = b[2] != 0;
  if (dated) {
    version.setText(DecimalVersionText(b[0], b[1], b[2], b[3], b[4]));
    board.setText(QString::number(b[5]));
  } else {
    version.setText(
        QStringLiteral("%1.%2").arg(b[0], 2, 10, QChar(u'0')).arg(b[1], 2, 10, QChar(u'0')));
  }
  board.setVisible(dated);
  boardCaption.setVisible(dated);
  SetPanelCaption(kGsmPanel, QStringLiteral("GSM (модуль)"));
}

void TVersionInfo::GpsRecord(std::span<const uint8_t> b, int index) {
  if (index != 5 || b[0] == 0) return;
  ValueLabel(QStringLiteral("lbGpsVersion"))
      .setText(DecimalVersionText(b[0], b[1], b[2], b[3], b[4]));
}

void TVersionInfo::ValidatorRecord(std::span<const uint8_t> b, int index) {
  // The notice once per record, when its major byte has arrived for sure.
  if (index == 1 && b[0] == 8) emit VersionNoticeDue(ValidatorVersionNotice());
  ValueLabel(QStringLiteral("lbValidatorVersion")).setText(MajorMinor(b));
}

void TVersionInfo::ShockRecord(std::span<const uint8_t> b, int index) {
  if (index != 1) return;
  shockText_ = MajorMinor(b);
  QLabel& first = ValueLabel(QStringLiteral("lbShockVersion"));
  if (first.text() == kUnknown) {
    first.setText(shockText_);
  } else if (shockText_ != first.text()) {
    ShowSecondShock(shockText_);
  }
}

void TVersionInfo::TagRecord(std::span<const uint8_t> b, int index) {
  if (index != 2) return;
  ValueLabel(QStringLiteral("lbTagVersion")).setText(MajorMinor(b));
  ValueLabel(QStringLiteral("lbTagBoard")).setText(QString::number(b[2]));
}

void TVersionInfo::PageShown() {
  for (const auto& [lanAddr, label] : presence_) {
    // The CAN module's label follows its record instead.
    if (lanAddr == kCanAddr) continue;
    const TLanDevice* device = devices_.FindDevice(lanAddr);
    const bool present = device != nullptr && device->Present();
    SetPresence(*label, present);
    if (lanAddr == kGpsAddr && !present)
      ValueLabel(QStringLiteral("lbGpsVersion")).setText(kUnknown);
  }
  validatorPresent_ = PresenceLabel(kValidatorAddr).Active();
  emit ValidatorPresentChanged(validatorPresent_);
  relayPresent_ = PresenceLabel(kRelayAddr).Active();
  emit RelayModulePresentChanged(relayPresent_);
  emit PresenceRefreshed();
  auto& gps = records_[QStringLiteral("vdGps")];
  std::fill(gps.begin(), gps.end(), 0);
  ResetShockLabels();
  TVDFrame::PageShown();
}
