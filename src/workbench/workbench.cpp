#include "workbench/workbench.h"

#include "workbench/design_report.h"

namespace quillet {

Workbench::Workbench(Services& services, int screenWidth, int screenHeight)
    : program(services, screenWidth, screenHeight), finder(program), schedule(program) {
  program.reportSections = [](const Elcal& main) { return std::vector<ReportSection>{DesignSection(main)}; };
}

}  // namespace quillet
