#include <gtest/gtest.h>

#include <memory>

#include "binding/ui/vd_check_box.h"
#include "fake_page_host.h"
#include "link/adapter.h"
#include "memory/lan_devices.h"
#include "memory/lan_rw.h"
#include "memory/msg_memory_item.h"
#include "shell/version_info.h"
#include "sim_link.h"
#include "test_support.h"

namespace {

// The page against the virtual vehicle, wired as the main window wires it: bus messages go
// to the registry, the generation the page finds goes back to the registry's transfers.
class VersionInfoSimTest : public ::testing::Test {
 protected:
  void SetUp() override {
    TSimOptions options;
    options.Silent = {20};  // the shock sensor is fitted but never answers
    vehicle = MakeTestVehicle(options);
    adapter = ConnectTo(vehicle);
    ASSERT_TRUE(adapter->IsConnected());
    adapter->SetOnDeviceMessage(
        [this](TAdapter&, const TLanMsg& msg) { devices.DispatchMessage(msg); });
    rw.SetAdapter(adapter.get());
    rw.SetClearDirtyAfterWrite(true);
    rw.SetLocations(kPersistentLocations);
    devices.SetRW(&rw);

    page = std::make_unique<TVersionInfo>(devices, host);
    devices.BindControls(page->BoundControls(), {});
    QObject::connect(page.get(), &TVersionInfo::MainGenerationChanged,
                     [this](int generation) { devices.SetMainGeneration(generation); });
  }

  void TearDown() override {
    page.reset();
    devices.SetRW(nullptr);
  }

  // What showing the page does: every module's status requested, the queue drained at the
  // link's pace until `done` holds.
  template <class Condition>
  bool RequestStatusUntil(Condition done) {
    for (int i = 0; i < devices.Count(); ++i) {
      if (auto* area = dynamic_cast<TMsgMemoryItem*>(devices.Items(i).FindItem(mlMsg))) {
        area->RequestUpdate();
      }
    }
    return SpinUntil([&] {
      adapter->ProcessQueue();
      return done();
    });
  }

  QString Text(const char* label) const { return page->ValueLabel(QLatin1String(label)).text(); }

  std::shared_ptr<TVirtualAdapter> vehicle;
  std::unique_ptr<TAdapter> adapter;
  TLanRW rw;
  TLanDevices devices;
  TFakePageHost host;
  std::unique_ptr<TVersionInfo> page;
};

TEST_F(VersionInfoSimTest, StatusAnswersFillThePageWithTheSimulatedVersions) {
  ASSERT_TRUE(RequestStatusUntil([&] {
    return Text("lbGpsVersion") != QStringLiteral("?") &&
           Text("lbTagVersion") != QStringLiteral("?") &&
           Text("lbCanVersion") != QStringLiteral("?");
  }));
  EXPECT_EQ(Text("lbMainVersion"), QStringLiteral("05.34 от 15.03.2024"));
  EXPECT_EQ(Text("lbCanVersion"), QStringLiteral("6.4.404"));
  EXPECT_EQ(Text("lbCanGroup"), QStringLiteral("12 / 03"));
  EXPECT_EQ(Text("lbCanProtocol"), QStringLiteral("2.1"));
  EXPECT_EQ(page->PresenceLabel(24).text(), QStringLiteral("Подключен"));
  EXPECT_EQ(Text("lbGsmVersion"), QStringLiteral("27.14 от 12.03.2023"));
  EXPECT_EQ(Text("lbGsmBoard"), QStringLiteral("5"));
  EXPECT_EQ(Text("lbGpsVersion"), QStringLiteral("03.02 от 05.06.2022"));
  EXPECT_EQ(Text("lbSlaveVersion"), QStringLiteral("2.7"));
  EXPECT_EQ(Text("lbInputsVersion"), QStringLiteral("1.4"));
  EXPECT_EQ(Text("lbRelayVersion"), QStringLiteral("3.1"));
  EXPECT_EQ(Text("lbValidatorVersion"), QStringLiteral("7.2"));
  EXPECT_EQ(Text("lbTiltVersion"), QStringLiteral("1.5"));
  EXPECT_EQ(Text("lbMicrowaveVersion"), QStringLiteral("2.0"));
  EXPECT_EQ(Text("lbTagVersion"), QStringLiteral("4.4"));
  EXPECT_EQ(Text("lbTagBoard"), QStringLiteral("2"));
  EXPECT_EQ(Text("lbShockVersion"), QStringLiteral("?"));

  // Reading the main module brings the variant, the board and the presence switches.
  devices.ReadDevice(devices.FindDevice(2), {mlExt, mlFlash}, {});
  EXPECT_EQ(page->PanelCaption(0), QStringLiteral("Главный модуль (Mirelon / Tarskon )"));
  EXPECT_EQ(devices.MainGeneration(), 3);
  EXPECT_EQ(Text("lbMainBoard"), QStringLiteral("10"));
  EXPECT_EQ(Text("lbBoardType"), QStringLiteral("Tarsk 4"));
  EXPECT_EQ(Text("lbMainFirstVersion"), QStringLiteral("05.20 от 14.02.2019"));
  EXPECT_TRUE(page->Control<TVDCheckBox>(QStringLiteral("cbCheckGsm")).isChecked());
  EXPECT_FALSE(page->Control<TVDCheckBox>(QStringLiteral("cbCheckSlave")).isChecked());
}

TEST_F(VersionInfoSimTest, PresenceLabelsShowWhatTheRegistryLastSawWithoutAsking) {
  bool validator = false;
  bool relay = false;
  QObject::connect(page.get(), &TVersionInfo::ValidatorPresentChanged,
                   [&](bool present) { validator = present; });
  QObject::connect(page.get(), &TVersionInfo::RelayModulePresentChanged,
                   [&](bool present) { relay = present; });
  for (int addr : {2, 3, 13, 14, 20, 25}) devices.FindDevice(addr)->IsPresent();
  vehicle->TakeSentByPc();

  page->PageShown();
  EXPECT_TRUE(vehicle->TakeSentByPc().empty());
  for (uint8_t addr : {2, 3, 13, 14, 25}) {
    EXPECT_EQ(page->PresenceLabel(addr).text(), QStringLiteral("Подключен")) << int(addr);
    EXPECT_TRUE(page->PresenceLabel(addr).Active());
  }
  // The silent shock sensor, and the GPS module nobody asked about yet.
  EXPECT_EQ(page->PresenceLabel(20).text(), QStringLiteral("Не подключен"));
  EXPECT_EQ(page->PresenceLabel(11).text(), QStringLiteral("Не подключен"));
  EXPECT_TRUE(validator);
  EXPECT_TRUE(relay);
  EXPECT_TRUE(page->ValidatorPresent());
}

}  // namespace
