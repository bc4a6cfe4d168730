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
#include <string_view>
#include <vector>

#include "schedule/decimal_mark.h"
#include "schedule/fault_walk.h"
#include "schedule/feeder.h"

namespace quillet {

class Elcal;
class Keyboard;

// A unit a column's numbers may be given in, in the column's heading
// ("voltage [V]") or after a value ("480 V"): its spellings, the first as
// messages show it (compared without case or blanks), and what a value in
// it is divided by to give the column's own figure ("90%" as a power factor).
struct ValueUnit {
  std::vector<std::string> spellings;
  double divisor = 1;
};

// The unit the text spells, by its place among the units; none for another.
std::optional<std::size_t> FindUnit(const std::vector<ValueUnit>& units, std::string_view text);
// The units as messages name them: "m or ft".
std::string UnitNames(const std::vector<ValueUnit>& units);

// A file's header: where the known columns sit and the unit each heading
// names, the result columns of an earlier run at its end, and a note on
// every other column, which is copied. A heading matches its column's name
// in any case, with or without blanks, underscores and hyphens, "%" read as
// "pct", and perhaps a unit in brackets that is the column's own
// ("Max VD %", "Length (ft)", "Max VD [%]").
class ScheduleLayout {
 public:
  // Throws CsvError for a header without a required column, with a column
  // named twice or with a unit that is not its column's.
  explicit ScheduleLayout(const std::vector<std::string>& header);

  std::optional<std::size_t> IndexOf(Column column) const { return index_[static_cast<std::size_t>(column)]; }
  // The unit the column's heading names, by its place among the column's
  // units; none when it names none.
  std::optional<std::size_t> HeadingUnit(Column column) const { return unit_[static_cast<std::size_t>(column)]; }
  // The columns a row keeps: the header's, less the results at its end.
  std::size_t Width() const { return width_; }
  // How many result columns end the header: this build's full set, as a
  // schedule it wrote has them, read as results and written afresh; else 0.
  std::size_t WrittenResults() const { return results_; }
  // One line for each column the schedule does not read (results of
  // another build together), with the known name it most resembles.
  const std::vector<std::string>& Notes() const { return notes_; }

 private:
  std::vector<std::optional<std::size_t>> index_;
  std::vector<std::optional<std::size_t>> unit_;
  std::size_t width_;
  std::size_t results_;
  std::vector<std::string> notes_;
};

// The cells a row keeps: the results an earlier run wrote left out.
std::vector<std::string> KeptCells(std::vector<std::string> cells, const ScheduleLayout& layout);

// A row's value that is not allowed: the column and what is.
struct BadValue {
  Column column;
  std::string allowed;
};

// A row's cells by column, read as the schedule reads them. The checks
// throw BadValue.
class RowReader {
 public:
  RowReader(const std::vector<std::string>& cells, const ScheduleLayout& layout, DecimalMark mark,
            const ScheduleDefaults& defaults)
      : cells_(cells), layout_(layout), mark_(mark), defaults_(defaults) {}

  // The cell as written; "" where the file has no such column.
  const std::string& Cell(Column column) const;
  // The cell without the blanks around it.
  std::string Text(Column column) const;
  bool Given(Column column) const { return !Text(column).empty(); }
  // Whether the file has the column.
  bool Has(Column column) const { return layout_.IndexOf(column).has_value(); }
  // The number as a field's text: digits with at most one ".", read in the
  // file's decimal mark, without the column's unit after it.
  std::string Decimal(Column column, const std::string& allowed) const;
  // A fraction ("1/2") as written, or a decimal as Decimal reads it.
  std::string Fraction(Column column, const std::string& allowed) const;
  // The value in the column's own unit ("90%" is 0.9 as a power factor).
  double Number(Column column, const std::string& allowed) const;
  int Whole(Column column, const std::string& allowed) const;
  // A spelling from the lists, by position; none when the cell is blank.
  std::optional<int> Choice(Column column, const std::vector<std::vector<std::string>>& spellings,
                            const std::string& allowed) const;
  // The unit written after the cell's number, by its place among the
  // column's units; none when it names none or is not a number.
  std::optional<std::size_t> NamedUnit(Column column) const;
  std::optional<std::size_t> HeadingUnit(Column column) const { return layout_.HeadingUnit(column); }

  bool DecimalComma() const { return mark_.comma; }
  const ScheduleDefaults& Defaults() const { return defaults_; }

 private:
  // The unit the cell's number is in: the one after it or its heading's.
  std::optional<std::size_t> UnitOfNumber(Column column, const std::string& allowed) const;

  const std::vector<std::string>& cells_;
  const ScheduleLayout& layout_;
  DecimalMark mark_;
  ScheduleDefaults defaults_;
};

struct InputColumn {
  Column column;
  const char* name;          // as a new schedule's header names it; see ScheduleLayout
  const char* heading = "";  // the window's and the printout's heading, in words with the unit
  const char* unit = "";     // the unit of its values, where it is always the same
  bool number = false;       // its cells are numbers in the file's decimal mark
  // The units its heading and its numbers may name.
  std::vector<ValueUnit> units = {};
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

// Why a row that gives no load, and that no rule gives one, is refused.
BadValue MissingLoad(const RowReader& row);

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
  // The loads the row serves (its own, or the rows it feeds), once known.
  std::optional<CalculatedLoad> served;
  std::optional<bool> fromSubtree;   // load_from, once the row's load is known
  std::optional<bool> belowSubtree;  // load_check, for a row that feeds others
  std::string remark;                  // why the load check fails, with both figures; "" when it holds
  // The available fault current (fault_walk.h): the row's figures, or why
  // it has none where that needs saying; the rating they are checked
  // against; what the row hands the rows it feeds.
  std::optional<RowFault> fault;
  std::string faultNote;
  std::optional<double> ratingKa;
  FaultEnd faultEnd;
  std::string error;                   // the error cell; "" when the row has none
};

struct ResultColumn {
  const char* name;
  const char* unit = "";
  const char* heading = "";  // in words with the unit, as the window and the printout head it
  bool printed = false;  // among the results a designer checks, which a printed schedule shows
  bool printedInTree = false;  // printed only when the schedule is a tree (a flat one repeats vd_pct)
  bool names = false;  // its cells are names, even one that reads as a number (trade size "1")
  // The cell as the file has it: every digit.
  std::string (*text)(const EvaluatedRow& row, bool decimalComma) = nullptr;
  CellTone (*tone)(const EvaluatedRow& row) = nullptr;  // none: always normal
  // The cell as the window and the printout show it, rounded as the main
  // window shows the same figure; none: as the file has it.
  std::string (*shown)(const EvaluatedRow& row, bool decimalComma) = nullptr;
};

// Every result column in output order.
std::span<const ResultColumn> ResultColumns();
// The error cell's place among the results.
std::size_t ErrorResultIndex();
// The result cell as the window shows it.
std::string ShownResult(const ResultColumn& column, const EvaluatedRow& row, bool decimalComma);

// What the Check column judges a row by, worked from its result cells; a
// row that fails none is "OK". Shown in the window and on paper, never
// written to the file.
enum class RowCheck { Ampacity, DropLimit, TotalDrop, Protection, Load, ShortCircuit, Error };
struct RowCheckInfo {
  RowCheck check;
  const char* word;     // as the Check cell names it
  const char* meaning;  // the printed legend's line, with its code references
};
std::span<const RowCheckInfo> RowChecks();
std::vector<RowCheck> FailedChecks(const EvaluatedRow& row);
// "OK", or the failed checks' words joined by commas.
std::string CheckText(const EvaluatedRow& row);
inline constexpr char kCheckHeading[] = "Check";

}  // namespace quillet
