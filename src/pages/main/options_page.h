#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "binding/control_table.h"
#include "binding/ui/page_controls.h"
#include "binding/ui/vd_frame.h"

class IPageHost;
class QPushButton;
class TVDTrackBar;

// The options page of the main module: its table plus the rules a table cannot state.
class TMainOptions : public TVDFrame {
  Q_OBJECT

 public:
  explicit TMainOptions(IPageHost& host, QWidget* parent = nullptr);

  const TPageControls& Controls() const { return controls_; }
  // The two data bytes of the last command 1 the tag transceiver sent to the main module;
  // the imitation buttons send them. Both are 0 until such a message has been seen.
  void SetTransceiverCode(std::array<uint8_t, 2> code) { transceiverCode_ = code; }

 private:
  void AddPinFields();
  void AddImitationButtons();
  void AttachOverloads();
  void VersionLoaded(uint8_t major);
  void BoardRevisionLoaded(uint8_t revision);
  void ApplyOverloadScale();
  void SendImitation(QPushButton& button, uint8_t command);

  IPageHost& host_;
  TPageControls controls_;
  TVDTrackBar& leftSide_;
  TVDTrackBar& rightSide_;
  uint8_t versionMajor_ = 0;
  uint8_t boardRevision_ = 0;
  // Zero until the firmware rule first sets the scale, so the labels show no current.
  std::array<uint8_t, 2> transceiverCode_{};
};
