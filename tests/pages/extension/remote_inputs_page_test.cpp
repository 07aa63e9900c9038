#include "pages/extension/remote_inputs_page.h"

#include <gtest/gtest.h>

#include "binding/ui/category_panels.h"
#include "binding/ui/vd_grid.h"
#include "learning_fixture.h"
#include "pages/extension/learn_session.h"
#include "pages/extension/learn_wait.h"

namespace {

using namespace std::chrono_literals;

constexpr uint8_t kExtender = 15;
// The column of "Блок аналоговых кнопок" in the input grid.
constexpr int kAnalogButtonsColumn = TRemoteInputsPage::kFirstFunctionColumn + 8;

using RemoteInputsPage = TLearningTest<TRemoteInputsPage>;

TEST_F(RemoteInputsPage, LaysItselfOutByTheModulesVersion) {
  const auto& sections = page.CategoryPanels1()->Categories();
  ASSERT_EQ(sections.size(), 3u);
  EXPECT_EQ(sections[0], &page.InputsSection());
  EXPECT_EQ(sections[1], &page.AnalogSection());
  EXPECT_EQ(sections[2], &page.EventsSection()) << "the ladder's events follow the ladder";
  EXPECT_FALSE(page.AnalogSection().isVisibleTo(&page));
  page.PageShown();  // the virtual extender answers 1.4
  ASSERT_TRUE(SpinUntil([&] { return page.Inputs().Version.Known(); }, 5s));
  EXPECT_EQ(page.Inputs().Version, (TModuleVersion{1, 4}));
  EXPECT_TRUE(page.AnalogSection().isVisibleTo(&page));

  const struct {
    uint8_t Major;
    uint8_t Minor;
    bool Analog;
  } versions[] = {{1, 4, true}, {1, 10, true}, {2, 0, true}, {1, 3, false}};
  for (const auto& v : versions) {
    registry.DispatchMessage(StatusAnswer(kExtender, {v.Major, v.Minor}));
    EXPECT_EQ(page.AnalogSection().isVisibleTo(&page), v.Analog) << +v.Major << '.' << +v.Minor;
    EXPECT_EQ(page.EventsSection().isVisibleTo(&page), v.Analog) << +v.Major << '.' << +v.Minor;
  }
  EXPECT_EQ(page.AnalogSection().toolTip(), QStringLiteral("Доступно с версии 1.4"));
}

TEST_F(RemoteInputsPage, SilentModuleLeavesThePageClosed) {
  Silence(kExtender);
  page.PageShown();
  SpinUntil([&] { return worker.Idle(); }, 3s);
  SpinFor(300ms);
  EXPECT_FALSE(page.Inputs().Version.Known());
  EXPECT_FALSE(page.AnalogSection().isVisibleTo(&page));
  EXPECT_FALSE(page.InputsGrid().isVisibleTo(&page));
}

TEST_F(RemoteInputsPage, LadderWorksOnlyWhileInputTwoIsGivenToIt) {
  registry.DispatchMessage(StatusAnswer(kExtender, {1, 4}));
  EXPECT_FALSE(page.AnalogSection().Panel()->isEnabled());
  page.ClickInput(2, kAnalogButtonsColumn);
  EXPECT_EQ(page.Inputs().Function(2), TRemoteInputs::kAnalogButtons);
  EXPECT_TRUE(page.AnalogSection().Panel()->isEnabled());
  page.ClickInput(2, kAnalogButtonsColumn);
  EXPECT_EQ(page.Inputs().Function(2), 0);
  EXPECT_FALSE(page.AnalogSection().Panel()->isEnabled());
  EXPECT_EQ(page.AnalogSection().toolTip(),
            QStringLiteral("Не назначен алгоритм аналоговых кнопок"));
}

TEST_F(RemoteInputsPage, ButtonLearnedAgainstTheVirtualExtender) {
  page.ClickInput(2, kAnalogButtonsColumn);
  page.ClickAnalog(TRemoteInputsPage::kLearnButtonRow, 5);
  ASSERT_TRUE(SpinUntil([&] { return page.Learning().Waiting(); }, 5s));
  EXPECT_EQ(page.Learning().Window()->windowTitle(), QStringLiteral("Обучить входу  5"));
  PressButton(kExtender);
  ASSERT_TRUE(SpinUntil([&] { return !page.Learning().Busy(); }, 5s));
  EXPECT_TRUE(StatusSays(QStringLiteral("Обучение закончено")));
  EXPECT_EQ(ModuleByte(kExtender, 54), 0x10);
}

TEST_F(RemoteInputsPage, RefusedEventLearningIsSaidPlainly) {
  page.ClickInput(2, kAnalogButtonsColumn);
  SetOutcome(kExtender, TLearnOutcome::Refuses);
  page.ClickAnalog(4, TRemoteInputsPage::kLearnColumn);
  ASSERT_TRUE(SpinUntil([&] { return !page.Learning().Busy(); }, 5s));
  EXPECT_TRUE(StatusSays(QStringLiteral("Команда обучения не принята.")));
  EXPECT_FALSE(page.Learning().Window()->isVisible());
}

TEST_F(RemoteInputsPage, SilentModuleDuringEventLearningIsAFailure) {
  page.ClickInput(2, kAnalogButtonsColumn);
  Silence(kExtender);
  page.ClickAnalog(2, TRemoteInputsPage::kLearnColumn);
  ASSERT_TRUE(SpinUntil([&] { return !page.Learning().Busy(); }, 5s));
  EXPECT_FALSE(StatusSays(QStringLiteral("Обучение закончено")));
  EXPECT_FALSE(page.Inputs().EventLearned(2));
}

TEST(RemoteInputs, FunctionBytesRunFromInputSixDown) {
  TRemoteInputs inputs;
  inputs.Functions = TRemoteInputs::kFactoryFunctions;
  EXPECT_EQ(inputs.Function(1), 1);
  EXPECT_EQ(inputs.Function(2), 2);
  EXPECT_EQ(inputs.Function(3), 3);
  for (int input = 4; input <= 6; ++input) EXPECT_EQ(inputs.Function(input), 0) << input;
  inputs.ClickFunction(6, 22);
  EXPECT_EQ(inputs.Functions[0], 21);
  inputs.ClickFunction(6, 5);
  EXPECT_EQ(inputs.Functions[0], 4) << "another function replaces the input's own";
  inputs.ClickFunction(6, 5);
  EXPECT_EQ(inputs.Functions[0], TRemoteInputs::kNoFunction);
}

TEST(RemoteInputs, InputTwosPolarityIsFixedFromVersionOnePointThree) {
  TRemoteInputs inputs;
  inputs.Version = {1, 2};
  EXPECT_TRUE(inputs.TogglePolarity(2));
  inputs.Version = {1, 3};
  EXPECT_FALSE(inputs.TogglePolarity(2));
  inputs.Version = {2, 0};
  EXPECT_FALSE(inputs.TogglePolarity(2));
  EXPECT_FALSE(inputs.TogglePolarity(1));
  EXPECT_TRUE(inputs.TogglePolarity(5));
}

}  // namespace
