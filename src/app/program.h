// One running calculator: the desktop session, the main window and the
// user-action entry points. The Qt view and the script driver each own one.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "app/about_window.h"
#include "app/discl_window.h"
#include "app/phases_window.h"
#include "core/elcal.h"
#include "settings/effcon_window.h"
#include "motor/motor_window.h"
#include "platform/desktop.h"
#include "platform/user_actions.h"
#include "report/calculation_report.h"

namespace quillet {

class ReportPrinter;

// A tool built above the running program (the size finder, the feeder
// schedule): its item in the Tools menu, the window it works in and what
// the item does.
struct Tool {
  std::string text;
  std::string shortcut;  // "Ctrl+F"
  Window* window = nullptr;
  std::function<void()> run;
};

// What the view a program runs in can show beyond the specified windows.
// A build's view that lacks something leaves it out of the Tools menu: a
// tool whose window holds an editable table or a diagram, the PDF item.
struct ViewSupport {
  bool pdfFiles = true;
  bool editableGrids = true;
  bool diagrams = true;
};

class Program {
 public:
  Program(Services& services, int screenWidth, int screenHeight);

  // Creates and loads the main window as a launch does.
  void Start();
  // Closes the main window (its unload closes the others).
  void Stop();

  Window* FindWindow(const std::string& name);
  // Every window of the program; a view builds one surface for each.
  std::vector<Window*> Windows();

  // The Tools menu offers the tool after those added before it, ahead of
  // the calculation's own print and PDF items; its window joins the
  // program's, so views and the driver reach it like the others, and closes
  // with the main window, which asks it first.
  void AddTool(Tool tool);
  // A window a tool opens from its own: it joins the program's windows and
  // closes with the main window, with no item in the Tools menu.
  void AddToolWindow(Window& window);
  const std::vector<Tool>& Tools() const { return tools_; }

  // Set by the view before Start; the Tools menu is filled again for it.
  void SetViewSupport(const ViewSupport& support);
  const ViewSupport& Support() const { return support_; }
  // Whether the view shows every control of the window.
  bool Shows(const Window& window) const;

  // The calculation report of the main window as it stands, with the
  // sections the tools add; what printing, the PDF and the driver show.
  CalculationReport Report() const;

  Desktop desktop;
  Elcal main;
  MotorWindow motor;
  AboutWindow about;
  DisclWindow discl;
  PhasesWindow phases;
  EffConWindow effcon;
  UserActions actions;
  // Where printed and PDF reports go; set by the view or the driver.
  ReportPrinter* reportPrinter = nullptr;
  // Sections a tool adds to the report after its results (the feeder
  // design); none until one is set.
  std::function<std::vector<ReportSection>(const Elcal&)> reportSections;
  // Asks for the title block before a report is printed or saved (what for:
  // "Print calculation"); `go` sends the report with it, and never runs when
  // the user cancels. Unset, the report goes at once without one.
  std::function<void(const std::string& purpose, std::function<void(const TitleBlock&)> go)> askTitleBlock;

 private:
  bool ToolWindowsAgreeToClose();

  ViewSupport support_;
  std::vector<Tool> tools_;
  // Each tool's window once, in the order the tools came.
  std::vector<Window*> toolWindows_;
};

}  // namespace quillet
