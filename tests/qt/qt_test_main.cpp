// The Qt tests need an application object for the whole run.
#include <QApplication>
#include <QFont>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QApplication::setFont(QFont("Arial", 8));
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
