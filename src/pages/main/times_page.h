#pragma once

#include "binding/ui/page_controls.h"
#include "binding/ui/vd_frame.h"

class IPageHost;

// The times page of the main module: pulse lengths of the drives and the light timers, all
// from its table.
class TMainTimes : public TVDFrame {
  Q_OBJECT

 public:
  explicit TMainTimes(IPageHost& host, QWidget* parent = nullptr);

  const TPageControls& Controls() const { return controls_; }

 private:
  void AddWindowLiftNote();

  TPageControls controls_;
};
