#include "pages/main/tx_page.h"

#include <gtest/gtest.h>

#include <QComboBox>

#include "binding/ui/vd_check_box.h"
#include "options_page_fixture.h"

namespace {

class TxPageTest : public ::testing::Test, public TBoundMainPage<TMainTX> {
 protected:
  QComboBox& List(const char* name) const {
    auto* list = page.findChild<QComboBox*>(QString::fromLatin1(name));
    EXPECT_NE(list, nullptr) << name;
    return *list;
  }
};

// The two lists of the car's own key fob and their bytes.
struct TCarList {
  const char* Name;
  int Addr;
};
constexpr TCarList kCarLists[] = {{"cbDoubleArmCan", 560}, {"cbDoubleDisarmCAN", 561}};

TEST_F(TxPageTest, CarKeyFobListsShowTheStoredItem) {
  struct TCase {
    uint8_t Byte;
    int Index;
  };
  // A byte past the last item selects nothing.
  const TCase cases[] = {{0, 0}, {3, 3}, {6, 6}, {7, -1}, {200, -1}};
  for (const TCarList& car : kCarLists) {
    for (const TCase& c : cases) {
      SCOPED_TRACE(std::string(car.Name) + " byte " + std::to_string(c.Byte));
      module.Put(car.Addr, {c.Byte});
      Read();
      EXPECT_EQ(List(car.Name).currentIndex(), c.Index);
    }
  }
}

TEST_F(TxPageTest, CarKeyFobListChoiceIsWritten) {
  for (const TCarList& car : kCarLists) {
    SCOPED_TRACE(car.Name);
    module.Put(car.Addr, {0});
    Read();
    List(car.Name).setCurrentIndex(5);
    Write();
    EXPECT_EQ(module.Bytes[static_cast<size_t>(car.Addr)], 5);
  }
}

TEST_F(TxPageTest, AnUnknownByteStaysAndAClearedSelectionWritesNoItem) {
  module.Put(560, {9});
  module.Put(561, {2});
  Read();
  List("cbDoubleDisarmCAN").setCurrentIndex(4);
  Write();
  EXPECT_EQ(module.Bytes[560], 9) << "a byte the list does not know is not replaced";
  EXPECT_EQ(module.Bytes[561], 4);

  List("cbDoubleArmCan").setCurrentIndex(1);
  List("cbDoubleArmCan").setCurrentIndex(-1);
  Write();
  EXPECT_EQ(module.Bytes[560], 255);
}

TEST_F(TxPageTest, WashCheckBoxExplainsWhenItWorks) {
  const QString hint = Control<TVDCheckBox>("VDCheckBox35").toolTip();
  EXPECT_TRUE(hint.contains(QStringLiteral(";\r\nЕсли функция спидометра не назначена")))
      << hint.toStdString();
}

}  // namespace
