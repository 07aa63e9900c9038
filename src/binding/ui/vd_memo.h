#pragma once

#include <QPlainTextEdit>

#include "binding/bound_control_base.h"
#include "binding/ui/vd_events.h"

// A text setting (stString) or a list of byte-wise lines that the page writes (stArray).
// Line breaks are kept as CR LF in the cell.
class TVDMemo : public QPlainTextEdit, public TBoundControlBase {
  Q_OBJECT

 public:
  explicit TVDMemo(QWidget* parent = nullptr);

  QString Text() const { return toPlainText(); }
  void SetText(const QString& text) { setPlainText(text); }
  QString DefaultValue() const { return default_; }
  void SetDefaultValue(const QString& value);
  // The characters the cell holds: the memo takes no more, read or not, so that what it
  // shows is what a store writes.
  int MaxLength() const;

  // Called per byte: after each character of a text, or with an empty line per array byte.
  TLoadStrEvent OnLoad;

  QString ControlName() const override { return objectName(); }
  bool IsDefault() const override { return default_.isEmpty() || Text() == default_; }
  void ShowEnabled(bool enabled) override { setEnabled(enabled); }
  void ShowVisible(bool visible) override { setVisible(visible); }
  void Load() override;
  void Store() override;
  QString GetCaption() const override { return {}; }
  QString GetValueText() const override { return Text(); }
  void SetDefault() override { SetText(default_); }
  void Synchronize(IBoundControl*, int) override {}

 protected:
  // The text changed, by the user or by a load.
  virtual void TextChanged() {}

 private:
  void Edited();
  QString LoadText(TBaseDeviceMemoryItem& mem);

  QString default_;
  bool quiet_ = false;
};
