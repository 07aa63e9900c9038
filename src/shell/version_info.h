#pragma once

#include <QLabel>
#include <QString>
#include <cstdint>
#include <functional>
#include <map>
#include <span>
#include <vector>

#include "binding/ui/vd_frame.h"
#include "binding/ui/vd_label.h"
#include "shell/version_rules.h"

class IPageHost;
class QAction;
class QGridLayout;
class TLanDevices;
class TPanelCategory;

// The module information page: which modules answer and what firmware and boards they run.
// Every version record is a live data item; the page reacts to each byte as it loads and
// tells the rest of the program what it learnt through its signals.
class TVersionInfo : public TVDFrame {
  Q_OBJECT

 public:
  static constexpr char kPageName[] = "VersionInfo";
  // The page command that shows the page, run again by "Обновить".
  static constexpr char kCommand[] = "aVersionInfo";

  TVersionInfo(TLanDevices& devices, IPageHost& host, QWidget* parent = nullptr);

  // The presence labels follow what the registry last saw, without asking the modules.
  void PageShown() override;
  // The adapter is gone: whether any module is connected is not known until it is back and
  // the page is shown or refreshed again.
  void ShowPresenceUnknown();

  // A value label by name ("lbMainVersion"); the names are fixed by the page's table.
  QLabel& ValueLabel(const QString& name) const { return Control<QLabel>(name); }
  // The presence label of a panel by its module's bus address (24 for the CAN module).
  TVDLabel& PresenceLabel(uint8_t lanAddr) const;
  // A section's caption as the page wants it shown; captions change with what the
  // modules report ("GSM (модуль)").
  QString PanelCaption(int index) const { return panelCaptions_[static_cast<size_t>(index)]; }
  QAction* RefreshAction() const { return refresh_; }
  bool ValidatorPresent() const { return validatorPresent_; }
  bool RelayModulePresent() const { return relayPresent_; }

 signals:
  void MainVersionChanged(uint8_t major, uint8_t minor);
  // The firmware generation that decides the main module's memory sizes.
  void MainGenerationChanged(int generation);
  // The main board is of the newer kind (its outputs differ).
  void NewerBoardFound();
  void GsmVersionChanged(uint8_t major, uint8_t minor);
  void ValidatorPresentChanged(bool present);
  void RelayModulePresentChanged(bool present);
  // The presence labels were refreshed: pages that derive views from the fitted modules
  // rebuild them.
  void PresenceRefreshed();
  // The firmware of the main module or the validator needs another program.
  void VersionNoticeDue(const TVersionNotice& notice);

 private:
  // Bytes of one record as they load; the handler runs for every byte.
  using TRecordHandler = std::function<void(std::span<const uint8_t> bytes, int index)>;

  void BuildPanels();
  void AttachRecord(const char* name, TRecordHandler handler);
  void SetPanelCaption(int index, const QString& caption);
  void SetPresence(TVDLabel& label, bool present);
  void ResetShockLabels();
  void ShowSecondShock(const QString& text);

  void MainFirmware(std::span<const uint8_t> b, int index);
  void MainBoard(std::span<const uint8_t> b, int index);
  void MainConfiguration(std::span<const uint8_t> b, int index);
  void MainGenerationByte(std::span<const uint8_t> b, int index);
  void CanRecord(std::span<const uint8_t> b, int index);
  void GsmRecord(std::span<const uint8_t> b, int index);
  void GpsRecord(std::span<const uint8_t> b, int index);
  void ValidatorRecord(std::span<const uint8_t> b, int index);
  void ShockRecord(std::span<const uint8_t> b, int index);
  void TagRecord(std::span<const uint8_t> b, int index);
  void ShowBoardCode();

  TLanDevices& devices_;
  IPageHost& host_;
  QAction* refresh_;
  std::vector<QString> panelCaptions_;
  std::vector<std::pair<uint8_t, TVDLabel*>> presence_;
  // The records' bytes as far as they have loaded, by data item.
  std::map<QString, std::vector<uint8_t>> records_;
  bool boardLoaded_ = false;
  bool newerBoard_ = false;
  QString shockText_;
  bool validatorPresent_ = false;
  bool relayPresent_ = false;
};
