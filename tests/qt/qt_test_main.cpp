// The Qt tests need an application object for the whole run.
#include <QApplication>
#include <QFont>
#include <gtest/gtest.h>

namespace {

// The offscreen platform says so each time a window asks for something it
// has no use for (raising, grabbing the keyboard); the rest is kept.
QtMessageHandler standardHandler = nullptr;

void QuietOffscreenNotes(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (message.startsWith(QLatin1String("This plugin does not support"))) return;
  if (standardHandler) standardHandler(type, context, message);
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  standardHandler = qInstallMessageHandler(QuietOffscreenNotes);
  QApplication app(argc, argv);
  QApplication::setFont(QFont("Arial", 8));
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
