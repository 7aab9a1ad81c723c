// main() of the widget test binaries: one QApplication on the offscreen platform for the whole run,
// so widget tests never need a display and never show a window on the developer's screen.
#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  ::testing::InitGoogleTest(&argc, argv);
  QApplication application(argc, argv);
  QApplication::setOrganizationName("Kelvane");
  QApplication::setApplicationName("Kelvane");
  return RUN_ALL_TESTS();
}
