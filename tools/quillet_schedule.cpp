// quillet-schedule [--max-vd PCT] [--continuous] [--jobs N] [-o OUT.csv] [IN.csv | -]
// Evaluates every feeder of a CSV schedule through the calculator and writes
// the schedule back with the window's results beside each row.
#include <getopt.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <thread>

#include "platform/version.h"
#include "schedule/csv.h"
#include "schedule/schedule.h"

namespace {

constexpr int kAllEvaluated = 0;
constexpr int kSomeErrors = 1;
constexpr int kUnusable = 2;

constexpr char kUsage[] =
    "usage: quillet-schedule [--max-vd PCT] [--continuous] [--jobs N] [-o OUT.csv] [IN.csv | -]\n"
    "\n"
    "Evaluates each feeder of a CSV schedule as the calculator's window does and\n"
    "writes the schedule with the results to OUT.csv or standard output.\n"
    "\n"
    "  --max-vd PCT    drop limit of the size finder where a row gives none (default 3)\n"
    "  --continuous    size rows without a continuous column for 125 % of the load\n"
    "  --jobs N        rows evaluated at once (default: the number of cores)\n"
    "  -o OUT.csv      write here instead of standard output (replaced only when complete)\n"
    "  --help          show this text\n"
    "  --version       show the program's version\n"
    "\n"
    "Exit status: 0 every row evaluated, 1 some rows with errors, 2 unusable input or arguments.\n";

struct Arguments {
  quillet::ScheduleDefaults defaults;
  int jobs = 0;
  std::string input = "-";
  std::string output;
};

int Refuse(const std::string& why) {
  std::cerr << "quillet-schedule: " << why << "\n" << kUsage;
  return kUnusable;
}

bool ParseNumber(const char* text, double& value) {
  char* end = nullptr;
  errno = 0;
  value = std::strtod(text, &end);
  return end != text && *end == '\0' && errno == 0;
}

// Returns -1 when the arguments are usable, otherwise the exit status.
int ParseArguments(int argc, char** argv, Arguments& args) {
  enum { kMaxVd = 1, kContinuous, kJobs, kHelp, kVersion };
  const option options[] = {{"max-vd", required_argument, nullptr, kMaxVd},
                            {"continuous", no_argument, nullptr, kContinuous},
                            {"jobs", required_argument, nullptr, kJobs},
                            {"output", required_argument, nullptr, 'o'},
                            {"help", no_argument, nullptr, kHelp},
                            {"version", no_argument, nullptr, kVersion},
                            {nullptr, 0, nullptr, 0}};
  opterr = 0;
  for (int opt; (opt = getopt_long(argc, argv, "o:", options, nullptr)) != -1;) {
    double value = 0;
    switch (opt) {
      case kMaxVd:
        if (!ParseNumber(optarg, value) || !(value > 0 && value < 1000))
          return Refuse(std::string("--max-vd takes a percentage above 0, not ") + optarg);
        args.defaults.maxVdPercent = value;
        break;
      case kContinuous: args.defaults.continuous = true; break;
      case kJobs:
        if (!ParseNumber(optarg, value) || value < 1 || value > 256 || value != static_cast<int>(value))
          return Refuse(std::string("--jobs takes a whole number from 1 to 256, not ") + optarg);
        args.jobs = static_cast<int>(value);
        break;
      case 'o': args.output = optarg; break;
      case kHelp: std::cout << kUsage; return kAllEvaluated;
      case kVersion:
        std::cout << "quillet-schedule " << QUILLET_VERSION_MAJOR << "." << QUILLET_VERSION_MINOR << "."
                  << QUILLET_VERSION_PATCH << "\n";
        return kAllEvaluated;
      default:
        return Refuse(optopt ? std::string("unknown option -") + static_cast<char>(optopt)
                             : std::string("unknown option ") + argv[optind - 1]);
    }
  }
  if (optind < argc) args.input = argv[optind++];
  if (optind < argc) return Refuse("one input file at most");
  if (args.jobs == 0) args.jobs = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
  return -1;
}

// The output goes to a file beside its destination first, so an existing
// file is only ever replaced by a complete one.
std::filesystem::path AsidePath(const std::string& output) {
  if (!output.empty()) return std::filesystem::path(output + ".part");
  return std::filesystem::temp_directory_path() / ("quillet-schedule-" + std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()) + ".csv");
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
  try {
    summary = quillet::RunSchedule(in, out, args.defaults, args.jobs);
    out.close();
    if (!out) throw std::runtime_error("cannot write " + aside.string());
    if (args.output.empty()) {
      std::ifstream done(aside, std::ios::binary);
      std::cout << done.rdbuf();
      std::cout.flush();
      std::filesystem::remove(aside, ignored);
    } else {
      std::filesystem::rename(aside, args.output);
    }
  } catch (const std::exception& error) {
    std::filesystem::remove(aside, ignored);
    std::cerr << "quillet-schedule: " << (args.input == "-" ? "standard input" : args.input) << ": " << error.what()
              << "\n";
    return kUnusable;
  }
  std::cerr << summary.Text() << "\n";
  return summary.errors == 0 ? kAllEvaluated : kSomeErrors;
}

}  // namespace

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  Arguments args;
  if (const int status = ParseArguments(argc, argv, args); status >= 0) return status;
  return Run(args);
}
