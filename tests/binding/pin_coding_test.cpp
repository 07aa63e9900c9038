#include "binding/pin_coding.h"

#include <gtest/gtest.h>

#include <deque>

#include "test_support.h"

namespace {

TEST(PinCoding, StoredBytesShowTheirDigits) {
  struct TCase {
    uint8_t Byte;
    const char* Pin;
    const char* Protection;
  };
  // Low nibble first. PIN digits run 1..9: 0 and 10..15 show as "1". Protection digits show as
  // stored, above 9 as "2".
  const TCase cases[] = {
      {0x21, "12", "12"}, {0x95, "59", "59"}, {0x00, "11", "00"}, {0xA0, "11", "02"},
      {0xFB, "11", "22"}, {0xC3, "31", "32"}, {0x7E, "17", "27"}, {0xD1, "11", "12"},
  };
  for (const TCase& c : cases) {
    EXPECT_EQ(PinPairText(c.Byte), QLatin1String(c.Pin)) << int(c.Byte);
    EXPECT_EQ(ProtectionPairText(c.Byte), QLatin1String(c.Protection)) << int(c.Byte);
  }
}

TEST(PinCoding, FourDigitsMakeTwoBytesSecondDigitHigh) {
  EXPECT_EQ(EncodePin(QStringLiteral("1234")), (TPinBytes{0x21, 0x43}));
  EXPECT_EQ(EncodePin(QLatin1String(kFactoryPin)), (TPinBytes{0x35, 0x28}));
  EXPECT_EQ(EncodePin(QStringLiteral("0000")), (TPinBytes{0x00, 0x00}));
  EXPECT_EQ(EncodePin(QStringLiteral("2012")), (TPinBytes{0x02, 0x21}));
  for (const char* incomplete : {"", "123", "12345", "12 4", "12a4", "1-2-"}) {
    EXPECT_FALSE(EncodePin(QLatin1String(incomplete))) << incomplete;
  }
}

TEST(PinCoding, ClampingPullsDigitsIntoTheirRange) {
  EXPECT_EQ(ClampDigits(QStringLiteral("1034"), u'1', u'9'), QStringLiteral("1134"));
  EXPECT_EQ(ClampDigits(QStringLiteral("0172"), u'0', u'2'), QStringLiteral("0122"));
  EXPECT_EQ(ClampDigits(QStringLiteral("9-_-0-3"), u'0', u'2'), QStringLiteral("2-_-0-2"))
      << "separators and blanks stay";
}

TEST(PinCoding, AGeneratedPinIsNeverTheFactoryPin) {
  // The first draw spells the factory PIN: the whole PIN is drawn again.
  std::deque<int> digits = {5, 3, 8, 2, 5, 3, 8, 1};
  const QString pin = GeneratePin([&digits] {
    const int digit = digits.front();
    digits.pop_front();
    return digit;
  });
  EXPECT_EQ(pin, QStringLiteral("5381"));
  EXPECT_TRUE(digits.empty());
}

TEST(PinCoding, GeneratedPinsUseEveryDigitOneToNine) {
  QString seen;
  for (int i = 0; i < 400; ++i) {
    const QString pin = GeneratePin();
    ASSERT_EQ(pin.size(), kPinDigitCount);
    ASSERT_NE(pin, QLatin1String(kFactoryPin));
    for (const QChar c : pin) {
      ASSERT_TRUE(c >= u'1' && c <= u'9') << pin.toStdString();
      if (!seen.contains(c)) seen += c;
    }
  }
  EXPECT_EQ(seen.size(), 9) << "1600 draws miss a digit once in 10^70 runs";
}

}  // namespace
