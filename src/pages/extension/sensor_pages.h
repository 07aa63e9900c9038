#pragma once

#include <array>
#include <optional>

#include "binding/ui/page_controls.h"
#include "binding/ui/vd_frame.h"
#include "pages/extension/extension_modules.h"

class IPageHost;
class QComboBox;
class QPushButton;
class THeldLamp;

// The tilt sensor's page: its table, the notes of its sections and the diagnostic lamps that
// hold a short event long enough to be seen.
class TTiltOptions : public TVDFrame {
  Q_OBJECT

 public:
  explicit TTiltOptions(IPageHost& host, QWidget* parent = nullptr);

  const TPageControls& Controls() const { return controls_; }

 private:
  void AddNotes();
  void AttachLamps();

  TPageControls controls_;
};

// The shock sensor's page. Four of its settings exist from sensor firmware 3.6 on; the page
// remembers the first two versions it sees (a second sensor may answer at the same address).
class TShockOptions : public TVDFrame {
  Q_OBJECT

 public:
  explicit TShockOptions(IPageHost& host, QWidget* parent = nullptr);

  const TPageControls& Controls() const { return controls_; }
  void PageShown() override;
  // The versions seen since the page was last shown, as "%d.%d", or "?".
  QString FirstVersion() const;
  QString SecondVersion() const;

 private:
  void TakeVersionByte(uint8_t byte, int index);
  void ApplyVersions();

  TPageControls controls_;
  std::array<uint8_t, 2> versionBytes_{};
  std::optional<TModuleVersion> first_;
  std::optional<TModuleVersion> second_;
};

// The tag transceiver's page: its table, the radio channel list and switching the
// transceiver off and on.
class TTransceiverPage : public TVDFrame {
  Q_OBJECT

 public:
  explicit TTransceiverPage(IPageHost& host, QWidget* parent = nullptr);

  const TPageControls& Controls() const { return controls_; }
  QComboBox& ChannelList() const { return *channels_; }

 private:
  void AddChannelList();
  void AddPowerButtons();
  void ShowChannel();
  void ChooseChannel(int entry);
  void SwitchOff(QPushButton& button);
  void SetPower(QPushButton& button, bool on);
  void WritePower(QPushButton& button, uint8_t stored, bool on);

  IPageHost& host_;
  TPageControls controls_;
  uint8_t channelByte_ = 0;
  QComboBox* channels_ = nullptr;
};
