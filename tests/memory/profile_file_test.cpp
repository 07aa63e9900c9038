#include "memory/profile_file.h"

#include <gtest/gtest.h>

#include <optional>
#include <utility>
#include <vector>

#include "test_support.h"
#include "text/code_page_1251.h"

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

TEST(ProfileFile, AManyKeySectionKeepsFirstWrittenOrderAndTheFirstOfEachKey) {
  // A section as big as a megabyte file holds: every key must still be found, in file order,
  // and a key written again later (in another case) must not replace the first.
  constexpr int kKeys = 40000;
  QByteArray text = "[GSM]\r\n";
  for (int i = 0; i < kKeys; ++i)
    text += "K" + QByteArray::number(i) + '=' + QByteArray::number(i) + "\r\n";
  text += "k7=late\r\nK0=late\r\n[Other]\r\nK1=other\r\n";
  TProfileFile profile = TProfileFile::Parse(text);

  const QStringList keys = profile.Keys(QStringLiteral("gsm"));
  ASSERT_EQ(keys.size(), kKeys);
  for (int i : {0, 1, 9999, 20000, kKeys - 1}) {
    EXPECT_EQ(keys[i], QStringLiteral("K%1").arg(i));
    EXPECT_EQ(profile.ReadString(QStringLiteral("GSM"), QStringLiteral("k%1").arg(i)),
              QString::number(i));
  }
  EXPECT_EQ(profile.ReadString(QStringLiteral("GSM"), QStringLiteral("K7")), QStringLiteral("7"));
  EXPECT_EQ(profile.ReadString(QStringLiteral("Other"), QStringLiteral("K1")),
            QStringLiteral("other"));

  // Writing keeps the place of an existing key and appends a new one.
  profile.WriteString(QStringLiteral("GSM"), QStringLiteral("k5"), QStringLiteral("five"));
  profile.WriteString(QStringLiteral("GSM"), QStringLiteral("New"), QStringLiteral("n"));
  const QStringList after = profile.Keys(QStringLiteral("GSM"));
  EXPECT_EQ(after[5], QStringLiteral("K5"));
  EXPECT_EQ(after.back(), QStringLiteral("New"));
  EXPECT_EQ(profile.ReadString(QStringLiteral("GSM"), QStringLiteral("K5")),
            QStringLiteral("five"));
}

TEST(ProfileFile, NamesMatchExactlyWhenACaseInsensitiveComparisonSaysSo) {
  // Pairs where simple case folding and a lookup by lower case disagree, and Cyrillic.
  const std::vector<std::pair<QString, QString>> pairs = {
      {QStringLiteral("Память настроек0"), QStringLiteral("ПАМЯТЬ НАСТРОЕК0")},
      {QStringLiteral("Ёлка"), QStringLiteral("ёЛКА")},
      {QStringLiteral("straße"), QStringLiteral("STRASSE")},
      {QStringLiteral("Σίσυφος"), QStringLiteral("ΣΊΣΥΦΟΣ")},
      {QStringLiteral("ς"), QStringLiteral("σ")},
      {QStringLiteral("K"), QStringLiteral("\u212A")},  // Kelvin sign
      {QStringLiteral("I"), QStringLiteral("ı")},
      {QStringLiteral("\U00010400"), QStringLiteral("\U00010428")},  // Deseret, beyond 16 bits
  };
  for (const auto& [written, asked] : pairs) {
    TProfileFile profile;
    profile.WriteString(written, written, QStringLiteral("v"));
    const bool same = written.compare(asked, Qt::CaseInsensitive) == 0;
    EXPECT_EQ(profile.HasSection(asked), same) << asked.toStdString();
    EXPECT_EQ(profile.ReadString(written, asked), same ? QStringLiteral("v") : QString())
        << asked.toStdString();
  }
}

TEST(ProfileFile, NotesWhatItCouldNotTakeAndKeysGivenAgainWithAnotherValue) {
  // Line 1 lies outside a section, line 3 is neither a section nor a key, line 6 repeats a key
  // with another value, line 7 repeats one with the same value.
  const QByteArray text = ToCp1251(
      QStringLiteral("stray=1\r\n[GSM]\r\nгарбаж без знака\r\nA0=0102\r\n; a comment\r\nA0=FF\r\n"
                     "a0=0102\r\n[broken\r\n"));
  TProfileFile::TTraits traits;
  const TProfileFile profile = TProfileFile::Parse(text, &traits);
  EXPECT_EQ(traits.StrayLines, (std::vector<int>{1, 3, 8}));
  EXPECT_TRUE(traits.LongLines.empty());
  EXPECT_FALSE(traits.Blank);
  EXPECT_TRUE(traits.CarriageReturn && traits.LineFeed);
  EXPECT_FALSE(traits.Utf8Bom || traits.ControlBytes);
  ASSERT_EQ(profile.Conflicts().size(), 1u);
  EXPECT_EQ(profile.Conflicts()[0].Section, QStringLiteral("GSM"));
  EXPECT_EQ(profile.Conflicts()[0].Key, QStringLiteral("A0"));
  EXPECT_EQ(profile.ReadString(QStringLiteral("GSM"), QStringLiteral("A0")), QStringLiteral("0102"))
      << "the first value is the one read";

  const struct {
    QByteArray bytes;
    bool bom, control, blank;
  } cases[] = {
      {"\xEF\xBB\xBF[A]\r\nB=1\r\n", true, false, false},
      {"[A]\r\nB=\x01\r\n", false, true, false},
      {" \r\n\t\r\n", false, false, true},
  };
  for (const auto& c : cases) {
    TProfileFile::Parse(c.bytes, &traits);
    EXPECT_EQ(traits.Utf8Bom, c.bom) << c.bytes.toHex().toStdString();
    EXPECT_EQ(traits.ControlBytes, c.control) << c.bytes.toHex().toStdString();
    EXPECT_EQ(traits.Blank, c.blank) << c.bytes.toHex().toStdString();
  }
}

TEST(ProfileFile, ALineLongerThanAProfileHoldsIsCutAndNoted) {
  // A line of megabytes, a line that just fits and one a byte too long, across read blocks.
  const QByteArray fits = "B=" + QByteArray(TProfileFile::kMaxLineBytes - 2, 'C');
  const QByteArray text =
      "[A]\r\nK=" + QByteArray(3'000'000, 'D') + "\r\n" + fits + "\n" + fits + "E\r\nL=1";
  TProfileFile::TTraits traits;
  const TProfileFile profile = TProfileFile::Parse(text, &traits);
  EXPECT_EQ(traits.LongLines, (std::vector<int>{2, 4}));
  EXPECT_EQ(profile.ReadString(QStringLiteral("A"), QStringLiteral("K")).size(),
            TProfileFile::kMaxLineBytes - 2);
  EXPECT_EQ(profile.ReadString(QStringLiteral("A"), QStringLiteral("B")),
            QString::fromLatin1(fits.mid(2)));
  EXPECT_EQ(profile.ReadString(QStringLiteral("A"), QStringLiteral("L")), QStringLiteral("1"))
      << "the lines after a cut one are read";
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

TEST(HexChunk, DamageIsTheFirstByteThatDoesNotDecodeWhole) {
  struct Case {
    QString text;
    std::optional<int> damage;
  };
  const std::vector<Case> cases = {
      {QStringLiteral("0aFf10"), std::nullopt},
      {QString(2 * kChunkBytes, u'A'), std::nullopt},
      {QString(), 0},                 // a chunk holds at least one byte
      {QStringLiteral("0A0"), 1},     // cut in the middle of a byte
      {QStringLiteral("0A0G11"), 1},  // a bad low digit
      {QStringLiteral("0AG011"), 1},  // a bad high digit
      {QStringLiteral("zz"), 0},
      {QStringLiteral("0A 0B"), 1},                       // no separators
      {QString(2 * kChunkBytes + 1, u'A'), kChunkBytes},  // more than a chunk
      {QString(2 * kChunkBytes - 2, u'A') + u'x' + QString(10, u'A'), kChunkBytes - 1},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(HexChunkDamage(c.text), c.damage) << c.text.left(20).toStdString();
    // What decodes is exactly what comes before the damage.
    EXPECT_EQ(DecodeHexChunk(c.text).size(), c.damage.value_or(c.text.size() / 2))
        << c.text.left(20).toStdString();
  }
}

}  // namespace
