// The feeder schedule as the window edits it: the file's header and rows as
// texts, the distribution tree they make, each row's result cells from the
// schedule's own evaluation, and what the file on disk no longer has. No toolkit here; a view reads it
// through the same calls the script driver uses.
#pragma once

#include <cstddef>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "schedule/distribution_tree.h"
#include "schedule/feeder.h"
#include "schedule/feeder_engine.h"
#include "schedule/feeder_row.h"
#include "schedule/load_rollup.h"

namespace quillet {

// A column the window shows: one of the file's (an input or a copied one),
// the Check column, or a result.
struct ScheduleColumn {
  enum class Kind { Input, Check, Result };
  Kind kind = Kind::Input;
  std::size_t index = 0;  // among the file's columns or the results

  bool operator==(const ScheduleColumn&) const = default;
};

// The order the window shows the columns in. As in the file: the tag, the
// file's other columns, Check, the results. Results first: the tag, Check,
// the results a designer checks, then the file's columns and the other
// results.
enum class ColumnView { File, ResultsFirst };

class ScheduleModel {
 public:
  struct SizedFeeder {
    FeederInputs inputs;
    int area = 0;
  };

 public:
  // A new schedule with every input column and no rows.
  ScheduleModel();

  // Columns by their place in the view; the inputs are the file's columns.
  std::size_t ColumnCount() const { return columns_.size(); }
  std::size_t InputColumnCount() const { return header_.size(); }
  const ScheduleColumn& ColumnAt(std::size_t column) const { return columns_.at(column); }
  ColumnView View() const { return view_; }
  void SetView(ColumnView view);
  // The columns in a view's order, whatever the window shows.
  std::vector<ScheduleColumn> Arranged(ColumnView view) const;
  // In words with the unit ("Voltage (V)"); a column the schedule does not
  // read keeps the file's heading.
  std::string Heading(std::size_t column) const;
  std::string Heading(const ScheduleColumn& column) const;
  // The column's name in the CSV file, or what the column is worked from.
  std::string HeadingTip(std::size_t column) const;
  // The column's name in the CSV file; "" for Check, which the file has not.
  std::string FileHeading(const ScheduleColumn& column) const;
  bool Editable(std::size_t column) const { return column < columns_.size() && IsInput(columns_[column]); }
  // The column with this heading, file name or result name, or none.
  std::optional<std::size_t> ColumnNamed(const std::string& name) const;
  // The texts a list offers for the column; empty when it takes any text.
  std::vector<std::string> Choices(std::size_t row, std::size_t column) const;

  std::size_t RowCount() const { return rows_.size(); }
  // An input cell as typed, or a result cell once the row is evaluated,
  // rounded as the main window shows the figure; the file keeps every digit.
  std::string Cell(std::size_t row, std::size_t column) const;
  std::string Cell(std::size_t row, const ScheduleColumn& column) const;
  // The cell as the exported file has it: a result with every digit.
  std::string FileCell(std::size_t row, std::size_t column) const;
  std::string FileCell(std::size_t row, const ScheduleColumn& column) const;
  CellTone Tone(std::size_t row, std::size_t column) const;
  // Whether the column's cells that read as numbers are figures (a voltage),
  // not names (a trade size "1").
  bool HoldsFigures(const ScheduleColumn& column) const;
  CellTone Tone(std::size_t row, const ScheduleColumn& column) const;
  // The row's error, or "" (also while it waits for its evaluation).
  const std::string& RowError(std::size_t row) const;
  bool HasError(std::size_t row) const { return !RowError(row).empty(); }
  // The error without the file line it starts with, which the window's
  // row numbers stand in for.
  std::string RowReason(std::size_t row) const;
  // What the window says of the row: its reason, or what a failed load
  // check found, with both figures; "" when nothing.
  std::string RowNote(std::size_t row) const;
  // The checks the row fails, as its Check cell names them; none while it
  // waits for its evaluation.
  std::vector<RowCheck> Failed(std::size_t row) const;
  // The file writes its numbers with a decimal comma.
  bool DecimalComma() const { return mark_.comma; }
  // The row's feeder with the size it used, for the main window; none when
  // the row has an error or is not evaluated yet.
  std::optional<SizedFeeder> FeederOf(std::size_t row) const;
  // The line the row starts on in the file, as its messages name it.
  int Line(std::size_t row) const { return rows_.at(row).line; }
  // The rows as a distribution tree, as the cells stand.
  const DistributionTree& Tree() const { return tree_; }
  // Some row names its supply: the schedule is more than a list.
  bool HasTree() const;

  // Edits; each marks the schedule changed and the touched rows for
  // evaluation. Out-of-range rows or columns are ignored.
  void SetCell(std::size_t row, std::size_t column, const std::string& text);
  // A new row after the others, blank but for the new-row limit and duty.
  std::size_t AddRow();
  // A new row after the others with the feeder's values and the limit and
  // duty given (the new-row ones, or those the feeder was sized with).
  std::size_t AddFeeder(const FeederInputs& feeder, const ScheduleDefaults& intent);
  void DuplicateRow(std::size_t row);
  // Rows of cells from the cell on, rows added below as needed; one undo step.
  void PasteBlock(std::size_t row, std::size_t column, const std::vector<std::vector<std::string>>& cells);
  void DeleteRow(std::size_t row);
  // Undoes the last edit; false when there is none to undo.
  bool Undo();

  // The defaults a new row gets in its max_vd_pct and continuous cells.
  ScheduleDefaults newRowDefaults;
  // What a row that gives no limit or duty is evaluated with, as
  // quillet-schedule's options set them; set before the rows are read.
  ScheduleDefaults rowDefaults;

  // Files. Each returns "" or the message to show; a failed import leaves
  // the schedule as it was, a failed export leaves the file as it was. A
  // name ending in .xlsx exports a spreadsheet workbook (schedule_workbook.h),
  // which leaves the file the schedule is kept in, and its unsaved mark,
  // alone: the schedule cannot be read back from one.
  std::string Import(const std::string& path);
  // The schedule read from a stream as Import reads a file; `name` for the messages.
  std::string Read(std::istream& in, const std::string& name);
  std::string Export(const std::string& path);
  // The whole output, as quillet-schedule writes it for the same rows.
  std::string OutputText() const;
  // What the last import has to say about the columns it does not read.
  const std::vector<std::string>& Notes() const { return notes_; }

  const std::string& FileName() const { return path_; }
  bool Dirty() const { return dirty_; }

  // Evaluation in slices, so a long file never holds the window up.
  std::size_t PendingCount() const { return pending_; }
  void EvaluateSome(std::size_t maxRows);
  void EvaluateAll();
  // Evaluates the row now when it waits, and the supplies above it first.
  void EvaluateRow(std::size_t row);

 private:
  struct Row {
    std::vector<std::string> cells;
    int line = 0;
    bool evaluated = false;
    SupplyPath path;  // what the row was evaluated with
    RowLoad load;     // likewise
    EvaluatedRow done;
    std::optional<TreeRow> treeRow;  // read again only when the cells or the line change
    UnitCurrent unit;                // where the rows above need it; found again with the tree row
  };
  struct Snapshot {
    std::vector<Row> rows;
    std::vector<std::string> header;
    bool dirty;
  };

  static bool IsInput(const ScheduleColumn& column) { return column.kind == ScheduleColumn::Kind::Input; }
  void Remember();
  Row NewRow(const FeederInputs* feeder, const ScheduleDefaults& settings);
  std::size_t Append(const FeederInputs* feeder, const ScheduleDefaults& settings);
  const InputColumn* KnownColumn(std::size_t fileColumn) const;
  void Touch(Row& row);
  void Edited();
  void Renumber();
  void FindMark();
  void Rebuild();
  SupplyPath PathOf(std::size_t row) const;
  void Walk(std::size_t evaluations);
  std::size_t FindUnitCurrents(std::size_t evaluations);
  std::size_t WaitingUnitsBelow(std::size_t top) const;
  void Evaluate(std::size_t row, const SupplyPath& path);
  bool UpToDate(std::size_t row, const SupplyPath& path) const;

  std::vector<std::string> header_;
  std::vector<Row> rows_;
  ScheduleLayout layout_;
  char delimiter_ = ',';
  DecimalMark mark_;
  std::vector<std::string> notes_;
  std::string lineEnd_ = "\r\n";
  bool bom_ = false;
  std::string path_;
  bool dirty_ = false;
  DistributionTree tree_{{}};
  RolledLoads loads_;
  std::size_t pending_ = 0;
  std::vector<Snapshot> undo_;
  ColumnView view_ = ColumnView::File;
  std::vector<ScheduleColumn> columns_;
  FeederEngine engine_;  // the calculator the rows are evaluated through
};

}  // namespace quillet
