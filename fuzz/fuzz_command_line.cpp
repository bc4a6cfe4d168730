// Command lines and environment values, as a user or a launcher may give
// them: the shared option parser never crashes, always ends in run, exit 0
// or exit 2, and hands back only arguments it was given; the configuration
// folder is either none or one named Quillet.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "command_line.h"
#include "settings/settings_folder.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

const quillet::cli::Tool kTool = {"quillet-fuzz", "[--folder DIR] [--now TEXT] [FILE]", "",
                                  {{"folder", true, 1}, {"now", true, 2}, {"flag", false, 3}}};

std::vector<std::string> SplitOnNul(std::string_view data) {
  std::vector<std::string> parts{"quillet-fuzz"};
  for (std::size_t start = 0; start <= data.size() && parts.size() < 64;) {
    const std::size_t end = std::min(data.find('\0', start), data.size());
    parts.emplace_back(data.substr(start, end - start));
    start = end + 1;
  }
  return parts;
}

void ParseArguments(std::vector<std::string> args) {
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  std::ostringstream out, err;
  const auto parsed = quillet::cli::ParseCommandLine(
      kTool, static_cast<int>(args.size()), argv.data(),
      [](int, const std::string& value) { return value == "bad" ? std::string("refused") : std::string(); }, out, err);
  if (parsed.exit) {
    Check(parsed.status == quillet::cli::kExitOk || parsed.status == quillet::cli::kExitUsage);
    Check((parsed.status == quillet::cli::kExitOk) == err.str().empty());
    return;
  }
  for (const std::string& operand : parsed.operands) {
    bool given = false;
    for (const std::string& arg : args) given = given || arg == operand;
    Check(given);
  }
}

void ConfigFolders(const std::string& value) {
  const quillet::EnvironmentLookup env = [&value](const char*) { return value; };
  for (auto convention : {quillet::ConfigConvention::kXdg, quillet::ConfigConvention::kWindows,
                          quillet::ConfigConvention::kMac}) {
    const std::string folder = quillet::UserConfigFolder(convention, env);
    Check(folder.empty() || std::filesystem::path(folder).filename() == "Quillet");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  std::vector<std::string> args = SplitOnNul(text);
  ConfigFolders(args[1]);
  ParseArguments(std::move(args));
  return 0;
}
