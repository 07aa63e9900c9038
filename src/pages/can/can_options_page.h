#pragma once

#include <cstdint>

#include "binding/ui/page_controls.h"
#include "binding/ui/vd_frame.h"

class IPageHost;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class TCanLinks;

// The control page of the CAN interface: the car group and subgroup it works with and its
// protocol version, the choice of the car by brand and model (or by group and subgroup)
// and the commands that set it, reset the interface and ask it for its version, and the
// service commands. Everything goes to the main module, which passes it on.
class TCanOptions : public TVDFrame {
  Q_OBJECT

 public:
  explicit TCanOptions(IPageHost& host, TCanLinks* links = nullptr, QWidget* parent = nullptr);

  const TPageControls& Controls() const { return controls_; }
  QComboBox& CarBox() const { return *carBox_; }
  QComboBox& ModelBox() const { return *modelBox_; }
  QComboBox& GroupBox() const { return *groupBox_; }
  QComboBox& SubGroupBox() const { return *subGroupBox_; }
  QLineEdit& ModelSearch() const { return *modelSearch_; }
  QLabel& CurrentGroup() const { return *group_; }
  QLabel& CurrentSubgroup() const { return *subgroup_; }
  QLabel& ProtocolVersion() const { return *protocol_; }

  // The user's choices, as the lists report them.
  void ChooseBrand(int index);
  void ChooseModel(int index);
  void ChooseGroup();
  void ChooseSubgroup();
  void SetCarModel();
  void RequestVersion();

 private:
  void BuildControlPanel();
  void BuildServiceCommands();
  void AttachLiveData();
  void ShowModels(const QStringList& models);
  void ShowSubgroups(const std::vector<int>& subgroups);
  void Send(QPushButton* button, std::initializer_list<uint8_t> data);

  IPageHost& host_;
  TCanLinks* links_;
  TPageControls controls_;
  QComboBox* carBox_ = nullptr;
  QComboBox* modelBox_ = nullptr;
  QComboBox* groupBox_ = nullptr;
  QComboBox* subGroupBox_ = nullptr;
  QLineEdit* modelSearch_ = nullptr;
  QLabel* group_ = nullptr;
  QLabel* subgroup_ = nullptr;
  QLabel* protocol_ = nullptr;
  QPushButton* reset_ = nullptr;
  QPushButton* request_ = nullptr;
  QPushButton* setModel_ = nullptr;
  uint8_t packet09_[6] = {};
  uint8_t packet0D_[4] = {};
};
