// The command-line conventions every Quillet tool follows: GNU long
// options (getopt_long, on Linux and MinGW alike), --help on standard
// output with status 0, --version as "NAME X.Y.Z", and a usage error on
// standard error with status 2.
#pragma once

#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

namespace quillet::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitUsage = 2;

struct OptionEntry {
  const char* name;  // long name without the dashes
  bool takesValue;
  int id;  // passed back to the handler; keep clear of 'h' and 'V'
  char letter = 0;  // a one-letter form ("-o FILE"), if any
};

struct Tool {
  const char* name;
  const char* synopsis;  // the usage line after the program's name
  const char* details;   // option descriptions for --help
  std::vector<OptionEntry> options;
};

// One of the tool's own options; returns an error text, or "" to go on.
using OptionHandler = std::function<std::string(int id, const std::string& value)>;

struct Parsed {
  // Set when the program must exit now (after --help, --version or an error).
  bool exit = false;
  int status = kExitOk;
  std::vector<std::string> operands;
};

// Standard input and output carry bytes as they are, also where the C
// library would translate line ends (Windows).
void UseBinaryStandardStreams();

// "quillet-script 1.0.0": the version the About window shows.
std::string VersionLine(const char* name);

// Parses argv; help, version and errors are written to out and err.
Parsed ParseCommandLine(const Tool& tool, int argc, char** argv, const OptionHandler& handle,
                        std::ostream& out, std::ostream& err);

// Reports a usage error found after parsing; returns kExitUsage.
int UsageError(const Tool& tool, const std::string& why, std::ostream& err);

// Runs the program's body. An exception that escapes it is reported as
// "NAME: what" and ends the program with kExitUsage, never with an abort.
int RunReportingErrors(const Tool& tool, const std::function<int()>& body, std::ostream& err);

}  // namespace quillet::cli
