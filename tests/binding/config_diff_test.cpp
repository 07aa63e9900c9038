// Comparing two configurations through the pages: what counts as a setting that differs and
// what as bytes that differ.

#include "binding/config_diff.h"

#include <gtest/gtest.h>

#include <QStringList>
#include <map>
#include <vector>

#include "binding/example_page_table.h"

namespace {

constexpr TPageTable kExampleTable = {"MainOptions", kExampleLanAddr, kExampleRows, "Пример"};

TAreaImage Image(uint8_t lanAddr, TMemoryLocation memID, int size = 1024) {
  return {lanAddr, memID, std::vector<uint8_t>(static_cast<size_t>(size), 0),
          std::vector<bool>(static_cast<size_t>(size), true)};
}

TConfigDiff Compare(const std::vector<TAreaImage>& a, const std::vector<TAreaImage>& b) {
  return TConfigComparison({&kExampleTable}).Compare(a, b);
}

// "CAPTION: OLD -> NEW" and "OFFSET: OLD_HEX -> NEW_HEX", for short expectations.
QStringList Lines(const TConfigDiff& diff) {
  QStringList lines;
  for (const TSettingChange& change : diff.Settings) {
    lines << change.Caption + QStringLiteral(": ") + change.Old + QStringLiteral(" -> ") +
                 change.New;
  }
  const auto hex = [](const std::vector<uint8_t>& bytes) {
    QStringList text;
    for (const uint8_t b : bytes) text << QStringLiteral("%1").arg(b, 2, 16, QLatin1Char('0'));
    return text.join(u' ').toUpper();
  };
  for (const TByteChange& change : diff.Bytes) {
    lines
        << QStringLiteral("%1: %2 -> %3").arg(change.Offset).arg(hex(change.Old), hex(change.New));
  }
  return lines;
}

TEST(ConfigComparison, ReportsWhatThePagesShowAsSettingsAndEveryOtherDifferenceAsBytes) {
  struct TCase {
    const char* what;
    std::map<int, uint8_t> both;  // bytes of both sides
    std::map<int, uint8_t> b;     // bytes of side B only
    std::vector<int> unknownInB;
    QStringList expected;
  };
  const std::vector<TCase> cases = {
      {"identical", {{82, 0x20}, {10, 7}}, {}, {}, {}},
      {"a check box", {}, {{82, 0x20}}, {}, {"Включить сирену при тревоге: 0 -> 1"}},
      {"a two-bit radio group",
       {},
       {{90, 0x18}},
       {},
       {"Постановка: 0 (обычная) -> 2 (автоматическая)"}},
      {"a byte no control binds", {}, {{10, 0x5A}}, {}, {"10: 00 -> 5A"}},
      {"neighbouring bytes make one run",
       {},
       {{10, 1}, {11, 2}, {13, 3}},
       {},
       {"10: 00 00 -> 01 02", "13: 00 -> 03"}},
      {"a bit of a shown byte that no control shows", {}, {{82, 0x01}}, {}, {"82: 00 -> 01"}},
      {"a check box and a hidden bit of its byte",
       {},
       {{82, 0x21}},
       {},
       {"Включить сирену при тревоге: 0 -> 1", "82: 00 -> 21"}},
      {"two track bars in one byte, each its half",
       {},
       {{198, 0x31}},
       {},
       {"Зона тревоги: 0 -> 3", "Зона предупреждения: 0 -> 1"}},
      {"a text's padding after its end",
       {{300, 'A'}, {301, 'B'}},
       {{303, 'X'}},
       {},
       {"303: 00 -> 58"}},
      {"a track bar value past its end shows the same position",
       {{242, 0xA0}, {243, 0x0F}},
       {{242, 0x88}, {243, 0x13}},
       {},
       {"242: A0 0F -> 88 13"}},
      {"a byte one side does not know", {}, {{10, 0x5A}}, {10}, {}},
      {"a setting one side does not know", {}, {{82, 0x20}}, {82}, {}},
  };
  for (const TCase& c : cases) {
    TAreaImage a = Image(kExampleLanAddr, mlExt);
    TAreaImage b = Image(kExampleLanAddr, mlExt);
    for (const auto& [addr, value] : c.both) {
      a.Bytes[static_cast<size_t>(addr)] = value;
      b.Bytes[static_cast<size_t>(addr)] = value;
    }
    for (const auto& [addr, value] : c.b) b.Bytes[static_cast<size_t>(addr)] = value;
    for (const int addr : c.unknownInB) b.Known[static_cast<size_t>(addr)] = false;
    const TConfigDiff diff = Compare({a}, {b});
    EXPECT_EQ(Lines(diff), c.expected) << c.what;
    EXPECT_EQ(diff.Empty(), c.expected.isEmpty()) << c.what;
  }
}

TEST(ConfigComparison, ASettingNamesItsPageSectionAndControlAndTakesOldFromSideA) {
  TAreaImage a = Image(kExampleLanAddr, mlExt);
  TAreaImage b = Image(kExampleLanAddr, mlExt);
  a.Bytes[91] = 3;
  b.Bytes[91] = 1;
  const TConfigDiff diff = Compare({a}, {b});
  ASSERT_EQ(diff.Settings.size(), 1u);
  const TSettingChange& change = diff.Settings.front();
  EXPECT_EQ(change.Page, &kExampleTable);
  EXPECT_EQ(change.Control, QStringLiteral("rgSignal"));
  EXPECT_EQ(change.LanAddr, kExampleLanAddr);
  EXPECT_EQ(change.Section, QStringLiteral("Охрана"));
  EXPECT_EQ(change.Old, QStringLiteral("3 (двойной)"));
  EXPECT_EQ(change.New, QStringLiteral("1 (короткий)"));
}

TEST(ConfigComparison, AnAreaOnOneSideIsOneEntryAndItsSettingsAreNotCompared) {
  TAreaImage shockA = Image(20, mlInt, 256);
  shockA.Bytes[3] = 1;  // the shock sensor's check box of the page, on side A only
  const std::vector<TAreaImage> a = {Image(kExampleLanAddr, mlExt), Image(3, mlInt, 2048), shockA};
  const std::vector<TAreaImage> b = {Image(23, mlInt, 256), Image(kExampleLanAddr, mlExt)};
  const TConfigDiff diff = Compare(a, b);
  EXPECT_TRUE(diff.Settings.empty());
  EXPECT_TRUE(diff.Bytes.empty());
  ASSERT_EQ(diff.OnlyIn.size(), 3u);
  const auto entry = [](const TAreaOnlyIn& only) {
    return std::make_tuple(only.LanAddr, only.MemID, only.Side);
  };
  EXPECT_EQ(entry(diff.OnlyIn[0]), std::make_tuple(uint8_t{3}, mlInt, TDiffSide::A));
  EXPECT_EQ(entry(diff.OnlyIn[1]), std::make_tuple(uint8_t{20}, mlInt, TDiffSide::A));
  EXPECT_EQ(entry(diff.OnlyIn[2]), std::make_tuple(uint8_t{23}, mlInt, TDiffSide::B));
}

}  // namespace
