#include "schedule/schedule.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <exception>
#include <istream>
#include <mutex>
#include <ostream>
#include <stdexcept>
#include <thread>

#include "platform/file_output.h"
#include "schedule/csv.h"
#include "schedule/feeder_engine.h"

namespace quillet {
namespace {

constexpr std::size_t kRowsPerJobAndBatch = 256;
constexpr std::size_t kListedErrorLines = 10;
constexpr std::size_t kChunkBytes = 64 * 1024;
// What a first reading took is kept in memory up to here, the rest in a
// scratch file.
constexpr std::size_t kKeptInMemory = 64 * 1024;

// The input read twice: first up to the number that shows the decimal
// mark, then from its first byte again for the rows. What the first reading
// took is kept, the first 64 KiB in memory and the rest in a scratch file,
// so a pipe is read again as well as a file (seeking back is not to be
// trusted on a Windows pipe) and memory does not grow with the input.
class Rereadable : public std::streambuf {
 public:
  explicit Rereadable(std::streambuf& source) : source_(source) {}

  // From the first byte again; nothing more is kept from here on.
  void Rewind() {
    setg(nullptr, nullptr, nullptr);
    again_ = true;
    if (spilled_ && !scratch_.ReadFromStart()) throw std::runtime_error(scratch_.Error());
  }

 protected:
  int_type underflow() override {
    if (gptr() < egptr()) return traits_type::to_int_type(*gptr());
    std::size_t got = again_ ? Replay() : 0;
    if (got == 0) {
      got = static_cast<std::size_t>(std::max<std::streamsize>(source_.sgetn(chunk_, sizeof chunk_), 0));
      if (!again_) Keep(got);
    }
    if (got == 0) return traits_type::eof();
    setg(chunk_, chunk_, chunk_ + got);
    return traits_type::to_int_type(*gptr());
  }

 private:
  void Keep(std::size_t size) {
    if (!spilled_ && kept_.size() + size <= kKeptInMemory) {
      kept_.append(chunk_, size);
      return;
    }
    spilled_ = true;
    if (!scratch_.Write({chunk_, size})) throw std::runtime_error(scratch_.Error());
  }

  // The kept bytes, memory first; 0 once they are all given back.
  std::size_t Replay() {
    if (keptAt_ < kept_.size()) {
      const std::size_t size = std::min(sizeof chunk_, kept_.size() - keptAt_);
      std::memcpy(chunk_, kept_.data() + keptAt_, size);
      keptAt_ += size;
      return size;
    }
    if (!spilled_) return 0;
    const long got = scratch_.Read(chunk_, sizeof chunk_);
    if (got < 0) throw std::runtime_error(scratch_.Error());
    if (got == 0) spilled_ = false;
    return static_cast<std::size_t>(got);
  }

  std::streambuf& source_;
  std::string kept_;
  std::size_t keptAt_ = 0;
  ScratchFile scratch_;
  bool spilled_ = false;
  bool again_ = false;
  char chunk_[kChunkBytes];
};

// The file's decimal mark, from its header and its rows up to the first
// number that shows one.
DecimalMark FindDecimalMark(std::istream& in) {
  CsvReader reader(in);
  const ScheduleLayout layout(reader.ReadHeader().cells);
  DecimalMarkFinder finder(layout, reader.Delimiter());
  for (CsvRecord record; !finder.Look(record.cells);)
    if (!reader.Next(record)) break;
  return finder.Mark();
}

struct Row {
  CsvRecord record;
  std::vector<std::string> results;
  bool error = false;
};

class Evaluator {
 public:
  explicit Evaluator(const ScheduleLayout& layout, const ScheduleDefaults& defaults, DecimalMark mark)
      : layout_(layout), defaults_(defaults), mark_(mark) {}

  void Evaluate(Row& row) const {
    const EvaluatedRow done = EvaluateRow(row.record.cells, row.record.line, layout_, defaults_, mark_);
    row.results = ResultCells(done, mark_.comma);
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
  DecimalMark mark_;
};

}  // namespace

EvaluatedRow EvaluateRow(const std::vector<std::string>& cells, int line, const ScheduleLayout& layout,
                         const ScheduleDefaults& defaults, DecimalMark mark) {
  EvaluatedRow row;
  const auto feeder = ReadFeeder(cells, line, layout, defaults, mark);
  if (const auto* error = std::get_if<std::string>(&feeder)) {
    row.error = *error;
    return row;
  }
  const FeederInputs& inputs = std::get<FeederInputs>(feeder);
  row.maxVdPercent = inputs.maxVdPercent;
  row.result = EvaluateFeeder(inputs);
  row.error = ErrorCell(*row.result, cells, line, layout, mark);
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
  Rereadable source(*in.rdbuf());
  std::istream twice(&source);
  const DecimalMark mark = FindDecimalMark(twice);
  source.Rewind();
  CsvReader reader(twice);
  const CsvRecord header = reader.ReadHeader();
  const ScheduleLayout layout(header.cells);
  const char delimiter = reader.Delimiter();
  const Evaluator evaluator(layout, defaults, mark);

  if (reader.HadByteOrderMark()) out << "\xEF\xBB\xBF";
  out << CsvLine(OutputHeader(KeptCells(header.cells, layout)), delimiter, reader.LineEnd());

  ScheduleSummary summary;
  summary.notes = layout.Notes();
  const std::size_t batch = kRowsPerJobAndBatch * static_cast<std::size_t>(std::max(jobs, 1));
  std::vector<Row> rows;
  // Once the output fails nothing more can reach it; the caller reports it.
  for (bool more = true; more && out;) {
    rows.clear();
    Row row;
    while (rows.size() < batch && (more = reader.Next(row.record))) {
      row.record.cells = KeptCells(std::move(row.record.cells), layout);
      rows.push_back(row);
    }
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
