#pragma once

#include <functional>

#include "binding/bound_control_base.h"

// Watches the main module's board configuration byte (byte 0 of its settings image) for the
// pages: every load of that image, whether read, opened from a file or reset to factory
// settings, reports the board generation. It belongs to no page, so no page's read plan asks
// for the image on its account.
class TBoardWatch : public TBoundControlBase {
 public:
  explicit TBoardWatch(std::function<void(int generation)> changed);

  QString ControlName() const override { return QStringLiteral("vddBoardConfig"); }
  bool IsDefault() const override { return true; }
  void Load() override;
  // The byte belongs to the outputs page; the watch never writes it.
  void Store() override {}
  QString GetCaption() const override { return {}; }
  QString GetValueText() const override { return {}; }
  void SetDefault() override {}
  void Synchronize(IBoundControl*, int) override {}

 private:
  std::function<void(int)> changed_;
};
