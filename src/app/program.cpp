#include "app/program.h"

#include <algorithm>

#include "app/elcal_handlers.h"
#include "app/tools_menu.h"
#include "platform/grid.h"

namespace quillet {

Program::Program(Services& services, int screenWidth, int screenHeight)
    : desktop(services, screenWidth, screenHeight),
      main(desktop),
      motor(desktop),
      about(desktop, main),
      discl(desktop, main),
      phases(desktop, main),
      effcon(desktop, main),
      actions(desktop) {
  AttachHandlers(main);
  AttachToolsMenu(*this);
  main.CmdAbout.Click = [this] { about.Show(); };
  main.Command2.Click = [this] { effcon.Show(); };
  main.Frame3D13.DblClick = [this] { phases.Show(); };
  main.Frame3D16.DblClick = [this] { motor.ShowOver(main); };
  main.Stat.DblClick = [this] { discl.Show(true); };
  about.Command2.Click = [this] { discl.Show(true); };
  // Closing the main window closes the windows it opened.
  main.Unload = [this] {
    about.Close();
    phases.Close();
    effcon.Close();
    for (Window* tool : toolWindows_) tool->Close();
  };
  main.QueryUnload = [this] { return ToolWindowsAgreeToClose(); };
}

void Program::Start() {
  Desktop::Guard busy(desktop);
  main.Show();
}

void Program::Stop() {
  Desktop::Guard busy(desktop);
  main.Close();
}

void Program::AddTool(Tool tool) {
  if (tool.window) AddToolWindow(*tool.window);
  tools_.push_back(std::move(tool));
  FillToolsMenu(*this);
}

void Program::AddToolWindow(Window& window) {
  if (std::find(toolWindows_.begin(), toolWindows_.end(), &window) == toolWindows_.end())
    toolWindows_.push_back(&window);
}

void Program::SetViewSupport(const ViewSupport& support) {
  support_ = support;
  FillToolsMenu(*this);
}

bool Program::Shows(const Window& window) const {
  for (const Control* control : window.Controls()) {
    if (control->Kind() == ControlKind::Diagram && !support_.diagrams) return false;
    if (const auto* grid = dynamic_cast<const Grid*>(control);
        grid && !grid->ReadOnly() && !support_.editableGrids)
      return false;
  }
  return true;
}

// Unsaved work in a tool's window may keep the program open.
bool Program::ToolWindowsAgreeToClose() {
  for (Window* tool : toolWindows_)
    if (tool->QueryUnload && !tool->QueryUnload()) return false;
  return true;
}

std::vector<Window*> Program::Windows() {
  std::vector<Window*> windows = {&main, &motor, &about, &discl, &phases, &effcon};
  windows.insert(windows.end(), toolWindows_.begin(), toolWindows_.end());
  return windows;
}

CalculationReport Program::Report() const {
  return BuildCalculationReport(main, reportSections ? reportSections(main) : std::vector<ReportSection>{});
}

Window* Program::FindWindow(const std::string& name) {
  for (Window* window : Windows())
    if (window->Name() == name) return window;
  return nullptr;
}

}  // namespace quillet
