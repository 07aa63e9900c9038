#include "shell/version_rules.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace {

TEST(VersionNotice, FollowsTheArchiveRules) {
  struct Case {
    uint8_t major, minor;
    bool notice;
    const char* textEnd;
    QString program;
  };
  const QString older = QStringLiteral("Будет открыт Vardex, подходящий для вашей версии: ");
  const std::vector<Case> cases = {
      {5, 0x34, false, "", {}},
      {0, 0x34, false, "", {}},
      {5, 0x00, false, "", {}},
      {5, 0x33, true, "5.33", QStringLiteral("Arh/Vardex5_33.exe")},
      {5, 0x21, true, "5.21", QStringLiteral("Arh/Vardex5_21.exe")},
      {5, 0x12, true, "5.14", QStringLiteral("Arh/Vardex5_14.exe")},
      {5, 0x03, true, "5.07", QStringLiteral("Arh/Vardex5_07.exe")},
      {5, 0x08, true, "", {}},
      {5, 0x1A, true, "", {}},
      {4, 0x75, true, "3.62", QStringLiteral("Arh/Vardex3_62.exe")},
      {4, 0x50, true, "3.47", QStringLiteral("Arh/Vardex3_47.exe")},
      {3, 0x10, true, "3.38", QStringLiteral("Arh/Vardex3_38.exe")},
      {2, 0x21, true, "2.13", QStringLiteral("Arh/Vardex2_13.exe")},
      {2, 0x99, true, "", {}},
  };
  for (const auto& c : cases) {
    const auto notice = MainVersionNotice(c.major, c.minor);
    ASSERT_EQ(notice.has_value(), c.notice) << int(c.major) << "." << int(c.minor);
    if (!notice) continue;
    EXPECT_EQ(notice->Heading, QStringLiteral("Вы используете версию системы ниже, чем 05.34"));
    EXPECT_EQ(notice->Text, older + QString::fromUtf8(c.textEnd)) << int(c.minor);
    EXPECT_EQ(ArchivedProgram(notice->ArchiveNumber), c.program) << int(c.minor);
    EXPECT_FALSE(notice->ShowUpdateLink);
  }
}

TEST(VersionNotice, NewerFirmwareAsksForAnUpdate) {
  for (const auto& [major, minor] : {std::pair<uint8_t, uint8_t>{6, 0x01}, {5, 0x35}, {5, 0xFF}}) {
    const auto notice = MainVersionNotice(major, minor);
    ASSERT_TRUE(notice);
    EXPECT_EQ(notice->Heading, QStringLiteral("Вы используете версию системы выше, чем 05.34"));
    EXPECT_EQ(notice->Text, QStringLiteral("Обновите Vardex. Программа будет закрыта"));
    EXPECT_EQ(notice->ArchiveNumber, 0);
    EXPECT_TRUE(notice->ShowUpdateLink);
  }
  EXPECT_EQ(ValidatorVersionNotice().ArchiveNumber, 4);
}

TEST(PublicCanVersion, LooksUpTheInternalVersion) {
  EXPECT_EQ(PublicCanVersion(1, 8, 3, 13), QStringLiteral("6.3.245"));
  EXPECT_EQ(PublicCanVersion(1, 6, 2, 183), QStringLiteral("5.3.142"));
  EXPECT_EQ(PublicCanVersion(1, 8, 2, 193), QStringLiteral("Update VD"));
  EXPECT_EQ(PublicCanVersion(2, 8, 3, 13), QStringLiteral("Update VD"));
}

TEST(BoardRules, NameBoardsAndVariants) {
  EXPECT_EQ(BoardTypeFor(16, 5, 0).Value, QStringLiteral("Tarsk 4"));
  EXPECT_TRUE(BoardTypeFor(16, 5, 0).NewerBoard);
  EXPECT_EQ(BoardTypeFor(16, 1, 0).Value, QStringLiteral("Mirel 3"));
  EXPECT_EQ(BoardTypeFor(16, 1, 2).Value, QStringLiteral("Tarsk 3"));
  EXPECT_EQ(BoardTypeFor(20, 0, 0).Value, QStringLiteral("Tarsk 5"));
  EXPECT_TRUE(BoardTypeFor(7, 0, 0).Caption.isEmpty());

  EXPECT_EQ(ConfigurationVariant(0).CaptionSuffix, QString());
  EXPECT_EQ(ConfigurationVariant(0).Generation, 2);
  EXPECT_EQ(ConfigurationVariant(0x04).Generation, 3);
  EXPECT_EQ(ConfigurationVariant(0x04).CaptionSuffix, QStringLiteral(" (Mirelon / Tarskon )"));
  EXPECT_EQ(ConfigurationVariant(0x22).CaptionSuffix, QStringLiteral(" (Veltra 2.5)"));
  EXPECT_EQ(ConfigurationVariant(0x20).CaptionSuffix, QStringLiteral(" (Ostrin 2.5 / Palmey 2.5)"));
  EXPECT_EQ(ConfigurationVariant(0x02).CaptionSuffix, QStringLiteral(" (Ravelo 2.5)"));
  EXPECT_EQ(ConfigurationVariant(0x01).CaptionSuffix, QStringLiteral(" (Zentis 2.5)"));
}

TEST(VersionTexts, FormatBcdAndDecimal) {
  EXPECT_EQ(BcdVersionText(0x05, 0x34, 0x17, 0x03, 0x21), QStringLiteral("05.34 от 17.03.2021"));
  EXPECT_EQ(DecimalVersionText(30, 5, 7, 11, 24), QStringLiteral("30.05 от 07.11.2024"));
}

}  // namespace
