#include "pages/can/can_out_page.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

#include "binding/ui/check_rules.h"
#include "binding/ui/page_host.h"
#include "binding/ui/page_sections.h"
#include "binding/ui/table_page.h"
#include "binding/ui/vd_check_box.h"
#include "binding/ui/vd_data.h"
#include "journal/ui/events_form.h"
#include "link/lan_msg.h"
#include "pages/can/can_links.h"
#include "pages/can/can_program_editor.h"
#include "pages/can/can_program_grid.h"
#include "pages/can/can_tables.h"
#include "pages/can/section_gate.h"

namespace {

constexpr const char* kInteraction = "Взаимодействие со штатной системой";
constexpr const char* kPrograms = "Управление CAN командами по событиям";
constexpr const char* kGatedSections[] = {"Выходы", kInteraction};

// What the CAN interface does for the main module's outputs, as the "Выходы" row names it
// (locking and unlocking as one).
constexpr const char* kCanOutputs[] = {"Мигание указателями поворотов", "Управление ЦЗ",
                                       "Отпирание багажника", "Управление функцией \"комфорт\""};

constexpr int kArmingBit = 2;
constexpr int kDisarmingBit = 3;
constexpr int kDriverOnlyBit = 7;

constexpr TCheckRule kRules[] = {
    {.Box = "VDCheckBox15", .When = false, .Target = "VDCheckBox17", .Then = false},
    {.Box = "VDCheckBox17", .When = true, .Target = "VDCheckBox15", .Then = true},
    {.Box = "VDCheckBox32", .When = true, .Target = "VDCheckBox6", .Then = true},
    {.Box = "VDCheckBox6", .When = false, .Target = "VDCheckBox32", .Then = false},
};
static_assert(CheckRules(kRules) == -1);

}  // namespace

TCanOut::TCanOut(IPageHost& host, TCanLinks* links, QWidget* parent)
    : TVDFrame(kMainModuleAddr, parent),
      host_(host),
      controls_(BuildTablePage(*this, CanOutTable(), host)),
      canOutputs_(controls_.Get<TVDData>("vddCanOuts")) {
  new TCheckRules(controls_, kRules, {}, this);
  AddOutputsRow();
  choices_[0] = AddChoice(kArmingChoice);
  choices_[1] = AddChoice(kDisarmingChoice);
  connect(choices_[0].Items, &QButtonGroup::idClicked, this, &TCanOut::ChooseArming);
  connect(choices_[1].Items, &QButtonGroup::idClicked, this, &TCanOut::ChooseDisarming);
  for (const char* name : {"VDCheckBox3", "VDCheckBox4", "CanSlaveSystem2"}) {
    connect(&controls_.Get<TVDCheckBox>(name), &QCheckBox::toggled, this, &TCanOut::ShowChoices);
  }
  AttachCanOutputs();
  AttachPrograms();
  controls_.Get<TVDData>("vddMainVersion").OnLoad = [this](QObject&, uint8_t byte, int index) {
    if (index != 0 && !host_.DemoMode()) return;
    QStringList captions;
    for (const char* caption : kGatedSections) captions << QString::fromUtf8(caption);
    EnableSections(*this, captions, CanFirmwareKnown(byte, host_.DemoMode()));
  };
  if (links != nullptr) connect(links, &TCanLinks::ChoiceHint, this, &TCanOut::SetChoiceHints);
  ShowChoices();
}

void TCanOut::AddOutputsRow() {
  auto* row = new QWidget;
  row->setObjectName(QStringLiteral("dgOuts"));
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);
  for (const char* output : kCanOutputs) {
    auto* cell = new QLabel(QString::fromUtf8(output));
    cell->setFrameShape(QFrame::Box);
    cell->setMargin(4);
    cell->setToolTip(QString::fromUtf8(output));
    layout->addWidget(cell);
  }
  layout->addStretch();
  AddToSection(*this, QStringLiteral("Выходы"), row);
}

TCanOut::TChoice TCanOut::AddChoice(const TChoiceTexts& texts) {
  TChoice choice;
  choice.Box = new QGroupBox(QString::fromUtf8(texts.Caption));
  choice.Box->setToolTip(QString::fromUtf8(texts.Hint));
  choice.Items = new QButtonGroup(choice.Box);
  auto* column = new QVBoxLayout(choice.Box);
  for (int item = 0; item < kChoiceItems; ++item) {
    auto* button = new QRadioButton(QString::fromUtf8(texts.Items.at(static_cast<size_t>(item))));
    choice.Items->addButton(button, item);
    column->addWidget(button);
  }
  AddToSection(*this, QString::fromUtf8(kInteraction), choice.Box);
  return choice;
}

void TCanOut::AttachCanOutputs() {
  canOutputs_.OnLoad = [this](QObject&, uint8_t byte, int) {
    canOutputsByte_ = byte;
    ShowChoices();
  };
  canOutputs_.OnStore = [this](QObject&, uint8_t& byte, int) { byte = canOutputsByte_; };
  canOutputs_.OnSetDefaultState = [this](QObject&, uint8_t& byte, int) {
    canOutputsByte_ = 0;
    byte = 0;
    ShowChoices();
  };
}

int TCanOut::ArmingItem() const {
  return choices_[0].Items->checkedId();
}

int TCanOut::DisarmingItem() const {
  return choices_[1].Items->checkedId();
}

bool TCanOut::BoxChecked(const char* name) const {
  return controls_.Get<TVDCheckBox>(name).isChecked();
}

// The choices are no cells of their own: they show what the byte and the boxes hold, so that
// a click never writes a choice the user did not see.
void TCanOut::ShowChoices() {
  const auto bit = [this](int n) { return (canOutputsByte_ & (1u << n)) != 0; };
  const TChoiceBits arming{.ByteBit = bit(kArmingBit),
                           .Box = BoxChecked("VDCheckBox3"),
                           .Third = BoxChecked("CanSlaveSystem2")};
  const TChoiceBits disarming{.ByteBit = bit(kDisarmingBit),
                              .Box = BoxChecked("VDCheckBox4"),
                              .Third = bit(kDriverOnlyBit)};
  choices_[0].Items->button(ChoiceItem(arming))->setChecked(true);
  choices_[1].Items->button(ChoiceItem(disarming))->setChecked(true);
}

void TCanOut::SetBox(const char* name, bool checked) {
  auto& box = controls_.Get<TVDCheckBox>(name);
  if (box.isChecked() != checked) box.SetChecked(checked);
}

void TCanOut::SetByteBit(int bit, bool set) {
  const auto mask = static_cast<uint8_t>(1u << bit);
  const auto byte = static_cast<uint8_t>(set ? canOutputsByte_ | mask : canOutputsByte_ & ~mask);
  if (byte == canOutputsByte_) return;
  canOutputsByte_ = byte;
  canOutputs_.StoreEdited();
}

void TCanOut::ChooseArming(int item) {
  const TChoiceBits bits = ChoiceBits(item);
  SetBox("CanSlaveSystem2", bits.Third);
  SetBox("VDCheckBox3", bits.Box);
  SetByteBit(kArmingBit, bits.ByteBit);
  ShowChoices();
}

void TCanOut::ChooseDisarming(int item) {
  const TChoiceBits bits = ChoiceBits(item);
  SetByteBit(kDriverOnlyBit, bits.Third);
  SetBox("VDCheckBox4", bits.Box);
  SetByteBit(kDisarmingBit, bits.ByteBit);
  ShowChoices();
}

void TCanOut::SetChoiceHints(const QString& hint) {
  for (const TChoice& choice : choices_) choice.Box->setToolTip(hint);
}

void TCanOut::AttachPrograms() {
  auto& events = controls_.Get<TVDData>("vddEvents");
  auto& commands = controls_.Get<TVDData>("vddEventFlash");
  auto& offEvents = controls_.Get<TVDData>("VDData1");
  programItems_ = {&events, &commands, &offEvents};
  grid_ = new TCanProgramGrid(programs_);
  AddToSection(*this, QString::fromUtf8(kPrograms), grid_);
  connect(grid_, &TCanProgramGrid::EditRequested, this, &TCanOut::EditProgram);
  connect(grid_, &TCanProgramGrid::ResetRequested, this, &TCanOut::ResetProgram);
  events.OnLoad = [this](QObject&, uint8_t byte, int i) {
    programs_.EventsByte(i) = byte;
    if (i == TCanPrograms::kSettingsBytes - 1) grid_->Redraw();
  };
  events.OnStore = [this](QObject&, uint8_t& byte, int i) { byte = programs_.EventsByte(i); };
  commands.OnLoad = [this](QObject&, uint8_t byte, int i) {
    programs_.CommandByte(i) = byte;
    if (i == TCanPrograms::kCount - 1) grid_->Redraw();
  };
  commands.OnStore = [this](QObject&, uint8_t& byte, int i) { byte = programs_.CommandByte(i); };
  offEvents.OnLoad = [this](QObject&, uint8_t byte, int i) {
    programs_.OffEventsByte(i) = byte;
    if (i == TCanPrograms::kSettingsBytes - 1) grid_->Redraw();
  };
  offEvents.OnStore = [this](QObject&, uint8_t& byte, int i) { byte = programs_.OffEventsByte(i); };
}

TEventsForm& TCanOut::Events() {
  if (events_ == nullptr) events_ = new TEventsForm(host_.EventFavourites(), this);
  return *events_;
}

void TCanOut::EditProgram(int index) {
  TProgCan editor(Events(), this);
  editor.Edit(index + 1, programs_.Program(index));
  if (editor.exec() != QDialog::Accepted) return;
  SetProgram(index, editor.Program());
}

void TCanOut::ResetProgram(int index) {
  if (!host_.Confirm(QStringLiteral("Удалить значения?"))) return;
  SetProgram(index, {});
}

// A program's command lies in the flash image and the rest in the settings image: each
// image whose bytes changed is marked, so that the next write sends both.
void TCanOut::SetProgram(int index, const TCanProgram& program) {
  programs_.SetProgram(index, program);
  for (TVDData* item : programItems_) item->StoreEdited();
  grid_->Redraw();
}
