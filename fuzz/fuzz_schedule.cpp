// The schedule reader on any bytes: rows or a clear error, never a crash or
// a hang. Every record written back reads back the same, every row reads
// into a feeder or an error naming its line, and the first feeders go
// through the engine. The rows make a tree whose levels hold every row once,
// each after its supply.
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <variant>

#include "schedule/csv.h"
#include "schedule/distribution_tree.h"
#include "schedule/feeder_engine.h"
#include "schedule/feeder_row.h"

namespace {

constexpr int kEvaluatedFeeders = 2;

void Check(bool condition) {
  if (!condition) std::abort();
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

void CheckTree(std::vector<quillet::TreeRow> rows) {
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
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
  quillet::CsvReader reader(in);
  try {
    const quillet::CsvRecord header = reader.ReadHeader();
    const quillet::ScheduleLayout layout(header.cells);
    int evaluated = 0, lastLine = header.line;
    std::vector<quillet::TreeRow> treeRows;
    for (quillet::CsvRecord record; reader.Next(record);) {
      treeRows.push_back(quillet::ReadTreeRow(record.cells, record.line, layout, reader.Delimiter() != ','));
      Check(record.line > lastLine);
      lastLine = record.line;
      CheckRoundTrip(record.cells);
      const auto feeder = quillet::ReadFeeder(record.cells, record.line, layout, {}, reader.Delimiter() != ',');
      if (const auto* error = std::get_if<std::string>(&feeder)) {
        Check(error->starts_with("line " + std::to_string(record.line)));
      } else if (evaluated++ < kEvaluatedFeeders) {
        const quillet::FeederResult result = quillet::EvaluateFeeder(std::get<quillet::FeederInputs>(feeder));
        Check(result.error.has_value() != (result.numbers.has_value() || result.sizedBy == quillet::SizedBy::None));
      }
    }
    CheckTree(std::move(treeRows));
  } catch (const quillet::CsvError& error) {
    Check(std::string(error.what()).size() > 0);
  }
  return 0;
}
