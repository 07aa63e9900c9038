#pragma once

#include <QPointer>

#include "binding/ui/vd_bound_label.h"
#include "binding/ui/vd_memo.h"

// A memo with its setting's name above it; the name turns bold while the text differs from
// a non-empty default.
class TVDLabeledMemo : public TVDMemo {
  Q_OBJECT

 public:
  explicit TVDLabeledMemo(QWidget* parent = nullptr);
  ~TVDLabeledMemo() override;

  TVDBoundLabel* ExtLabel() const { return extLabel_; }
  TLabelPosition ExtLabelPosition() const { return extLabelPosition_; }
  void SetExtLabelPosition(TLabelPosition position) { extLabelPosition_ = position; }
  int ExtLabelSpacing() const { return extLabelSpacing_; }
  void SetExtLabelSpacing(int spacing) { extLabelSpacing_ = spacing; }

  QString GetCaption() const override { return extLabel_ ? extLabel_->text() : QString(); }
  void setVisible(bool visible) override;

 protected:
  void TextChanged() override;
  void changeEvent(QEvent* event) override;

 private:
  QPointer<TVDBoundLabel> extLabel_;
  TLabelPosition extLabelPosition_ = lpAbove;
  int extLabelSpacing_ = 3;
};
