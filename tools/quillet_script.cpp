// quillet-script [--folder DIR | --program-folder DIR] [--now TEXT] [--screen WxH] [FILE | -]
// Starts the calculator headless, plays the script and prints what it asks.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>

#include "command_line.h"
#include "platform/file_output.h"
#include "platform/native_text.h"
#include "settings/settings_folder.h"
#include "script/script_runner.h"
#include "script/scripted_services.h"
#include "workbench/workbench.h"

namespace {

enum OptionId { kFolder = 1, kProgramFolder, kNow, kScreen };

const quillet::cli::Tool kTool = {
    "quillet-script",
    "[--folder DIR | --program-folder DIR] [--now TEXT] [--screen WxH] [FILE | -]",
    "Starts the calculator headless, then plays the commands of FILE (or of\n"
    "standard input) and prints what they ask for.\n"
    "\n"
    "  --folder DIR          keep the settings file in DIR (default: the current folder);\n"
    "                        wins over --program-folder\n"
    "  --program-folder DIR  start as a program installed in DIR: the settings file\n"
    "                        stays there when DIR is writable, else it goes to the\n"
    "                        user's configuration folder\n"
    "  --now TEXT            the date and time the clock shows\n"
    "  --screen WxH          the screen size in twips (default 28800x16200)\n"
    "  --help                show this help and exit\n"
    "  --version             show the version and exit\n",
    {{"folder", true, kFolder},
     {"program-folder", true, kProgramFolder},
     {"now", true, kNow},
     {"screen", true, kScreen}},
};

struct Options {
  std::string folder = ".";
  bool folderForced = false;
  std::string programFolder;
  bool haveNow = false;
  std::string now;
  int width = 28800;
  int height = 16200;
};

bool ParseScreen(const std::string& text, int& width, int& height) {
  char x = 0;
  char rest = 0;
  return std::sscanf(text.c_str(), "%d%c%d%c", &width, &x, &height, &rest) == 3 && x == 'x' &&
         width > 0 && height > 0;
}

std::string Take(Options& o, int id, const std::string& value) {
  switch (id) {
    case kFolder: o.folder = value; o.folderForced = true; break;
    case kProgramFolder: o.programFolder = value; break;
    case kNow: o.now = value; o.haveNow = true; break;
    case kScreen:
      if (!ParseScreen(value, o.width, o.height)) return "bad --screen value " + value;
      break;
  }
  return "";
}

int Run(int argc, char** argv) {
  Options o;
  const auto parsed = quillet::cli::ParseCommandLine(
      kTool, argc, argv, [&o](int id, const std::string& value) { return Take(o, id, value); },
      std::cout, std::cerr);
  if (parsed.exit) return parsed.status;
  if (parsed.operands.size() > 1) return quillet::cli::UsageError(kTool, "more than one script file", std::cerr);
  const std::string file = parsed.operands.empty() ? "-" : parsed.operands[0];

  std::ifstream script;
  if (file != "-") {
    script.open(quillet::PathFromUtf8(file));
    if (!script) return quillet::cli::UsageError(kTool, "cannot read " + file, std::cerr);
  }
  const bool choose = !o.folderForced && !o.programFolder.empty();
  const quillet::SettingsFolder folder =
      choose ? quillet::ChooseSettingsFolder(o.programFolder) : quillet::SettingsFolder{o.folder, false};
  quillet::ScriptedServices services(folder.path);
  services.perUserSettings = folder.perUser;
  if (o.haveNow) services.now = o.now;
  quillet::Workbench workbench(services, o.width, o.height);
  quillet::Program& program = workbench.program;
  quillet::ScriptRunner runner(program, services, std::cout);
  try {
    program.Start();
    runner.RunAll(file == "-" ? std::cin : script);
  } catch (const quillet::ScriptError& error) {
    std::cout.flush();
    std::cerr << "quillet-script: " << error.what() << "\n";
    return quillet::cli::kExitUsage;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  quillet::RemoveTemporaryFilesOnInterrupt();
  return quillet::cli::RunReportingErrors(kTool, [argc, argv] {
    quillet::Utf8Arguments arguments(argc, argv);
    return Run(arguments.Count(), arguments.Values());
  }, std::cerr);
}
