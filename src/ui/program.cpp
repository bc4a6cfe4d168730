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

Window* Program::FindWindow(const std::string& name) {
  if (name == main.Name()) return &main;
  if (name == motor.Name()) return &motor;
  return nullptr;
}

}  // namespace quillet
