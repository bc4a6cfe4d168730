// The desktop program's command line, read with QCommandLineParser before
// any window exists, so --help and --version work without a display.
#pragma once

#include <optional>
#include <string>

namespace quillet {

struct DesktopOptions {
  std::optional<std::string> folder;  // --folder DIR forces the settings folder
  bool traceStartup = false;
};

struct DesktopCommandLine {
  bool exit = false;  // --help, --version or a usage error: exit with status
  int status = 0;
  DesktopOptions options;
};

// Writes help and version to standard output and errors to standard error.
DesktopCommandLine ParseDesktopCommandLine(int argc, char** argv);

}  // namespace quillet
