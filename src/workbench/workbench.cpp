#include "workbench/workbench.h"

namespace quillet {

Workbench::Workbench(Services& services, int screenWidth, int screenHeight)
    : program(services, screenWidth, screenHeight), finder(program), schedule(program) {}

}  // namespace quillet
