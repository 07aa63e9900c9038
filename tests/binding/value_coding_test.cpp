#include "binding/value_coding.h"

#include <gtest/gtest.h>

#include "binding/component_data.h"
#include "binding/fake_memory_area.h"
#include "test_support.h"

namespace {

struct TIntCodingCase {
  const char* Name;
  TDataType Type;
  int StartBit;
  int MaxVal;
  std::vector<uint8_t> Before;
  int Loaded;
  int Stored;
  std::vector<uint8_t> After;
};

// Cells at 242, as the delay settings sit; a neighbour byte at 244 must never change.
const TIntCodingCase kIntCases[] = {
    {"BitSevenSet", stBit, 7, 0, {0x81}, 1, 0, {0x01}},
    {"BitKeepsOthers", stBit, 2, 0, {0xF0}, 0, 1, {0xF4}},
    {"BitsThreeBothSet", stBits, 3, 0, {0x18}, 2, 1, {0x08}},
    {"BitsThreeUpperOnly", stBits, 3, 0, {0x10}, 3, 0, {0x00}},
    {"BitsThreeLowerIntoFull", stBits, 3, 0, {0xFF}, 2, 1, {0xEF}},
    {"BitsNoChoiceKeepsBits", stBits, 3, 0, {0x10}, 3, -1, {0x10}},
    {"ByteLo", stByteLo, 0, 0, {0x5A}, 0x0A, 0x13, {0x53}},
    {"ByteHi", stByteHi, 0, 0, {0x5A}, 5, 7, {0x7A}},
    {"Byte", stByte, 0, 0, {0xC8}, 200, 0x1FF, {0xFF}},
    {"FloatRawByteOnly", stFloat, 0, 0, {0x28, 0x77}, 0x28, 0x31, {0x31, 0x77}},
    {"TwoBytesLowFirst", st2Bytes, 0, 0, {0x80, 0x0C}, 3200, 600, {0x58, 0x02}},
    {"HighLow", stHL, 0, 0, {0x80, 0x0C}, 32780, 600, {0x02, 0x58}},
    {"BitFieldFromFour", stBitArray, 4, 2, {0xA5}, 2, 1, {0x95}},
    {"BitFieldCutToWidth", stBitArray, 1, 3, {0xFF}, 7, 9, {0xF3}},
};

class IntCoding : public ::testing::TestWithParam<TIntCodingCase> {};

TEST_P(IntCoding, LoadsAndStoresOnlyItsBits) {
  const TIntCodingCase& c = GetParam();
  TFakeMemoryArea area;
  std::vector<uint8_t> bytes = c.Before;
  bytes.resize(3, 0x3C);
  area.Fill(242, bytes);
  TComponentData data;
  data.SetAddr(242);
  data.SetDataType(c.Type);
  data.SetStartBit(static_cast<TStartBit>(c.StartBit));
  data.SetMaxVal(c.MaxVal);

  EXPECT_EQ(LoadValue(area, data), c.Loaded);
  StoreValue(area, data, c.Stored);
  for (std::size_t i = 0; i < c.After.size(); ++i) {
    EXPECT_EQ(area.Byte(242 + static_cast<int>(i)), c.After[i]) << "byte " << i;
  }
  EXPECT_EQ(area.Byte(244), 0x3C);
}

INSTANTIATE_TEST_SUITE_P(Codings, IntCoding, ::testing::ValuesIn(kIntCases),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST(StringCoding, EndsAtZeroCutsAndPads) {
  TFakeMemoryArea area;
  area.Fill(10, {0x41, 0x42, 0x00, 0x43, 0x44, 0x99});
  TComponentData data;
  data.SetAddr(10);
  data.SetDataType(stString);
  data.SetMaxVal(5);
  EXPECT_EQ(LoadString(area, data), QStringLiteral("AB"));

  StoreString(area, data, QStringLiteral("ABCDEFG"));
  EXPECT_EQ(area.Byte(14), 0x45);
  EXPECT_EQ(area.Byte(15), 0x99) << "a text never runs past its cell";

  StoreString(area, data, QStringLiteral("Жд"));
  const std::vector<uint8_t> expected = {0xC6, 0xE4, 0, 0, 0};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(area.Byte(10 + i), expected[i]) << i;
  EXPECT_EQ(LoadString(area, data), QStringLiteral("Жд"));
}

TEST(StringCoding, FullCellHasNoTerminator) {
  EXPECT_EQ(EncodeString(QStringLiteral("ABCDE"), 5), QByteArray("ABCDE"));
  EXPECT_EQ(DecodeString(QByteArray("ABCDE")), QStringLiteral("ABCDE"));
  EXPECT_EQ(EncodeString(QString(), 3), QByteArray(3, '\0'));
}

TEST(FloatCoding, HighHalfWholesLowHalfSixteenths) {
  EXPECT_DOUBLE_EQ(FloatValue(0x28), 2.5);
  EXPECT_DOUBLE_EQ(FloatValue(0xFF), 255.0 / 16);
}

}  // namespace
