// The script driver on any text: a bad line is a ScriptError, never a
// crash; the calculator behind it stays usable.
#include <cstdint>
#include <filesystem>
#include <sstream>
#include <string>

#include "workbench/workbench.h"
#include "scratch_folder.h"
#include "script/script_runner.h"
#include "script/scripted_services.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  quillet::ScriptedServices services(ScratchFolder("script").string());
  quillet::Workbench workbench(services, 19200, 10800);
  quillet::Program& program = workbench.program;
  program.Start();
  std::ostringstream out;
  quillet::ScriptRunner runner(program, services, out);
  std::istringstream lines(text);
  std::string line;
  while (std::getline(lines, line)) {
    try {
      runner.RunLine(line);
    } catch (const quillet::ScriptError&) {
    }
  }
  return 0;
}
