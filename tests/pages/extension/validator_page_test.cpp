#include "pages/extension/validator_page.h"

#include <gtest/gtest.h>

#include "binding/ui/vd_grid.h"
#include "learning_fixture.h"
#include "pages/extension/learn_session.h"
#include "pages/extension/learn_wait.h"

namespace {

using namespace std::chrono_literals;

constexpr uint8_t kValidator = 14;

using ValidatorLearning = TLearningTest<TValidatorPage>;

void ClickLearnCode(TValidatorPage& page) {
  page.ClickLine(TValidatorPage::kLearnRow, TValidatorPage::kMaskColumn);
}

TEST_F(ValidatorLearning, CodeLearnedWhenTheModuleReportsIt) {
  ClickLearnCode(page);
  ASSERT_TRUE(SpinUntil([&] { return page.Learning().Waiting(); }, 5s));
  EXPECT_TRUE(page.Learning().Window()->isVisible());
  EXPECT_EQ(page.Learning().Window()->Prompt(),
            QStringLiteral("Нажмите последовательно кнопки кода для события"));
  PressButton(kValidator);
  ASSERT_TRUE(SpinUntil([&] { return !page.Learning().Busy(); }, 5s));
  EXPECT_TRUE(StatusSays(QStringLiteral("Обучение закончено")));
  EXPECT_FALSE(page.Learning().Window()->isVisible());
  EXPECT_EQ(ModuleByte(kValidator, 2) & 1, 1);
  EXPECT_TRUE(page.Lines().CodeEnabled()) << "the page reads the flag again";
  const auto sent = Sent();
  const auto has = [&sent](uint8_t dest, uint8_t command, uint8_t data) {
    return std::ranges::any_of(sent, [&](const TLanMsg& msg) {
      return msg.Dest == dest && msg.Command == command && msg.Length > 0 && msg.Data[0] == data;
    });
  };
  EXPECT_TRUE(has(kValidator, 112, 0));
  EXPECT_TRUE(std::ranges::any_of(sent, [](const TLanMsg& msg) {
    return msg.Dest == 2 && msg.Command == 6;
  })) << "the main module is told to listen";
  EXPECT_TRUE(has(kValidator, 0, 1)) << "the page tells the module it is shown again";
}

// The module's report travels apart from its echo and may be seen first.
TEST_F(ValidatorLearning, ReportSeenBeforeTheEchoStillCounts) {
  ClickLearnCode(page);
  ASSERT_TRUE(page.Learning().Busy());
  ASSERT_FALSE(page.Learning().Waiting());
  TLanMsg report;
  report.Source = kValidator;
  report.Dest = 0;
  report.Command = 4;
  report.Length = 1;
  report.Data[0] = 1;
  registry.DispatchMessage(report);
  ASSERT_TRUE(SpinUntil([&] { return !page.Learning().Busy(); }, 5s));
  EXPECT_TRUE(StatusSays(QStringLiteral("Обучение закончено")));
}

TEST_F(ValidatorLearning, SilenceIsAFailureNotASuccess) {
  Silence(kValidator);
  ClickLearnCode(page);
  ASSERT_TRUE(SpinUntil([&] { return !page.Learning().Busy(); }, 5s));
  EXPECT_FALSE(page.Learning().Window()->isVisible());
  EXPECT_FALSE(StatusSays(QStringLiteral("Обучение закончено")));
  EXPECT_TRUE(
      StatusSays(QStringLiteral("Модуль не ответил на команду обучения: обучение не выполнено")));
}

TEST_F(ValidatorLearning, RefusalStopsBeforeWaiting) {
  SetOutcome(kValidator, TLearnOutcome::Refuses);
  ClickLearnCode(page);
  ASSERT_TRUE(SpinUntil([&] { return !page.Learning().Busy(); }, 5s));
  EXPECT_TRUE(StatusSays(QStringLiteral("Команда обучения не принята.")));
  EXPECT_FALSE(page.Learning().Window()->isVisible());
  const auto sent = Sent();
  EXPECT_FALSE(std::ranges::any_of(sent, [](const TLanMsg& msg) {
    return msg.Command == 112 && msg.Data[0] == 0xFF;
  })) << "a module that refused is not learning: nothing to cancel";
}

TEST_F(ValidatorLearning, ButtonNotLearnedCancelsTheModulesLearning) {
  SetOutcome(kValidator, TLearnOutcome::NotLearned);
  ClickLearnCode(page);
  ASSERT_TRUE(SpinUntil([&] { return page.Learning().Waiting(); }, 5s));
  PressButton(kValidator);
  ASSERT_TRUE(SpinUntil([&] { return !page.Learning().Busy(); }, 5s));
  EXPECT_TRUE(StatusSays(QStringLiteral("Обучение отменено")));
  EXPECT_FALSE(StatusSays(QStringLiteral("Обучение закончено")));
  const auto sent = Sent();
  EXPECT_TRUE(std::ranges::any_of(sent, [](const TLanMsg& msg) {
    return msg.Dest == kValidator && msg.Command == 112 && msg.Data[0] == 0xFF;
  }));
}

TEST_F(ValidatorLearning, CancelButtonStopsTheModule) {
  ClickLearnCode(page);
  ASSERT_TRUE(SpinUntil([&] { return page.Learning().Waiting(); }, 5s));
  page.Learning().Window()->reject();
  ASSERT_TRUE(SpinUntil([&] { return !page.Learning().Busy(); }, 5s));
  EXPECT_TRUE(StatusSays(QStringLiteral("Обучение отменено")));
  EXPECT_EQ(ModuleByte(kValidator, 2) & 1, 0);
}

TEST_F(ValidatorLearning, AnalogButtonLearnedOnlyOnAnAnalogLine) {
  page.ClickAnalog(TValidatorPage::kAnalogLearnRow, 3);
  EXPECT_FALSE(page.Learning().Busy()) << "line 3 reads no ladder yet";
  page.ClickLine(3, 3);  // line 3 becomes analog
  ASSERT_TRUE(page.Lines().Analog(3));
  page.ClickAnalog(TValidatorPage::kAnalogLearnRow, 3);
  ASSERT_TRUE(SpinUntil([&] { return page.Learning().Waiting(); }, 5s));
  EXPECT_EQ(page.Learning().Window()->Detail(), QStringLiteral("3"));
  PressButton(kValidator);
  ASSERT_TRUE(SpinUntil([&] { return !page.Learning().Busy(); }, 5s));
  EXPECT_TRUE(StatusSays(QStringLiteral("Обучение закончено")));
  EXPECT_EQ(ModuleByte(kValidator, 82), 0x04);
}

}  // namespace

namespace {

TLanMsg ValidatorState(uint8_t levels, uint8_t ladder1, uint8_t ladder2) {
  TLanMsg msg;
  msg.Source = kValidator;
  msg.Dest = 0;
  msg.Command = 3;
  msg.Length = 3;
  msg.Data[0] = levels;
  msg.Data[1] = ladder1;
  msg.Data[2] = ladder2;
  return msg;
}

TEST_F(ValidatorLearning, LiveChangesOfTheLinesGoToTheJournal) {
  Read(kValidator);
  registry.DispatchMessage(ValidatorState(0x00, 0x00, 0x00));
  EXPECT_TRUE(host.Notes.empty()) << "the first report is no change";
  registry.DispatchMessage(ValidatorState(0x08, 0x00, 0x04));
  ASSERT_EQ(host.Notes.size(), 2u);
  EXPECT_EQ(host.Notes[0], (std::array<uint8_t, 5>{kValidator, 3, 1, 0x02, 0x88}));
  EXPECT_EQ(host.Notes[1], (std::array<uint8_t, 5>{kValidator, 3, 4, 0x04, 0x04}));
}

}  // namespace
