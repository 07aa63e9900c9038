#pragma once

#include "binding/ui/page_controls.h"
#include "binding/ui/vd_frame.h"

class IPageHost;

// The engine start module's page.
class TRelayIOPage : public TVDFrame {
  Q_OBJECT

 public:
  explicit TRelayIOPage(IPageHost& host, QWidget* parent = nullptr);

  const TPageControls& Controls() const { return controls_; }

 private:
  IPageHost& host_;
  TPageControls controls_;
};
