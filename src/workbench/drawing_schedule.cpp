#include "workbench/drawing_schedule.h"

#include <algorithm>
#include <iterator>

#include "schedule/columns.h"
#include "schedule/decimal_mark.h"
#include "workbench/schedule_model.h"

namespace quillet {
namespace {

// Where a drawing column's cells come from.
enum class Source { Input, Result, Length, Check };

struct DrawingColumn {
  const char* heading;
  Source source;
  const char* name = "";  // the schedule's column, as the CSV names it
  bool number = false;    // the cell is a figure
  double perUnit = 1;     // the file's figure in one of the heading's units
  std::optional<RowCheck> judgedBy = std::nullopt;
  bool treeOnly = false;  // a flat schedule's total is its own drop again
};

const DrawingColumn kColumns[] = {
    {"Tag", Source::Input, "tag", false, 1, RowCheck::Error},
    {"Fed from", Source::Input, "fed_from"},
    {"Load (kVA)", Source::Result, "calculated_va", true, 1000, RowCheck::Load},
    {"Design current (A)", Source::Result, "design_current_a", true},
    {"Device (A)", Source::Result, "ocpd_a", true, 1, RowCheck::Protection},
    {"Conductor set", Source::Result, "conductor_set", false, 1, RowCheck::Ampacity},
    {"Length", Source::Length},
    {"Drop (%)", Source::Result, "vd_pct", true, 1, RowCheck::DropLimit},
    {"Total drop (%)", Source::Result, "vd_total_pct", true, 1, RowCheck::TotalDrop, true},
    {"Fault current (kA)", Source::Result, "isc_ka", true, 1, RowCheck::ShortCircuit},
    {kCheckHeading, Source::Check},
};

// The length with its unit, as the row was read; as typed where it could not be.
std::string LengthText(const ScheduleModel& model, std::size_t row) {
  if (const auto feeder = model.FeederOf(row))
    return InputColumnOf(Column::Length).cell(feeder->inputs, model.DecimalComma()) + " " +
           InputColumnOf(Column::Unit).cell(feeder->inputs, model.DecimalComma());
  const auto typed = model.ColumnNamed(ColumnName(Column::Length)), unit = model.ColumnNamed(ColumnName(Column::Unit));
  const std::string length = typed ? model.Cell(row, *typed) : "", in = unit ? model.Cell(row, *unit) : "";
  return length.empty() || in.empty() ? length : length + " " + in;
}

class CellReader {
 public:
  CellReader(const ScheduleModel& model, const DrawingColumn& column)
      : model_(model),
        column_(column),
        place_(column.source == Source::Input || column.source == Source::Result ? model.ColumnNamed(column.name)
                                                                                : std::nullopt) {}

  // The schedule has the column (a file may lack an input column).
  bool Present() const { return place_ || column_.source == Source::Length || column_.source == Source::Check; }

  DrawingCell Read(std::size_t row, const std::vector<RowCheck>& failed) const {
    DrawingCell cell;
    switch (column_.source) {
      case Source::Input:
      case Source::Result: cell.text = model_.Cell(row, *place_); break;
      case Source::Length: cell.text = LengthText(model_, row); break;
      case Source::Check: cell.text = model_.Cell(row, ScheduleColumn{ScheduleColumn::Kind::Check, 0}); break;
    }
    if (column_.number)
      if (const auto figure = WrittenFigure(model_.FileCell(row, *place_), model_.DecimalComma()))
        cell.number = *figure / column_.perUnit;
    for (RowCheck check : failed)
      if (column_.source == Source::Check || column_.judgedBy == check) cell.fails = true;
    return cell;
  }

 private:
  const ScheduleModel& model_;
  const DrawingColumn& column_;
  std::optional<std::size_t> place_;
};

// Each supply, then the rows it feeds, deepest first, in the file's order.
std::vector<std::pair<std::size_t, int>> TreeOrder(const ScheduleModel& model) {
  const DistributionTree& tree = model.Tree();
  std::vector<std::pair<std::size_t, int>> order;
  if (tree.Size() != model.RowCount()) {
    for (std::size_t r = 0; r < model.RowCount(); ++r) order.emplace_back(r, 0);
    return order;
  }
  std::vector<std::pair<std::size_t, int>> stack;
  const std::vector<std::size_t> tops = tree.Tops();
  for (auto top = tops.rbegin(); top != tops.rend(); ++top) stack.emplace_back(*top, 0);
  while (!stack.empty()) {
    const auto [row, depth] = stack.back();
    stack.pop_back();
    order.emplace_back(row, depth);
    const std::vector<std::size_t> fed = tree.FedBy(row);
    for (auto it = fed.rbegin(); it != fed.rend(); ++it) stack.emplace_back(*it, depth + 1);
  }
  return order;
}

}  // namespace

DrawingSchedule BuildDrawingSchedule(const ScheduleModel& model) {
  std::vector<const DrawingColumn*> columns;
  std::vector<CellReader> readers;
  for (const DrawingColumn& column : kColumns) {
    CellReader reader(model, column);
    if (!reader.Present() || (column.treeOnly && !model.HasTree())) continue;
    columns.push_back(&column);
    readers.push_back(reader);
  }
  DrawingSchedule drawing;
  for (const auto& [row, depth] : TreeOrder(model)) {
    DrawingRow line{row, depth, {}};
    const std::vector<RowCheck> failed = model.Failed(row);
    for (const CellReader& reader : readers) line.cells.push_back(reader.Read(row, failed));
    drawing.rows.push_back(std::move(line));
  }
  // A column blank in every row goes, but the tag and the check stay.
  for (std::size_t c = columns.size(); c-- > 0;) {
    const bool kept = columns[c]->source == Source::Check || columns[c] == &kColumns[0] ||
                      std::any_of(drawing.rows.begin(), drawing.rows.end(),
                                  [c](const DrawingRow& r) { return !r.cells[c].text.empty(); });
    if (kept) continue;
    columns.erase(columns.begin() + static_cast<std::ptrdiff_t>(c));
    for (DrawingRow& r : drawing.rows) r.cells.erase(r.cells.begin() + static_cast<std::ptrdiff_t>(c));
  }
  for (const DrawingColumn* column : columns) drawing.headings.push_back(column->heading);
  return drawing;
}

}  // namespace quillet
