// The calculator on a Qt desktop: the real services, the program with its
// tools and one view per window.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "qt/qt_services.h"
#include "workbench/workbench.h"

namespace quillet {

class QtPrinter;
class WindowView;

class DesktopApp {
 public:
  explicit DesktopApp(const SettingsFolder& folder);
  ~DesktopApp();
  DesktopApp(const DesktopApp&) = delete;
  DesktopApp& operator=(const DesktopApp&) = delete;

  // Loads and shows the main window; closing it quits the event loop.
  void Start();
  Program& Calculator() { return program_; }
  WindowView& View(const std::string& windowName) const;
  QtPrinter& Printer() { return *printer_; }

 private:
  QtServices services_;
  Workbench workbench_;
  Program& program_ = workbench_.program;
  std::vector<std::unique_ptr<WindowView>> views_;
  std::unique_ptr<QtPrinter> printer_;
};

}  // namespace quillet
