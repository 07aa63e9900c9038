#pragma once

#include "binding/ui/page_controls.h"
#include "binding/ui/vd_frame.h"

class IPageHost;
class QDialog;

// The security page of the main module: immobiliser, repeated authorisation, anti-hijack and
// engine blocking, from its table, with the rules between its boxes, the confirmation of
// double access and the rule that frees the digital output's pin on the outputs page.
class TMainSecurity : public TVDFrame {
  Q_OBJECT

 public:
  explicit TMainSecurity(IPageHost& host, QWidget* parent = nullptr);

  const TPageControls& Controls() const { return controls_; }
  // The first digital output is on and the second off: the first drives the board's digital
  // output pin, which no output function may take.
  bool DigitalOutputTakesPin() const;
  // The window that explains the anti-hijack timings; the button shows it modally.
  QDialog* AntiHijackHelp();

 private:
  void AttachSpeedReset();
  void AttachDoubleAccess();
  void AttachDigitalOutput();
  void AttachDelaySpan();
  void AddAntiHijackButton();
  void FreeDigitalOutputPin();

  IPageHost& host_;
  TPageControls controls_;
  QDialog* antiHijackHelp_ = nullptr;
};
