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

namespace quillet {

class ReportPrinter;

// The tools built above the running program (the size finder, the feeder
// schedule). The Tools menu offers an item once its action is set.
struct FeederTools {
  std::function<void()> findSmallestSize;
  std::function<void()> openSchedule;
  std::function<void()> addFeederToSchedule;
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

  // Offers the feeder tools in the Tools menu and counts their windows among
  // the program's, so views and the driver reach them like the others.
  void AddFeederTools(FeederTools tools, std::vector<Window*> windows);

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
  FeederTools feederTools;

 private:
  std::vector<Window*> toolWindows_;
};

}  // namespace quillet
