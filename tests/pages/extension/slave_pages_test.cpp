#include "pages/extension/slave_pages.h"

#include <gtest/gtest.h>

#include <QTableWidgetItem>

#include "binding/ui/vd_data.h"
#include "binding/ui/vd_grid.h"
#include "learning_fixture.h"
#include "memory/lan_rw.h"
#include "pages/extension/learn_session.h"
#include "pages/extension/slave_events.h"

namespace {

using namespace std::chrono_literals;

constexpr uint8_t kSlave = 4;

// A slave page on the virtual vehicle, read and written as the main window does.
template <class TPage>
class TSlavePageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    rw.SetAdapter(adapter.get());
    rw.SetClearDirtyAfterWrite(true);
    rw.SetLocations(kPersistentLocations);
    registry.SetRW(&rw);
    registry.BindControls(page.BoundControls(), {});
  }
  void TearDown() override { registry.SetRW(nullptr); }

  void Read() { registry.ReadDevice(registry.FindDevice(kSlave), kPersistentLocations, {}); }
  void Write() { registry.WriteDevice(registry.FindDevice(kSlave), kPersistentLocations, {}); }
  void Poke(int location, std::size_t address, std::vector<uint8_t> bytes) {
    vehicle->WithVehicle([&](TVirtualVehicle& car) {
      std::ranges::copy(bytes, car.Module(kSlave)->Memory(location).begin() +
                                   static_cast<std::ptrdiff_t>(address));
      return 0;
    });
  }
  std::vector<uint8_t> Peek(int location, std::size_t address, std::size_t count) {
    return vehicle->WithVehicle([&](TVirtualVehicle& car) {
      const auto& memory = car.Module(kSlave)->Memory(location);
      return std::vector<uint8_t>(memory.begin() + static_cast<std::ptrdiff_t>(address),
                                  memory.begin() + static_cast<std::ptrdiff_t>(address + count));
    });
  }

  std::shared_ptr<TVirtualAdapter> vehicle = MakeTestVehicle();
  std::unique_ptr<TAdapter> adapter = ConnectTo(vehicle);
  TFakePageHost host;
  std::shared_ptr<TSlaveEvents> events = std::make_shared<TSlaveEvents>();
  TPage page{host, events};
  TLanRW rw;
  TLanDevices registry;
};

using SlaveData = TSlavePageTest<TSlaveData>;
using SlaveProperties = TSlavePageTest<TSlaveProperties>;

TEST_F(SlaveData, RecordingsAreReadWhereTheAddressRecordsPoint) {
  Read();
  QCoreApplication::processEvents();
  EXPECT_TRUE(page.LayoutProblem().isEmpty());
  // The records load one by one; the half-loaded layouts between are not reported.
  EXPECT_TRUE(host.Status.isEmpty()) << host.Status.join(u'\n').toStdString();
  EXPECT_EQ(events->Recordings[0][24], 0xF0) << "the factory recording of event 1";

  Poke(kSimInt, 22, {0x00, 0x10});  // event 1 now at 0x1000
  Poke(kSimFlash, 0x1000, {0xAB, 0xCD});
  Read();
  EXPECT_TRUE(page.LayoutProblem().isEmpty());
  EXPECT_EQ(page.Controls().Get<TVDData>("vddM1").GetAddr(), 0x1000);
  EXPECT_EQ(events->Recordings[0][0], 0xAB);
  EXPECT_EQ(events->Recordings[0][1], 0xCD);
}

TEST_F(SlaveData, ALayoutTheFlashCannotHoldIsRefusedAndNothingIsWritten) {
  const struct {
    const char* Why;
    std::size_t Record;
    std::vector<uint8_t> Bytes;
    const char* Says;
  } cases[] = {
      {"event 8 runs past the end", 36, {0xF0, 0x1F}, "выходит за пределы"},
      {"event 2 over event 1", 24, {0x10, 0x1A}, "перекрывает"},
      {"sequences over the recordings", 44, {0x80, 0x19}, "перекрывает"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Why);
    Poke(kSimInt, c.Record, c.Bytes);
    Read();
    EXPECT_TRUE(page.LayoutProblem().contains(QString::fromUtf8(c.Says)))
        << page.LayoutProblem().toStdString();
    QCoreApplication::processEvents();
    ASSERT_FALSE(host.Status.isEmpty());
    EXPECT_TRUE(host.Status.last().contains(QString::fromUtf8(c.Says)));
    const auto flashBefore = Peek(kSimFlash, 0x1800, 0x800);
    for (auto& recording : events->Recordings) recording.fill(0x55);
    for (int event = 1; event <= 8; ++event) {
      page.Controls().Get<TVDData>(QStringLiteral("vddM%1").arg(event).toStdString()).StoreEdited();
    }
    Write();
    EXPECT_EQ(Peek(kSimFlash, 0x1800, 0x800), flashBefore);
    // The module's own records are kept as they are, not repaired behind its back.
    EXPECT_EQ(Peek(kSimInt, c.Record, 2), c.Bytes);
    vehicle->WithVehicle([](TVirtualVehicle& car) {
      car.Module(kSlave)->LoadFactoryImage(false);
      return 0;
    });
  }
  Read();
  EXPECT_TRUE(page.LayoutProblem().isEmpty()) << "a sound layout is taken again";
}

TEST_F(SlaveProperties, UnknownCommandCodeIsShownAndKeptAsItIs) {
  Poke(kSimInt, 14 + 2, {7});
  Read();
  const QTableWidgetItem* cell =
      page.Grid().item(TSlaveProperties::kFirstEventRow + 2, TSlaveProperties::kCommandColumn);
  ASSERT_NE(cell, nullptr);
  EXPECT_EQ(cell->text(), QStringLiteral("Команда 7"));
  page.Click(TSlaveProperties::kFirstEventRow + 2, 2);  // an unrelated edit of event 3
  Write();
  EXPECT_EQ(Peek(kSimInt, 14 + 2, 1), std::vector<uint8_t>{7});
  EXPECT_NE(Peek(kSimInt, 6 + 2, 1), std::vector<uint8_t>{63}) << "the edit itself was written";
}

TEST_F(SlaveProperties, PolaritiesAreStoredAsTheModuleReadsThem) {
  Read();
  for (const int input : {2, 5}) page.Click(0, TSlaveProperties::kFirstInputColumn + input - 1);
  page.Click(0, TSlaveProperties::kFirstInputColumn);  // input 1 is fixed
  Write();
  EXPECT_EQ(Peek(kSimInt, 1, 1), std::vector<uint8_t>{0xF6});
}

struct TSlavePage : TSlaveProperties {
  explicit TSlavePage(IPageHost& host) : TSlaveProperties(host, std::make_shared<TSlaveEvents>()) {}
};
using SlaveLearning = TLearningTest<TSlavePage>;

TEST_F(SlaveLearning, EventLearnedFromTheCarsKeyFob) {
  Read(kSlave);
  page.Click(TSlaveProperties::kFirstEventRow + 1, TSlaveProperties::kLearnColumn);
  ASSERT_TRUE(SpinUntil([&] { return page.Learning().Waiting(); }, 5s));
  PressButton(kSlave);
  ASSERT_TRUE(SpinUntil([&] { return !page.Learning().Busy(); }, 5s));
  EXPECT_TRUE(StatusSays(QStringLiteral("Обучение закончено")));
  EXPECT_EQ(ModuleByte(kSlave, 2), 0x02);
  EXPECT_TRUE(page.Events().Enabled(2)) << "the page reads the flags again";
}

TEST_F(SlaveLearning, EventWithoutCommandIsNotLearned) {
  Read(kSlave);
  page.Click(TSlaveProperties::kFirstEventRow + 4, TSlaveProperties::kLearnColumn);
  SpinFor(100ms);
  EXPECT_FALSE(page.Learning().Busy());
}

TEST_F(SlaveLearning, NoAnswerAndRefusalAreFailures) {
  Read(kSlave);
  SetOutcome(kSlave, TLearnOutcome::Refuses);
  page.Click(TSlaveProperties::kFirstEventRow, TSlaveProperties::kLearnColumn);
  ASSERT_TRUE(
      SpinUntil([&] { return StatusSays(QStringLiteral("Команда обучения не принята.")); }, 5s));
  Silence(kSlave);
  page.Click(TSlaveProperties::kFirstEventRow, TSlaveProperties::kLearnColumn);
  ASSERT_TRUE(SpinUntil(
      [&] {
        return StatusSays(
            QStringLiteral("Модуль не ответил на команду обучения: обучение не выполнено"));
      },
      5s));
  EXPECT_FALSE(StatusSays(QStringLiteral("Обучение закончено")));
}

}  // namespace
