#pragma once

#include <QColor>
#include <QLabel>

#include "binding/bound_control_base.h"
#include "binding/ui/vd_events.h"

// An indicator: a square marker, lit while Active, followed by the caption. It shows a bit
// of a live value or whatever its page's handler makes of the byte.
class TVDLabel : public QLabel, public TBoundControlBase {
  Q_OBJECT

 public:
  explicit TVDLabel(QWidget* parent = nullptr);

  bool Active() const { return active_; }
  void SetActive(bool active);
  int MarkerOffset() const { return markerOffset_; }
  void SetMarkerOffset(int offset);
  QColor MarkerColor() const { return markerColor_; }
  void SetMarkerColor(const QColor& color);

  // Gets the byte with index 0 instead of the bit being shown.
  TLoadDataEvent OnLoad;

  QString ControlName() const override { return objectName(); }
  bool IsDefault() const override { return true; }
  void ShowEnabled(bool enabled) override { setEnabled(enabled); }
  void ShowVisible(bool visible) override { setVisible(visible); }
  void Load() override;
  void Store() override {}
  QString GetCaption() const override { return text(); }
  QString GetValueText() const override { return {}; }
  void SetDefault() override {}
  void Synchronize(IBoundControl*, int) override {}

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override { return sizeHint(); }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  int MarkerSide() const;

  bool active_ = false;
  int markerOffset_ = 8;
  QColor markerColor_;
};
