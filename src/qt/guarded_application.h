// The desktop program's application object. An exception that escapes an
// event handler would end the program and take the user's unsaved work
// with it; it is shown in a message box instead, and the program goes on
// with its data as they are.
#pragma once

#include <functional>

#include <QApplication>

namespace quillet {

class GuardedApplication : public QApplication {
 public:
  GuardedApplication(int& argc, char** argv);

  bool notify(QObject* receiver, QEvent* event) override;
  // Runs the body (start-up and the event loop); an exception that escapes
  // it is shown and ends the program with status 2.
  int Run(const std::function<int()>& body);

 private:
  void Report(const QString& what);

  bool reporting_ = false;
};

}  // namespace quillet
