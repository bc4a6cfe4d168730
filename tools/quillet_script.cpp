// quillet-script [--folder DIR] [--now TEXT] [--screen WxH] [FILE]
// Starts the calculator headless, plays the script and prints what it asks.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>

#include "workbench/workbench.h"
#include "script/script_runner.h"
#include "script/scripted_services.h"

namespace {

constexpr int kUsage = 2;

int Usage(const std::string& why) {
  std::cerr << "quillet-script: " << why << "\n"
            << "usage: quillet-script [--folder DIR] [--now TEXT] [--screen WxH] [FILE]\n";
  return kUsage;
}

bool ParseScreen(const std::string& text, int& width, int& height) {
  char x = 0;
  char rest = 0;
  return std::sscanf(text.c_str(), "%d%c%d%c", &width, &x, &height, &rest) == 3 && x == 'x' &&
         width > 0 && height > 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::string folder = ".", now, file;
  bool haveNow = false;
  int width = 28800, height = 16200;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    bool hasValue = i + 1 < argc;
    if (arg == "--folder" && hasValue) folder = argv[++i];
    else if (arg == "--now" && hasValue) now = argv[++i], haveNow = true;
    else if (arg == "--screen" && hasValue) {
      if (!ParseScreen(argv[++i], width, height)) return Usage("bad --screen value");
    } else if (!arg.empty() && arg[0] == '-') return Usage("unknown option " + arg);
    else if (file.empty()) file = arg;
    else return Usage("more than one script file");
  }

  std::ifstream script;
  if (!file.empty()) {
    script.open(file);
    if (!script) return Usage("cannot read " + file);
  }
  quillet::ScriptedServices services(folder);
  if (haveNow) services.now = now;
  quillet::Workbench workbench(services, width, height);
  quillet::Program& program = workbench.program;
  quillet::ScriptRunner runner(program, services, std::cout);
  try {
    program.Start();
    runner.RunAll(file.empty() ? std::cin : script);
  } catch (const quillet::ScriptError& error) {
    std::cout.flush();
    std::cerr << "quillet-script: " << error.what() << "\n";
    return kUsage;
  }
  return 0;
}
