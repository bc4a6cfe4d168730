#include "schedule/schedule.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <mutex>
#include <ostream>
#include <thread>

#include "schedule/csv.h"
#include "schedule/feeder_engine.h"

namespace quillet {
namespace {

constexpr std::size_t kRowsPerJobAndBatch = 256;
constexpr std::size_t kListedErrorLines = 10;

struct Row {
  CsvRecord record;
  std::vector<std::string> results;
  bool error = false;
};

class Evaluator {
 public:
  explicit Evaluator(const ScheduleLayout& layout, const ScheduleDefaults& defaults, bool decimalComma)
      : layout_(layout), defaults_(defaults), decimalComma_(decimalComma) {}

  void Evaluate(Row& row) const {
    const EvaluatedRow done = EvaluateRow(row.record.cells, row.record.line, layout_, defaults_, decimalComma_);
    row.results = ResultCells(done, decimalComma_);
    row.error = !done.error.empty();
  }

  // Every row of the batch, shared out among the threads. An exception in
  // one of them stops the others and goes on from here, as in one thread.
  void EvaluateAll(std::vector<Row>& rows, int jobs) const {
    const int threads = std::clamp(jobs, 1, static_cast<int>(std::max<std::size_t>(rows.size(), 1)));
    if (threads == 1) {
      for (Row& row : rows) Evaluate(row);
      return;
    }
    std::atomic<std::size_t> next{0};
    std::mutex failing;
    std::exception_ptr failure;
    {
      std::vector<std::jthread> workers;
      for (int t = 0; t < threads; ++t)
        workers.emplace_back([&] {
          try {
            for (std::size_t i = next++; i < rows.size(); i = next++) Evaluate(rows[i]);
          } catch (...) {
            const std::lock_guard lock(failing);
            if (!failure) failure = std::current_exception();
            next = rows.size();
          }
        });
    }
    if (failure) std::rethrow_exception(failure);
  }

 private:
  const ScheduleLayout& layout_;
  const ScheduleDefaults& defaults_;
  bool decimalComma_;
};

}  // namespace

EvaluatedRow EvaluateRow(const std::vector<std::string>& cells, int line, const ScheduleLayout& layout,
                         const ScheduleDefaults& defaults, bool decimalComma) {
  EvaluatedRow row;
  const auto feeder = ReadFeeder(cells, line, layout, defaults, decimalComma);
  if (const auto* error = std::get_if<std::string>(&feeder)) {
    row.error = *error;
    return row;
  }
  const FeederInputs& inputs = std::get<FeederInputs>(feeder);
  row.maxVdPercent = inputs.maxVdPercent;
  row.result = EvaluateFeeder(inputs);
  row.error = ErrorCell(*row.result, cells, line, layout, decimalComma);
  return row;
}

std::vector<std::string> OutputHeader(const std::vector<std::string>& header) {
  std::vector<std::string> names = header;
  const auto& results = ResultColumnNames();
  names.insert(names.end(), results.begin(), results.end());
  return names;
}

std::vector<std::string> OutputCells(std::vector<std::string> cells, std::size_t width,
                                     const std::vector<std::string>& results) {
  cells.resize(width);
  cells.insert(cells.end(), results.begin(), results.end());
  return cells;
}

std::string ScheduleSummary::Text() const {
  std::string text = std::to_string(rows) + " feeders: " + std::to_string(rows - errors) + " evaluated, " +
                     std::to_string(errors) + " with errors";
  if (errors == 0) return text;
  text += errorLines.size() == 1 ? " (line " : " (lines ";
  for (std::size_t i = 0; i < errorLines.size(); ++i) text += (i ? ", " : "") + std::to_string(errorLines[i]);
  if (errors > static_cast<long>(errorLines.size()))
    text += " and " + std::to_string(errors - static_cast<long>(errorLines.size())) + " more";
  return text + ")";
}

ScheduleSummary RunSchedule(std::istream& in, std::ostream& out, const ScheduleDefaults& defaults, int jobs) {
  CsvReader reader(in);
  const CsvRecord header = reader.ReadHeader();
  const ScheduleLayout layout(header.cells);
  const char delimiter = reader.Delimiter();
  const bool decimalComma = delimiter != ',';
  const Evaluator evaluator(layout, defaults, decimalComma);

  if (reader.HadByteOrderMark()) out << "\xEF\xBB\xBF";
  out << CsvLine(OutputHeader(header.cells), delimiter, reader.LineEnd());

  ScheduleSummary summary;
  const std::size_t batch = kRowsPerJobAndBatch * static_cast<std::size_t>(std::max(jobs, 1));
  std::vector<Row> rows;
  // Once the output fails nothing more can reach it; the caller reports it.
  for (bool more = true; more && out;) {
    rows.clear();
    Row row;
    while (rows.size() < batch && (more = reader.Next(row.record))) rows.push_back(row);
    evaluator.EvaluateAll(rows, jobs);
    for (Row& done : rows) {
      out << CsvLine(OutputCells(std::move(done.record.cells), layout.Width(), done.results), delimiter,
                     reader.LineEnd());
      ++summary.rows;
      if (!done.error) continue;
      ++summary.errors;
      if (summary.errorLines.size() < kListedErrorLines) summary.errorLines.push_back(done.record.line);
    }
  }
  return summary;
}

}  // namespace quillet
