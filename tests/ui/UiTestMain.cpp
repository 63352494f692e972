// The tests of the user interface and of the desktop program run on Qt's
// offscreen platform unless told otherwise, also when the test list is read
// at build time.

#include <gtest/gtest.h>

#include <QByteArray>
#include <QtGlobal>

#include "platform/Platform.h"
#include "ui/BoardImages.h"
#include "ui/Fonts.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
  testing::InitGoogleTest(&argc, argv);
  StartWindowSystem(argc, argv);
  LoadProgramFonts();
  PrepareImages();
  const int result = RUN_ALL_TESTS();
  EndWindowSystem();
  return result;
}
