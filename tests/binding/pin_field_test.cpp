#include "binding/ui/pin_field.h"

#include <gtest/gtest.h>

#include <QTest>

#include "binding/fake_memory_area.h"
#include "binding/pin_coding.h"
#include "binding/ui/pin_edit.h"
#include "binding/ui/vd_data.h"
#include "memory/lan_dev_error.h"
#include "test_support.h"

namespace {

// A PIN (digits 1..9) and a protection code (digits 0..2), each in two bytes.
class PinFieldTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Bind(pinData, 212);
    Bind(protectionData, 214);
  }
  void Bind(TVDData& data, int addr) {
    data.setObjectName(QStringLiteral("VDData%1").arg(addr));
    data.ComponentData().SetLanAddr(2);
    data.ComponentData().SetMemID(mlExt);
    data.ComponentData().SetAddr(addr);
    data.ComponentData().SetDataType(stArray);
    data.ComponentData().SetMaxVal(2);
    area.Attach(data);
  }
  void Load(std::vector<uint8_t> bytes) {
    area.Fill(212, std::move(bytes));
    area.LoadAll();
  }

  QWidget page;
  TFakeMemoryArea area;
  TVDData pinData;
  TVDData protectionData;
  TPinEdit pinEdit{u'1', u'9', &page};
  TPinEdit protectionEdit{u'0', u'2', &page};
  TPinField pin{
      pinData, pinEdit, {QStringLiteral("ПИН"), PinPairText, QStringLiteral("5382")}, &page};
  TPinField protection{
      protectionData,
      protectionEdit,
      {QStringLiteral("Защита временного ПИН кода"), ProtectionPairText, QStringLiteral("0000")},
      &page};
};

TEST_F(PinFieldTest, LoadedBytesShowAsDigitsAndStoreBackUnchanged) {
  Load({0x21, 0x43, 0x10, 0x02});
  EXPECT_EQ(pinEdit.Digits(), QStringLiteral("1234"));
  EXPECT_EQ(pinEdit.displayText(), QStringLiteral("1-2-3-4"));
  EXPECT_EQ(protectionEdit.Digits(), QStringLiteral("0120"));
  area.StoreAll();
  EXPECT_FALSE(area.Changed(212) || area.Changed(213) || area.Changed(214) || area.Changed(215));
  EXPECT_EQ(area.ModifiedCalls(), 0) << "showing the module's code is no change";

  Load({0x0A, 0xF0, 0x73, 0xC9});
  EXPECT_EQ(pinEdit.Digits(), QStringLiteral("1111")) << "nibbles 0 and 10..15 are no PIN digits";
  EXPECT_EQ(protectionEdit.Digits(), QStringLiteral("3792")) << "shown as stored, 12 as 2";
}

TEST_F(PinFieldTest, TypedDigitsAreClampedAndMarkTheAreaChanged) {
  Load({0x21, 0x43, 0x00, 0x00});
  pinEdit.selectAll();
  QTest::keyClicks(&pinEdit, QStringLiteral("1034"));
  EXPECT_EQ(pinEdit.Digits(), QStringLiteral("1134"));
  EXPECT_GT(area.ModifiedCalls(), 0);
  protectionEdit.selectAll();
  QTest::keyClicks(&protectionEdit, QStringLiteral("0172"));
  EXPECT_EQ(protectionEdit.Digits(), QStringLiteral("0122"));
  area.StoreAll();
  EXPECT_EQ(area.Byte(212), 0x11);
  EXPECT_EQ(area.Byte(213), 0x43);
  EXPECT_EQ(area.Byte(214), 0x10);
  EXPECT_EQ(area.Byte(215), 0x22);
}

TEST_F(PinFieldTest, AnIncompleteCodeIsRefusedAndStoresNothing) {
  Load({0x21, 0x43, 0x10, 0x02});
  pinEdit.selectAll();
  QTest::keyClicks(&pinEdit, QStringLiteral("987"));
  ASSERT_EQ(pinEdit.Digits(), QStringLiteral("987"));
  try {
    pinData.Store();
    FAIL() << "an incomplete PIN was stored";
  } catch (const EStoreRefused& error) {
    EXPECT_STREQ(error.what(), "ПИН: введите четыре цифры");
  }
  EXPECT_EQ(area.Byte(212), 0x21) << "not even the complete first pair";
  EXPECT_EQ(area.Byte(213), 0x43);

  protectionEdit.clear();
  try {
    protectionData.Store();
    FAIL() << "an empty protection code was stored";
  } catch (const EStoreRefused& error) {
    EXPECT_STREQ(error.what(), "Защита временного ПИН кода: введите четыре цифры");
  }
  EXPECT_EQ(area.Byte(214), 0x10);
}

TEST_F(PinFieldTest, FactoryValuesReachTheEditsAsWellAsTheBytes) {
  Load({0x21, 0x43, 0x10, 0x02});
  area.SetDefaultsAll();
  EXPECT_EQ(area.Byte(212), 0x35);
  EXPECT_EQ(area.Byte(213), 0x28);
  EXPECT_EQ(pinEdit.Digits(), QStringLiteral("5382"));
  EXPECT_EQ(area.Byte(214), 0x00);
  EXPECT_EQ(protectionEdit.Digits(), QStringLiteral("0000"));
  area.StoreAll();
  EXPECT_EQ(area.Byte(212), 0x35) << "a write after the reset keeps the factory PIN";
}

TEST_F(PinFieldTest, EnteredDigitsActAsTyped) {
  Load({0x21, 0x43, 0x10, 0x02});
  pin.Enter(QStringLiteral("5382"));
  EXPECT_EQ(area.ModifiedCalls(), 1);
  area.StoreAll();
  EXPECT_EQ(area.Byte(212), 0x35);
  EXPECT_EQ(area.Byte(213), 0x28);
}

}  // namespace
