#pragma once

#include <QCheckBox>

#include "binding/bound_control_base.h"
#include "binding/ui/vd_events.h"

// A setting of one bit. Its caption turns bold while the box differs from its default; the
// box keeps the width of its bold look, so that nothing beside it moves.
class TVDCheckBox : public QCheckBox, public TBoundControlBase {
  Q_OBJECT

 public:
  explicit TVDCheckBox(QWidget* parent = nullptr);

  bool DefaultValue() const { return default_; }
  void SetDefaultValue(bool value);
  // Page logic setting the box acts exactly as the user's click.
  void SetChecked(bool checked) { setChecked(checked); }

  // The page's rule, run after every change of the box, whoever made it.
  TNotifyEvent OnClick;

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

  QString ControlName() const override { return objectName(); }
  bool IsDefault() const override { return isChecked() == default_; }
  void ShowEnabled(bool enabled) override { setEnabled(enabled); }
  void ShowVisible(bool visible) override { setVisible(visible); }
  void Load() override;
  void Store() override;
  QString GetCaption() const override { return text(); }
  QString GetValueText() const override;
  void SetDefault() override { setChecked(default_); }
  void Synchronize(IBoundControl* sender, int value) override;

 signals:
  // The user changed the same cell on another page. Pages that keep state of their own
  // beside the bit follow it here; a load never emits this.
  void ChangedByTwin(bool checked);

 private:
  void Toggled(bool checked);
  // Shows a value the area already holds, so twins and the area need no telling.
  void ShowQuietly(bool checked);

  bool default_ = false;
  bool quiet_ = false;
};
