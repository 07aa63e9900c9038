#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

#include "binding/bound_control_base.h"
#include "binding/ui/vd_events.h"

// Raw bytes (stArray) that the page shows in a control of its own: the handlers get every
// byte with its index on load, give every byte back on store and produce the factory bytes.
class TVDData : public QObject, public TBoundControlBase {
  Q_OBJECT

 public:
  explicit TVDData(QObject* parent = nullptr) : QObject(parent) {}

  QWidget* Control() const { return control_; }
  // The control that shows the bytes; it is enabled by the availability guard.
  void SetControl(QWidget* control) { control_ = control; }

  TLoadDataEvent OnLoad;
  TStoreDataEvent OnStore;
  TSetDefaultEvent OnSetDefaultState;
  TAsStringEvent OnAsString;
  TOnSetEnableEvent OnSetEnableEvent;

  QString ControlName() const override { return objectName(); }
  bool IsDefault() const override { return true; }
  // The shown control greys with the item, and hides with it.
  void ShowEnabled(bool enabled) override;
  void ShowVisible(bool visible) override;
  void Load() override;
  void Store() override;
  // Stores what the page's own control changed at once, not only at the next write: the
  // area counts as changed when a byte did, and twins on other pages show the new bytes.
  void StoreEdited();
  QString GetCaption() const override { return control_ ? control_->objectName() : QString(); }
  QString GetValueText() const override;
  void SetDefault() override;
  // Two pages that keep the same bytes in their own state must not write back different
  // ones: an edit on one reloads the other.
  void Synchronize(IBoundControl* sender, int) override;

 private:
  bool StoreBytes();

  QPointer<QWidget> control_;
};
