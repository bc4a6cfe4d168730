// The schedule's columns, one descriptor each. An input column says how its
// cell is read and written, entered in a calculator, taken from the main
// window and offered as a list; a result column says how its cell is written
// and coloured. The reader, the writer, the engine's entry, the window's
// lists and "Add this feeder" all walk these tables, so a new column is one
// new descriptor.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "schedule/feeder.h"

namespace quillet {

class Elcal;
class Keyboard;

// Where the known columns sit in a file's header; other columns are copied.
class ScheduleLayout {
 public:
  // Throws CsvError for a header without a required column or with a column
  // named twice.
  explicit ScheduleLayout(const std::vector<std::string>& header);

  std::optional<std::size_t> IndexOf(Column column) const { return index_[static_cast<std::size_t>(column)]; }
  std::size_t Width() const { return width_; }

 private:
  std::vector<std::optional<std::size_t>> index_;
  std::size_t width_;
};

// A row's value that is not allowed: the column and what is.
struct BadValue {
  Column column;
  std::string allowed;
};

// A row's cells by column, read as the schedule reads them. The checks
// throw BadValue.
class RowReader {
 public:
  RowReader(const std::vector<std::string>& cells, const ScheduleLayout& layout, bool decimalComma,
            const ScheduleDefaults& defaults)
      : cells_(cells), layout_(layout), decimalComma_(decimalComma), defaults_(defaults) {}

  // The cell as written; "" where the file has no such column.
  const std::string& Cell(Column column) const;
  // The cell without the blanks around it.
  std::string Text(Column column) const;
  bool Given(Column column) const { return !Text(column).empty(); }
  // The value as a field's text: digits with at most one "." (a decimal
  // comma too in semicolon and tab files).
  std::string Decimal(Column column, const std::string& allowed) const;
  double Number(Column column, const std::string& allowed) const;
  int Whole(Column column, const std::string& allowed) const;
  // A spelling from the lists, by position; none when the cell is blank.
  std::optional<int> Choice(Column column, const std::vector<std::vector<std::string>>& spellings,
                            const std::string& allowed) const;

  bool DecimalComma() const { return decimalComma_; }
  const ScheduleDefaults& Defaults() const { return defaults_; }

 private:
  const std::vector<std::string>& cells_;
  const ScheduleLayout& layout_;
  bool decimalComma_;
  ScheduleDefaults defaults_;
};

struct InputColumn {
  Column column;
  const char* name;          // as a header names it, in lower case
  const char* unit = "";     // the unit of its values, where it is always the same
  const char* heading = "";  // a heading for people in the window; none: the name heads the column
  // Reads the cell (blank included) into the feeder.
  void (*read)(const RowReader& row, FeederInputs& feeder) = nullptr;
  // The cell that reads back as the feeder's value; "" for none.
  std::string (*cell)(const FeederInputs& feeder, bool decimalComma) = nullptr;
  // What every new row starts with, from the schedule window's settings for
  // new rows; none: a new row leaves the cell blank or takes the feeder's.
  std::string (*newRowCell)(const ScheduleDefaults& newRows, bool decimalComma) = nullptr;
  // Enters the feeder's value in a running main window, as a person would.
  void (*enter)(Keyboard& keys, const FeederInputs& feeder) = nullptr;
  // Takes the value the main window holds.
  void (*fromWindow)(const Elcal& window, FeederInputs& feeder) = nullptr;
  // The texts a list offers for the cell; none: any text.
  std::vector<std::string> (*choices)(const RowReader& row) = nullptr;
  // The list offers the schedule's tags instead.
  bool offersTags = false;
};

// Every input column in the order of `Column`.
std::span<const InputColumn> InputColumns();
const InputColumn& InputColumnOf(Column column);
const char* ColumnName(Column column);
// The order a person enters a feeder in (see input_columns.cpp); every
// column with an entry appears once.
std::span<const Column> EntryOrder();

// How a result cell is coloured, as the main window colours the same figure.
enum class CellTone { Normal, Good, Bad };

// A row as the schedule evaluated it: what its result cells are written
// and coloured from.
struct EvaluatedRow {
  std::optional<FeederResult> result;  // none when the row could not be read
  // The limit the row's own drop is held to (vd_limit_pct), when the row
  // could be read and its supply allowed one: its own, or what the path
  // above leaves of its total limit.
  double maxVdPercent = 0;
  bool limited = false;
  std::optional<float> totalPercent;   // vd_total_pct: from the top of the path to the load end
  double maxTotalPercent = 0;
  std::string error;                   // the error cell; "" when the row has none
};

struct ResultColumn {
  const char* name;
  const char* unit = "";
  const char* heading = "";
  bool printed = false;  // among the results a printed schedule shows
  bool printedInTree = false;  // printed only when the schedule is a tree (a flat one repeats vd_pct)
  std::string (*text)(const EvaluatedRow& row, bool decimalComma) = nullptr;
  CellTone (*tone)(const EvaluatedRow& row) = nullptr;  // none: always normal
};

// Every result column in output order.
std::span<const ResultColumn> ResultColumns();
// The error cell's place among the results.
std::size_t ErrorResultIndex();

}  // namespace quillet
