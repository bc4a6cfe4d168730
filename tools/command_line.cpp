#include "command_line.h"

#include <getopt.h>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#endif

#include <exception>
#include <ostream>

#include "platform/version.h"

namespace quillet::cli {
namespace {

constexpr int kHelpId = 'h';
constexpr int kVersionId = 'V';

std::vector<option> LongOptions(const Tool& tool) {
  std::vector<option> table;
  for (const OptionEntry& inputs : tool.options)
    table.push_back({inputs.name, inputs.takesValue ? required_argument : no_argument, nullptr, inputs.id});
  table.push_back({"help", no_argument, nullptr, kHelpId});
  table.push_back({"version", no_argument, nullptr, kVersionId});
  table.push_back({nullptr, 0, nullptr, 0});
  return table;
}

// ":hV" and each one-letter form, with ":" after those that take a value.
std::string ShortOptions(const Tool& tool) {
  std::string letters = ":hV";
  for (const OptionEntry& inputs : tool.options)
    if (inputs.letter) letters += std::string(1, inputs.letter) + (inputs.takesValue ? ":" : "");
  return letters;
}

// getopt returns a one-letter form as the letter itself.
int IdOf(const Tool& tool, int returned) {
  for (const OptionEntry& inputs : tool.options)
    if (inputs.letter && inputs.letter == returned) return inputs.id;
  return returned;
}

void WriteUsage(const Tool& tool, std::ostream& to) {
  to << "usage: " << tool.name << ' ' << tool.synopsis << '\n';
}

std::string Argument(int argc, char** argv) {
  return optind > 0 && optind <= argc ? argv[optind - 1] : "";
}

// getopt's own messages differ between C libraries, and so do its return
// codes: MinGW reports "--flag=1" as a missing value, glibc as an unknown
// option. The argument itself tells which it was. Both libraries leave
// optopt 0 for a long option they do not know.
std::string Refusal(int argc, char** argv, int returned) {
  const std::string arg = Argument(argc, argv);
  if (arg.rfind("--", 0) == 0) {
    const std::size_t equals = arg.find('=');
    const std::string name = arg.substr(0, equals);
    if (optopt == 0) return "unknown option " + name;
    return "option " + name + (equals == std::string::npos ? " needs a value" : " takes no value");
  }
  const std::string letter = "-" + std::string(1, static_cast<char>(optopt));
  return returned == ':' ? "option " + letter + " needs a value" : "unknown option " + letter;
}

}  // namespace

void UseBinaryStandardStreams() {
#ifdef _WIN32
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
#endif
}

std::string VersionLine(const char* name) {
  return std::string(name) + ' ' + ProgramVersionText();
}

int UsageError(const Tool& tool, const std::string& why, std::ostream& err) {
  err << tool.name << ": " << why << '\n';
  WriteUsage(tool, err);
  err << "Try '" << tool.name << " --help' for more information.\n";
  return kExitUsage;
}

int RunReportingErrors(const Tool& tool, const std::function<int()>& body, std::ostream& err) {
  try {
    return body();
  } catch (const std::exception& error) {
    err << tool.name << ": " << error.what() << '\n';
  } catch (...) {
    err << tool.name << ": an unexpected error\n";
  }
  return kExitUsage;
}

Parsed ParseCommandLine(const Tool& tool, int argc, char** argv, const OptionHandler& handle,
                        std::ostream& out, std::ostream& err) {
  const std::vector<option> table = LongOptions(tool);
  const std::string letters = ShortOptions(tool);
  Parsed parsed;
  auto stop = [&parsed](int status) {
    parsed.exit = true;
    parsed.status = status;
    return parsed;
  };
  opterr = 0;
  optind = 0;  // a full restart, so the parser can run more than once
  for (;;) {
    optopt = 0;
    const int id = getopt_long(argc, argv, letters.c_str(), table.data(), nullptr);
    if (id == -1) break;
    if (id == kHelpId) {
      WriteUsage(tool, out);
      out << tool.details;
      return stop(kExitOk);
    }
    if (id == kVersionId) {
      out << VersionLine(tool.name) << '\n';
      return stop(kExitOk);
    }
    if (id == '?' || id == ':') return stop(UsageError(tool, Refusal(argc, argv, id), err));
    const std::string why = handle(IdOf(tool, id), optarg ? optarg : "");
    if (!why.empty()) return stop(UsageError(tool, why, err));
  }
  for (int i = optind; i < argc; ++i) parsed.operands.emplace_back(argv[i]);
  return parsed;
}

}  // namespace quillet::cli
