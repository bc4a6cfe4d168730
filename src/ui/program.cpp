#include "ui/program.h"

namespace quillet {

Program::Program(Services& services, int screenWidth, int screenHeight)
    : desktop(services, screenWidth, screenHeight), main(desktop), motor(desktop), about(desktop, main), actions(desktop) {
  main.CmdAbout.Click = [this] { about.Show(); };
  // Closing the main window closes the windows it opened.
  main.Unload = [this] { about.Close(); };
}

void Program::Start() {
  Desktop::Guard busy(desktop);
  main.Show();
}

void Program::Stop() {
  Desktop::Guard busy(desktop);
  main.Close();
}

std::vector<Window*> Program::Windows() { return {&main, &motor, &about}; }

Window* Program::FindWindow(const std::string& name) {
  for (Window* window : Windows())
    if (window->Name() == name) return window;
  return nullptr;
}

}  // namespace quillet
