// quillet [--folder DIR] [--trace-startup]
// The desktop calculator. The settings file lives beside the executable
// when that folder is writable, else in the user's configuration folder,
// unless --folder names another.
#include <chrono>
#include <cstdio>
#include <string>

#include <QFont>
#include <QTimer>

#include "core/elcal.h"
#include "settings/settings_folder.h"
#include "platform/controls.h"
#include "platform/file_output.h"
#include "qt/command_line.h"
#include "qt/desktop_app.h"
#include "qt/guarded_application.h"
#include "qt/theme.h"

namespace {

// Prints how long the first results took to show, once they have.
void TraceFirstResults(quillet::Elcal& main, std::chrono::steady_clock::time_point started) {
  auto* poll = new QTimer(qApp);
  QObject::connect(poll, &QTimer::timeout, poll, [&main, started, poll] {
    if (main.VDACL.Caption() == "vd V") return;
    QTimer::singleShot(0, poll, [started, poll] {
      const auto ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started);
      std::fprintf(stderr, "quillet: first results shown after %.1f ms\n", ms.count());
      poll->deleteLater();
    });
    poll->stop();
  });
  poll->start(1);
}

}  // namespace

int main(int argc, char** argv) {
  const auto started = std::chrono::steady_clock::now();
  quillet::RemoveTemporaryFilesOnInterrupt();
  const quillet::DesktopCommandLine command = quillet::ParseDesktopCommandLine(argc, argv);
  if (command.exit) return command.status;
  quillet::GuardedApplication app(argc, argv);
  QApplication::setApplicationName("Quillet");
  QApplication::setFont(QFont("Arial", 8));
  quillet::FollowDesktopTheme();

  return app.Run([&] {
    const quillet::SettingsFolder folder =
        command.options.folder ? quillet::SettingsFolder{*command.options.folder, false}
                               : quillet::ChooseSettingsFolder(QCoreApplication::applicationDirPath().toStdString());
    quillet::DesktopApp desktop(folder);
    desktop.Start();
    if (command.options.traceStartup) TraceFirstResults(desktop.Calculator().main, started);
    return app.exec();
  });
}
