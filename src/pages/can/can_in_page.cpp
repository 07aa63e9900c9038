#include "pages/can/can_in_page.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>

#include "binding/ui/check_rules.h"
#include "binding/ui/page_host.h"
#include "binding/ui/page_sections.h"
#include "binding/ui/table_page.h"
#include "binding/ui/turned_header.h"
#include "binding/ui/vd_data.h"
#include "binding/ui/vd_look.h"
#include "link/lan_msg.h"
#include "memory/base_device_memory_item.h"
#include "memory/message_areas.h"
#include "pages/can/can_tables.h"
#include "pages/can/section_gate.h"
#include "pages/main/input_records.h"

namespace {

constexpr const char* kInputsSection = "Входы";
constexpr const char* kOptionsSection = "Дополнительные параметры";
// The module's code of function 8, the charge lamp.
constexpr uint8_t kReadyIsChargeLamp = 7;
constexpr uint8_t kNoReady = 255;
constexpr int kCellSize = 26;
constexpr int kConnectionRow = TCanInputs::kSignals;

// The inputs page's flag item of each function the grid has a column for; empty where the
// inputs page lists no such function.
struct TConnection {
  int Function;
  const char* Item;
};
constexpr TConnection kConnections[] = {
    {1, "vddinDoorFlashCan"},         {2, "vddInTrunkFlashCan"}, {3, "vddInHoodFlashCan"},
    {4, "vddInIgnFlashCan"},          {7, "vddInParkFlashCan"},  {8, "vddInChargeFlashCan"},
    {11, "vddInCentralLockFlashCan"},
};

constexpr TCheckRule kRules[] = {
    {.Box = "VDCheckBox4", .When = true, .Target = "VDCheckBox8", .Then = true},
    {.Box = "VDCheckBox8", .When = false, .Target = "VDCheckBox4", .Then = false},
};
static_assert(CheckRules(kRules) == -1);

}  // namespace

TCanIn::TCanIn(IPageHost& host, QWidget* parent)
    : TVDFrame(kMainModuleAddr, parent),
      host_(host),
      controls_(BuildTablePage(*this, CanInTable(), host)),
      signals_(controls_.Get<TVDData>("vddCmd")) {
  new TCheckRules(controls_, kRules, {}, this);
  BuildGrid();
  AddOptions();
  AttachSignalTable();
  AttachReady();
  AttachSpeeds();
  AttachVersion();
  AttachConnections();
}

void TCanIn::BuildGrid() {
  grid_ = new QTableWidget(TCanInputs::kSignals + 1, TCanInputs::kColumns);
  grid_->setObjectName(QStringLiteral("dgCanIns"));
  grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid_->setSelectionMode(QAbstractItemView::NoSelection);
  grid_->setFocusPolicy(Qt::StrongFocus);
  // The functions are named in full above their narrow columns.
  grid_->setHorizontalHeader(new TTurnedHeader(grid_));
  grid_->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  grid_->horizontalHeader()->setDefaultSectionSize(kCellSize);
  grid_->verticalHeader()->setDefaultSectionSize(kCellSize);
  grid_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  grid_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  for (int column = 1; column <= TCanInputs::kColumns; ++column) {
    auto* header = new QTableWidgetItem(TCanInputs::ColumnName(column));
    header->setToolTip(TCanInputs::ColumnName(column));
    grid_->setHorizontalHeaderItem(column - 1, header);
  }
  for (int entry = 0; entry < TCanInputs::kSignals; ++entry) {
    auto* header = new QTableWidgetItem(
        QStringLiteral("%1  %2").arg(entry + 1).arg(TCanInputs::SignalName(entry)));
    header->setToolTip(QStringLiteral("Название входа"));
    grid_->setVerticalHeaderItem(entry, header);
    for (int column = 1; column <= TCanInputs::kColumns; ++column) {
      auto* cell = new QTableWidgetItem;
      cell->setTextAlignment(Qt::AlignCenter);
      cell->setToolTip(TCanInputs::ColumnName(column));
      if (!TCanInputs::Allowed(entry, column)) {
        cell->setFlags(Qt::NoItemFlags);
        cell->setBackground(palette().mid());
      }
      grid_->setItem(entry, column - 1, cell);
    }
  }
  grid_->setVerticalHeaderItem(kConnectionRow, new QTableWidgetItem(QStringLiteral("Подключение")));
  for (int column = 1; column <= TCanInputs::kColumns; ++column) {
    auto* cell = new QTableWidgetItem;
    cell->setTextAlignment(Qt::AlignCenter);
    grid_->setItem(kConnectionRow, column - 1, cell);
  }
  connect(grid_, &QTableWidget::cellClicked, this, [this](int row, int column) {
    if (row == kConnectionRow) {
      ClickConnection(column + 1);
    } else {
      ClickCell(row, column + 1);
    }
  });
  grid_->resizeColumnsToContents();
  grid_->setFixedSize(grid_->verticalHeader()->sizeHint().width() +
                          TCanInputs::kColumns * kCellSize + 2 * grid_->frameWidth() + 2,
                      grid_->horizontalHeader()->sizeHint().height() +
                          (TCanInputs::kSignals + 1) * kCellSize + 2 * grid_->frameWidth() + 2);
  AddToSection(*this, QString::fromUtf8(kInputsSection), grid_);
  Redraw();
}

void TCanIn::AddOptions() {
  ready_ = new QCheckBox(
      QStringLiteral("Использовать статус READY по CAN, как лампу заряда (гибридный автомобиль)"));
  ready_->setObjectName(QStringLiteral("CheckBox1"));
  auto* part = new QWidget;
  auto* grid = new QGridLayout(part);
  grid->setContentsMargins(0, 0, 0, 0);
  grid->addWidget(ready_, 0, 0, 1, 2);
  const auto pair = [&](int row, const QString& caption, const char* name, const QString& text) {
    grid->addWidget(new QLabel(caption), row, 0);
    auto* value = new QLabel(text);
    value->setObjectName(QLatin1String(name));
    grid->addWidget(value, row, 1);
    return value;
  };
  engineSpeed_ = pair(1, QStringLiteral("Обороты двигателя:"), "ST_TAHO", QStringLiteral("1"));
  roadSpeed_ = pair(2, QStringLiteral("Скорость:"), "ST_SPEED", QStringLiteral("1"));
  pair(3, QStringLiteral("Уровень топлива:"), "Label2", QStringLiteral("Не определено"));
  pair(4, QStringLiteral("Температура двигателя:"), "Label4", QStringLiteral("Не определено"));
  grid->setColumnStretch(1, 1);
  AddToSection(*this, QString::fromUtf8(kOptionsSection), part);
}

void TCanIn::Redraw() {
  for (int entry = 0; entry < TCanInputs::kSignals; ++entry) {
    for (int column = 1; column <= TCanInputs::kColumns; ++column) {
      const bool here = inputs_.Function(entry) == TCanInputs::ColumnFunction(column);
      QTableWidgetItem* cell = grid_->item(entry, column - 1);
      cell->setText(here ? QStringLiteral("●") : QString());
    }
  }
  for (int column = 1; column <= TCanInputs::kColumns; ++column) {
    QTableWidgetItem* cell = grid_->item(kConnectionRow, column - 1);
    const std::optional<bool> fromCan = FromCan(column);
    cell->setText(!fromCan ? QString() : *fromCan ? QStringLiteral("☑") : QStringLiteral("☐"));
    cell->setToolTip(!fromCan ? QString()
                     : *fromCan ? QStringLiteral("к любому входу (обязательно)")
                                : QStringLiteral("только к входам главного модуля"));
  }
}

TVDData* TCanIn::ConnectionItem(int column) const {
  for (const TConnection& connection : kConnections) {
    if (connection.Function == TCanInputs::ColumnFunction(column)) {
      auto* item = &controls_.Get<TVDData>(connection.Item);
      return item->GetMem() != nullptr ? item : nullptr;
    }
  }
  return nullptr;
}

std::optional<bool> TCanIn::FromCan(int column) const {
  if (ConnectionItem(column) == nullptr) return std::nullopt;
  return connections_.at(static_cast<size_t>(column - 1)) == kFromCan;
}

// The inputs page keeps the same bytes: storing them at once has it show the change.
bool TCanIn::ClickConnection(int column) {
  TVDData* item = ConnectionItem(column);
  if (item == nullptr || !item->Operable()) return false;
  uint8_t& flag = connections_.at(static_cast<size_t>(column - 1));
  flag = flag == kFromCan ? kNotFromCan : kFromCan;
  item->StoreEdited();
  Redraw();
  return true;
}

void TCanIn::AttachConnections() {
  for (int column = 1; column <= TCanInputs::kColumns; ++column) {
    for (const TConnection& connection : kConnections) {
      if (connection.Function != TCanInputs::ColumnFunction(column)) continue;
      auto& item = controls_.Get<TVDData>(connection.Item);
      uint8_t& flag = connections_.at(static_cast<size_t>(column - 1));
      flag = kNotFromCan;
      item.OnLoad = [this, &flag](QObject&, uint8_t byte, int) {
        flag = byte;
        Redraw();
      };
      item.OnStore = [&flag](QObject&, uint8_t& byte, int) { byte = flag; };
      // The inputs page owns the factory flags; this row shows what they became.
      item.OnSetDefaultState = [this, &flag, &item](QObject&, uint8_t& byte, int) {
        byte = item.GetMem()->GetByte(item.ComponentData().Addr());
        flag = byte;
        Redraw();
      };
    }
  }
}

void TCanIn::ClickCell(int entry, int column) {
  if (!signals_.Operable() || !inputs_.Toggle(entry, column)) return;
  signals_.StoreEdited();
  Redraw();
}

void TCanIn::AttachSignalTable() {
  signals_.OnLoad = [this](QObject&, uint8_t byte, int i) {
    inputs_.Load(i, byte);
    if (i == TCanInputs::kEntries - 1) Redraw();
  };
  signals_.OnStore = [this](QObject&, uint8_t& byte, int i) { byte = inputs_.Stored(i); };
  signals_.OnSetDefaultState = [this](QObject&, uint8_t& byte, int i) {
    inputs_.SetDefault(i);
    byte = inputs_.Stored(i);
    if (i == TCanInputs::kEntries - 1) Redraw();
  };
}

// The READY byte is a byte of the signal table too; its own item comes after the table, so
// that the box decides what is written.
void TCanIn::AttachReady() {
  auto& item = controls_.Get<TVDData>("VDData3");
  item.SetControl(ready_);
  item.OnLoad = [this](QObject&, uint8_t byte, int) {
    if (byte == kReadyIsChargeLamp) ready_->setChecked(true);
    if (byte == kNoReady) ready_->setChecked(false);
  };
  item.OnStore = [this](QObject&, uint8_t& byte, int) {
    byte = ready_->isChecked() ? kReadyIsChargeLamp : kNoReady;
  };
  item.OnSetDefaultState = [this](QObject&, uint8_t& byte, int) {
    ready_->setChecked(false);
    byte = kNoReady;
  };
  connect(ready_, &QCheckBox::toggled, this,
          [this](bool checked) { SetBoldLook(*ready_, checked); });
  connect(ready_, &QCheckBox::clicked, this, [this, &item] {
    item.StoreEdited();
    // The table keeps the same byte: it shows what the box stored.
    LoadIfLoaded(signals_);
  });
}

void TCanIn::AttachSpeeds() {
  controls_.Get<TVDData>("vddTahoSpeed").OnLoad = [this](QObject&, uint8_t byte, int i) {
    speeds_.at(static_cast<size_t>(i)) = byte;
    // The toolbar reads the same report itself: the page shows only its own labels.
    const TCanSpeeds speeds = DecodeCanSpeeds(speeds_);
    if (i == 1) {
      engineSpeed_->setText(speeds.Engine);
      engineRuns_ = speeds.RevsPresent;
    }
    if (i == 3) roadSpeed_->setText(speeds.Road);
  };
}

void TCanIn::AttachVersion() {
  controls_.Get<TVDData>("vddMainVersion").OnLoad = [this](QObject&, uint8_t byte, int index) {
    if (index != 0 && !host_.DemoMode()) return;
    const bool known = CanFirmwareKnown(byte, host_.DemoMode());
    EnableSections(*this, {QString::fromUtf8(kInputsSection), QString::fromUtf8(kOptionsSection)},
                   known);
  };
}
