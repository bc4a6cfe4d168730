// quillet-schedule [--max-vd PCT] [--max-total-vd PCT] [--continuous] [--jobs N] [--tree] [-o OUT.csv] [IN.csv | -]
// Evaluates every feeder of a CSV schedule through the calculator and writes
// the schedule back with the window's results beside each row.
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <thread>

#include "command_line.h"
#include "schedule/csv.h"
#include "schedule/schedule.h"

namespace {

constexpr int kAllEvaluated = quillet::cli::kExitOk;
constexpr int kSomeErrors = 1;
constexpr int kUnusable = quillet::cli::kExitUsage;

enum OptionId { kMaxVd = 1, kMaxTotalVd, kContinuous, kJobs, kTree, kOutput };

const quillet::cli::Tool kTool = {
    "quillet-schedule",
    "[--max-vd PCT] [--max-total-vd PCT] [--continuous] [--jobs N] [--tree] [-o OUT.csv] [IN.csv | -]",
    "Evaluates each feeder of a CSV schedule as the calculator's window does and\n"
    "writes the schedule with the results to OUT.csv or standard output.\n"
    "\n"
    "  --max-vd PCT        a row's own drop limit where the row gives none (default 3)\n"
    "  --max-total-vd PCT  limit from the top of a path to a row's load end where a row\n"
    "                      gives none (default 5)\n"
    "  --continuous        size rows without a continuous column for 125 % of the load\n"
    "  --jobs N            rows evaluated at once (default: the number of cores)\n"
    "  --tree              show the distribution tree on standard error after the summary\n"
    "  -o OUT.csv          write here instead of standard output (replaced only when complete)\n"
    "  --help              show this text\n"
    "  --version           show the program's version\n"
    "\n"
    "Exit status: 0 every row evaluated, 1 some rows with errors, 2 unusable input or arguments.\n",
    {{"max-vd", true, kMaxVd},
     {"max-total-vd", true, kMaxTotalVd},
     {"continuous", false, kContinuous},
     {"jobs", true, kJobs},
     {"tree", false, kTree},
     {"output", true, kOutput, 'o'}},
};

struct Arguments {
  quillet::ScheduleDefaults defaults;
  int jobs = 0;
  bool tree = false;
  std::string input = "-";
  std::string output;
};

int Refuse(const std::string& why) { return quillet::cli::UsageError(kTool, why, std::cerr); }

bool ParseNumber(const std::string& text, double& value) {
  char* end = nullptr;
  errno = 0;
  value = std::strtod(text.c_str(), &end);
  return end != text.c_str() && *end == '\0' && errno == 0;
}

std::string Take(Arguments& args, int id, const std::string& text) {
  double value = 0;
  switch (id) {
    case kMaxVd:
      if (!ParseNumber(text, value) || !(value > 0 && value < 1000))
        return "--max-vd takes a percentage above 0, not " + text;
      args.defaults.maxVdPercent = value;
      break;
    case kMaxTotalVd:
      if (!ParseNumber(text, value) || !(value > 0 && value < 1000))
        return "--max-total-vd takes a percentage above 0, not " + text;
      args.defaults.maxTotalVdPercent = value;
      break;
    case kTree: args.tree = true; break;
    case kContinuous: args.defaults.continuous = true; break;
    case kJobs:
      if (!ParseNumber(text, value) || value < 1 || value > 256 || value != static_cast<int>(value))
        return "--jobs takes a whole number from 1 to 256, not " + text;
      args.jobs = static_cast<int>(value);
      break;
    case kOutput: args.output = text; break;
  }
  return "";
}

// Returns -1 when the arguments are usable, otherwise the exit status.
int ParseArguments(int argc, char** argv, Arguments& args) {
  const auto parsed = quillet::cli::ParseCommandLine(
      kTool, argc, argv, [&args](int id, const std::string& value) { return Take(args, id, value); }, std::cout,
      std::cerr);
  if (parsed.exit) return parsed.status;
  if (parsed.operands.size() > 1) return Refuse("one input file at most");
  if (!parsed.operands.empty()) args.input = parsed.operands[0];
  if (args.jobs == 0) args.jobs = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
  return -1;
}

// The output goes to a file beside its destination first, so an existing
// file is only ever replaced by a complete one.
std::filesystem::path AsidePath(const std::string& output) {
  if (!output.empty()) return std::filesystem::path(output + ".part");
  return std::filesystem::temp_directory_path() / ("quillet-schedule-" + std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()) + ".csv");
}

// Hands the complete output over: copied to standard output, or renamed
// over the output file, which is replaced whole or not at all.
void Deliver(const std::filesystem::path& aside, const std::string& output) {
  if (output.empty()) {
    {
      std::ifstream done(aside, std::ios::binary);
      std::cout << done.rdbuf();
      std::cout.flush();
    }
    std::error_code ignored;
    std::filesystem::remove(aside, ignored);
    return;
  }
  std::filesystem::rename(aside, output);
}

int Run(const Arguments& args) {
  std::ifstream file;
  if (args.input != "-") {
    file.open(args.input, std::ios::binary);
    if (!file) return Refuse("cannot read " + args.input);
  }
  std::istream& in = args.input == "-" ? std::cin : file;
  const std::filesystem::path aside = AsidePath(args.output);
  std::ofstream out(aside, std::ios::binary | std::ios::trunc);
  if (!out) {
    std::cerr << "quillet-schedule: cannot write " << aside.string() << "\n";
    return kUnusable;
  }
  std::error_code ignored;
  quillet::ScheduleSummary summary;
  std::string outline;
  try {
    summary = quillet::RunSchedule(in, out, args.defaults, args.jobs, args.tree ? &outline : nullptr);
    out.close();
    if (!out) throw std::runtime_error("cannot write " + aside.string());
    Deliver(aside, args.output);
  } catch (const std::exception& error) {
    out.close();  // Windows removes no file that is still open
    std::filesystem::remove(aside, ignored);
    std::cerr << "quillet-schedule: " << (args.input == "-" ? "standard input" : args.input) << ": " << error.what()
              << "\n";
    return kUnusable;
  }
  std::cerr << summary.Text() << "\n" << outline;
  return summary.errors == 0 ? kAllEvaluated : kSomeErrors;
}

}  // namespace

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  Arguments args;
  if (const int status = ParseArguments(argc, argv, args); status >= 0) return status;
  // A schedule's line ends go through as they came.
  quillet::cli::UseBinaryStandardStreams();
  return Run(args);
}
