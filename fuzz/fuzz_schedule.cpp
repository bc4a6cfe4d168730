// The schedule reader on any bytes: rows or a clear error, never a crash or
// a hang. Every cell is UTF-8 text (also from UTF-16), every record written
// back reads back the same, the header's notes are lines of text, every row
// reads in the file's decimal mark into a feeder or an error naming its
// line, a feeder's cells written in that mark read back as the same feeder,
// and the first feeders go through the engine, whose design never raises
// the ampacity by its adjustment and never fills a raceway past Table 1's
// percent. The rows make a tree whose
// levels hold every row once, each after its supply, and its loads roll up
// into finite figures that demand factors only lower and that the design
// only raises; the fault current walked down it, from made-up conductors,
// is finite, and no lower at a row's supply end than at its load end but
// for the motors there.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <sstream>
#include <string>
#include <variant>

#include "platform/utf8.h"
#include "schedule/csv.h"
#include "schedule/distribution_tree.h"
#include "schedule/feeder_engine.h"
#include "schedule/feeder_row.h"
#include "schedule/load_rollup.h"
#include "schedule/schedule.h"

namespace {

constexpr int kEvaluatedFeeders = 2;

void Check(bool condition) {
  if (!condition) std::abort();
}

bool IsText(const std::string& cell) {
  quillet::Utf8Check check;
  for (const char c : cell)
    if (!check.Take(static_cast<unsigned char>(c))) return false;
  return check.Whole();
}

// The writer's text of the record reads back as the same cells.
void CheckRoundTrip(const std::vector<std::string>& cells) {
  std::istringstream in(quillet::CsvLine(std::vector<std::string>(cells.size(), "h"), ',', "\n") +
                        quillet::CsvLine(cells, ',', "\n"));
  quillet::CsvReader reader(in);
  reader.ReadHeader();
  quillet::CsvRecord again;
  Check(reader.Next(again));
  Check(again.cells == cells);
}

// The feeder's cells, as the schedule window writes them, read back as it.
void CheckWrittenBack(const quillet::FeederInputs& feeder, quillet::DecimalMark mark) {
  std::vector<std::string> header, cells;
  for (const quillet::InputColumn& column : quillet::InputColumns()) {
    header.push_back(column.name);
    cells.push_back(column.cell(feeder, mark.comma));
  }
  const auto again = quillet::ReadFeeder(cells, 2, quillet::ScheduleLayout(header), {}, {mark.comma, true});
  Check(std::holds_alternative<quillet::FeederInputs>(again));
}

void CheckDesign(const quillet::FeederDesign& design) {
  Check(design.designAmpacity <= design.unadjustedAmpacity);
  const quillet::RacewayFit& fit = design.raceway;
  Check(!fit.tradeSize || fit.fillPercent <= static_cast<float>(fit.fillLimitPercent));
  const std::string set = quillet::ConductorSetText(fit);
  Check(!set.empty() && IsText(set));
}

// Each row's conductor made up from its line, as its load current is.
quillet::FeederResult MadeUpResult(int line) {
  quillet::FeederNumbers numbers;
  numbers.current = 1.0 + line % 5;
  numbers.racPerKmCold = static_cast<float>(0.05 + line % 3);
  numbers.xlPerKm = 0.08;
  numbers.lengthKm = 0.01 * (1 + line % 7);
  quillet::FeederResult result;
  result.numbers = numbers;
  return result;
}

void CheckFaultCurrent(const quillet::DistributionTree& tree, const quillet::RolledLoads& loads,
                       const std::vector<std::optional<quillet::FeederInputs>>& feeders) {
  std::vector<quillet::EvaluatedRow> done(tree.Size());
  for (const std::vector<std::size_t>& level : tree.Levels())
    for (const std::size_t r : level) {
      const auto supply = tree.SupplyOf(r);
      const quillet::SupplyPath path = tree.PathOf(r, supply ? quillet::EndOf(done[*supply]) : quillet::PathEnd{});
      quillet::EvaluatedRow& row = done[r];
      if (!feeders[r] || path.problem || quillet::FaultDataError(*feeders[r], path)) {
        row.error = "refused";
        continue;
      }
      row.result = MadeUpResult(tree.Row(r).line);
      quillet::NoteFaultCurrent(row, *feeders[r], feeders[r]->load != quillet::LoadKind::None, path, loads.Of(r));
      if (!row.fault) continue;
      const quillet::RowFault& fault = *row.fault;
      Check(std::isfinite(fault.ka) && std::isfinite(fault.supplyKa) && fault.motorKa >= 0 && fault.ka >= fault.motorKa);
      Check(static_cast<double>(fault.ka - fault.motorKa) <=
            static_cast<double>(fault.supplyKa) * (1 + 1e-5) + static_cast<double>(fault.ka) * 1e-6);
    }
}

void CheckTree(std::vector<quillet::TreeRow> rows, const std::vector<std::optional<quillet::FeederInputs>>& feeders) {
  const quillet::DistributionTree tree(std::move(rows));
  std::vector<int> level(tree.Size(), -1);
  for (std::size_t l = 0; l < tree.Levels().size(); ++l)
    for (std::size_t r : tree.Levels()[l]) {
      Check(level[r] == -1);
      level[r] = static_cast<int>(l);
    }
  for (std::size_t r = 0; r < tree.Size(); ++r) {
    Check(level[r] >= 0);
    const auto supply = tree.SupplyOf(r);
    Check(!supply || (level[*supply] < level[r] && tree.ReferenceError(r).empty()));
    Check(supply || tree.Row(r).fedFrom.empty() || !tree.ReferenceError(r).empty());
    tree.PathOf(r, {});
  }
  // Each row's load current made up from its line; every seventh refused.
  const quillet::RolledLoads loads = quillet::RollUpLoads(tree, [&](std::size_t r) {
    const int line = tree.Row(r).line;
    if (line % 7 == 0) return quillet::UnitCurrent{quillet::UnitCurrent::State::Refused, 0};
    return quillet::UnitCurrent{quillet::UnitCurrent::State::Known, 1.0 + line % 5};
  });
  for (std::size_t r = 0; r < tree.Size(); ++r) {
    const quillet::RowLoad* load = loads.Of(r);
    Check(!tree.FeedsOthers(r) || load);
    if (!load) continue;
    Check(!load->waiting);
    if (!load->served) continue;
    const quillet::CalculatedLoad& served = *load->served;
    Check(std::isfinite(served.connectedVa) && std::isfinite(served.designVa) && std::isfinite(load->current));
    Check(served.calculatedVa <= served.connectedVa * (1 + 1e-12));
    Check(served.designVa >= served.calculatedVa * (1 - 1e-12));
    Check(load->designCurrent >= load->current * (1 - 1e-12));
    Check(std::isfinite(load->motorAmperes) && load->motorAmperes >= 0);
  }
  CheckFaultCurrent(tree, loads, feeders);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
  quillet::CsvReader reader(in);
  try {
    const quillet::CsvRecord header = reader.ReadHeader();
    const quillet::ScheduleLayout layout(header.cells);
    for (const std::string& note : layout.Notes()) Check(!note.empty() && IsText(note));
    std::vector<quillet::CsvRecord> records;
    for (quillet::CsvRecord record; reader.Next(record);) {
      Check(record.line > (records.empty() ? header.line : records.back().line));
      for (const std::string& cell : record.cells) Check(IsText(cell));
      CheckRoundTrip(record.cells);
      record.cells = quillet::KeptCells(std::move(record.cells), layout);
      records.push_back(std::move(record));
    }
    quillet::DecimalMarkFinder finder(layout, reader.Delimiter());
    for (const quillet::CsvRecord& record : records)
      if (finder.Look(record.cells)) break;
    const quillet::DecimalMark mark = finder.Mark();
    int evaluated = 0;
    std::vector<quillet::TreeRow> treeRows;
    std::vector<std::optional<quillet::FeederInputs>> feeders;
    for (const quillet::CsvRecord& record : records) {
      treeRows.push_back(quillet::ReadTreeRow(record.cells, record.line, layout, {}, mark));
      const auto feeder = quillet::ReadFeeder(record.cells, record.line, layout, {}, mark);
      feeders.emplace_back();
      if (const auto* error = std::get_if<std::string>(&feeder)) {
        Check(error->starts_with("line " + std::to_string(record.line)));
        continue;
      }
      feeders.back() = std::get<quillet::FeederInputs>(feeder);
      CheckWrittenBack(std::get<quillet::FeederInputs>(feeder), mark);
      if (evaluated++ < kEvaluatedFeeders) {
        // Kept from input to input, as a schedule's worker keeps it.
        static quillet::FeederEngine engine;
        const quillet::FeederResult result = engine.Evaluate(std::get<quillet::FeederInputs>(feeder));
        Check(result.error.has_value() != (result.numbers.has_value() || result.sizedBy == quillet::SizedBy::None));
        if (result.design) CheckDesign(*result.design);
      }
    }
    CheckTree(std::move(treeRows), feeders);
  } catch (const quillet::CsvError& error) {
    Check(std::string(error.what()).size() > 0);
  }
  return 0;
}
