#include "app/ctl/ctl_codec.h"

#include <gtest/gtest.h>

#include "ctl_support.h"
#include "test_support.h"

namespace {

QStringList Args(const char* text) {
  return QString::fromLatin1(text).split(u' ', Qt::SkipEmptyParts);
}

TEST(CtlEncode, PrintsWireBytes) {
  const std::vector<std::pair<const char*, const char*>> cases = {
      {"--request 1 2 1", "81 10 08 03 16 4E 0D\n"},
      {"1 2 0x51 0x10 0 1 2 3", "03 02 01 00 10 51 15 08 08 16 5E 0D\n"},
      {"--answer 2 1 1", "01 08 14 03 16 CA 0D\n"},
      {"--request 1 0 1 64", "40 00 81 0A 03 16 1C 0D\n"},
  };
  for (const auto& [args, expected] : cases) {
    const auto r = RunCtl(RunEncode, Args(args));
    EXPECT_EQ(r.status, 0) << args;
    EXPECT_EQ(r.out, QString::fromLatin1(expected)) << args;
  }
}

TEST(CtlEncode, RefusesInvalidInputWithStatusTwo) {
  for (const char* args : {"1 32 1", "1 2 128", "1 2", "1 2 1 256", "x 2 1", "--bogus 1 2 1",
                           "1 0 1 1 2 3", "1 2 80 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0"}) {
    const auto r = RunCtl(RunEncode, Args(args));
    EXPECT_EQ(r.status, 2) << args;
    EXPECT_TRUE(r.out.isEmpty()) << args;
    EXPECT_FALSE(r.err.isEmpty()) << args;
  }
}

TEST(CtlDecode, PrintsOneLinePerFrame) {
  const auto r = RunCtl(RunDecode, Args("81 10 08 03 16 4E 0D 00 00 02 17 E7 0D 011008 0316CE0D"));
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, QStringLiteral("T=16 S=1 D=2 C=1 A=0 R=1 L=0 DATA="
                                  " | PC->Главный модуль: устройство присутствует\n"
                                  "T=17\n"
                                  "T=16 S=1 D=2 C=1 A=0 R=0 L=0 DATA="
                                  " | PC->Главный модуль: устройство присутствует\n"));
}

TEST(CtlDecode, ShowsDataAndFlagsOfReceivedFrames) {
  // Main module to PC, answer, command 88 with two bytes.
  const auto r = RunCtl(RunDecode, Args("40 00 AB 58 0A 14 05 19 81 0D"));
  EXPECT_EQ(
      r.out,
      QStringLiteral(
          "T=19 S=2 D=1 C=88 A=1 R=0 L=2 DATA=AB 40 | Главный модуль->PC: ответ: чтение EEPROM "
          "(команда 88) [AB 40]\n"));
  EXPECT_EQ(r.status, 0);
}

TEST(CtlDecode, MarksFailingFramesInvalid) {
  const std::vector<std::pair<const char*, QString>> cases = {
      {"81 10 08 03 16 4F 0D", QStringLiteral("invalid: неверный формат сообщения\n")},
      {"16 0D", QStringLiteral("invalid: fewer than three bytes before the terminator\n")},
      {"81 10 08 03 16", QStringLiteral("invalid: no terminator after the last frame\n")},
  };
  for (const auto& [args, expected] : cases) {
    const auto r = RunCtl(RunDecode, Args(args));
    EXPECT_EQ(r.status, 1) << args;
    EXPECT_EQ(r.out, expected) << args;
  }
  EXPECT_EQ(RunCtl(RunDecode, Args("8 1 0")).status, 2);
  EXPECT_EQ(RunCtl(RunDecode, Args("zz")).status, 2);
}

}  // namespace
