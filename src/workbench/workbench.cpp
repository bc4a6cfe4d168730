#include "workbench/workbench.h"

#include "schedule/window_feeder.h"
#include "workbench/design_report.h"

namespace quillet {

Workbench::Workbench(Services& services, int screenWidth, int screenHeight)
    : program(services, screenWidth, screenHeight),
      preferences(program.desktop),
      titleBlock(program.desktop, preferences),
      finder(program),
      schedule(program, preferences, titleBlock, finder) {
  program.AddToolWindow(titleBlock);
  program.reportSections = [this](const Elcal& main) {
    const auto sized = finder.SizedAs(FeederFromWindow(main));
    return std::vector<ReportSection>{DesignSection(main, finder.DropLimit(), sized && sized->nonlinear)};
  };
  program.askTitleBlock = [this](const std::string& purpose, std::function<void(const TitleBlock&)> go) {
    titleBlock.Ask(purpose, program.main, std::move(go));
  };
}

}  // namespace quillet
