// One running calculator: the desktop session, the main window and the
// user-action entry points. The Qt view and the script driver each own one.
#pragma once

#include <string>
#include <vector>

#include "app/about_window.h"
#include "app/discl_window.h"
#include "app/phases_window.h"
#include "core/elcal.h"
#include "efficiency/settings_window.h"
#include "motor/motor_window.h"
#include "platform/desktop.h"
#include "platform/user_actions.h"

namespace quillet {

class ReportPrinter;

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
};

}  // namespace quillet
