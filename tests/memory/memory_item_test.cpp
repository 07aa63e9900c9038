#include <gtest/gtest.h>

#include <functional>
#include <set>

#include "memory/cluster_info.h"
#include "memory/ee_memory_item.h"
#include "memory/lan_dev_error.h"
#include "memory/lan_devices.h"
#include "memory/rw.h"
#include "test_control.h"
#include "test_support.h"

namespace {

// A channel that records its transfers and fails the ones a test asks it to.
class TRecordingRW : public TRW {
 public:
  explicit TRecordingRW(bool live, bool clearDirty) : TRW(live) {
    SetLocations(kPersistentLocations);
    SetClearDirtyAfterWrite(clearDirty);
  }

  bool HasDevice(const TLanDevice&) const override { return true; }
  bool Read(int start, std::span<uint8_t> buffer) override {
    reads.push_back({start, static_cast<int>(buffer.size())});
    if (static_cast<int>(reads.size()) == failRead) {
      CountReadError();
      return false;
    }
    for (size_t i = 0; i < buffer.size(); ++i) buffer[i] = static_cast<uint8_t>(start + i);
    return true;
  }
  TClusterList Write(int start, std::span<const uint8_t> bytes) override {
    writes.push_back({start, static_cast<int>(bytes.size())});
    written.insert(written.end(), bytes.begin(), bytes.end());
    return unconfirm ? unconfirm(start, static_cast<int>(bytes.size())) : TClusterList{};
  }
  void Finish() override {}

  TClusterList reads;
  TClusterList writes;
  std::vector<uint8_t> written;
  int failRead = 0;  // 1-based number of the read that fails; 0: none
  std::function<TClusterList(int, int)> unconfirm;
};

TEST(Clusters, RunsNeverCrossAPageNorExceedIt) {
  struct TCase {
    const char* what;
    std::vector<int> marked;
    int size;
    int block;
    TClusterList runs;
  };
  const auto range = [](int from, int to) {
    std::vector<int> v;
    for (int i = from; i <= to; ++i) v.push_back(i);
    return v;
  };
  const std::vector<TCase> cases = {
      {"split at the page boundary", range(14, 20), 64, 16, {{14, 2}, {16, 5}}},
      {"one byte at a page start", {16}, 64, 16, {{16, 1}}},
      {"40 bytes, pages of 16", range(0, 39), 64, 16, {{0, 16}, {16, 16}, {32, 8}}},
      {"block size 0 counts as 32", range(0, 39), 64, 0, {{0, 32}, {32, 8}}},
      {"gaps close runs", {1, 2, 5, 7, 8}, 64, 16, {{1, 2}, {5, 1}, {7, 2}}},
      {"marks beyond the size are ignored", {2, 3, 10, 11}, 10, 16, {{2, 2}}},
      {"run reaching the end", range(60, 63), 64, 16, {{60, 4}}},
      {"block size 1: every byte alone", {3, 4}, 8, 1, {{3, 1}, {4, 1}}},
      {"nothing marked", {}, 64, 16, {}},
  };
  for (const auto& c : cases) {
    std::vector<bool> marks(64, false);
    for (const int i : c.marked) marks[static_cast<size_t>(i)] = true;
    EXPECT_EQ(BuildClusters(marks, c.size, c.block), c.runs) << c.what;
  }
}

class EeAreaTest : public ::testing::Test {
 protected:
  EeAreaTest() { area = dynamic_cast<TEEMemoryItem*>(devices.FindMem(2, mlExt)); }

  // Binds controls and loads the area through `channel`, so that their bytes are valid.
  void BindAndLoad(std::vector<TTestControl*> controls, TRW& channel) {
    std::vector<IBoundControl*> list(controls.begin(), controls.end());
    devices.BindControls(list, {});
    area->Load(channel);
  }

  TLanDevices devices;
  TEEMemoryItem* area = nullptr;
};

TEST_F(EeAreaTest, StoringIntoAnUnreadByteIsRefusedAndChangesNothing) {
  try {
    area->SetByte(0x1A, 5);
    FAIL() << "no exception";
  } catch (const ELanDev& e) {
    EXPECT_EQ(e.Message(), QStringLiteral("Запись в непрочитанную память по адресу 1a"));
  }
  EXPECT_EQ(area->Image()[0x1A], 0);
  EXPECT_FALSE(area->IsChanged(0x1A));

  area->GetByte(0x1A);
  area->SetByte(0x1A, 5);
  EXPECT_EQ(area->Image()[0x1A], 5);
  EXPECT_TRUE(area->IsChanged(0x1A));
}

TEST_F(EeAreaTest, SameValueMarksChangedOnlyWithForceWrite) {
  struct TCase {
    bool force;
    uint8_t value;
    bool changed;
  };
  const TCase cases[] = {{false, 0, false}, {false, 7, true}, {true, 0, true}, {true, 7, true}};
  for (const auto& c : cases) {
    TLanDevices fresh;
    auto* ext = dynamic_cast<TEEMemoryItem*>(fresh.FindMem(2, mlExt));
    ext->GetByte(3);
    ext->SetForceWrite(c.force);
    ext->SetByte(3, c.value);
    EXPECT_EQ(ext->IsChanged(3), c.changed) << c.force << " " << int(c.value);
    EXPECT_EQ(ext->IsModified(), c.changed);
  }
}

TEST_F(EeAreaTest, StoreRefusesUnloadedAreasAndLocationsTheChannelDoesNotWrite) {
  TRecordingRW bus(true, true);
  EXPECT_FALSE(area->Store(bus));

  TTestControl control(2, mlExt, 4);
  BindAndLoad({&control}, bus);
  control.Value = {9};
  bus.SetLocations({mlInt});
  EXPECT_FALSE(area->Store(bus));
  EXPECT_TRUE(bus.writes.empty());
}

TEST_F(EeAreaTest, BusStoreWritesRunsOfChangesAndClearsThem) {
  TRecordingRW bus(true, true);
  TTestControl low(2, mlExt, 14, 2);
  TTestControl high(2, mlExt, 16, 2);
  BindAndLoad({&low, &high}, bus);
  EXPECT_TRUE(area->IsLoaded());
  EXPECT_FALSE(area->IsModified());

  low.Value = {1, 2};
  high.Value = {3, 4};
  EXPECT_TRUE(area->Store(bus));
  EXPECT_EQ(bus.writes, (TClusterList{{14, 2}, {16, 2}}));
  EXPECT_EQ(bus.written, (std::vector<uint8_t>{1, 2, 3, 4}));
  for (int i = 14; i < 18; ++i) EXPECT_FALSE(area->IsChanged(i)) << i;
  EXPECT_FALSE(area->IsModified());

  bus.writes.clear();
  EXPECT_FALSE(area->Store(bus)) << "nothing changed since";
  EXPECT_TRUE(bus.writes.empty());
}

TEST_F(EeAreaTest, UnconfirmedBytesStayChangedForTheNextWrite) {
  TRecordingRW bus(true, true);
  TTestControl control(2, mlExt, 16, 2);
  BindAndLoad({&control}, bus);
  control.Value = {5, 6};
  bus.unconfirm = [](int start, int) { return TClusterList{{start + 1, 1}}; };
  EXPECT_TRUE(area->Store(bus));
  EXPECT_FALSE(area->IsChanged(16));
  EXPECT_TRUE(area->IsChanged(17));
  EXPECT_TRUE(area->IsModified());

  bus.unconfirm = nullptr;
  bus.writes.clear();
  EXPECT_TRUE(area->Store(bus));
  EXPECT_EQ(bus.writes, (TClusterList{{17, 1}}));
  EXPECT_FALSE(area->IsModified());
}

// What is pending is what differs from the module's bytes as last read or confirmed written,
// in the bits a setting shows; a write that is not confirmed, or that reads back otherwise,
// moves nothing.
TEST_F(EeAreaTest, TheBaselineFollowsReadsAndConfirmedWritesOnly) {
  TRecordingRW bus(true, true);
  TTestControl control(2, mlExt, 16, 2);
  BindAndLoad({&control}, bus);  // the module holds 16, 17 there
  EXPECT_FALSE(area->AnyPending()) << "just read";

  control.Value = {16 ^ 0x01, 17};
  area->TakeControlValues();
  EXPECT_TRUE(area->IsPending(16, 1, 0x01));
  EXPECT_FALSE(area->IsPending(16, 1, 0xFE)) << "bits the setting does not show";
  control.Value = {16, 17};
  area->TakeControlValues();
  EXPECT_FALSE(area->AnyPending()) << "changed back is not pending";
  EXPECT_TRUE(area->IsChanged(16)) << "though the write still sends it";

  control.Value = {1, 2};
  bus.unconfirm = [](int start, int) { return TClusterList{{start + 1, 1}}; };
  EXPECT_TRUE(area->Store(bus));
  EXPECT_FALSE(area->IsPending(16, 1, 0xFF)) << "confirmed";
  EXPECT_TRUE(area->IsPending(17, 1, 0xFF)) << "not confirmed";

  area->RestoreBaseline(17, 1, 0xFF);
  EXPECT_EQ(area->Image()[17], 17);
  EXPECT_FALSE(area->AnyPending());

  bus.unconfirm = nullptr;
  bus.SetVerifyWrites(true);  // reads back 16, 17: not what is sent
  control.Value = {7, 8};
  EXPECT_TRUE(area->Store(bus));
  ASSERT_TRUE(area->WriteMismatch().has_value());
  EXPECT_TRUE(area->IsPending(16, 2, 0xFF)) << "read back otherwise";

  TRecordingRW file(false, false);
  EXPECT_TRUE(area->Store(file));
  EXPECT_TRUE(area->IsPending(16, 2, 0xFF)) << "a saved file is no module";
}

TEST_F(EeAreaTest, FileStoreWritesEveryStoredByteAndKeepsTheChanges) {
  TRecordingRW bus(true, true);
  TTestControl control(2, mlExt, 20, 2);
  BindAndLoad({&control}, bus);
  control.Value = control.Shown;  // unchanged values

  TRecordingRW file(false, false);
  EXPECT_TRUE(area->Store(file));
  EXPECT_EQ(file.writes, (TClusterList{{20, 2}}));
  EXPECT_TRUE(area->IsChanged(20));
  EXPECT_EQ(area->RW(), nullptr) << "the area's own channel is restored";
}

TEST_F(EeAreaTest, ReadFailingPartWayStopsTheAreaButLoadsIt) {
  TRecordingRW bus(true, true);
  bus.failRead = 2;
  TTestControl first(2, mlExt, 0);
  TTestControl second(2, mlExt, 40);
  TTestControl third(2, mlExt, 80);
  BindAndLoad({&first, &second, &third}, bus);

  EXPECT_EQ(bus.reads, (TClusterList{{0, 1}, {40, 1}}));
  EXPECT_TRUE(area->IsLoaded());
  EXPECT_EQ(first.Loads, 1);
  EXPECT_EQ(second.Loads, 0);
  EXPECT_EQ(third.Loads, 0);
  EXPECT_TRUE(area->IsValid(0));
  EXPECT_FALSE(area->IsValid(40));
  EXPECT_THROW(area->SetByte(40, 1), ELanDev) << "an unread byte cannot be stored";
}

TEST_F(EeAreaTest, ReadPlanCoversGuardBytesOnlyOnTheBus) {
  TTestControl control(2, mlExt, 4);
  control.ReadOnlyAddr = 267;
  devices.BindControls(std::vector<IBoundControl*>{&control}, {});

  TRecordingRW file(false, false);
  area->Load(file);
  EXPECT_EQ(file.reads, (TClusterList{{4, 1}}));
  EXPECT_TRUE(area->IsChanged(4)) << "values from a file must be written later";

  TRecordingRW bus(true, true);
  area->Load(bus);
  EXPECT_EQ(bus.reads, (TClusterList{{4, 1}, {267, 1}}));
}

TEST_F(EeAreaTest, DefaultsMarkEveryControlsBytesAndLoadTheArea) {
  TTestControl control(2, mlExt, 30, 2);
  control.Default = {7, 8};
  devices.BindControls(std::vector<IBoundControl*>{&control}, {});
  TRecordingRW bus(true, true);
  std::vector<QString> texts;
  devices.SetOnModified([&] { texts.push_back(QStringLiteral("modified")); });
  area->SetDefaults(bus);

  EXPECT_EQ(control.Defaults, 1);
  EXPECT_TRUE(area->IsLoaded());
  EXPECT_TRUE(area->IsModified());
  EXPECT_TRUE(area->IsValid(30) && area->IsValid(31));
  EXPECT_TRUE(area->IsChanged(30) && area->IsChanged(31));
  EXPECT_EQ(texts.size(), 1u);

  EXPECT_TRUE(area->Store(bus));
  EXPECT_EQ(bus.written, (std::vector<uint8_t>{7, 8}));
}

TEST_F(EeAreaTest, TwinsAreToldAndUnboundControlsStayUnbound) {
  TTestControl a(2, mlExt, 5);
  TTestControl b(2, mlExt, 5);
  TTestControl nowhere(0, mlExt, 5);
  TTestControl noArea(2, mlInt, 5);
  std::vector<QString> status;
  devices.BindControls(std::vector<IBoundControl*>{&a, &b, &nowhere, &noArea},
                       [&](const QString& text) { status.push_back(text); });
  EXPECT_EQ(a.GetMem(), area);
  EXPECT_EQ(nowhere.GetMem(), nullptr);
  EXPECT_EQ(noArea.GetMem(), nullptr);
  EXPECT_EQ(area->Controls().size(), 2u);
  EXPECT_EQ(status.front(), QStringLiteral("Загрузка элементов: "));
  EXPECT_EQ(status[1], QStringLiteral("Загрузка элементов: Главный модуль"));
  EXPECT_EQ(status.back(), QString());

  area->NotifyControls(&a, 1);
  EXPECT_EQ(a.Synchronized, 0);
  EXPECT_EQ(b.Synchronized, 1);
}

TEST(Registry, LookupsFollowTheModuleTable) {
  TLanDevices devices;
  EXPECT_EQ(devices.Count(), 14);
  EXPECT_EQ(devices.FindMem(2, mlInt), nullptr);
  const TDeviceMemoryItem* gsm = devices.FindMem(3, mlInt);
  ASSERT_NE(gsm, nullptr);
  EXPECT_EQ(gsm->Size(), 2048);
  EXPECT_EQ(gsm->GetTitle(), QStringLiteral("GSM : Память настроек"));
  EXPECT_EQ(devices.FindMem(2, mlExt)->GetTitle(),
            QStringLiteral("Главный модуль : Память настроек"));
  EXPECT_EQ(devices.FindMem(0, mlExt), nullptr);
  EXPECT_EQ(devices.FindDevice(21)->PacketSize(), 1);
  EXPECT_EQ(devices.FindDevice(20)->EndCommand(), kNoEndCommand);
}

TEST(Registry, ModifiedEventOnlyForLoadedAreas) {
  TLanDevices devices;
  int events = 0;
  devices.SetOnModified([&] { ++events; });
  TDeviceMemoryItem* area = devices.FindMem(3, mlInt);
  area->SetModified(true);
  EXPECT_EQ(events, 0);
  area->SetLoaded(true);
  area->SetModified(true);
  EXPECT_EQ(events, 1);
  EXPECT_TRUE(devices.FindDevice(3)->AnyModified({mlInt}));
  EXPECT_FALSE(devices.FindDevice(3)->AnyModified({mlExt}));
  EXPECT_FALSE(devices.FindDevice(3)->AllLoaded(kPersistentLocations));
  devices.MarkAllNotLoaded();
  EXPECT_FALSE(area->IsLoaded());
}

}  // namespace
