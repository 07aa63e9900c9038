#include "pages/main/times_page.h"

#include <gtest/gtest.h>

#include <QLabel>

#include "binding/setting_text.h"
#include "binding/ui/vd_track_bar.h"
#include "options_page_fixture.h"
#include "pages/main/times_table.h"
#include "test_support.h"

namespace {

class TimesPageTest : public ::testing::Test, public TBoundMainPage<TMainTimes> {
 protected:
  TVDTrackBar& Bar(const char* name) { return Control<TVDTrackBar>(name); }
  int Nibble(int addr, bool high) const {
    const uint8_t byte = module.Bytes[static_cast<size_t>(addr)];
    return high ? byte >> 4 : byte & 0x0F;
  }
};

// The four drives whose code 8 is the shortest pulse, with their cells.
struct TPulseBar {
  const char* Name;
  int Addr;
  bool High;
};
constexpr TPulseBar kPulseBars[] = {
    {"VDTrackBar1", 200, false},  // Отпирание
    {"VDTrackBar2", 200, true},   // Запирание
    {"VDTrackBar4", 203, false},  // Замок капота, from position 1
    {"VDTrackBar5", 203, true},   // Замок багажника
};

TEST_F(TimesPageTest, DoorPulseCodesShowTheirLengthsAndStoreBack) {
  struct TCase {
    int Code;
    const char* Text;
    int StoredBack;
  };
  const TCase cases[] = {
      {8, "0,5 секунды", 8},
      {0, "0,8 секунды", 0},
      {1, "1,2 секунды", 1},
      {2, "5 секунд", 2},
      {6, "25 секунд", 6},
      {7, "30 секунд", 7},
      // Codes the drives do not know show the longest pulse and stay as they are until the
      // user moves the bar.
      {9, "30 секунд", 9},
      {15, "30 секунд", 15},
  };
  for (const TPulseBar& bar : kPulseBars) {
    for (const TCase& c : cases) {
      SCOPED_TRACE(std::string(bar.Name) + " code " + std::to_string(c.Code));
      const int other = bar.High ? module.Bytes[bar.Addr] & 0x0F : module.Bytes[bar.Addr] & 0xF0;
      module.Put(bar.Addr, {static_cast<uint8_t>(bar.High ? c.Code << 4 | other : other | c.Code)});
      Read();
      const bool hoodShortest = std::string_view(bar.Name) == "VDTrackBar4" && c.Code == 8;
      // The bonnet lock has no 0.5 s pulse: its shortest is the 0.8 s of code 0.
      EXPECT_EQ(Bar(bar.Name).GetValueText(),
                QString::fromUtf8(hoodShortest ? "0,8 секунды" : c.Text));
      Write();
      EXPECT_EQ(Nibble(bar.Addr, bar.High), c.StoredBack);
    }
  }
}

TEST_F(TimesPageTest, MovedDoorPulsesStoreTheirCodes) {
  Read();
  const std::pair<int, int> positions[] = {{0, 8}, {1, 0}, {3, 2}, {8, 7}};
  for (const TPulseBar& bar : kPulseBars) {
    for (const auto& [position, code] : positions) {
      if (position < Bar(bar.Name).minimum()) continue;
      Bar(bar.Name).SetPosition(position);
      Write();
      EXPECT_EQ(Nibble(bar.Addr, bar.High), code) << bar.Name << " position " << position;
    }
  }
  EXPECT_EQ(Bar("VDTrackBar4").minimum(), 1) << "the bonnet lock has no 0.5 s pulse";
}

// The command line shows a setting as the page does: the same position and label for every
// code a cell may hold, the ones past the range included.
TEST_F(TimesPageTest, TheCommandLineShowsThePagesPositions) {
  const TPageTable& table = MainTimesTable();
  for (const TControlRow& row : table.Rows) {
    if (row.Kind != ckTrackBar || row.Coding == nullptr) continue;
    TVDTrackBar& bar = Bar(row.Name);
    const int top = row.Type == stByte ? 255 : 15;
    for (int stored = 0; stored <= top; ++stored) {
      SCOPED_TRACE(std::string(row.Name) + " stored " + std::to_string(stored));
      const int shift = row.Type == stByteHi ? 4 : 0;
      const uint8_t other = module.Bytes[row.Addr] & (row.Type == stByteHi   ? 0x0F
                                                      : row.Type == stByteLo ? 0xF0
                                                                             : 0x00);
      module.Put(row.Addr, {static_cast<uint8_t>(other | stored << shift)});
      Read();
      const TTableLabelContext page(
          table,
          [this](uint8_t, TMemoryLocation) -> TBaseDeviceMemoryItem* { return &Settings(); });
      EXPECT_EQ(SettingValueText(row, QLatin1String(row.Name), table, Settings(),
                                 bar.ComponentData(), page),
                QStringLiteral("%1 (%2)").arg(bar.Position()).arg(bar.GetValueText()));
    }
  }
}

TEST_F(TimesPageTest, WindowLiftsCountFromTheSecondLength) {
  const std::tuple<int, int, const char*> cases[] = {
      {0, 1, "0,8 секунды"}, {4, 5, "15 секунд"}, {9, 10, "50 секунд"}, {15, 10, "50 секунд"}};
  for (const auto& [code, position, text] : cases) {
    module.Put(201, {static_cast<uint8_t>(code << 4)});
    Read();
    EXPECT_EQ(Bar("VDTrackBar3").Position(), position) << code;
    EXPECT_EQ(Bar("VDTrackBar3").GetValueText(), QString::fromUtf8(text)) << code;
    Write();
    EXPECT_EQ(Nibble(201, true), code) << "stored back as it was";
  }
  auto* note = page.findChild<QLabel*>(QStringLiteral("lbWindowLiftNote"));
  ASSERT_NE(note, nullptr);
  EXPECT_EQ(note->text(), QStringLiteral(" (время игнор. датчиков)"));
  EXPECT_EQ(Bar("VDTrackBar3").GetCaption(), QStringLiteral("Стеклоподъемники"));
}

TEST_F(TimesPageTest, LightPathTimeByteSkipsTheUnusedCodes) {
  module.Put(210, {177});
  Read();
  TVDTrackBar& bar = Bar("tbLightRoad");
  EXPECT_EQ(bar.Position(), 150);
  EXPECT_EQ(bar.GetValueText(), QStringLiteral("30.00 c"));
  Write();
  EXPECT_EQ(Settings().GetByte(210), 177) << "loaded and stored unchanged";

  const std::tuple<int, int, const char*> cases[] = {
      {100, 100, "5.00 c"}, {101, 128, "5.50 c"}, {210, 237, "60.00 c"}};
  for (const auto& [position, stored, text] : cases) {
    bar.SetPosition(position);
    EXPECT_EQ(bar.GetValueText(), QString::fromUtf8(text)) << position;
    Write();
    EXPECT_EQ(module.Bytes[210], stored) << position;
  }
  EXPECT_TRUE(bar.isHidden());
}

TEST_F(TimesPageTest, TimerAndIgnitionLabels) {
  Read();
  const std::tuple<const char*, int, const char*> cases[] = {
      {"VDTrackBar8", 2, "0.10 c"},  {"VDTrackBar8", 4, "0.20 c"},  {"VDTrackBar8", 5, "0.25 c"},
      {"VDTrackBar9", 0, "0 сек"},   {"VDTrackBar9", 10, "10 сек"}, {"VDTrackBar9", 11, "12 сек"},
      {"VDTrackBar9", 15, "30 сек"},
  };
  for (const auto& [name, position, text] : cases) {
    Bar(name).SetPosition(position);
    EXPECT_EQ(Bar(name).GetValueText(), QString::fromUtf8(text)) << name << " " << position;
  }
  EXPECT_TRUE(Bar("VDTrackBar9").isHidden());
  EXPECT_FALSE(Bar("VDTrackBar9").isEnabled());
}

}  // namespace
