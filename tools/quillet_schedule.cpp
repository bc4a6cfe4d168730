// quillet-schedule [--max-vd PCT] [--max-total-vd PCT] [--continuous] [--jobs N] [--tree]
//                  [--drawing-pdf FILE.pdf] [-o OUT.csv|OUT.xlsx] [IN.csv | -]
// Evaluates every feeder of a CSV schedule through the calculator and writes
// the schedule back with the window's results beside each row, or its
// drawing schedule as a PDF where the build has the desktop's Qt.
#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>
#include <thread>

#include "command_line.h"
#include "platform/file_output.h"
#include "platform/native_text.h"
#include "schedule/csv.h"
#include "schedule/schedule.h"
#include "workbench/schedule_model.h"
#include "workbench/schedule_workbook.h"
#if QUILLET_DRAWING_PDF
#include "qt/schedule_page.h"
#include "workbench/schedule_printout.h"
#endif

namespace {

constexpr int kAllEvaluated = quillet::cli::kExitOk;
constexpr int kSomeErrors = 1;
constexpr int kUnusable = quillet::cli::kExitUsage;

enum OptionId { kMaxVd = 1, kMaxTotalVd, kContinuous, kJobs, kTree, kDrawingPdf, kOutput };

const quillet::cli::Tool kTool = {
    "quillet-schedule",
    "[--max-vd PCT] [--max-total-vd PCT] [--continuous] [--jobs N] [--tree] [--drawing-pdf FILE.pdf] "
    "[-o OUT.csv|OUT.xlsx] [IN.csv | -]",
    "Evaluates each feeder of a CSV schedule as the calculator's window does and\n"
    "writes the schedule with the results to OUT.csv or standard output.\n"
    "\n"
    "  --max-vd PCT        a row's own drop limit where the row gives none (default 3)\n"
    "  --max-total-vd PCT  limit from the top of a path to a row's load end where a row\n"
    "                      gives none (default 5)\n"
    "  --continuous        size rows without a continuous column for 125 % of the load\n"
    "  --jobs N            rows evaluated at once (default: the number of cores)\n"
    "  --tree              show the distribution tree on standard error after the summary\n"
    "  --drawing-pdf FILE.pdf\n"
    "                      write the feeder schedule as drawings carry it to FILE.pdf\n"
    "                      instead of the CSV (with -o, the CSV too); IN.csv must be a file\n"
    "  -o OUT.csv          write here instead of standard output (- is standard output);\n"
    "                      a file is replaced only by a complete output\n"
    "  -o OUT.xlsx         write a spreadsheet workbook instead, where this build has\n"
    "                      the writer\n"
    "  --help              show this text\n"
    "  --version           show the program's version\n"
    "\n"
    "Exit status: 0 every row evaluated, 1 some rows with errors, 2 unusable input or\n"
    "arguments, or an output that could not be written whole.\n",
    {{"max-vd", true, kMaxVd},
     {"max-total-vd", true, kMaxTotalVd},
     {"continuous", false, kContinuous},
     {"jobs", true, kJobs},
     {"tree", false, kTree},
     {"drawing-pdf", true, kDrawingPdf},
     {"output", true, kOutput, 'o'}},
};

struct Arguments {
  quillet::ScheduleDefaults defaults;
  int jobs = 0;
  bool tree = false;
  std::string input = "-";
  std::string output = "-";
  bool outputGiven = false;
  std::string drawingPdf;
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
    case kOutput:
      if (text.empty()) return "-o takes a file name, or - for standard output";
      args.output = text;
      args.outputGiven = true;
      break;
    case kDrawingPdf:
#if QUILLET_DRAWING_PDF
      if (text.empty() || text == "-") return "--drawing-pdf takes a file name";
      args.drawingPdf = text;
      break;
#else
      return "--drawing-pdf is not available: this build has no desktop toolkit to draw the PDF with";
#endif
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
  if (!args.drawingPdf.empty() && args.input == "-") return Refuse("--drawing-pdf reads its schedule from a file");
  if (args.jobs == 0) args.jobs = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
  return -1;
}

std::string Shown(const std::string& name, const char* standard) { return name == "-" ? standard : name; }

int CannotWrite(const Arguments& args, const std::string& why) {
  std::cerr << "quillet-schedule: cannot write " << Shown(args.output, "standard output") << ": " << why << "\n";
  return kUnusable;
}

// The output as a workbook: the rows evaluated again, as the schedule
// window evaluates them, from the CSV output.
bool WriteWorkbook(const Arguments& args, const std::string& csv, std::string& why) {
  quillet::ScheduleModel model;
  model.rowDefaults = args.defaults;
  std::istringstream in(csv);
  why = model.Read(in, quillet::FileNameOf(args.output));
  if (why.empty()) why = model.Export(args.output);
  return why.empty();
}

#if QUILLET_DRAWING_PDF
std::string Today() {
  const std::time_t now = std::time(nullptr);
  char text[32] = "";
  std::strftime(text, sizeof text, "%Y-%m-%d %H:%M", std::localtime(&now));
  return text;
}

// The schedule read as the window reads it, its drawing written; the
// summary too unless the CSV's run gives it.
int WriteDrawing(const Arguments& args) {
  quillet::ScheduleModel model;
  model.rowDefaults = args.defaults;
  if (const std::string why = model.Import(args.input); !why.empty()) {
    std::cerr << "quillet-schedule: " << why << "\n";
    return kUnusable;
  }
  model.EvaluateAll();
  const auto printout = quillet::BuildDrawingPrintout(model, quillet::FileNameOf(args.input), Today());
  if (const std::string why = quillet::WriteSchedulePdf(printout, args.drawingPdf); !why.empty()) {
    std::cerr << "quillet-schedule: cannot write " << args.drawingPdf << ": " << why << "\n";
    return kUnusable;
  }
  quillet::ScheduleSummary summary;
  summary.rows = static_cast<long>(model.RowCount());
  for (std::size_t r = 0; r < model.RowCount(); ++r) {
    if (!model.HasError(r)) continue;
    if (++summary.errors <= 10) summary.errorLines.push_back(model.Line(r));
  }
  if (!args.outputGiven) std::cerr << summary.Text() << "\n";
  return summary.errors == 0 ? kAllEvaluated : kSomeErrors;
}
#endif

int Run(const Arguments& args) {
  if (quillet::NamesWorkbook(args.input)) {
    std::cerr << "quillet-schedule: " << args.input << ": " << quillet::kWorkbookNotRead << "\n";
    return kUnusable;
  }
  const bool workbook = quillet::NamesWorkbook(args.output);
  if (workbook && !quillet::WritesWorkbooks())
    return Refuse("this build writes no spreadsheet workbooks (.xlsx); write " + args.output + " as CSV");
#if QUILLET_DRAWING_PDF
  if (!args.drawingPdf.empty()) {
    const int status = WriteDrawing(args);
    if (!args.outputGiven || status == kUnusable) return status;
  }
#endif
  std::ifstream file;
  if (args.input != "-") {
    file.open(quillet::PathFromUtf8(args.input), std::ios::binary);
    if (!file) return Refuse("cannot read " + args.input);
  }
  std::istream& in = args.input == "-" ? std::cin : file;
  std::ostringstream csv;
  std::unique_ptr<quillet::FileOutput> out;
  if (!workbook)
    out = args.output == "-" ? std::make_unique<quillet::FileOutput>()
                             : std::make_unique<quillet::FileOutput>(quillet::PathFromUtf8(args.output));
  if (out && !out->Open()) return CannotWrite(args, out->Error());
  quillet::ScheduleSummary summary;
  std::string outline;
  try {
    summary = quillet::RunSchedule(in, out ? out->Stream() : csv, args.defaults, args.jobs,
                                   args.tree ? &outline : nullptr);
  } catch (const std::exception& error) {
    std::cerr << "quillet-schedule: " << Shown(args.input, "standard input") << ": " << error.what() << "\n";
    return kUnusable;
  }
  if (std::string why; workbook && !WriteWorkbook(args, csv.str(), why)) {
    std::cerr << "quillet-schedule: " << why << "\n";
    return kUnusable;
  }
  if (out && !out->Commit()) return CannotWrite(args, out->Error());
  for (const std::string& note : summary.notes)
    std::cerr << "quillet-schedule: " << Shown(args.input, "standard input") << ": " << note << "\n";
  std::cerr << summary.Text() << "\n" << outline;
  return summary.errors == 0 ? kAllEvaluated : kSomeErrors;
}

}  // namespace

int main(int argc, char** argv) {
  quillet::ReserveStandardStreams();
  quillet::RemoveTemporaryFilesOnInterrupt();
  std::ios::sync_with_stdio(false);
  return quillet::cli::RunReportingErrors(kTool, [argc, argv] {
    quillet::Utf8Arguments arguments(argc, argv);
    Arguments args;
    if (const int status = ParseArguments(arguments.Count(), arguments.Values(), args); status >= 0) return status;
    // A schedule's line ends go through as they came.
    quillet::cli::UseBinaryStandardStreams();
    return Run(args);
  }, std::cerr);
}
