#include "schedule/feeder_row.h"

#include <algorithm>
#include <cmath>

#include "core/numbers.h"
#include "schedule/csv.h"

namespace quillet {
namespace {

std::string ErrorText(int line, Column column, const std::string& value, const std::string& reason) {
  return "line " + std::to_string(line) + ", " + ColumnName(column) + " " + (value.empty() ? "(blank)" : value) +
         ": " + reason;
}

}  // namespace

std::string LowerCell(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

std::string TrimmedCell(const std::string& text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return "";
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

ScheduleLayout::ScheduleLayout(const std::vector<std::string>& header)
    : index_(InputColumns().size()), width_(header.size()) {
  for (std::size_t i = 0; i < header.size(); ++i) {
    const std::string name = LowerCell(TrimmedCell(header[i]));
    for (const InputColumn& known : InputColumns()) {
      if (name != known.name) continue;
      auto& slot = index_[static_cast<std::size_t>(known.column)];
      if (slot) throw CsvError("line 1: the column " + name + " appears twice");
      slot = i;
    }
  }
  for (Column required : {Column::Voltage, Column::Length})
    if (!IndexOf(required))
      throw CsvError(std::string("line 1: no column ") + ColumnName(required) +
                     "; the first line names the columns (voltage, current, power or motor_hp, length, ...)");
  if (!IndexOf(Column::Current) && !IndexOf(Column::Power) && !IndexOf(Column::MotorHp))
    throw CsvError("line 1: no column current, power or motor_hp; one of them gives the load");
}

const std::string& RowReader::Cell(Column column) const {
  static const std::string none;
  const auto index = layout_.IndexOf(column);
  return index && *index < cells_.size() ? cells_[*index] : none;
}

std::string RowReader::Text(Column column) const { return TrimmedCell(Cell(column)); }

std::string RowReader::Decimal(Column column, const std::string& allowed) const {
  std::string text = Text(column);
  if (decimalComma_) std::replace(text.begin(), text.end(), ',', '.');
  const bool digitsAndPoint = !text.empty() && text.find_first_not_of("0123456789.") == std::string::npos &&
                              std::count(text.begin(), text.end(), '.') <= 1 && text != ".";
  if (!digitsAndPoint) throw BadValue{column, allowed};
  return text;
}

double RowReader::Number(Column column, const std::string& allowed) const {
  return NumberValue(Decimal(column, allowed));
}

int RowReader::Whole(Column column, const std::string& allowed) const {
  const double value = Number(column, allowed);
  if (value != std::floor(value) || value > 1000000) throw BadValue{column, allowed};
  return static_cast<int>(value);
}

std::optional<int> RowReader::Choice(Column column, const std::vector<std::vector<std::string>>& spellings,
                                     const std::string& allowed) const {
  const std::string text = LowerCell(Text(column));
  if (text.empty()) return std::nullopt;
  for (std::size_t i = 0; i < spellings.size(); ++i)
    if (std::find(spellings[i].begin(), spellings[i].end(), text) != spellings[i].end()) return static_cast<int>(i);
  throw BadValue{column, allowed};
}

const std::vector<std::string>& ResultColumnNames() {
  static const std::vector<std::string> names = [] {
    std::vector<std::string> all;
    for (const ResultColumn& column : ResultColumns()) all.push_back(column.name);
    return all;
  }();
  return names;
}

std::variant<FeederInputs, std::string> ReadFeeder(const std::vector<std::string>& cells, int line,
                                                 const ScheduleLayout& layout, const ScheduleDefaults& defaults,
                                                 bool decimalComma) {
  const RowReader row(cells, layout, decimalComma, defaults);
  for (std::size_t i = layout.Width(); i < cells.size(); ++i)
    if (!TrimmedCell(cells[i]).empty())
      return "line " + std::to_string(line) + ": " + std::to_string(cells.size()) + " values, the header names " +
             std::to_string(layout.Width()) + " columns";
  FeederInputs f;
  try {
    for (const InputColumn& column : InputColumns()) column.read(row, f);
  } catch (const BadValue& bad) {
    return ErrorText(line, bad.column, row.Text(bad.column), bad.allowed);
  }
  return f;
}

std::string ErrorCell(const FeederError& error, const std::vector<std::string>& cells, int line,
                      const ScheduleLayout& layout, bool decimalComma) {
  const RowReader row(cells, layout, decimalComma, {});
  return ErrorText(line, error.column, row.Text(error.column), error.reason);
}

std::string ErrorCell(const FeederResult& result, const std::vector<std::string>& cells, int line,
                      const ScheduleLayout& layout, bool decimalComma) {
  if (result.error) return ErrorCell(*result.error, cells, line, layout, decimalComma);
  if (result.sizedBy == SizedBy::None) return "line " + std::to_string(line) + ": " + result.note;
  return "";
}

std::vector<std::string> ResultCells(const EvaluatedRow& row, bool decimalComma) {
  std::vector<std::string> cells;
  for (const ResultColumn& column : ResultColumns()) cells.push_back(column.text(row, decimalComma));
  return cells;
}

}  // namespace quillet
