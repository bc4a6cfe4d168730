// The Qt tests need an application object for the whole run: the program's own.
#include <QFont>
#include <gtest/gtest.h>

#include "qt/guarded_application.h"
#include "qt_fixture.h"

namespace {

// Two notes that say nothing about the calculator are dropped: the offscreen
// platform's, each time a window asks for something it has no use for
// (raising, grabbing the keyboard), and the font engine's, each time the
// view soak types a character of a script the installed fonts cannot shape.
QtMessageHandler standardHandler = nullptr;

void QuietPlatformNotes(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (message.startsWith(QLatin1String("This plugin does not support")) ||
      message.contains(QLatin1String("OpenType support missing for")))
    return;
  if (type != QtDebugMsg && type != QtInfoMsg) quillet::HearQtWarning(message);
  if (standardHandler) standardHandler(type, context, message);
}

}  // namespace

int main(int argc, char** argv) {
  // The offscreen platform, with its options when given (a screen of another size).
  if (!qEnvironmentVariable("QT_QPA_PLATFORM").startsWith(QLatin1String("offscreen")))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  standardHandler = qInstallMessageHandler(QuietPlatformNotes);
  quillet::GuardedApplication app(argc, argv);
  QApplication::setFont(QFont("Arial", 8));
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
