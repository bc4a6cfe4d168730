#include "workbench/schedule_model.h"

#include <algorithm>
#include <fstream>
#include <limits>
#include <unordered_set>

#include "core/numbers.h"
#include "platform/file_output.h"
#include "platform/native_text.h"
#include "schedule/cell_text.h"
#include "schedule/csv.h"
#include "schedule/feeder.h"
#include "schedule/feeder_engine.h"
#include "schedule/schedule.h"
#include "workbench/schedule_workbook.h"

namespace quillet {
namespace {

// Undo keeps the last few edits only; a snapshot of 5,000 rows is cheap,
// a hundred of them would not be.
constexpr std::size_t kUndoDepth = 20;
// An edit brings its row round at once when no more loads than this wait above it.
constexpr std::size_t kEvaluatedAtOnce = 64;

std::vector<std::string> AllInputColumns() {
  std::vector<std::string> names;
  for (const InputColumn& column : InputColumns()) names.push_back(column.name);
  return names;
}

int LineBreaks(const std::vector<std::string>& cells) {
  int count = 0;
  for (const std::string& cell : cells) count += static_cast<int>(std::count(cell.begin(), cell.end(), '\n'));
  return count;
}

// A number for a column whose heading names a scaled unit, in that unit:
// 0.9 goes into "PF (%)" as 90.
std::string InHeadingUnit(std::string text, const InputColumn& column, const ScheduleLayout& layout, bool comma) {
  const auto unit = layout.HeadingUnit(column.column);
  if (!unit || column.units[*unit].divisor == 1) return text;
  std::replace(text.begin(), text.end(), ',', '.');
  return ExactText(NumberValue(text) * column.units[*unit].divisor, comma);
}

RowLoad LoadOf(const RolledLoads& loads, std::size_t row) {
  const RowLoad* load = loads.Of(row);
  return load ? *load : RowLoad{};
}

}  // namespace

ScheduleModel::ScheduleModel() : header_(AllInputColumns()), layout_(header_), columns_(Arranged(view_)) {}

// The tag leads in either view, so the row's name stays in sight.
std::vector<ScheduleColumn> ScheduleModel::Arranged(ColumnView view) const {
  using Kind = ScheduleColumn::Kind;
  const auto results = ResultColumns();
  const auto tag = layout_.IndexOf(Column::Tag);
  std::vector<ScheduleColumn> inputs;
  if (tag) inputs.push_back({Kind::Input, *tag});
  for (std::size_t c = 0; c < header_.size(); ++c)
    if (c != tag) inputs.push_back({Kind::Input, c});
  std::vector<ScheduleColumn> columns;
  if (view == ColumnView::File) {
    columns = inputs;
    columns.push_back({Kind::Check, 0});
    for (std::size_t r = 0; r < results.size(); ++r) columns.push_back({Kind::Result, r});
    return columns;
  }
  const auto checked = [&](std::size_t r) { return results[r].printed || results[r].printedInTree; };
  if (tag) columns.push_back(inputs.front());
  columns.push_back({Kind::Check, 0});
  for (std::size_t r = 0; r < results.size(); ++r)
    if (checked(r)) columns.push_back({Kind::Result, r});
  columns.insert(columns.end(), inputs.begin() + (tag ? 1 : 0), inputs.end());
  for (std::size_t r = 0; r < results.size(); ++r)
    if (!checked(r)) columns.push_back({Kind::Result, r});
  return columns;
}

void ScheduleModel::SetView(ColumnView view) {
  view_ = view;
  columns_ = Arranged(view_);
}

const InputColumn* ScheduleModel::KnownColumn(std::size_t fileColumn) const {
  for (const InputColumn& known : InputColumns())
    if (layout_.IndexOf(known.column) == fileColumn) return &known;
  return nullptr;
}

std::string ScheduleModel::Heading(const ScheduleColumn& column) const {
  switch (column.kind) {
    case ScheduleColumn::Kind::Input: {
      const InputColumn* known = KnownColumn(column.index);
      return known ? known->heading : header_.at(column.index);
    }
    case ScheduleColumn::Kind::Check: return kCheckHeading;
    case ScheduleColumn::Kind::Result: return ResultColumns()[column.index].heading;
  }
  return "";
}

std::string ScheduleModel::Heading(std::size_t column) const { return Heading(columns_.at(column)); }

std::string ScheduleModel::HeadingTip(std::size_t column) const {
  const ScheduleColumn& c = columns_.at(column);
  if (c.kind == ScheduleColumn::Kind::Check)
    return "Not in the file: worked from ampacity_check, ocpd_check, vd_pct, total_check, load_check and sccr_check";
  return FileHeading(c);
}

std::string ScheduleModel::FileHeading(const ScheduleColumn& column) const {
  switch (column.kind) {
    case ScheduleColumn::Kind::Input: return header_.at(column.index);
    case ScheduleColumn::Kind::Check: return "";
    case ScheduleColumn::Kind::Result: return ResultColumns()[column.index].name;
  }
  return "";
}

std::optional<std::size_t> ScheduleModel::ColumnNamed(const std::string& name) const {
  const std::string wanted = LowerCell(TrimmedCell(name));
  const auto named = [&](const std::string& text) { return LowerCell(TrimmedCell(text)) == wanted; };
  for (std::size_t c = 0; c < columns_.size(); ++c)
    if (named(Heading(c)) || named(HeadingTip(c))) return c;
  return std::nullopt;
}

std::vector<std::string> ScheduleModel::Choices(std::size_t row, std::size_t column) const {
  static const std::vector<std::string> noCells;
  if (!Editable(column)) return {};
  const InputColumn* known = KnownColumn(columns_[column].index);
  if (!known) return {};
  const RowReader reader(row < rows_.size() ? rows_[row].cells : noCells, layout_, mark_, {});
  if (known->choices) return known->choices(reader);
  if (!known->offersTags) return {};
  // Every other row's tag, once, in the file's order.
  std::vector<std::string> tags = {""};
  std::unordered_set<std::string> listed = {"", reader.Text(Column::Tag)};
  for (std::size_t r = 0; r < tree_.Size(); ++r)
    if (listed.insert(tree_.Row(r).tag).second) tags.push_back(tree_.Row(r).tag);
  return tags;
}

bool ScheduleModel::HasTree() const {
  for (std::size_t r = 0; r < tree_.Size(); ++r)
    if (!tree_.Row(r).fedFrom.empty()) return true;
  return false;
}

std::string ScheduleModel::Cell(std::size_t row, const ScheduleColumn& column) const {
  if (row >= rows_.size()) return "";
  const Row& r = rows_[row];
  if (IsInput(column)) return column.index < r.cells.size() ? r.cells[column.index] : "";
  if (!r.evaluated) return "";
  if (column.kind == ScheduleColumn::Kind::Check) return CheckText(r.done);
  if (column.index == ErrorResultIndex()) return RowReason(row);
  return column.index < ResultColumns().size() ? ShownResult(ResultColumns()[column.index], r.done, DecimalComma())
                                               : "";
}

std::string ScheduleModel::Cell(std::size_t row, std::size_t column) const {
  return column < columns_.size() ? Cell(row, columns_[column]) : "";
}

std::string ScheduleModel::FileCell(std::size_t row, std::size_t column) const {
  return column < columns_.size() ? FileCell(row, columns_[column]) : "";
}

std::string ScheduleModel::FileCell(std::size_t row, const ScheduleColumn& column) const {
  if (row >= rows_.size() || column.kind != ScheduleColumn::Kind::Result || !rows_[row].evaluated)
    return Cell(row, column);
  return column.index < ResultColumns().size() ? ResultColumns()[column.index].text(rows_[row].done, DecimalComma())
                                               : "";
}

CellTone ScheduleModel::Tone(std::size_t row, const ScheduleColumn& column) const {
  if (row >= rows_.size() || !rows_[row].evaluated) return CellTone::Normal;
  const EvaluatedRow& done = rows_[row].done;
  switch (column.kind) {
    case ScheduleColumn::Kind::Input:
      // The tag is where the eye starts: a row that cannot be evaluated says so there.
      return column.index == layout_.IndexOf(Column::Tag) && !done.error.empty() ? CellTone::Bad : CellTone::Normal;
    case ScheduleColumn::Kind::Check: return FailedChecks(done).empty() ? CellTone::Good : CellTone::Bad;
    case ScheduleColumn::Kind::Result: {
      if (column.index >= ResultColumns().size() || !ResultColumns()[column.index].tone) return CellTone::Normal;
      return ResultColumns()[column.index].tone(done);
    }
  }
  return CellTone::Normal;
}

bool ScheduleModel::HoldsFigures(const ScheduleColumn& column) const {
  switch (column.kind) {
    case ScheduleColumn::Kind::Input: {
      const InputColumn* known = KnownColumn(column.index);
      return known && known->number;
    }
    case ScheduleColumn::Kind::Check: return false;
    case ScheduleColumn::Kind::Result: return column.index < ResultColumns().size() && !ResultColumns()[column.index].names;
  }
  return false;
}

std::vector<RowCheck> ScheduleModel::Failed(std::size_t row) const {
  if (row >= rows_.size() || !rows_[row].evaluated) return {};
  return FailedChecks(rows_[row].done);
}

CellTone ScheduleModel::Tone(std::size_t row, std::size_t column) const {
  return column < columns_.size() ? Tone(row, columns_[column]) : CellTone::Normal;
}

const std::string& ScheduleModel::RowError(std::size_t row) const {
  static const std::string none;
  if (row >= rows_.size() || !rows_[row].evaluated) return none;
  return rows_[row].done.error;
}

std::string ScheduleModel::RowNote(std::size_t row) const {
  if (HasError(row)) return RowReason(row);
  return row < rows_.size() && rows_[row].evaluated ? rows_[row].done.remark : "";
}

std::string ScheduleModel::RowReason(std::size_t row) const {
  const std::string& error = RowError(row);
  const std::string line = "line " + std::to_string(Line(row));
  if (!error.starts_with(line)) return error;
  const std::string rest = error.substr(line.size());
  return rest.starts_with(", ") || rest.starts_with(": ") ? rest.substr(2) : error;
}

void ScheduleModel::Remember() {
  undo_.push_back({rows_, header_, dirty_});
  if (undo_.size() > kUndoDepth) undo_.erase(undo_.begin());
}

// A column the undone edit added goes with it.
bool ScheduleModel::Undo() {
  if (undo_.empty()) return false;
  rows_ = std::move(undo_.back().rows);
  if (header_ != undo_.back().header) {
    header_ = std::move(undo_.back().header);
    layout_ = ScheduleLayout(header_);
    columns_ = Arranged(view_);
  }
  dirty_ = undo_.back().dirty;
  undo_.pop_back();
  FindMark();
  Rebuild();
  return true;
}

void ScheduleModel::Touch(Row& row) {
  row.evaluated = false;
  row.treeRow.reset();
  row.unit = {};
  dirty_ = true;
}

void ScheduleModel::SetCell(std::size_t row, std::size_t viewColumn, const std::string& text) {
  if (row >= rows_.size() || !Editable(viewColumn)) return;
  const std::size_t column = columns_[viewColumn].index;
  Row& r = rows_[row];
  if (column < r.cells.size() && r.cells[column] == text) return;
  Remember();
  if (r.cells.size() < header_.size()) r.cells.resize(header_.size());
  r.cells[column] = text;
  Touch(r);
  // A cell with a line break moves the lines of the rows after it.
  Edited();
}

// After every edit: the lines and the decimal mark the written file will have.
void ScheduleModel::Edited() {
  Renumber();
  FindMark();
  Rebuild();
}

// The file's decimal mark from its rows as they stand, as the tool finds it
// in the written file; when it changes, every row reads and writes anew.
void ScheduleModel::FindMark() {
  DecimalMarkFinder finder(layout_, delimiter_);
  for (const Row& row : rows_)
    if (finder.Look(row.cells)) break;
  const DecimalMark found = finder.Mark();
  if (found.comma == mark_.comma && found.shown == mark_.shown) return;
  mark_ = found;
  for (Row& row : rows_) {
    row.evaluated = false;
    row.treeRow.reset();
    row.unit = {};
  }
}

// Lines as the rows will stand in the written file: the header on line 1,
// each record on the lines after the one before.
void ScheduleModel::Renumber() {
  int line = 2;
  for (Row& row : rows_) {
    if (row.line != line) {
      row.line = line;
      Touch(row);
    }
    line += 1 + LineBreaks(row.cells);
  }
}

// Every new row starts here, whichever button or paste makes it: the
// new-row limit and duty, and the feeder's values when it comes from the
// main window. A value the file has no column for adds the column, so
// nothing is lost; the limit and duty only where they differ from what a
// file without the column reads.
ScheduleModel::Row ScheduleModel::NewRow(const FeederInputs* feeder, const ScheduleDefaults& settings) {
  std::vector<std::pair<Column, std::string>> values;
  for (const InputColumn& known : InputColumns()) {
    std::string text;
    if (known.newRowCell) {
      text = known.newRowCell(settings, DecimalComma());
      if (!layout_.IndexOf(known.column) && text == known.newRowCell(ScheduleDefaults{}, DecimalComma())) continue;
    } else if (feeder) {
      text = known.cell(*feeder, DecimalComma());
    }
    if (text.empty()) continue;
    if (known.number) text = OneWayNumber(InHeadingUnit(text, known, layout_, mark_.comma), mark_);
    if (!layout_.IndexOf(known.column)) {
      header_.push_back(known.name);
      layout_ = ScheduleLayout(header_);
      columns_ = Arranged(view_);
    }
    values.emplace_back(known.column, std::move(text));
  }
  Row row;
  row.cells.resize(header_.size());
  for (auto& [column, text] : values) row.cells[*layout_.IndexOf(column)] = std::move(text);
  return row;
}

// Remembered before the new row adds any column, so an undo takes both.
std::size_t ScheduleModel::Append(const FeederInputs* feeder, const ScheduleDefaults& settings) {
  Remember();
  rows_.push_back(NewRow(feeder, settings));
  dirty_ = true;
  Edited();
  return rows_.size() - 1;
}

std::size_t ScheduleModel::AddRow() { return Append(nullptr, newRowDefaults); }

std::size_t ScheduleModel::AddFeeder(const FeederInputs& feeder, const ScheduleDefaults& intent) {
  return Append(&feeder, intent);
}

void ScheduleModel::DuplicateRow(std::size_t row) {
  if (row >= rows_.size()) return;
  Remember();
  Row copy = rows_[row];
  rows_.insert(rows_.begin() + static_cast<std::ptrdiff_t>(row) + 1, std::move(copy));
  dirty_ = true;
  Edited();
}

void ScheduleModel::PasteBlock(std::size_t row, std::size_t column,
                               const std::vector<std::vector<std::string>>& cells) {
  if (!Editable(column) || cells.empty()) return;
  // Each pasted column's file column, as the view stands before the paste:
  // a cell over a result has nowhere to go, nor into a column a new row adds.
  std::vector<std::optional<std::size_t>> targets;
  for (const std::vector<std::string>& line : cells)
    while (targets.size() < line.size()) {
      const std::size_t c = column + targets.size();
      targets.push_back(Editable(c) ? std::optional(columns_[c].index) : std::nullopt);
    }
  Remember();
  const std::size_t firstNew = rows_.size();
  for (std::size_t r = 0; r < cells.size(); ++r) {
    while (row + r >= rows_.size()) rows_.push_back(NewRow(nullptr, newRowDefaults));
    Row& target = rows_[row + r];
    if (target.cells.size() < header_.size()) target.cells.resize(header_.size());
    for (std::size_t c = 0; c < cells[r].size(); ++c)
      if (targets[c]) target.cells[*targets[c]] = cells[r][c];
    if (row + r < firstNew) Touch(target);
  }
  dirty_ = true;
  Edited();
}

void ScheduleModel::DeleteRow(std::size_t row) {
  if (row >= rows_.size()) return;
  Remember();
  rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(row));
  dirty_ = true;
  Edited();
}

// The tree as the cells now stand, and which rows it leaves waiting.
void ScheduleModel::Rebuild() {
  std::vector<TreeRow> treeRows;
  treeRows.reserve(rows_.size());
  for (Row& row : rows_) {
    if (!row.treeRow) row.treeRow = ReadTreeRow(row.cells, row.line, layout_, rowDefaults, mark_);
    treeRows.push_back(*row.treeRow);
  }
  tree_ = DistributionTree(std::move(treeRows));
  Walk(0);
}

SupplyPath ScheduleModel::PathOf(std::size_t row) const {
  const auto supply = tree_.SupplyOf(row);
  return tree_.PathOf(row, supply ? EndOf(rows_[*supply].done) : PathEnd{});
}

void ScheduleModel::Evaluate(std::size_t r, const SupplyPath& path) {
  Row& row = rows_[r];
  row.load = LoadOf(loads_, r);
  row.done =
      quillet::EvaluateRow(engine_, row.cells, row.line, layout_, rowDefaults, mark_, path, loads_.Of(r));
  row.path = path;
  row.evaluated = true;
}

bool ScheduleModel::UpToDate(std::size_t r, const SupplyPath& path) const {
  const Row& row = rows_[r];
  return row.evaluated && row.path == path && row.load == LoadOf(loads_, r);
}

// The window's load current of the rows whose supplies need it, up to
// `evaluations` of them; what is left of the evaluations.
std::size_t ScheduleModel::FindUnitCurrents(std::size_t evaluations) {
  for (std::size_t r = 0; r < rows_.size() && evaluations > 0; ++r) {
    Row& row = rows_[r];
    if (row.unit.state != UnitCurrent::State::Waiting || !NeedsUnitCurrent(tree_, r)) continue;
    row.unit = UnitCurrentOf(engine_, row.cells, row.line, layout_, rowDefaults, mark_);
    --evaluations;
  }
  loads_ = RollUpLoads(tree_, [this](std::size_t r) { return rows_[r].unit; });
  return evaluations;
}

// Loads first, up the tree; then down it, a supply before the rows it
// feeds: a row waits while its supply does, while a load below it is not
// found yet, or when its supply's figures or its load are not the ones it
// was evaluated with; up to `evaluations` waiting rows and loads are worked
// out on the way.
void ScheduleModel::Walk(std::size_t evaluations) {
  evaluations = FindUnitCurrents(evaluations);
  pending_ = 0;
  for (const std::vector<std::size_t>& level : tree_.Levels()) {
    for (std::size_t r : level) {
      Row& row = rows_[r];
      const auto supply = tree_.SupplyOf(r);
      const RowLoad* load = loads_.Of(r);
      if ((supply && !rows_[*supply].evaluated) || (load && load->waiting)) {
        row.evaluated = false;
        ++pending_;
        continue;
      }
      const SupplyPath path = PathOf(r);
      if (UpToDate(r, path)) continue;
      if (evaluations > 0) {
        Evaluate(r, path);
        --evaluations;
      } else {
        row.evaluated = false;
        ++pending_;
      }
    }
  }
}

void ScheduleModel::EvaluateSome(std::size_t maxRows) { Walk(maxRows); }

// The load currents still to find under a row.
std::size_t ScheduleModel::WaitingUnitsBelow(std::size_t top) const {
  std::size_t waiting = 0;
  std::vector<std::size_t> stack = {top};
  while (!stack.empty()) {
    const std::size_t r = stack.back();
    stack.pop_back();
    waiting += rows_[r].unit.state == UnitCurrent::State::Waiting && NeedsUnitCurrent(tree_, r);
    for (std::size_t fed : tree_.FedBy(r)) stack.push_back(fed);
  }
  return waiting;
}

// A chain whose loads wait on many rows (an import still under way) is
// left to the slices, so an edit never holds the window up.
void ScheduleModel::EvaluateRow(std::size_t row) {
  if (row >= rows_.size()) return;
  std::vector<std::size_t> chain = {row};
  for (auto supply = tree_.SupplyOf(row); supply; supply = tree_.SupplyOf(*supply)) chain.push_back(*supply);
  const std::size_t waiting = WaitingUnitsBelow(chain.back());
  if (waiting > kEvaluatedAtOnce) return Walk(0);
  FindUnitCurrents(waiting);
  for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
    const SupplyPath path = PathOf(*it);
    if (!UpToDate(*it, path)) Evaluate(*it, path);
  }
  Walk(0);
}

std::optional<ScheduleModel::SizedFeeder> ScheduleModel::FeederOf(std::size_t row) const {
  if (row >= rows_.size() || HasError(row) || !rows_[row].evaluated) return std::nullopt;
  const Row& r = rows_[row];
  if (!r.done.result || !r.done.result->areaUsed) return std::nullopt;
  auto feeder = ReadFeeder(r.cells, r.line, layout_, rowDefaults, mark_);
  if (!std::holds_alternative<FeederInputs>(feeder)) return std::nullopt;
  FeederInputs& inputs = std::get<FeederInputs>(feeder);
  if (inputs.load == LoadKind::None && !TakeLoadFromRules(inputs, loads_.Of(row))) return std::nullopt;
  return SizedFeeder{inputs, *r.done.result->areaUsed};
}

void ScheduleModel::EvaluateAll() { Walk(std::numeric_limits<std::size_t>::max()); }

std::string ScheduleModel::Import(const std::string& path) {
  const std::string name = FileNameOf(path);
  if (NamesWorkbook(path)) return name + ": " + kWorkbookNotRead;
  std::ifstream file(PathFromUtf8(path), std::ios::binary);
  if (!file) return "Cannot read " + name + ".";
  if (std::string error = Read(file, name); !error.empty()) return error;
  path_ = path;
  return "";
}

std::string ScheduleModel::Read(std::istream& in, const std::string& name) {
  try {
    CsvReader reader(in);
    const CsvRecord header = reader.ReadHeader();
    const ScheduleLayout read(header.cells);
    std::vector<Row> rows;
    for (CsvRecord record; reader.Next(record);) {
      Row row;
      row.cells = KeptCells(std::move(record.cells), read);
      row.line = record.line;
      rows.push_back(std::move(row));
    }
    header_ = KeptCells(header.cells, read);
    layout_ = ScheduleLayout(header_);
    columns_ = Arranged(view_);
    rows_ = std::move(rows);
    notes_ = read.Notes();
    delimiter_ = reader.Delimiter();
    lineEnd_ = reader.LineEnd();
    bom_ = reader.HadByteOrderMark();
  } catch (const CsvError& error) {
    return name + ": " + error.what();
  }
  path_.clear();
  dirty_ = false;
  FindMark();
  undo_.clear();
  Rebuild();
  return "";
}

std::string ScheduleModel::OutputText() const {
  std::string out = bom_ ? "\xEF\xBB\xBF" : "";
  out += CsvLine(OutputHeader(header_), delimiter_, lineEnd_.c_str());
  for (const Row& row : rows_) {
    const std::vector<std::string> results = ResultCells(row.evaluated ? row.done : EvaluatedRow{}, mark_.comma);
    out += CsvLine(OutputCells(row.cells, header_.size(), results), delimiter_, lineEnd_.c_str());
  }
  return out;
}

std::string ScheduleModel::Export(const std::string& path) {
  EvaluateAll();
  if (NamesWorkbook(path)) return WriteScheduleWorkbook(*this, path);
  if (const std::string why = WriteWholeFile(PathFromUtf8(path), OutputText()); !why.empty())
    return "Cannot write " + FileNameOf(path) + ": " + why + ".";
  path_ = path;
  dirty_ = false;
  return "";
}

}  // namespace quillet
