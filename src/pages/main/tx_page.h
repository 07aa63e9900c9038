#pragma once

#include "binding/ui/page_controls.h"
#include "binding/ui/vd_frame.h"

class IPageHost;

// The key fob page of the main module: what the system's key fobs and tags may do, from its
// table, and the two lists of what a repeated press of the car's own key fob does.
class TMainTX : public TVDFrame {
  Q_OBJECT

 public:
  explicit TMainTX(IPageHost& host, QWidget* parent = nullptr);

  const TPageControls& Controls() const { return controls_; }

 private:
  void AddCarKeyFobLists();
  void AddIgnitionNote();

  TPageControls controls_;
};
