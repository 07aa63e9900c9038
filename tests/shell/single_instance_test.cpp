#include "shell/single_instance.h"

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QUuid>

#include "test_support.h"

namespace {

TEST(SingleInstance, SecondStartWakesTheFirstAndBacksOff) {
  const QString name = QStringLiteral("Vardex test ") + QUuid::createUuid().toString();
  TSingleInstance first(name);
  ASSERT_TRUE(first.Acquire());
  QSignalSpy activated(&first, &TSingleInstance::ActivateRequested);

  // The second start runs in its own process in real life; its connect and write do not need
  // the first's event loop until the first reads.
  TSingleInstance second(name);
  EXPECT_FALSE(second.Acquire());
  EXPECT_TRUE(SpinUntil([&] { return activated.count() == 1; }));
}

TEST(SingleInstance, StaleSocketDoesNotLockTheUserOut) {
  const QString name = QStringLiteral("Vardex stale ") + QUuid::createUuid().toString();
  {
    TSingleInstance crashed(name);
    ASSERT_TRUE(crashed.Acquire());
  }
  TSingleInstance next(name);
  EXPECT_TRUE(next.Acquire());
}

}  // namespace
