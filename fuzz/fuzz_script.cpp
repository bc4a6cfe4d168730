// The script driver on any text: a bad line is a ScriptError, never a
// crash; the calculator behind it stays usable.
#include <cstdint>
#include <filesystem>
#include <sstream>
#include <string>

#include "script/script_runner.h"
#include "script/scripted_services.h"
#include "ui/program.h"

namespace {

const std::filesystem::path& Folder() {
  static const std::filesystem::path folder = [] {
    auto path = std::filesystem::temp_directory_path() / "quillet-fuzz-script";
    std::filesystem::create_directories(path);
    return path;
  }();
  return folder;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  quillet::ScriptedServices services(Folder().string());
  quillet::Program program(services, 19200, 10800);
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
