#pragma once

#include <QString>
#include <array>
#include <cstdint>

#include "binding/ui/page_controls.h"
#include "binding/ui/vd_frame.h"

class IPageHost;
class QLineEdit;
class QTableWidget;
class QToolButton;

// The properties page of the GSM module: the subscribers' phone numbers and what each may
// do, the SMS centre, the PIN codes, the balance request and the commands the owner may
// assign to three keys.
class TGSMPropertiesGSMPager : public TVDFrame {
  Q_OBJECT

 public:
  explicit TGSMPropertiesGSMPager(IPageHost& host, QWidget* parent = nullptr);

  const TPageControls& Controls() const { return controls_; }
  // The code assigned to row 5, 6 or 7 of the command grid; 255 is none.
  uint8_t AssignedCommand(int row) const;
  // Assigns the command of list index `index` (-1: none) as the user's menu choice does.
  void AssignCommand(int row, int index);

 private:
  void AddPhones();
  void AddSmsCentre();
  void AddPins();
  void AttachMainPin();
  void AddBalance();
  void AddCommandGrid();
  void AttachCommandCells();
  void ShowAssigned(int row);
  QLineEdit* TextEdit(const char* name, const QString& pattern);

  TPageControls controls_;
  QLineEdit* mainPin_ = nullptr;
  std::array<uint8_t, 4> mainPinBytes_{};
  QTableWidget* commandGrid_ = nullptr;
  std::array<uint8_t, 3> commands_{255, 255, 255};
  std::array<QToolButton*, 3> commandButtons_{};
};
