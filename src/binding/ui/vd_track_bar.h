#pragma once

#include <QPointer>
#include <QSlider>
#include <functional>
#include <utility>

#include "binding/bound_control_base.h"
#include "binding/ui/vd_bound_label.h"
#include "binding/ui/vd_events.h"

// A setting with a range of positions. ExtLabel names the setting, ValueLabel shows the
// position as text and turns bold while it differs from the default. Both labels are
// siblings that whoever lays out the page places by their positions; they follow the track
// bar's visibility and enabled state.
class TVDTrackBar : public QSlider, public TBoundControlBase {
  Q_OBJECT

 public:
  explicit TVDTrackBar(QWidget* parent = nullptr);
  ~TVDTrackBar() override;

  TVDBoundLabel* ExtLabel() const { return extLabel_; }
  TVDBoundLabel* ValueLabel() const { return valueLabel_; }
  TLabelPosition ExtLabelPosition() const { return extLabelPosition_; }
  void SetExtLabelPosition(TLabelPosition position) { extLabelPosition_ = position; }
  TLabelPosition ValueLabelPosition() const { return valueLabelPosition_; }
  void SetValueLabelPosition(TLabelPosition position) { valueLabelPosition_ = position; }
  int ExtLabelSpacing() const { return extLabelSpacing_; }
  void SetExtLabelSpacing(int spacing) { extLabelSpacing_ = spacing; }
  int ValueLabelSpacing() const { return valueLabelSpacing_; }
  void SetValueLabelSpacing(int spacing) { valueLabelSpacing_ = spacing; }

  int Position() const { return value(); }
  // Page logic moving the bar acts as the user's move.
  void SetPosition(int position) { setValue(position); }
  int DefaultValue() const { return default_; }
  void SetDefaultValue(int value);
  // The value label's text for a position; without it the label shows the position.
  void SetValueFormat(std::function<QString(int position)> format);
  // Shows the value label again, for a format that depends on more than the position.
  void RefreshValueLabel() { ShowPosition(value()); }
  // Marks the span of positions [from, to] beside the groove, for a range that other
  // settings give this one; an empty span (to < from) marks nothing.
  void SetSelection(int from, int to);
  std::pair<int, int> Selection() const { return selection_; }

  // Stored value to position, and back.
  TLoadIntIntEvent OnLoad;
  TStoreIntIntEvent OnStore;
  // The page's rule after every change of the position.
  TNotifyEvent OnChange;

  QString ControlName() const override { return objectName(); }
  bool IsDefault() const override { return value() == default_; }
  void ShowEnabled(bool enabled) override { setEnabled(enabled); }
  void ShowVisible(bool visible) override { setVisible(visible); }
  void Load() override;
  void Store() override;
  QString GetCaption() const override;
  QString GetValueText() const override;
  void SetDefault() override;
  void Synchronize(IBoundControl* sender, int value) override;
  void setVisible(bool visible) override;

 protected:
  void changeEvent(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  void Changed(bool quiet);
  void ShowPosition(int position);

  QPointer<TVDBoundLabel> extLabel_;
  QPointer<TVDBoundLabel> valueLabel_;
  TLabelPosition extLabelPosition_ = lpLeft;
  TLabelPosition valueLabelPosition_ = lpRight;
  int extLabelSpacing_ = 8;
  int valueLabelSpacing_ = 4;
  std::function<QString(int)> valueFormat_;
  int default_ = 0;
  std::pair<int, int> selection_{0, -1};
  bool quiet_ = false;
  // The value loaded lay outside the range: it is stored back as it was, not as shown.
  bool keepsStored_ = false;
};
