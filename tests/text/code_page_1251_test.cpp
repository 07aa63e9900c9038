#include "text/code_page_1251.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace {

TEST(CodePage1251, RoundTripsCyrillicAndMarksTheUnknown) {
  const QString text = QStringLiteral("Главный модуль: Ёё №5 «ок» — €");
  const QByteArray bytes = ToCp1251(text);
  EXPECT_EQ(bytes.size(), text.size());
  EXPECT_EQ(static_cast<unsigned char>(bytes[0]), 0xC3);  // Г
  EXPECT_EQ(FromCp1251(bytes), text);
  EXPECT_EQ(ToCp1251(QStringLiteral("日")), QByteArray("?"));
  for (int b = 0; b < 256; ++b) {
    const QByteArray one(1, static_cast<char>(b));
    EXPECT_EQ(ToCp1251(FromCp1251(one)), one) << b;
  }
}

}  // namespace
