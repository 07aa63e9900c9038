#include "binding/value_labels.h"

#include <gtest/gtest.h>

#include <QLocale>

#include "test_support.h"

namespace {

static_assert(ParseNumberFormat("%5.1f с").Conversion == 'f');
static_assert(ParseNumberFormat("%5.1f с").Width == 5);
static_assert(ParseNumberFormat("%5.1f с").Precision == 1);
static_assert(ParseNumberFormat("%d мс").Suffix == " мс");
static_assert(ParseNumberFormat("100%% за %d").Prefix == "100%% за ");
// Forms the labels cannot print are refused, so a table with them does not compile.
static_assert(ParseNumberFormat("%s").Conversion == 0);
static_assert(ParseNumberFormat("%d из %d").Conversion == 0);
static_assert(ParseNumberFormat("без числа").Conversion == 0);
static_assert(ParseNumberFormat("%5.").Conversion == 0);

constexpr TValueLabelRow kBadRows[] = {{.Name = "tbGood"}, {.Name = "tbBad", .Format = "%x"}};
static_assert(CheckValueLabels(kBadRows) == 1);

TEST(ValueLabels, NumberFormsPrintLikePrintf) {
  struct TCase {
    const char* Format;
    double Value;
    const char* Text;
  };
  const TCase cases[] = {
      {"%d мс", 800, "800 мс"},     {"%d", 2.5000001, "3"},
      {"%5.1f с", 0.5, "  0.5 с"},  {"%5.1f с", 12.75, " 12.8 с"},
      {"%5.2f с", 0.15, " 0.15 с"}, {"%5.2f А", 5.0778, " 5.08 А"},
      {"%5.2f А", 0, " 0.00 А"},    {"%f", 1.5, "1.500000"},
      {"%3d%%", 42, " 42%"},        {"%5.1f с", 123456, "123456.0 с"},
      {"%-6.2f мс", 60, "60.00  мс"}, {"%-4.1f с", 1.5, "1.5  с"},
  };
  for (const TCase& c : cases) {
    EXPECT_EQ(FormatNumber(c.Format, c.Value), QString::fromUtf8(c.Text)) << c.Format;
  }
}

TEST(ValueLabels, RowsScaleOffsetOrNameTheirPositions) {
  constexpr const char* kTimes[] = {"5 сек", "7 сек", "10 сек"};
  const TValueLabelRow scaled{.Name = "tb", .Scale = 0.05, .Format = "%5.1f с"};
  const TValueLabelRow offset{
      .Name = "tb", .Offset = 1, .SpecialPosition = 15, .SpecialText = "16 (любое)"};
  const TValueLabelRow listed{.Name = "tb", .Texts = kTimes};
  EXPECT_EQ(ValueLabelText(scaled, 60), QStringLiteral("  3.0 с"));
  EXPECT_EQ(ValueLabelText(offset, 0), QStringLiteral("1"));
  EXPECT_EQ(ValueLabelText(offset, 14), QStringLiteral("15"));
  EXPECT_EQ(ValueLabelText(offset, 15), QStringLiteral("16 (любое)"));
  EXPECT_EQ(ValueLabelText(listed, 2), QStringLiteral("10 сек"));
  EXPECT_EQ(ValueLabelText(listed, 3), QStringLiteral("3")) << "past the list: the number";
}

TEST(ValueLabels, PastTheKneeTheScaleTurnsCoarser) {
  // 0.05 s steps up to 5 s, then half seconds.
  const TValueLabelRow row{
      .Name = "tb", .Scale = 0.05, .Format = "%4.2f c", .KneePosition = 100, .KneeScale = 0.5};
  const std::pair<int, const char*> cases[] = {{0, "0.00 c"},   {2, "0.10 c"},    {100, "5.00 c"},
                                               {101, "5.50 c"}, {150, "30.00 c"}, {210, "60.00 c"}};
  for (const auto& [position, text] : cases) {
    EXPECT_EQ(ValueLabelText(row, position), QString::fromUtf8(text)) << position;
  }
}

TEST(ValueLabels, DecimalsUseTheUsersSeparator) {
  const QLocale saved;
  QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
  EXPECT_EQ(FormatNumber("%4.2f c", 30), QStringLiteral("30,00 c"));
  EXPECT_EQ(FormatNumber("%5.1f с", 0.5), QStringLiteral("  0,5 с"));
  EXPECT_EQ(FormatNumber("%d мс", 1200), QStringLiteral("1200 мс")) << "no group separator";
  QLocale::setDefault(saved);
}

}  // namespace
