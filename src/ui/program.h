// One running calculator: the desktop session, the main window and the
// user-action entry points. The Qt view and the script driver each own one.
#pragma once

#include <string>
#include <vector>

#include "motor/motor_window.h"
#include "platform/desktop.h"
#include "platform/user_actions.h"
#include "ui/about_window.h"
#include "ui/elcal.h"

namespace quillet {

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
  // Shown by a later double-click on the motor frame; its texts exist from the start.
  MotorWindow motor;
  AboutWindow about;
  UserActions actions;
};

}  // namespace quillet
