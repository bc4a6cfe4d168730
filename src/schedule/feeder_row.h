// The schedule's columns: which input column is where, a row's cells read
// into a feeder, and the result columns written back.
#pragma once

#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "schedule/feeder.h"

namespace quillet {

struct ScheduleDefaults {
  double maxVdPercent = 3;
  bool continuous = false;
};

// Where the known columns sit in the header; other columns are copied.
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

// The name of a column as the header spells it in lower case.
const char* ColumnName(Column column);

// The result columns, in output order.
const std::vector<std::string>& ResultColumnNames();

// A row's feeder, or what is wrong with it ("line 7, ambient 60: ...").
std::variant<FeederInputs, std::string> ReadFeeder(const std::vector<std::string>& cells, int line,
                                                 const ScheduleLayout& layout, const ScheduleDefaults& defaults,
                                                 bool decimalComma);

// The result cells of an evaluated feeder; the error cell names the line.
std::vector<std::string> ResultCells(const FeederResult& result, const std::vector<std::string>& cells, int line,
                                     const ScheduleLayout& layout, bool decimalComma);
// The result cells of a row that could not be read.
std::vector<std::string> ErrorCells(const std::string& error);

// A cell's text without the blanks around it, and in lower case: how names
// and choices are compared.
std::string TrimmedCell(const std::string& text);
std::string LowerCell(std::string text);

}  // namespace quillet
