#include "shell/single_instance.h"

#include <gtest/gtest.h>

#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>
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

// The socket lives where only the user can create it: the runtime folder when it is private,
// otherwise a private folder of the user's own, never a shared one that another user could
// have taken first.
TEST(SingleInstance, TheSocketLivesOnlyInAPrivateFolder) {
  QTemporaryDir runtime;
  ASSERT_TRUE(runtime.isValid());
  const QByteArray saved = qgetenv("XDG_RUNTIME_DIR");
  qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
  const QString name = QStringLiteral("Vardex private ") + QUuid::createUuid().toString();
  struct TCase {
    QFileDevice::Permissions Folder;
    bool Used;
  };
  const TCase cases[] = {
      {QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner, true},
      {QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::WriteOther |
           QFile::ReadOther | QFile::ExeOther,
       false},
  };
  for (const TCase& c : cases) {
    QFile::setPermissions(runtime.path(), c.Folder);
    TSingleInstance instance(name);
    ASSERT_TRUE(instance.Acquire());
    const QString path = instance.SocketPath();
    EXPECT_EQ(QFileInfo(path).path() == runtime.path(), c.Used) << path.toStdString();
    EXPECT_FALSE(path.startsWith(QStringLiteral("/tmp/")) && !c.Used) << path.toStdString();
    EXPECT_TRUE(QFileInfo::exists(path)) << path.toStdString();
  }
  if (saved.isNull()) {
    qunsetenv("XDG_RUNTIME_DIR");
  } else {
    qputenv("XDG_RUNTIME_DIR", saved);
  }
}

}  // namespace
