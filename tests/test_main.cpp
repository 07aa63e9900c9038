#include <gtest/gtest.h>

#include <QCoreApplication>

// Link and registry tests post work to the user-interface thread, so an application object
// must exist; the tests spin its event loop themselves.
int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
