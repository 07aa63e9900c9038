#pragma once

#include <functional>
#include <vector>

#include "binding/ui/page_controls.h"
#include "binding/ui/vd_frame.h"

class IPageHost;
class TFormulaLabel;

// The radio parameters of the transceiver at bus address 5: its table, and the figures that
// follow from the register fields (bandwidth, data rate, channel spacing, the wake-on-radio
// times), worked out again whenever one of their fields changes.
class TRadioPage : public TVDFrame {
  Q_OBJECT

 public:
  explicit TRadioPage(IPageHost& host, QWidget* parent = nullptr);

  const TPageControls& Controls() const { return controls_; }
  // The figure labels in page order: bandwidth, data rate, channel spacing, receive timeout
  // factor, Event 0 period, Event 1 time.
  const std::vector<TFormulaLabel*>& Figures() const { return figures_; }

 private:
  int Field(const char* name) const;
  void AddFigure(const char* section, const char* caption, std::function<QString()> text);
  void AddFigures();
  void FollowInputs();
  void RecomputeFigures();

  TPageControls controls_;
  std::vector<TFormulaLabel*> figures_;
};
