#pragma once

#include <array>
#include <memory>

#include "binding/ui/coalesced_call.h"
#include "binding/ui/page_controls.h"
#include "binding/ui/vd_frame.h"
#include "pages/extension/slave_records.h"

class IPageHost;
class QLabel;
class TLearnSession;
class TSlaveEvents;
class TVDData;
class TVDGrid;

// The slave module's page of events: which inputs make each event, its command, whether it
// is on, the polarities of the inputs, and learning an event from the car's own key fob.
class TSlaveProperties : public TVDFrame {
  Q_OBJECT

 public:
  TSlaveProperties(IPageHost& host, std::shared_ptr<TSlaveEvents> events,
                   QWidget* parent = nullptr);

  const TPageControls& Controls() const { return controls_; }
  TVDGrid& Grid() const { return *grid_; }
  TLearnSession& Learning() const { return *learning_; }
  const TSlaveEvents& Events() const { return *events_; }

  void PageShown() override;
  void PageHidden() override;

  // Grid layout: row 0 the header, row 1 the inputs, rows 2 to 9 the events.
  static constexpr int kFirstEventRow = 2;
  static constexpr int kSourceColumn = 1;
  static constexpr int kFirstInputColumn = 2;
  static constexpr int kCommandColumn = 8;
  static constexpr int kLearnColumn = 9;
  static constexpr int kEnabledColumn = 10;

  void Click(int row, int column);
  // The command menu's choice for an event.
  void ChooseCommand(int event, uint8_t code);

 private:
  void BindItems();
  void AddGrid();
  void Store(const char* item);
  void Redraw();
  void Learn(int event);

  IPageHost& host_;
  std::shared_ptr<TSlaveEvents> events_;
  TPageControls controls_;
  TVDGrid* grid_ = nullptr;
  TLearnSession* learning_ = nullptr;
};

// The slave module's recording parameters.
class TSlaveOptions : public TVDFrame {
  Q_OBJECT

 public:
  explicit TSlaveOptions(IPageHost& host, QWidget* parent = nullptr);

  const TPageControls& Controls() const { return controls_; }

 private:
  TPageControls controls_;
};

// The slave module's recordings: one timing diagram per event, read from the data flash where
// the module's address records point. A layout that would put a recording outside the flash
// or over another one is refused: the recordings are then neither shown nor written.
class TSlaveData : public TVDFrame {
  Q_OBJECT

 public:
  TSlaveData(IPageHost& host, std::shared_ptr<TSlaveEvents> events, QWidget* parent = nullptr);

  const TPageControls& Controls() const { return controls_; }
  TVDGrid& Diagram(int event) const { return *diagrams_.at(static_cast<std::size_t>(event - 1)); }
  // Why the recordings are refused; empty while their layout is sound.
  QString LayoutProblem() const;
  // Opens the diagram of the event the events page asked for, or all of them.
  void PageShown() override;

  static constexpr int kMaskColumn = 16;
  void Click(int event, int row, int column);

 private:
  void BindItems();
  void BindAddress(int event);
  void ApplyLayout();
  void ReportProblem();
  void AddDiagrams();
  void Redraw();
  void RedrawDiagram(int event);
  TVDData& Recording(int event) const;
  TVDData& Sequence(int event) const;

  IPageHost& host_;
  std::shared_ptr<TSlaveEvents> events_;
  TPageControls controls_;
  TSlaveFlashLayout layout_;
  std::array<std::array<uint8_t, 2>, kSlaveEvents> addressBytes_{};
  std::array<uint8_t, 2> sequenceBytes_{};
  std::array<TVDGrid*, kSlaveEvents> diagrams_{};
  QString problemText_;
  QLabel* problem_ = nullptr;
  // The address records load one after another, and a layout half loaded may look broken:
  // the status line hears of a problem only once the loads are over and it still stands.
  TCoalescedCall reportProblem_{*this, [this] { ReportProblem(); }};
};
