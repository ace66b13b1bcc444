// The Qt tests need an application object (fonts, widgets); they run without a display.
#include <gtest/gtest.h>

#include "qt_application.h"

int main(int argc, char** argv) {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  testing::InitGoogleTest(&argc, argv);
  TGameApplication app(argc, argv);
  return RUN_ALL_TESTS();
}
