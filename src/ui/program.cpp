#include "ui/program.h"

namespace quillet {

Program::Program(Services& services, int screenWidth, int screenHeight)
    : desktop(services, screenWidth, screenHeight), main(desktop), motor(desktop), actions(desktop) {}

void Program::Start() {
  Desktop::Guard busy(desktop);
  main.Show();
}

void Program::Stop() {
  Desktop::Guard busy(desktop);
  main.Close();
}

std::vector<Window*> Program::Windows() { return {&main, &motor}; }

Window* Program::FindWindow(const std::string& name) {
  for (Window* window : Windows())
    if (window->Name() == name) return window;
  return nullptr;
}

}  // namespace quillet
