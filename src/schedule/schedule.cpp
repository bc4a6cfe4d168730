#include "schedule/schedule.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstring>
#include <exception>
#include <mutex>
#include <ostream>
#include <stdexcept>
#include <thread>

#include "platform/file_output.h"
#include "schedule/cell_text.h"
#include "schedule/csv.h"
#include "schedule/feeder_engine.h"

namespace quillet {
namespace {

constexpr std::size_t kRowsPerJobAndBatch = 256;
constexpr std::size_t kListedErrorLines = 10;
// Deeper rows of an outline stay at this indent and say their level.
constexpr std::size_t kDeepestIndent = 32;

// Rows of cells kept in a scratch file, each found again by where it
// starts: the schedule is read once, evaluated in the tree's order and
// written in its own, without holding it in memory.
class CellSpool {
 public:
  std::uint64_t Put(const std::vector<std::string>& cells) {
    const std::uint64_t at = file_.Size();
    std::string bytes;
    Number(bytes, cells.size());
    for (const std::string& cell : cells) {
      Number(bytes, cell.size());
      bytes += cell;
    }
    if (!file_.Write(bytes)) throw std::runtime_error("cannot keep the rows aside: " + file_.Error());
    next_ = ~std::uint64_t{0};
    return at;
  }

  std::vector<std::string> Get(std::uint64_t at) {
    if (at != next_ && !file_.ReadFrom(at)) Fail();
    std::vector<std::string> cells(Number());
    for (std::string& cell : cells) {
      cell.resize(Number());
      Take(cell.data(), cell.size());
    }
    next_ = at + read_;
    read_ = 0;
    return cells;
  }

 private:
  static void Number(std::string& bytes, std::uint64_t n) {
    bytes.append(reinterpret_cast<const char*>(&n), sizeof n);
  }
  std::size_t Number() {
    std::uint64_t n = 0;
    Take(reinterpret_cast<char*>(&n), sizeof n);
    return static_cast<std::size_t>(n);
  }
  void Take(char* data, std::size_t size) {
    read_ += size;
    while (size > 0) {
      const long got = file_.Read(data, size);
      if (got <= 0) Fail();
      data += got;
      size -= static_cast<std::size_t>(got);
    }
  }
  [[noreturn]] void Fail() {
    throw std::runtime_error("cannot read the rows kept aside: " +
                             (file_.Error().empty() ? std::string("the file is short") : file_.Error()));
  }

  ScratchFile file_;
  std::uint64_t next_ = 0;  // where the row after the last one read starts
  std::uint64_t read_ = 0;
};

struct Job {
  std::size_t row;
  std::vector<std::string> cells;
  SupplyPath path;
  const RowLoad* load;
  EvaluatedRow done;
};

// Works through the jobs, shared out among the threads, each with an engine
// of its own. An exception in one of them stops the others and goes on from
// here, as in one thread.
template <typename Work, typename Do>
void ShareOut(std::vector<Work>& jobs, std::vector<FeederEngine>& engines, const Do& work) {
  const std::size_t threads = std::clamp<std::size_t>(jobs.size(), 1, engines.size());
  if (threads == 1) {
    for (Work& job : jobs) work(engines.front(), job);
    return;
  }
  std::atomic<std::size_t> next{0};
  std::mutex failing;
  std::exception_ptr failure;
  {
    std::vector<std::jthread> workers;
    for (std::size_t t = 0; t < threads; ++t)
      workers.emplace_back([&, t] {
        try {
          for (std::size_t i = next++; i < jobs.size(); i = next++) work(engines[t], jobs[i]);
        } catch (...) {
          const std::lock_guard lock(failing);
          if (!failure) failure = std::current_exception();
          next = jobs.size();
        }
      });
  }
  if (failure) std::rethrow_exception(failure);
}

// A row whose load the rows above need, and its load current once found.
struct UnitJob {
  std::size_t row;
  std::vector<std::string> cells;
  UnitCurrent found;
};

// The window's load current of every row whose supply takes it, in
// batches, before any row is evaluated.
std::vector<UnitCurrent> FindUnitCurrents(const DistributionTree& tree, CellSpool& inputs,
                                          const std::vector<std::uint64_t>& inputAt, const ScheduleLayout& layout,
                                          const ScheduleDefaults& defaults, DecimalMark mark,
                                          std::vector<FeederEngine>& engines, std::size_t batch) {
  std::vector<UnitCurrent> units(tree.Size());
  std::vector<UnitJob> work;
  for (std::size_t first = 0; first < tree.Size();) {
    work.clear();
    for (; first < tree.Size() && work.size() < batch; ++first)
      if (NeedsUnitCurrent(tree, first)) work.push_back({first, inputs.Get(inputAt[first]), {}});
    ShareOut(work, engines, [&](FeederEngine& engine, UnitJob& job) {
      job.found = UnitCurrentOf(engine, job.cells, tree.Row(job.row).line, layout, defaults, mark);
    });
    for (const UnitJob& job : work) units[job.row] = job.found;
  }
  return units;
}

// What a row that feeds others is given for its load and said of it.
void NoteLoads(EvaluatedRow& row, const FeederInputs& inputs, bool loadGiven, const RowLoad* load, bool comma) {
  const FeederNumbers* numbers = row.result && row.result->numbers ? &*row.result->numbers : nullptr;
  if (!load) {
    if (!numbers) return;
    row.fromSubtree = false;
    row.served = OwnServed(inputs, loadGiven, numbers->current);
    return;
  }
  row.fromSubtree = load->fromSubtree;
  row.served = load->served;
  if (load->fromSubtree) {
    row.belowSubtree = false;
  } else if (load->served && numbers) {
    row.belowSubtree = numbers->current < load->current;
    if (*row.belowSubtree)
      row.remark = InFileMark("the given load, " + ExactText(numbers->current) + " A, is below the " +
                                  ExactText(load->current) + " A of the rows it feeds (" +
                                  ExactText(load->served->calculatedVa) + " VA calculated)",
                              comma);
  }
}

std::string OutlineLine(const OutlineRow& row, std::size_t level) {
  std::string line(std::min(level, kDeepestIndent) * 2, ' ');
  if (level > kDeepestIndent) line += "(level " + std::to_string(level) + ") ";
  if (row.viaTransformer) line += "(transformer) ";
  line += row.tag.empty() ? "line " + std::to_string(row.line) : row.tag;
  if (row.error) return line + "  error, line " + std::to_string(row.line) + "\n";
  line += "  " + row.size;
  if (row.ownPercent) line += "  own " + ExactText(*row.ownPercent) + " %";
  if (row.totalPercent) line += "  total " + ExactText(*row.totalPercent) + " %";
  if (row.calculatedVa) line += "  calculated " + ExactText(*row.calculatedVa / 1000) + " kVA";
  if (row.faultKa) line += "  fault " + ExactText(*row.faultKa) + " kA";
  return line + "\n";
}

}  // namespace

UnitCurrent UnitCurrentOf(FeederEngine& engine, const std::vector<std::string>& cells, int line,
                          const ScheduleLayout& layout, const ScheduleDefaults& defaults, DecimalMark mark) {
  const auto feeder = ReadFeeder(cells, line, layout, defaults, mark);
  if (!std::holds_alternative<FeederInputs>(feeder)) return {UnitCurrent::State::Refused, 0};
  const auto current = engine.UnitLoadCurrent(std::get<FeederInputs>(feeder));
  if (const double* amperes = std::get_if<double>(&current)) return {UnitCurrent::State::Known, *amperes};
  return {UnitCurrent::State::Refused, 0, std::get<FeederError>(current)};
}

EvaluatedRow EvaluateRow(FeederEngine& engine, const std::vector<std::string>& cells, int line,
                         const ScheduleLayout& layout, const ScheduleDefaults& defaults, DecimalMark mark,
                         const SupplyPath& path, const RowLoad* load) {
  EvaluatedRow row;
  const auto feeder = ReadFeeder(cells, line, layout, defaults, mark);
  if (const auto* error = std::get_if<std::string>(&feeder)) {
    row.error = *error;
    return row;
  }
  FeederInputs inputs = std::get<FeederInputs>(feeder);
  // The row's own problem first: it is the one to mend.
  const std::optional<FeederError> faultData = FaultDataError(inputs, path);
  for (const auto* problem :
       {load ? &load->own : nullptr, &faultData, &path.problem, load ? &load->below : nullptr}) {
    if (!problem || !*problem) continue;
    row.error = ErrorCell(**problem, cells, line, layout, mark);
    return row;
  }
  // Only a row that feeds others has a load rolled up from below.
  inputs.feedsOthers = load != nullptr;
  const bool loadGiven = inputs.load != LoadKind::None;
  if (!loadGiven && !TakeLoadFromRules(inputs, load)) {
    const BadValue missing = MissingLoad(RowReader(cells, layout, mark, defaults));
    row.error = ErrorCell(FeederError{missing.column, missing.allowed}, cells, line, layout, mark);
    return row;
  }
  inputs.maxVdPercent = DropLimit(inputs.maxVdPercent, inputs.maxTotalVdPercent, path.abovePercent);
  row.maxVdPercent = inputs.maxVdPercent;
  row.limited = true;
  row.maxTotalPercent = inputs.maxTotalVdPercent;
  if (!inputs.areaIndex && !(inputs.maxVdPercent > 0)) {
    const std::string reason = "the path above already uses " + ExactText(path.abovePercent) + " % of the " +
                               FigureText(inputs.maxTotalVdPercent) + " % limit, which leaves this row no drop";
    row.error = ErrorCell(FeederError{Column::MaxTotalVdPct, reason}, cells, line, layout, mark);
    return row;
  }
  row.result = engine.Evaluate(inputs);
  row.error = ErrorCell(*row.result, cells, line, layout, mark);
  if (const auto own = ReportedDropPercent(*row.result); own && row.error.empty())
    row.totalPercent = TotalDrop(*own, path.abovePercent);
  NoteLoads(row, inputs, loadGiven, load, mark.comma);
  NoteFaultCurrent(row, inputs, loadGiven, path, load);
  return row;
}

PathEnd EndOf(const EvaluatedRow& row) { return {!row.error.empty(), row.totalPercent.value_or(0), row.faultEnd}; }

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
  text += " (" + std::string(placedBy) + (errorLines.size() == 1 ? " " : "s ");
  for (std::size_t i = 0; i < errorLines.size(); ++i) text += (i ? ", " : "") + std::to_string(errorLines[i]);
  if (errors > static_cast<long>(errorLines.size()))
    text += " and " + std::to_string(errors - static_cast<long>(errorLines.size())) + " more";
  return text + ")";
}

// Depth first from each top, the rows a row feeds under it in input order;
// without recursion, since a chain may be as long as the schedule.
std::string TreeOutline(const DistributionTree& tree, const std::vector<OutlineRow>& rows) {
  std::string text;
  std::vector<std::pair<std::size_t, std::size_t>> stack;  // row, level
  const std::vector<std::size_t> tops = tree.Tops();
  for (auto top = tops.rbegin(); top != tops.rend(); ++top) stack.emplace_back(*top, 0);
  while (!stack.empty()) {
    const auto [row, level] = stack.back();
    stack.pop_back();
    text += OutlineLine(rows[row], level);
    const std::vector<std::size_t> fed = tree.FedBy(row);
    for (auto it = fed.rbegin(); it != fed.rend(); ++it) stack.emplace_back(*it, level + 1);
  }
  return text;
}

ScheduleSummary RunSchedule(std::istream& in, std::ostream& out, const ScheduleDefaults& defaults, int jobs,
                            std::string* outline) {
  CsvReader reader(in);
  const CsvRecord header = reader.ReadHeader();
  const ScheduleLayout layout(header.cells);
  const char delimiter = reader.Delimiter();

  // Read once: the cells go aside, and the rows show the decimal mark.
  CellSpool inputs, results;
  DecimalMarkFinder finder(layout, delimiter);
  bool markFound = false;
  std::vector<int> lines;
  std::vector<std::uint64_t> inputAt;
  for (CsvRecord record; reader.Next(record);) {
    record.cells = KeptCells(std::move(record.cells), layout);
    if (!markFound) markFound = finder.Look(record.cells);
    lines.push_back(record.line);
    inputAt.push_back(inputs.Put(record.cells));
  }
  const DecimalMark mark = finder.Mark();
  std::vector<TreeRow> treeRows;
  treeRows.reserve(lines.size());
  for (std::size_t row = 0; row < lines.size(); ++row)
    treeRows.push_back(ReadTreeRow(inputs.Get(inputAt[row]), lines[row], layout, defaults, mark));
  const DistributionTree tree(std::move(treeRows));
  const std::size_t batch = kRowsPerJobAndBatch * static_cast<std::size_t>(std::max(jobs, 1));
  // One calculator for each thread, kept from batch to batch.
  std::vector<FeederEngine> engines(static_cast<std::size_t>(std::max(jobs, 1)));

  // The loads go up the tree before the sizes and drops come down it.
  const std::vector<UnitCurrent> units =
      FindUnitCurrents(tree, inputs, inputAt, layout, defaults, mark, engines, batch);
  const RolledLoads loads = RollUpLoads(tree, [&](std::size_t row) { return units[row]; });

  // Level by level, so each supply is done before the rows it feeds.
  std::vector<PathEnd> ends(tree.Size());
  std::vector<std::uint64_t> resultAt(tree.Size());
  std::vector<OutlineRow> outlined(outline ? tree.Size() : 0);
  std::vector<Job> work;
  for (const std::vector<std::size_t>& level : tree.Levels()) {
    for (std::size_t first = 0; first < level.size(); first += batch) {
      work.clear();
      for (std::size_t i = first; i < std::min(level.size(), first + batch); ++i) {
        const std::size_t row = level[i];
        const auto supply = tree.SupplyOf(row);
        work.push_back(
            {row, inputs.Get(inputAt[row]), tree.PathOf(row, supply ? ends[*supply] : PathEnd{}), loads.Of(row), {}});
      }
      ShareOut(work, engines, [&](FeederEngine& engine, Job& job) {
        job.done =
            EvaluateRow(engine, job.cells, tree.Row(job.row).line, layout, defaults, mark, job.path, job.load);
      });
      for (const Job& job : work) {
        ends[job.row] = EndOf(job.done);
        resultAt[job.row] = results.Put(ResultCells(job.done, mark.comma));
        if (!outline) continue;
        const FeederResult* result = job.done.result ? &*job.done.result : nullptr;
        outlined[job.row] = {tree.Row(job.row).tag,
                             tree.Row(job.row).line,
                             result && result->areaUsed ? SizeName(*result->areaUsed) : "",
                             result ? ReportedDropPercent(*result) : std::nullopt,
                             job.done.totalPercent,
                             tree.ViaTransformer(job.row),
                             !job.done.error.empty(),
                             tree.FeedsOthers(job.row) && job.done.served
                                 ? std::optional(job.done.served->calculatedVa)
                                 : std::nullopt,
                             job.done.fault ? std::optional(job.done.fault->ka) : std::nullopt};
      }
    }
  }

  if (reader.HadByteOrderMark()) out << "\xEF\xBB\xBF";
  out << CsvLine(OutputHeader(KeptCells(header.cells, layout)), delimiter, reader.LineEnd());
  ScheduleSummary summary;
  summary.notes = layout.Notes();
  // Once the output fails nothing more can reach it; the caller reports it.
  for (std::size_t row = 0; row < tree.Size() && out; ++row) {
    out << CsvLine(OutputCells(inputs.Get(inputAt[row]), layout.Width(), results.Get(resultAt[row])), delimiter,
                   reader.LineEnd());
    ++summary.rows;
    if (!ends[row].error) continue;
    ++summary.errors;
    if (summary.errorLines.size() < kListedErrorLines) summary.errorLines.push_back(tree.Row(row).line);
  }
  if (outline) *outline = TreeOutline(tree, outlined);
  return summary;
}

}  // namespace quillet
