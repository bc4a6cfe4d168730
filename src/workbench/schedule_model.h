// The feeder schedule as the window edits it: the file's header and rows as
// texts, the distribution tree they make, each row's result cells from the
// schedule's own evaluation, and what the file on disk no longer has. No toolkit here; a view reads it
// through the same calls the script driver uses.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "schedule/distribution_tree.h"
#include "schedule/feeder.h"
#include "schedule/feeder_row.h"

namespace quillet {

class ScheduleModel {
 public:
  struct SizedFeeder {
    FeederInputs inputs;
    int area = 0;
  };

 public:
  // A new schedule with every input column and no rows.
  ScheduleModel();

  // Columns: the file's own (inputs and copied ones), then the results.
  std::size_t ColumnCount() const;
  std::size_t InputColumnCount() const { return header_.size(); }
  const std::string& Heading(std::size_t column) const;
  bool Editable(std::size_t column) const { return column < header_.size(); }
  // The column with this heading or file name, or none.
  std::optional<std::size_t> ColumnNamed(const std::string& name) const;
  // The texts a list offers for the column; empty when it takes any text.
  std::vector<std::string> Choices(std::size_t row, std::size_t column) const;

  std::size_t RowCount() const { return rows_.size(); }
  // An input cell as typed, or a result cell once the row is evaluated.
  std::string Cell(std::size_t row, std::size_t column) const;
  CellTone Tone(std::size_t row, std::size_t column) const;
  // The row's error, or "" (also while it waits for its evaluation).
  const std::string& RowError(std::size_t row) const;
  bool HasError(std::size_t row) const { return !RowError(row).empty(); }
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
  // A new row after the others with the feeder's values and the new-row
  // limit and duty.
  std::size_t AddFeeder(const FeederInputs& feeder);
  void DuplicateRow(std::size_t row);
  // Rows of cells from the cell on, rows added below as needed; one undo step.
  void PasteBlock(std::size_t row, std::size_t column, const std::vector<std::vector<std::string>>& cells);
  void DeleteRow(std::size_t row);
  // Undoes the last edit; false when there is none to undo.
  bool Undo();

  // The defaults a new row gets in its max_vd_pct and continuous cells.
  ScheduleDefaults newRowDefaults;

  // Files. Each returns "" or the message to show; a failed import leaves
  // the schedule as it was, a failed export leaves the file as it was.
  std::string Import(const std::string& path);
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
    EvaluatedRow done;
    std::optional<TreeRow> treeRow;  // read again only when the cells or the line change
  };
  struct Snapshot {
    std::vector<Row> rows;
    bool dirty;
  };

  void Remember();
  Row NewRow(const FeederInputs* feeder);
  std::size_t Append(Row row);
  void Touch(Row& row);
  void Edited();
  void Renumber();
  void FindMark();
  void Rebuild();
  SupplyPath PathOf(std::size_t row) const;
  void Walk(std::size_t evaluations);
  void Evaluate(Row& row, const SupplyPath& path);
  bool DecimalComma() const { return mark_.comma; }

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
  std::size_t pending_ = 0;
  std::vector<Snapshot> undo_;
};

}  // namespace quillet
