#include "shell/version_info.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QRegularExpression>
#include <map>
#include <optional>
#include <set>
#include <vector>

#include "binding/ui/category_panels.h"
#include "binding/ui/vd_check_box.h"
#include "fake_page_host.h"
#include "link/lan_msg.h"
#include "memory/ee_memory_item.h"
#include "memory/lan_devices.h"
#include "memory/rw.h"
#include "shell/command_table.h"
#include "test_support.h"

namespace {

// A channel that serves an area's bytes from an image of the module's memory, the way a read
// over the bus would.
class TImageRW : public TRW {
 public:
  explicit TImageRW(std::vector<uint8_t> image) : TRW(true), image_(std::move(image)) {}
  bool HasDevice(const TLanDevice&) const override { return true; }
  bool Read(int start, std::span<uint8_t> buffer) override {
    std::copy_n(image_.begin() + start, buffer.size(), buffer.begin());
    return true;
  }
  TClusterList Write(int, std::span<const uint8_t>) override { return {}; }
  void Finish() override {}

 private:
  std::vector<uint8_t> image_;
};

class VersionInfoTest : public ::testing::Test {
 protected:
  VersionInfoTest() : page(devices, host) {
    devices.BindControls(page.BoundControls(), {});
    QObject::connect(
        &page, &TVersionInfo::MainVersionChanged,
        [this](uint8_t major, uint8_t minor) { mainVersions.emplace_back(major, minor); });
    QObject::connect(&page, &TVersionInfo::MainGenerationChanged,
                     [this](int generation) { generations.push_back(generation); });
    QObject::connect(&page, &TVersionInfo::GsmVersionChanged, [this](uint8_t major, uint8_t minor) {
      gsmVersion = {major, minor};
    });
    QObject::connect(&page, &TVersionInfo::NewerBoardFound, [this] { ++newerBoards; });
    QObject::connect(&page, &TVersionInfo::VersionNoticeDue,
                     [this](const TVersionNotice& notice) { notices.push_back(notice); });
  }

  // A module's answer to the status request, handed over as the registry gets it from the bus.
  void Status(uint8_t source, std::vector<uint8_t> bytes) {
    TLanMsg msg;
    msg.Source = source;
    msg.Dest = 1;
    msg.Command = 48;
    msg.IsAnswer = 1;
    msg.Length = static_cast<uint8_t>(bytes.size());
    std::copy(bytes.begin(), bytes.end(), msg.Data.begin());
    devices.DispatchMessage(msg);
  }

  // Reads the main module's `location` after the module's memory got `bytes` at `addr`.
  void ReadMain(TMemoryLocation location, int addr, std::vector<uint8_t> bytes) {
    auto* area = dynamic_cast<TEEMemoryItem*>(devices.FindMem(2, location));
    std::vector<uint8_t>& image = moduleMemory[location];
    image.resize(static_cast<size_t>(area->Size()));
    std::copy(bytes.begin(), bytes.end(), image.begin() + addr);
    TImageRW rw(image);
    area->Load(rw);
  }

  QString Text(const char* label) const { return page.ValueLabel(QLatin1String(label)).text(); }

  TLanDevices devices;
  TFakePageHost host;
  TVersionInfo page;
  std::vector<std::pair<int, int>> mainVersions;
  std::vector<int> generations;
  std::optional<std::pair<int, int>> gsmVersion;
  int newerBoards = 0;
  std::vector<TVersionNotice> notices;
  std::map<TMemoryLocation, std::vector<uint8_t>> moduleMemory;
};

TEST_F(VersionInfoTest, EveryValueStartsUnknownAndEveryModuleDisconnected) {
  for (const char* label :
       {"lbMainVersion", "lbMainBoard", "lbMainFirstVersion", "lbCanVersion", "lbCanGroup",
        "lbTagVersion", "lbGsmVersion", "lbShockVersion", "lbValidatorVersion", "lbGpsVersion"}) {
    EXPECT_EQ(Text(label), QStringLiteral("?")) << label;
  }
  for (uint8_t addr : {2, 24, 3, 4, 11, 13, 14, 15, 20, 21, 22, 23, 25}) {
    EXPECT_EQ(page.PresenceLabel(addr).text(), QStringLiteral("Не подключен")) << int(addr);
    EXPECT_FALSE(page.PresenceLabel(addr).Active());
  }
  EXPECT_EQ(page.CategoryPanels1()->Categories().size(), 13u);
  EXPECT_EQ(page.PanelCaption(12), QStringLiteral("Модуль GPS"));
}

// A module is called by one name wherever the installer meets it: the bus vocabulary's, on
// this page, in the module panel, in the selection of areas and in every message.
TEST_F(VersionInfoTest, ModulesAreCalledByTheBusVocabularysNamesEverywhere) {
  std::set<QString> vocabulary;
  for (int addr = 0; addr < kModuleNameCount; ++addr) vocabulary.insert(ModuleName(addr));
  for (const TPanelCategory* category : page.CategoryPanels1()->Categories()) {
    const auto presence =
        category->Panel()->findChildren<QLabel*>(QRegularExpression(QStringLiteral("^lbPresence")));
    ASSERT_EQ(presence.size(), 1) << category->Caption().toStdString();
    const int addr = presence[0]->objectName().mid(10).toInt();
    EXPECT_EQ(category->Caption(), ModuleName(addr));
  }
  for (const TPanelCategorySpec& category : ModulePanelCategories()) {
    const QString caption = QString::fromUtf8(category.Caption);
    if (caption == QStringLiteral("Информация")) continue;
    EXPECT_TRUE(vocabulary.contains(caption)) << category.Caption;
  }
  std::set<QString> titles;
  for (int i = 0; i < devices.Count(); ++i) {
    const TLanDevice& device = devices.Items(i);
    EXPECT_EQ(device.Title(), ModuleName(device.LanAddr()));
    EXPECT_TRUE(titles.insert(device.Title()).second) << device.Title().toStdString();
  }
}

TEST_F(VersionInfoTest, MainFirmwareActsOnceItsFifthByteHasLoaded) {
  Status(2, {0x05, 0x34, 0x15, 0x03, 0x24, 0x04});
  EXPECT_EQ(Text("lbMainVersion"), QStringLiteral("05.34 от 15.03.2024"));
  EXPECT_EQ(mainVersions, (std::vector<std::pair<int, int>>{{5, 0x34}}));
  EXPECT_TRUE(notices.empty());
  // The board code is unknown until the board record has been read.
  EXPECT_EQ(Text("lbMainBoard"), QStringLiteral("?"));

  // The CAN record in the same status does not touch the firmware record.
  Status(2, {1, 8, 3, 13, 2, 1, 12, 3, 0, 0, 0, 0});
  EXPECT_EQ(mainVersions.size(), 1u);
}

TEST_F(VersionInfoTest, FirmwareThisProgramIsNotBuiltForRaisesTheNotice) {
  struct TCase {
    uint8_t Major, Minor;
    bool Notice;
    int Number;
  };
  for (const TCase& c : {TCase{5, 0x33, true, 32}, TCase{6, 0x01, true, 0}, TCase{4, 0x75, true, 4},
                         TCase{5, 0x00, false, 0}, TCase{0, 0x34, false, 0}}) {
    notices.clear();
    Status(2, {c.Major, c.Minor, 1, 1, 0x24, 0});
    ASSERT_EQ(notices.size(), c.Notice ? 1u : 0u) << int(c.Major) << "." << int(c.Minor);
    if (c.Notice) {
      EXPECT_EQ(notices[0].ArchiveNumber, c.Number);
    }
  }
  // A hex digit in the minor byte is shown as such and raises nothing.
  Status(2, {0x05, 0x1A, 0x01, 0x02, 0x24, 0});
  EXPECT_EQ(Text("lbMainVersion"), QStringLiteral("05.1A от 01.02.2024"));
}

TEST_F(VersionInfoTest, CanRecordShowsPublicVersionGroupProtocolAndPresence) {
  Status(2, {1, 8, 3, 13, 2, 1, 12, 3, 0, 0, 0, 0});
  Status(2, {0, 0, 0, 0});
  EXPECT_EQ(Text("lbCanVersion"), QStringLiteral("6.3.245"));
  EXPECT_EQ(page.ValueLabel(QStringLiteral("lbCanVersion")).toolTip(),
            QStringLiteral("Внутр. версия: 1.8.3.13"));
  EXPECT_EQ(Text("lbCanGroup"), QStringLiteral("12 / 03"));
  EXPECT_EQ(Text("lbCanProtocol"), QStringLiteral("2.1"));
  EXPECT_EQ(page.PresenceLabel(24).text(), QStringLiteral("Подключен"));
  EXPECT_TRUE(page.PresenceLabel(24).Active());

  Status(2, {1, 8, 2, 193, 2, 1, 255, 0, 0, 0, 0, 0});
  EXPECT_EQ(Text("lbCanVersion"), QStringLiteral("Update VD"));
  EXPECT_EQ(Text("lbCanGroup"), QStringLiteral("?"));

  Status(2, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
  EXPECT_EQ(page.PresenceLabel(24).text(), QStringLiteral("Не подключен"));
  EXPECT_FALSE(page.PresenceLabel(24).Active());
}

TEST_F(VersionInfoTest, GsmRecordWithAndWithoutDate) {
  Status(3, {27, 14, 12, 3, 23, 5});
  EXPECT_EQ(Text("lbGsmVersion"), QStringLiteral("27.14 от 12.03.2023"));
  EXPECT_EQ(Text("lbGsmBoard"), QStringLiteral("5"));
  EXPECT_FALSE(page.ValueLabel(QStringLiteral("lbGsmBoard")).isHidden());
  EXPECT_EQ(gsmVersion, std::make_pair(27, 14));
  EXPECT_EQ(page.PanelCaption(3), QStringLiteral("GSM (модуль)"));

  // An older module answers with its version only.
  Status(3, {9, 4});
  EXPECT_EQ(Text("lbGsmVersion"), QStringLiteral("09.04"));
  EXPECT_TRUE(page.ValueLabel(QStringLiteral("lbGsmBoard")).isHidden());
  EXPECT_TRUE(page.ValueLabel(QStringLiteral("lbGsmBoardCaption")).isHidden());
  EXPECT_EQ(gsmVersion, std::make_pair(9, 4));
}

TEST_F(VersionInfoTest, GpsRecordNeedsANonZeroMajor) {
  Status(11, {0, 2, 5, 6, 22, 0});
  EXPECT_EQ(Text("lbGpsVersion"), QStringLiteral("?"));
  Status(11, {3, 2, 5, 6, 22, 0});
  EXPECT_EQ(Text("lbGpsVersion"), QStringLiteral("03.02 от 05.06.2022"));
}

TEST_F(VersionInfoTest, ShortRecordsShowMajorDotMinor) {
  struct TCase {
    uint8_t Module;
    const char* Label;
  };
  for (const TCase& c :
       {TCase{4, "lbSlaveVersion"}, TCase{15, "lbInputsVersion"}, TCase{13, "lbRelayVersion"},
        TCase{14, "lbValidatorVersion"}, TCase{23, "lbTiltVersion"},
        TCase{21, "lbMicrowaveVersion"}, TCase{22, "lbMicrowave2Version"}}) {
    Status(c.Module, {2, 11});
    EXPECT_EQ(Text(c.Label), QStringLiteral("2.11")) << c.Label;
  }
  Status(25, {4, 4, 2});
  EXPECT_EQ(Text("lbTagVersion"), QStringLiteral("4.4"));
  EXPECT_EQ(Text("lbTagBoard"), QStringLiteral("2"));
  EXPECT_TRUE(notices.empty());
}

TEST_F(VersionInfoTest, ValidatorOfMajorEightRaisesTheValidatorNoticeOncePerRecord) {
  Status(14, {8, 1});
  ASSERT_EQ(notices.size(), 1u);
  EXPECT_EQ(notices[0].ArchiveNumber, 4);
  EXPECT_EQ(notices[0].Text,
            QStringLiteral("Будет открыт Vardex, подходящий для вашей версии валидатора"));
  EXPECT_EQ(Text("lbValidatorVersion"), QStringLiteral("8.1"));
}

TEST_F(VersionInfoTest, SecondShockSensorWithOtherFirmwareShowsOnTheSecondLine) {
  Status(20, {3, 4});
  EXPECT_EQ(Text("lbShockVersion"), QStringLiteral("3.4"));
  EXPECT_EQ(Text("lbShockVersion2"), QString());
  Status(20, {3, 4});
  EXPECT_EQ(Text("lbShockVersion2"), QString());
  Status(20, {3, 5});
  EXPECT_EQ(Text("lbShockVersion"), QStringLiteral("3.4"));
  EXPECT_EQ(Text("lbShockVersion2"), QStringLiteral("3.5"));

  // Showing the page again starts the count over.
  page.PageShown();
  EXPECT_EQ(Text("lbShockVersion"), QStringLiteral("?"));
  EXPECT_EQ(Text("lbShockVersion2"), QString());
}

TEST_F(VersionInfoTest, BoardRecordNamesTheBoardAndTheNewerBoardTakesItsGenerationFromFlash) {
  Status(2, {0x05, 0x34, 0x15, 0x03, 0x24, 0x04});
  ReadMain(mlFlash, 65408, {0x00, 16, 0x05, 0x20, 0x14, 0x02, 0x19, 0x00});
  EXPECT_EQ(Text("lbMainFirstVersion"), QStringLiteral("05.20 от 14.02.2019"));
  EXPECT_EQ(Text("lbMainBoard"), QStringLiteral("10"));
  EXPECT_EQ(Text("lbBoardTypeCaption"), QStringLiteral("Тип платы:"));
  EXPECT_EQ(Text("lbBoardType"), QStringLiteral("Tarsk 4"));
  EXPECT_EQ(newerBoards, 1);
  // The generation byte follows the board record in the same read; 0xFF means 3.
  generations.clear();
  ReadMain(mlFlash, 65474, {0xFF});
  EXPECT_EQ(generations, std::vector<int>{3});
  ReadMain(mlFlash, 65474, {4});
  EXPECT_EQ(generations.back(), 4);
}

TEST_F(VersionInfoTest, BoardTypeFollowsTypeCodeAndVariantAndUnknownCodesShowNone) {
  struct TCase {
    std::vector<uint8_t> Record;
    const char* Caption;
    const char* Value;
  };
  for (const TCase& c : {TCase{{0, 16, 0x04, 0x44, 2, 0x09, 0x11, 0}, "Тип платы:", "Tarsk 3"},
                         TCase{{0, 16, 0x04, 0x44, 0, 0x09, 0x11, 0}, "Тип платы:", "Mirel 3"},
                         TCase{{0, 20, 0x05, 0x40, 1, 0x01, 0x22, 0}, "Тип платы:", "Tarsk 5"},
                         TCase{{0, 7, 0x04, 0x44, 0, 0x09, 0x11, 0}, "", ""}}) {
    ReadMain(mlFlash, 65408, c.Record);
    EXPECT_EQ(Text("lbBoardTypeCaption"), QString::fromUtf8(c.Caption));
    EXPECT_EQ(Text("lbBoardType"), QString::fromUtf8(c.Value));
  }
  EXPECT_EQ(newerBoards, 1);
}

TEST_F(VersionInfoTest, GenerationByteIsIgnoredOnOlderBoards) {
  ReadMain(mlFlash, 65408, {0, 16, 0x04, 0x44, 2, 0x09, 0x11, 0});
  ReadMain(mlFlash, 65474, {0xFF});
  EXPECT_TRUE(generations.empty());
}

TEST_F(VersionInfoTest, ConfigurationByteNamesTheVariantAndSetsTheGeneration) {
  struct TCase {
    uint8_t Byte;
    const char* Caption;
    int Generation;
  };
  for (const TCase& c :
       {TCase{0x00, "Главный модуль", 2}, TCase{0x04, "Главный модуль (Mirelon / Tarskon )", 3},
        TCase{0x22, "Главный модуль (Veltra 2.5)", 2},
        TCase{0x20, "Главный модуль (Ostrin 2.5 / Palmey 2.5)", 2},
        TCase{0x02, "Главный модуль (Ravelo 2.5)", 2},
        TCase{0x01, "Главный модуль (Zentis 2.5)", 2}}) {
    generations.clear();
    ReadMain(mlExt, 0, {c.Byte});
    EXPECT_EQ(page.PanelCaption(0), QString::fromUtf8(c.Caption)) << int(c.Byte);
    EXPECT_EQ(generations, std::vector<int>{c.Generation}) << int(c.Byte);
  }
}

TEST_F(VersionInfoTest, PresenceSwitchesAreBitsOfTheMainFlashWithTheirDefaults) {
  struct TCase {
    const char* Name;
    int Addr;
    int Bit;
    bool Default;
  };
  for (const TCase& c :
       {TCase{"cbCheckCan", 64001, 0, true}, TCase{"cbCheckTag", 64001, 1, true},
        TCase{"cbCheckGsm", 64000, 0, true}, TCase{"cbCheckTilt", 64000, 5, true},
        TCase{"cbCheckShock", 64000, 2, true}, TCase{"cbCheckMicrowave", 64000, 3, false},
        TCase{"cbCheckMicrowave2", 64000, 4, false}, TCase{"cbCheckSlave", 64000, 1, false},
        TCase{"cbCheckInputs", 64000, 7, false}, TCase{"cbCheckValidator", 64001, 2, false},
        TCase{"cbCheckRelay", 64001, 3, false}}) {
    auto& box = page.Control<TVDCheckBox>(QLatin1String(c.Name));
    EXPECT_EQ(box.text(), QStringLiteral("Проверять наличие"));
    EXPECT_EQ(box.GetMem(), devices.FindMem(2, mlFlash)) << c.Name;
    EXPECT_EQ(box.GetAddr(), c.Addr) << c.Name;
    EXPECT_EQ(box.GetStartBit(), c.Bit) << c.Name;
    EXPECT_EQ(box.DefaultValue(), c.Default) << c.Name;
  }
  // Read from the module: GSM, shock and tilt sensors; CAN module and tag transceiver.
  ReadMain(mlFlash, 64000, {0x25, 0x03});
  EXPECT_TRUE(page.Control<TVDCheckBox>(QStringLiteral("cbCheckTilt")).isChecked());
  EXPECT_FALSE(page.Control<TVDCheckBox>(QStringLiteral("cbCheckSlave")).isChecked());
  EXPECT_FALSE(page.Control<TVDCheckBox>(QStringLiteral("cbCheckValidator")).isChecked());
}

TEST_F(VersionInfoTest, RefreshShowsThePageAgain) {
  page.RefreshAction()->trigger();
  EXPECT_EQ(host.Shown, QStringList{QStringLiteral("aVersionInfo")});
  EXPECT_EQ(page.actions().size(), 1);
  EXPECT_EQ(page.RefreshAction()->text(), QStringLiteral("Обновить"));
}

}  // namespace
