#include "pages/can/can_options_page.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include "../main/bus_page_fixture.h"
#include "binding/ui/vd_data.h"
#include "pages/can/can_links.h"
#include "sim/virtual_main_module.h"
#include "sim/virtual_vehicle.h"

namespace {

constexpr uint8_t kToCanInterface = 123;

using TCanOptionsTest = TBusPageTest<TCanOptions>;

// What went to the CAN interface through the main module.
std::vector<std::vector<uint8_t>> InterfaceCommands(const std::vector<TLanMsg>& sent) {
  std::vector<std::vector<uint8_t>> commands;
  for (const TLanMsg& msg : sent) {
    if (msg.Dest != kMainModuleAddr || msg.Command != kToCanInterface) continue;
    commands.emplace_back(msg.Data.begin(), msg.Data.begin() + msg.Length);
  }
  return commands;
}

void Load(const TCanOptions& page, const char* item, std::initializer_list<uint8_t> bytes) {
  auto& data = page.Controls().Get<TVDData>(item);
  int i = 0;
  for (const uint8_t byte : bytes) data.OnLoad(data, byte, i++);
}

TEST_F(TCanOptionsTest, ChoosingABrandThenAModelSelectsItsGroupAndSubgroup) {
  page.ChooseBrand(page.CarBox().findText(QStringLiteral("Audi")));
  EXPECT_EQ(page.ModelBox().count(), 16);
  page.ChooseModel(page.ModelBox().findText(QStringLiteral("A4 (2008--)")));
  EXPECT_EQ(page.GroupBox().currentText(), QStringLiteral("12"));
  EXPECT_EQ(page.SubGroupBox().currentText(), QStringLiteral("1"));
  EXPECT_EQ(page.SubGroupBox().count(), 1);

  page.GroupBox().setCurrentIndex(page.GroupBox().findText(QStringLiteral("7")));
  page.ChooseGroup();
  EXPECT_EQ(page.CarBox().currentIndex(), -1);
  EXPECT_EQ(page.ModelBox().currentIndex(), -1);
  QStringList subgroups;
  for (int i = 0; i < page.SubGroupBox().count(); ++i) subgroups << page.SubGroupBox().itemText(i);
  EXPECT_EQ(subgroups, QStringList({"1", "2", "3", "4", "5"}));
}

TEST_F(TCanOptionsTest, TheModelListFollowsWhatIsTyped) {
  page.ModelSearch().setText(QStringLiteral("kia"));
  emit page.ModelSearch().textEdited(QStringLiteral("kia"));
  EXPECT_EQ(page.ModelBox().count(), 8);
  page.ChooseModel(page.ModelBox().findText(QStringLiteral("Mohave")));
  EXPECT_EQ(page.GroupBox().currentText(), QStringLiteral("21"));
}

TEST_F(TCanOptionsTest, AModelGivesTheChoicesItsHintUnlessTheGroupIsUnknown) {
  TCanLinks links;
  TCanOptions linked(host, &links);
  QStringList hints;
  QObject::connect(&links, &TCanLinks::ChoiceHint, [&](const QString& hint) { hints << hint; });
  linked.ChooseModel(linked.ModelBox().findText(QStringLiteral("A1")));
  ASSERT_EQ(hints.size(), 1);
  EXPECT_TRUE(hints[0].contains(QStringLiteral("SAFE")));
  Load(linked, "VDData1", {255});
  EXPECT_EQ(linked.CurrentGroup().text(), QStringLiteral("<не определена>"));
  linked.ChooseModel(linked.ModelBox().findText(QStringLiteral("A3 (2010--)")));
  EXPECT_EQ(hints.size(), 1);
}

TEST_F(TCanOptionsTest, LiveBytesShowGroupSubgroupAndProtocolVersion) {
  Load(page, "VDData1", {12});
  Load(page, "VDData2", {3});
  EXPECT_EQ(page.CurrentGroup().text(), QStringLiteral("12"));
  EXPECT_EQ(page.CurrentSubgroup().text(), QStringLiteral("3"));
  Load(page, "vddCanPacketID_09", {0, 0, 0, 0, 7, 2});
  EXPECT_EQ(page.CurrentGroup().text(), QStringLiteral("7"));
  EXPECT_EQ(page.CurrentSubgroup().text(), QStringLiteral("2"));
  Load(page, "vddCanPacketID_0D", {1, 2, 0x10, 0x00});
  EXPECT_EQ(page.ProtocolVersion().text(), QStringLiteral("1.2.16"));
}

TEST_F(TCanOptionsTest, SettingTheCarSendsGroupAndSubgroupAndRefusesNumbersAboveAByte) {
  page.GroupBox().setEditText(QStringLiteral("300"));
  page.SubGroupBox().setEditText(QStringLiteral("1"));
  page.SetCarModel();
  ASSERT_FALSE(host.Status.isEmpty());
  EXPECT_TRUE(host.Status.back().startsWith(QStringLiteral("Группа")))
      << host.Status.back().toStdString();
  page.GroupBox().setEditText(QStringLiteral("12"));
  page.SubGroupBox().setEditText(QStringLiteral("x"));
  page.SetCarModel();
  EXPECT_TRUE(host.Status.back().startsWith(QStringLiteral("Подгруппа")));

  page.SubGroupBox().setEditText(QStringLiteral("1"));
  page.SetCarModel();
  EXPECT_EQ(InterfaceCommands(Sent()), (std::vector<std::vector<uint8_t>>{{16, 12, 1}}))
      << "the refused numbers sent nothing";
}

TEST_F(TCanOptionsTest, ServiceButtonsAndTheVersionRequestSendTheirCommands) {
  Click("btCanCommand17");
  EXPECT_EQ(InterfaceCommands(Sent()), (std::vector<std::vector<uint8_t>>{{17}}));
  page.RequestVersion();
  SpinFor(std::chrono::milliseconds(700));
  EXPECT_EQ(InterfaceCommands(Sent()), (std::vector<std::vector<uint8_t>>{{62, 1}, {62, 5}}));
}

// The whole way: the page, the bus worker, the adapter and the virtual main module, which
// passes the data on to the CAN interface behind it.
TEST_F(TCanOptionsTest, TheVirtualCanInterfaceTakesTheCarAndTheCarCommands) {
  page.GroupBox().setEditText(QStringLiteral("22"));
  page.SubGroupBox().setEditText(QStringLiteral("2"));
  page.SetCarModel();
  Click("btCanCommand13");
  Sent();
  vehicle->WithVehicle([](TVirtualVehicle& v) {
    const TVirtualCanInterface& can = v.MainModule()->CanInterface();
    EXPECT_EQ(can.Group(), 22);
    EXPECT_EQ(can.Subgroup(), 2);
    EXPECT_EQ(can.CarCommands(), std::vector<uint8_t>{13});
  });
}

}  // namespace
