#include "qt/guarded_application.h"

#include <exception>

#include <QMessageBox>

#include "platform/view_rules.h"

namespace quillet {

GuardedApplication::GuardedApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool GuardedApplication::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::exception& error) {
    Report(QString::fromUtf8(error.what()));
  } catch (...) {
    Report(QStringLiteral("unknown"));
  }
  return false;
}

int GuardedApplication::Run(const std::function<int()>& body) {
  try {
    return body();
  } catch (const std::exception& error) {
    Report(QString::fromUtf8(error.what()));
  } catch (...) {
    Report(QStringLiteral("unknown"));
  }
  return 2;
}

// One box at a time, however often a fault repeats behind it (a timer's).
void GuardedApplication::Report(const QString& what) {
  if (reporting_) return;
  reporting_ = true;
  QMessageBox::critical(activeWindow(), QString::fromLatin1(kFaultTitle),
                        QString::fromStdString(FaultMessage(what.toStdString())));
  reporting_ = false;
}

}  // namespace quillet
