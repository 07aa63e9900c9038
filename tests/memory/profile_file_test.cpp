#include "memory/profile_file.h"

#include <gtest/gtest.h>

#include "memory/code_page_1251.h"
#include "test_support.h"

namespace {

TEST(ProfileFile, WritesSectionsInFirstWrittenOrderWithCp1251AndCrLf) {
  TProfileFile profile;
  profile.WriteString(QStringLiteral("Версия ПО"), QStringLiteral("V1"), QStringLiteral("5"));
  profile.WriteString(QStringLiteral("Главный модуль"), QStringLiteral("Память настроек0"),
                      QStringLiteral("0A0B"));
  profile.WriteString(QStringLiteral("Версия ПО"), QStringLiteral("V2"), QStringLiteral("1"));
  profile.WriteString(QStringLiteral("Главный модуль"), QStringLiteral("Память настроек0"),
                      QStringLiteral("FF"));
  const QByteArray expected = ToCp1251(
      QStringLiteral("[Версия ПО]\r\nV1=5\r\nV2=1\r\n[Главный модуль]\r\nПамять настроек0=FF\r\n"));
  EXPECT_EQ(profile.Serialize(), expected);
  EXPECT_EQ(static_cast<unsigned char>(profile.Serialize()[1]), 0xC2);  // "В" in Windows-1251
}

TEST(ProfileFile, ParsesToleratingGarbageAndLookingUpWithoutCase) {
  const QByteArray text = ToCp1251(QStringLiteral(
      "stray=1\n[GSM]\r\nгарбаж без знака\r\n  Память настроек0 = 0102 \r\n[gsm]\nX=1\n"
      "[broken\n=novalue\nПамять настроек0=9999\n"));
  const TProfileFile profile = TProfileFile::Parse(text);
  EXPECT_EQ(profile.Sections(), QStringList{QStringLiteral("GSM")});
  EXPECT_TRUE(profile.HasSection(QStringLiteral("gsm")));
  EXPECT_EQ(profile.ReadString(QStringLiteral("GSM"), QStringLiteral("память настроек0")),
            QStringLiteral("0102"));
  EXPECT_EQ(profile.ReadString(QStringLiteral("GSM"), QStringLiteral("X")), QStringLiteral("1"));
  EXPECT_EQ(profile.ReadString(QStringLiteral("GSM"), QStringLiteral("none"), QStringLiteral("d")),
            QStringLiteral("d"));
}

TEST(HexChunk, DecodesTolerantlyAndEncodesUpperCase) {
  struct Case {
    const char* text;
    QByteArray bytes;
  };
  const std::vector<Case> cases = {
      {"0aFf10", QByteArray::fromHex("0aff10")},
      {"0A0", QByteArray::fromHex("0a")},     // odd last digit ignored
      {"0A0G11", QByteArray::fromHex("0a")},  // stops at the first non-digit
      {"", QByteArray()},
      {"zz", QByteArray()},
  };
  for (const auto& c : cases)
    EXPECT_EQ(DecodeHexChunk(QString::fromLatin1(c.text)), c.bytes) << c.text;
  EXPECT_EQ(EncodeHexChunk(QByteArray::fromHex("0aff")), QStringLiteral("0AFF"));
  // A value longer than one chunk never yields more than a chunk of bytes.
  EXPECT_EQ(DecodeHexChunk(QString(5000, u'A')).size(), kChunkBytes);
}

}  // namespace
