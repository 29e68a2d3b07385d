// The desktop suites need a QApplication; they run on the offscreen platform.

#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char** argv) {
  // Also when CTest lists the tests at build time, without a display. A screen of 1920 x 1200,
  // where a full screen doubles the playfield.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" FLAKMIRE_OFFSCREEN_SCREEN);
  }
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
