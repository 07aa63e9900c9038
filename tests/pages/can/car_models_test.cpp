#include "pages/can/car_models.h"

#include <gtest/gtest.h>

namespace {

TEST(CarModels, BrandsModelsAndGroupsAsTheListsOfferThem) {
  QStringList brands = CarBrands();
  EXPECT_EQ(brands.front(), QStringLiteral("Audi"));
  EXPECT_EQ(brands.back(), QStringLiteral("Volvo"));
  EXPECT_EQ(brands.removeDuplicates(), 0);
  EXPECT_EQ(CarModelsOf(QStringLiteral("Audi")).size(), 16);
  EXPECT_EQ(CarModelsOf({}).size(), 277);
  EXPECT_EQ(CarGroups().front(), 3);
  EXPECT_EQ(CarGroups().back(), 29);
  EXPECT_EQ(CarSubgroups(), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8}));
}

TEST(CarModels, AModelFindsItsGroupAndTheSubgroupsOfThatGroup) {
  const TCarModel* a4 = FindCarModel(QStringLiteral("A4 (2008--)"));
  ASSERT_NE(a4, nullptr);
  EXPECT_EQ(a4->Group, 12);
  EXPECT_EQ(a4->Subgroup, 1);
  EXPECT_EQ(CarSubgroupsOf(12, false), (std::vector<int>{1}));
  EXPECT_EQ(CarSubgroupsOf(7, true), (std::vector<int>{1, 2, 3, 4, 5}));
  EXPECT_EQ(CarSubgroupsOf(8, false), (std::vector<int>{5, 4, 6, 8, 3, 7, 2, 1}))
      << "in table order, as the models of group 8 first name them";
  const TCarModel* quoted = FindCarModel(QStringLiteral("Mondeo X \"Keyless Start\""));
  ASSERT_NE(quoted, nullptr);
  EXPECT_EQ(quoted->Group * 10 + quoted->Subgroup, 93);
  EXPECT_EQ(FindCarModel(QStringLiteral("A4")), nullptr);
}

TEST(CarModels, TypingFiltersByBrandOrModelIgnoringCase) {
  EXPECT_EQ(CarModelsMatching(QStringLiteral("audi")).size(), 16);
  EXPECT_EQ(CarModelsMatching(QStringLiteral("land cruiser")),
            (QStringList{QStringLiteral("Land Cruiser 200"),
                         QStringLiteral("Land Cruiser Prado (2010--)")}));
  EXPECT_EQ(CarModelsMatching({}).size(), 277);
  EXPECT_TRUE(CarModelsMatching(QStringLiteral("no such car")).isEmpty());
}

TEST(CarModels, TheChoicesHintNamesTheThreeFunctionsUnlessTheInterfaceHasNoCar) {
  const QString hint = CarChoiceHint(*FindCarModel(QStringLiteral("A1")));
  EXPECT_TRUE(hint.startsWith(QStringLiteral("Управление ЦЗ :Функция реализована.\r\n")));
  EXPECT_TRUE(hint.contains(QStringLiteral("Постановка/Снятие со штатной системой :Постановка")));
  struct TCase {
    const char* Group;
    const char* Subgroup;
    bool Applies;
  };
  const TCase cases[] = {
      {"--", "--", true},
      {"<не определена>", "3", false},
      {"--", "<не определена>", false},
      {"0", "--", false},
      {"5", "0", false},
      {"5", "<не определена>", true},
      {"12", "1", true},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(std::string(c.Group) + " / " + c.Subgroup);
    EXPECT_EQ(CarHintApplies(QString::fromUtf8(c.Group), QString::fromUtf8(c.Subgroup)), c.Applies);
  }
}

TEST(CarModels, OnlyNumbersAByteHoldsAreGroupsOrSubgroups) {
  EXPECT_EQ(CarModelNumber(QStringLiteral("0")), 0);
  EXPECT_EQ(CarModelNumber(QStringLiteral(" 12 ")), 12);
  EXPECT_EQ(CarModelNumber(QStringLiteral("255")), 255);
  for (const char* text : {"256", "300", "-1", "", "1a", "12.1"}) {
    EXPECT_EQ(CarModelNumber(QString::fromUtf8(text)), std::nullopt) << text;
  }
}

}  // namespace
