#include "pages/extension/slave_pages.h"

#include <QFont>
#include <QLabel>
#include <QTimer>

#include "binding/ui/byte_table.h"
#include "binding/ui/category_panels.h"
#include "binding/ui/page_host.h"
#include "binding/ui/table_page.h"
#include "binding/ui/vd_data.h"
#include "binding/ui/vd_grid.h"
#include "memory/base_device_memory_item.h"
#include "pages/extension/extension_modules.h"
#include "pages/extension/grid_cells.h"
#include "pages/extension/learn_session.h"
#include "pages/extension/page_bus.h"
#include "pages/extension/page_items.h"
#include "pages/extension/slave_commands.h"
#include "pages/extension/slave_events.h"
#include "pages/extension/slave_tables.h"

namespace {

constexpr int kInputs = TSlaveEvents::kInputs;
constexpr int kEvents = TSlaveEvents::kEvents;

QString SourceText(const TSlaveEvents& events, int event) {
  return events.SequenceSource(event, true) ? QStringLiteral("ручной ввод")
                                            : QStringLiteral("автомобиль");
}

QString Polarity(const TSlaveEvents& events, int input) {
  return events.Polarity(input) == 1 ? QStringLiteral("+") : QStringLiteral("−");
}

// The sample pictures as characters: inactive, active and counted, active but not counted,
// an active step of a taught order.
const QChar kSamplePictures[] = {QChar(0x00B7), QChar(0x2588), QChar(0x2592), QChar(0x2593)};
constexpr int kSamplesPerCell = 8;
constexpr int kCellPadding = 8;

}  // namespace

TSlaveProperties::TSlaveProperties(IPageHost& host, std::shared_ptr<TSlaveEvents> events,
                                   QWidget* parent)
    : TVDFrame(kSlaveAddr, parent),
      host_(host),
      events_(std::move(events)),
      controls_(BuildTablePage(*this, SlavePropertiesTable(), host)),
      learning_(new TLearnSession(*this, host)) {
  AddGrid();
  BindItems();
  connect(events_.get(), &TSlaveEvents::Redraw, this, &TSlaveProperties::Redraw);
  connect(events_.get(), &TSlaveEvents::MaskEdited, this, [this] { Store("vddMask"); });
  learning_->OnLearned = [this] { controls_.Get<TVDData>("vddLearned").Refresh(); };
  learning_->OnFinished = [this] {
    TellPageShown(*this, host_, kSlaveAddr, true);
    events_->Changed();
  };
  Redraw();
}

void TSlaveProperties::BindItems() {
  const auto bind = [this](const char* item, std::span<uint8_t> bytes,
                           std::span<const uint8_t> factory) {
    BindBytes(controls_, item, bytes, factory, [this] { events_->Changed(); });
  };
  static constexpr uint8_t kZero[] = {0};
  bind("vddUpDown", events_->UpDown, TSlaveEvents::kFactoryUpDown);
  bind("vddLearned", events_->Learned, kZero);
  bind("vddMask", events_->Masks, TSlaveEvents::kFactoryMasks);
  bind("vddCmd", events_->Commands, TSlaveEvents::kFactoryCommands);
  bind("vddSeqEvent", events_->Sources, kZero);
  controls_.Get<TVDData>("vddInputs").OnLoad = [this](QObject&, uint8_t byte, int) {
    events_->Inputs = byte;
    events_->Changed();
  };
  controls_.Get<TVDData>("vddSlaveV").OnLoad = [this](QObject&, uint8_t byte, int index) {
    events_->Version.at(static_cast<std::size_t>(index)) = byte;
    if (index == 1) events_->Changed();
  };
  // The module names the event it learned, or reports that it learned none.
  controls_.Get<TVDData>("vddLearnEvent").OnLoad = [this](QObject&, uint8_t byte, int) {
    learning_->TakeResult(byte != kNoLearnedEvent);
  };
}

void TSlaveProperties::AddGrid() {
  grid_ = MakeGrid("dgSlave", kFirstEventRow + kEvents, kEnabledColumn + 1);
  grid_->setColumnWidth(0, 90);
  grid_->setColumnWidth(kSourceColumn, 90);
  for (int column = kFirstInputColumn; column < kCommandColumn; ++column) {
    grid_->setColumnWidth(column, 34);
  }
  grid_->setColumnWidth(kCommandColumn, 320);
  grid_->setColumnWidth(kLearnColumn, 60);
  grid_->setColumnWidth(kEnabledColumn, 26);
  grid_->setRowHeight(1, 18);
  FitHeight(*grid_);
  connect(grid_, &QTableWidget::cellClicked, this, &TSlaveProperties::Click);
  AddPanel(QStringLiteral("События"), grid_);
}

void TSlaveProperties::Store(const char* item) {
  StoreItem(controls_, item);
  events_->Changed();
}

void TSlaveProperties::PageShown() {
  TVDFrame::PageShown();
  TellPageShown(*this, host_, kSlaveAddr, true);
}

void TSlaveProperties::PageHidden() {
  TellPageShown(*this, host_, kSlaveAddr, false);
  TVDFrame::PageHidden();
}

void TSlaveProperties::Redraw() {
  TVDGrid& grid = *grid_;
  const TSlaveEvents& events = *events_;
  const bool source = events.HasSourceFeature(true);
  grid.setColumnHidden(kSourceColumn, !source);
  const QString sourceHint =
      QStringLiteral("Запоминание времени срабатывания входов (вкл)/порядка срабатывания (выкл)");
  SetCell(grid, 0, 0, {}, QStringLiteral("События"));
  SetCell(grid, 0, kSourceColumn, QStringLiteral("Источник данных"), sourceHint);
  SetCell(grid, 0, kCommandColumn, {}, QStringLiteral("События"));
  SetCell(grid, 0, kLearnColumn, {}, QStringLiteral("Обучение"));
  SetCell(grid, 0, kEnabledColumn, {}, QStringLiteral("Разрешение обработки событий"));
  for (int input = 1; input <= kInputs; ++input) {
    const int column = kFirstInputColumn + input - 1;
    SetCell(grid, 0, column, Polarity(events, input),
            TSlaveEvents::PolarityFixed(input) ? QStringLiteral("Полярность")
                                               : QStringLiteral("Изменить полярность"),
            !TSlaveEvents::PolarityFixed(input));
    SetCell(grid, 1, column,
            QString::number(input) + (events.LiveActive(input) ? kLamp : QString()));
  }
  for (int event = 1; event <= kEvents; ++event) {
    const int row = kFirstEventRow + event - 1;
    SetCell(grid, row, 0, QStringLiteral("Событие %1").arg(event),
            QStringLiteral("Показать график"));
    SetCell(grid, row, kSourceColumn, SourceText(events, event), sourceHint);
    for (int input = 1; input <= kInputs; ++input) {
      SetCell(grid, row, kFirstInputColumn + input - 1,
              events.Counts(event, input) ? kMarkOn : QString(),
              QStringLiteral("Маска учета входов при определении события"));
    }
    const bool hasCommand = events.HasCommand(event);
    SetCell(grid, row, kCommandColumn,
            hasCommand ? SlaveCommandCaption(events.Command(event)) : QString());
    SetCell(grid, row, kLearnColumn, kLearnButton, QStringLiteral("Обучить событию"), hasCommand);
    SetCell(grid, row, kEnabledColumn, events.Enabled(event) ? kMarkOn : QString(),
            QStringLiteral("Разрешить обработку события"), hasCommand || events.Enabled(event));
  }
}

void TSlaveProperties::Click(int row, int column) {
  TSlaveEvents& events = *events_;
  if (row == 0 && column >= kFirstInputColumn && column < kCommandColumn) {
    const int input = column - kFirstInputColumn + 1;
    if (TSlaveEvents::PolarityFixed(input)) return;
    events.TogglePolarity(input);
    Store("vddUpDown");
    return;
  }
  const int event = row - kFirstEventRow + 1;
  if (event < 1 || event > kEvents) return;
  if (column == 0) {
    events.Focus = event;
    host_.ShowPageCommand(QStringLiteral("aSlaveData"));
  } else if (column == kSourceColumn && events.HasSourceFeature(true)) {
    events.ToggleSource(event);
    Store("vddSeqEvent");
  } else if (column >= kFirstInputColumn && column < kCommandColumn) {
    events.ToggleMask(event, column - kFirstInputColumn + 1);
    Store("vddMask");
  } else if (column == kCommandColumn) {
    PopCommandMenu(*grid_, row, column, events.Command(event),
                   [this, event](uint8_t code) { ChooseCommand(event, code); });
  } else if (column == kLearnColumn && events.HasCommand(event)) {
    // After the click has finished: learning may write the module's settings first.
    QTimer::singleShot(0, this, [this, event] { Learn(event); });
  } else if (column == kEnabledColumn && (events.Enabled(event) || events.HasCommand(event))) {
    events.ToggleEnabled(event);
    Store("vddLearned");
  }
}

void TSlaveProperties::ChooseCommand(int event, uint8_t code) {
  events_->SetCommand(event, code);
  Store("vddCmd");
}

void TSlaveProperties::Learn(int event) {
  const QString command =
      QStringLiteral("\"%1\"").arg(SlaveCommandCaption(events_->Command(event)));
  learning_->Start(
      {.Module = kSlaveAddr,
       .WriteCommand = QStringLiteral("aWrite4"),
       .Caption = QStringLiteral("Обучение событию"),
       .Prompt = QStringLiteral("Нажмите кнопку штатного брелка автомобиля для события"),
       .Detail = command,
       .Status = QStringLiteral("Обучение событию ") + command + QStringLiteral("..."),
       .Command = kLearnCommand,
       .Start = {static_cast<uint8_t>(event - 1)},
       .Cancel = {kNoLearnedEvent},
       .TellMainModule = true});
}

TSlaveOptions::TSlaveOptions(IPageHost& host, QWidget* parent)
    : TVDFrame(kSlaveAddr, parent), controls_(BuildTablePage(*this, SlaveOptionsTable(), host)) {}

TSlaveData::TSlaveData(IPageHost& host, std::shared_ptr<TSlaveEvents> events, QWidget* parent)
    : TVDFrame(kSlaveAddr, parent),
      host_(host),
      events_(std::move(events)),
      controls_(BuildTablePage(*this, SlaveDataTable(), host)),
      layout_(FactorySlaveFlashLayout()) {
  problem_ = new QLabel;
  problem_->setObjectName(QStringLiteral("lbLayoutProblem"));
  problem_->setWordWrap(true);
  problem_->setStyleSheet(QStringLiteral("color: #b00000"));
  problem_->hide();
  AddPanel({}, problem_);
  AddDiagrams();
  BindItems();
  connect(events_.get(), &TSlaveEvents::Redraw, this, &TSlaveData::Redraw);
  Redraw();
}

TVDData& TSlaveData::Recording(int event) const {
  return controls_.Get<TVDData>(QStringLiteral("vddM%1").arg(event).toStdString());
}

TVDData& TSlaveData::Sequence(int event) const {
  return controls_.Get<TVDData>(QStringLiteral("vddMS%1").arg(event).toStdString());
}

void TSlaveData::BindItems() {
  for (int event = 1; event <= kEvents; ++event) BindAddress(event);
  static constexpr uint8_t kFactorySequences[] = {kSlaveFactorySequences & 0xFF,
                                                  kSlaveFactorySequences >> 8};
  BindByteTable(controls_.Get<TVDData>("vddSA1"), {.Bytes = sequenceBytes_,
                                                   .Shown = [this] { ApplyLayout(); },
                                                   .FactoryBytes = kFactorySequences});
  BindByteTable(controls_.Get<TVDData>("vddSeqLens"),
                {.Bytes = events_->SequenceLengths, .Shown = [this] { Redraw(); }, .Factory = 0});
  for (int event = 1; event <= kEvents; ++event) {
    const auto e = static_cast<std::size_t>(event - 1);
    BindByteTable(Recording(event),
                  {.Bytes = events_->Recordings[e], .Shown = [this] { Redraw(); }, .Factory = 0});
    BindByteTable(Sequence(event),
                  {.Bytes = events_->Sequences[e], .Shown = [this] { Redraw(); }, .Factory = 0});
  }
}

void TSlaveData::BindAddress(int event) {
  static constexpr auto kFactoryAddresses = [] {
    std::array<std::array<uint8_t, 2>, kSlaveEvents> bytes{};
    for (int e = 0; e < kSlaveEvents; ++e) {
      const int address = kSlaveFactoryRecord + e * kSlaveFactoryRecordStride;
      bytes[static_cast<std::size_t>(e)] = {static_cast<uint8_t>(address & 0xFF),
                                            static_cast<uint8_t>(address >> 8)};
    }
    return bytes;
  }();
  const auto e = static_cast<std::size_t>(event - 1);
  BindByteTable(controls_.Get<TVDData>(QStringLiteral("vddA%1").arg(event).toStdString()),
                {.Bytes = addressBytes_[e],
                 .Shown = [this] { ApplyLayout(); },
                 .FactoryBytes = kFactoryAddresses[e]});
}

// The recordings and sequences move where the module's address records point, and are read
// there again. A layout the flash cannot hold is refused: they keep still, are not written,
// and the page says why.
void TSlaveData::ApplyLayout() {
  TSlaveFlashLayout layout;
  for (std::size_t e = 0; e < addressBytes_.size(); ++e) {
    layout.Records[e] = SlaveRecordAddress(addressBytes_[e][0], addressBytes_[e][1]);
  }
  layout.Sequences = SlaveRecordAddress(sequenceBytes_[0], sequenceBytes_[1]);
  const auto problem = SlaveFlashProblem(layout);
  for (int event = 1; event <= kEvents; ++event) {
    Recording(event).SetDisabled(drRule, problem.has_value());
    Sequence(event).SetDisabled(drRule, problem.has_value());
  }
  problemText_ = problem.value_or(QString());
  problem_->setVisible(problem.has_value());
  problem_->setText(problemText_);
  if (problem) {
    reportProblem_.Request();
    return;
  }
  const bool moved = layout.Records != layout_.Records || layout.Sequences != layout_.Sequences;
  layout_ = layout;
  if (!moved) return;
  for (int event = 1; event <= kEvents; ++event) {
    const auto e = static_cast<std::size_t>(event - 1);
    for (auto [item, address] : {std::pair{&Recording(event), layout_.Records[e]},
                                 std::pair{&Sequence(event), layout_.SequenceAt(event - 1)}}) {
      item->SetAddr(address);
      if (TBaseDeviceMemoryItem* flash = item->GetMem()) flash->ResetReadPlan();
      LoadIfLoaded(*item);
    }
  }
}

void TSlaveData::ReportProblem() {
  if (!problemText_.isEmpty()) host_.ShowStatusText(problemText_, false);
}

QString TSlaveData::LayoutProblem() const {
  return problemText_;
}

void TSlaveData::PageShown() {
  TVDFrame::PageShown();
  const int focus = events_->Focus;
  events_->Focus = -1;
  for (int event = 1; event <= kEvents; ++event) {
    for (TPanelCategory* section : CategoryPanels1()->Categories()) {
      if (section->Panel() == &Diagram(event)) {
        section->SetCollapsed(focus != -1 && focus != event);
      }
    }
  }
}

void TSlaveData::AddDiagrams() {
  for (int event = 1; event <= kEvents; ++event) {
    TVDGrid* grid = MakeGrid("dgData", 1 + kInputs, kMaskColumn + 1);
    grid->setObjectName(QStringLiteral("dgData%1").arg(event));
    grid->setColumnWidth(0, 44);
    // Eight samples to a cell in the page's own font: a long recording scrolls sideways
    // rather than shrinking out of sight.
    const int samplesWidth =
        grid->fontMetrics().horizontalAdvance(QString(kSamplesPerCell, kSamplePictures[1])) +
        kCellPadding;
    for (int column = 1; column < kMaskColumn; ++column) {
      grid->setColumnWidth(column, samplesWidth);
    }
    grid->setSpan(0, 1, 1, kMaskColumn - 1);
    FitHeight(*grid);
    connect(grid, &QTableWidget::cellClicked, this,
            [this, event](int row, int column) { Click(event, row, column); });
    diagrams_[static_cast<std::size_t>(event - 1)] = grid;
    AddPanel(QStringLiteral("Событие %1 ").arg(event), grid);
  }
}

void TSlaveData::Redraw() {
  for (int event = 1; event <= kEvents; ++event) RedrawDiagram(event);
}

void TSlaveData::RedrawDiagram(int event) {
  TVDGrid& grid = Diagram(event);
  const TSlaveEvents& events = *events_;
  SetCell(grid, 0, 0, QStringLiteral("Вход"));
  SetCell(grid, 0, 1,
          events.HasSourceFeature(false)
              ? QStringLiteral("Источник данных: ") + SourceText(events, event)
              : QStringLiteral("Время записи события →"));
  SetCell(grid, 0, kMaskColumn, QStringLiteral("Вкл."));
  const bool sound = LayoutProblem().isEmpty();
  for (int input = 1; input <= kInputs; ++input) {
    SetCell(grid, input, 0, QString::number(input));
    for (int column = 1; column < kMaskColumn; ++column) {
      QString samples;
      if (sound) {
        for (const int picture : events.Pictures(event, input, column)) {
          samples += kSamplePictures[picture];
        }
      }
      SetCell(grid, input, column, samples);
    }
    SetCell(grid, input, kMaskColumn, events.Counts(event, input) ? kMarkOn : QString());
  }
}

void TSlaveData::Click(int event, int row, int column) {
  if (column == kMaskColumn && row >= 1 && row <= kInputs) {
    events_->ToggleMask(event, row);
    emit events_->MaskEdited();
    events_->Changed();
    return;
  }
  host_.ShowPageCommand(QStringLiteral("aSlaveProperties"));
}
