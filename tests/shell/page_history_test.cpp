#include "shell/page_history.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace {

QStringList Pages(const TPageHistory& h) {
  QStringList pages;
  for (const auto& e : h.Entries()) pages << e.Page;
  return pages;
}

TEST(PageHistory, EmptyHistoryGoesNowhere) {
  TPageHistory history;
  EXPECT_FALSE(history.CanGoBack());
  EXPECT_FALSE(history.CanGoForward());
  EXPECT_EQ(history.Back(), nullptr);
  EXPECT_EQ(history.Current(), nullptr);
  history.StepBackForReshow();
  EXPECT_EQ(history.Index(), -1);
}

TEST(PageHistory, BackForwardAndAppendAfterGoingBack) {
  TPageHistory history;
  history.Append(QStringLiteral("A"), -1);
  EXPECT_FALSE(history.CanGoBack());
  history.Append(QStringLiteral("B"), -1);
  history.Append(QStringLiteral("C"), 2);
  EXPECT_FALSE(history.CanGoForward());

  ASSERT_NE(history.Back(), nullptr);
  EXPECT_EQ(history.Current()->Page, QStringLiteral("B"));
  EXPECT_TRUE(history.CanGoForward());
  const auto* forward = history.Forward();
  ASSERT_NE(forward, nullptr);
  EXPECT_EQ(forward->Page, QStringLiteral("C"));
  EXPECT_EQ(forward->Category, 2);

  history.Back();
  history.Append(QStringLiteral("D"), -1);
  EXPECT_EQ(Pages(history), (QStringList{"A", "B", "C", "D"}));
  EXPECT_EQ(history.Index(), 3);
}

TEST(PageHistory, RepeatedReshowsNeverLeaveTheList) {
  TPageHistory history;
  history.Append(QStringLiteral("A"), -1);
  for (int i = 0; i < 5; ++i) {
    history.StepBackForReshow();
    ASSERT_NE(history.Current(), nullptr);
  }
  EXPECT_EQ(history.Index(), 0);
  EXPECT_FALSE(history.CanGoForward());
}

}  // namespace
