#include "journal/event_table.h"

#include <gtest/gtest.h>

namespace {

TEST(EventTableTest, NamesEveryEventAndNothingElse) {
  for (int number = 1; number <= kEventCount; ++number) {
    EXPECT_FALSE(EventName(number).isEmpty()) << number;
  }
  EXPECT_TRUE(EventName(0).isEmpty());
  EXPECT_TRUE(EventName(242).isEmpty());
  EXPECT_TRUE(EventName(-1).isEmpty());
  EXPECT_EQ(EventName(1), QStringLiteral("Автопостановка"));
  EXPECT_EQ(EventName(70), QStringLiteral("АКПП в \"Парк\""));
  EXPECT_EQ(EventName(241),
            QStringLiteral("До входа в AHJ осталось 5 сек. (IMMO включен, зажигание включено)"));
  EXPECT_EQ(EventTitle(56), QStringLiteral("56 Открытие двери водителя (концевик)"));
  EXPECT_TRUE(EventDescription(35).isEmpty());
  EXPECT_TRUE(EventDescription(163).startsWith(QStringLiteral("Событие вырабатывается")));
}

TEST(EventTableTest, Categories) {
  const int sizes[kEventCategoryCount] = {241, 63, 33, 76, 22};
  for (int category = 0; category < kEventCategoryCount; ++category) {
    int count = 0;
    for (int number = 0; number <= kEventCount + 1; ++number) {
      count += EventInCategory(number, category) ? 1 : 0;
    }
    EXPECT_EQ(count, sizes[category]) << EventCategoryName(category).toStdString();
  }
  EXPECT_EQ(EventCategoryName(2), QStringLiteral("Брелоки/метки"));
  EXPECT_TRUE(EventInCategory(241, 4));
  EXPECT_FALSE(EventInCategory(240, 4));
  EXPECT_TRUE(EventInCategory(238, 1));
}

TEST(EventTableTest, CodesRunInBlocks) {
  struct TCase {
    int Number;
    int Code;
  };
  const TCase cases[] = {{1, 200},   {52, 251},  {53, 1},    {97, 45},   {98, 51},
                         {206, 159}, {207, 161}, {208, 162}, {209, 164}, {241, 196}};
  for (const TCase& c : cases) {
    EXPECT_EQ(EventCodeOf(c.Number), c.Code) << c.Number;
    EXPECT_EQ(EventNumberOfCode(c.Code), c.Number) << c.Code;
  }
  for (const int code : {0, 46, 47, 50, 160, 163, 197, 199, 252, 255}) {
    EXPECT_EQ(EventNumberOfCode(code), 0) << code;
  }
  EXPECT_EQ(EventCodeOf(0), 0);
  EXPECT_EQ(EventCodeOf(242), 0);
}

TEST(EventTableTest, NamesEventCodes) {
  EXPECT_EQ(EventCodeText(0), QStringLiteral("---------"));
  EXPECT_EQ(EventCodeText(200), QStringLiteral("1 Автопостановка"));
  EXPECT_EQ(EventCodeText(1), QStringLiteral("53 Автосервис"));
  EXPECT_EQ(EventCodeText(47), QStringLiteral("Событие 47"));
  EXPECT_EQ(EventCodeText(160), QStringLiteral("Событие 160"));
}

}  // namespace
