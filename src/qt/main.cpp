// quillet [--folder DIR] [--trace-startup]
// The desktop calculator. The program folder (where the settings file
// lives) is the executable's folder unless --folder names another.
#include <chrono>
#include <cstdio>
#include <string>

#include <QApplication>
#include <QFont>
#include <QTimer>

#include "core/elcal.h"
#include "platform/controls.h"
#include "qt/desktop_app.h"

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
  QApplication app(argc, argv);
  QApplication::setApplicationName("Quillet");
  QApplication::setFont(QFont("Arial", 8));

  std::string folder = QCoreApplication::applicationDirPath().toStdString();
  bool trace = false;
  const QStringList args = QCoreApplication::arguments();
  for (int i = 1; i < args.size(); ++i) {
    if (args[i] == "--folder" && i + 1 < args.size()) folder = args[++i].toStdString();
    else if (args[i] == "--trace-startup") trace = true;
    else {
      std::fprintf(stderr, "usage: quillet [--folder DIR] [--trace-startup]\n");
      return 2;
    }
  }

  quillet::DesktopApp desktop(folder);
  desktop.Start();
  if (trace) TraceFirstResults(desktop.Calculator().main, started);
  return app.exec();
}
