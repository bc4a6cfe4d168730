#include "schedule/feeder_row.h"

#include <algorithm>
#include <cmath>

#include "core/numbers.h"

namespace quillet {
namespace {

std::string ErrorText(int line, Column column, const std::string& value, const std::string& reason,
                      DecimalMark mark) {
  return "line " + std::to_string(line) + ", " + ColumnName(column) + " " + (value.empty() ? "(blank)" : value) +
         ": " + InFileMark(reason, mark.comma);
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

std::string NameKey(std::string_view text) {
  std::string key;
  for (const char c : text) {
    if (c == ' ' || c == '\t' || c == '_' || c == '-') continue;
    if (c == '%') key += "pct";
    else key += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  }
  return key;
}

const std::string& RowReader::Cell(Column column) const {
  static const std::string none;
  const auto index = layout_.IndexOf(column);
  return index && *index < cells_.size() ? cells_[*index] : none;
}

std::string RowReader::Text(Column column) const { return TrimmedCell(Cell(column)); }

std::optional<std::size_t> RowReader::NamedUnit(Column column) const {
  const std::string text = Text(column);
  const std::string_view number = NumberPart(text);
  if (number.empty()) return std::nullopt;
  return FindUnit(InputColumnOf(column).units, TrimmedCell(text.substr(number.size())));
}

// A unit after the number must be the column's, and its heading's when
// that names one.
std::optional<std::size_t> RowReader::UnitOfNumber(Column column, const std::string& allowed) const {
  const std::string text = Text(column);
  const std::string_view number = NumberPart(text);
  const std::string unit = TrimmedCell(text.substr(number.size()));
  const auto heading = HeadingUnit(column);
  if (unit.empty()) return heading;
  const std::vector<ValueUnit>& units = InputColumnOf(column).units;
  const auto named = FindUnit(units, unit);
  if (number.empty() || unit.find_first_of("0123456789") != std::string::npos || (!named && units.empty()))
    throw BadValue{column, "not a plain number (" + allowed + ")"};
  if (!named) throw BadValue{column, "the column is in " + UnitNames(units) + ", not " + unit};
  if (heading && *heading != *named) throw BadValue{column, "the heading says " + units[*heading].spellings.front()};
  return named;
}

std::string RowReader::Decimal(Column column, const std::string& allowed) const {
  const std::string text = Text(column);
  if (text.empty()) throw BadValue{column, allowed};
  UnitOfNumber(column, allowed);
  const MarkedNumber read = ReadInMark(NumberPart(text), mark_);
  if (read.form == MarkedNumber::Misread) throw BadValue{column, read.advice};
  if (read.form == MarkedNumber::NotPlain) throw BadValue{column, "not a plain number (" + allowed + ")"};
  if (read.digits.starts_with('-')) throw BadValue{column, allowed};
  return read.digits;
}

std::string RowReader::Fraction(Column column, const std::string& allowed) const {
  const std::string text = Text(column);
  const std::string_view number = NumberPart(text);
  const std::size_t slash = number.find('/');
  if (slash == std::string_view::npos) return Decimal(column, allowed);
  UnitOfNumber(column, allowed);
  const std::string_view above = number.substr(0, slash), below = number.substr(slash + 1);
  const auto digits = [](std::string_view part) {
    return !part.empty() && part.find_first_not_of("0123456789") == std::string_view::npos;
  };
  if (!digits(above) || !digits(below)) throw BadValue{column, "not a plain number (" + allowed + ")"};
  return std::string(number);
}

double RowReader::Number(Column column, const std::string& allowed) const {
  const double value = NumberValue(Decimal(column, allowed));
  const auto unit = UnitOfNumber(column, allowed);
  return unit ? value / InputColumnOf(column).units[*unit].divisor : value;
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
                                                 DecimalMark mark) {
  const RowReader row(cells, layout, mark, defaults);
  for (std::size_t i = layout.Width(); i < cells.size(); ++i)
    if (!TrimmedCell(cells[i]).empty())
      return "line " + std::to_string(line) + ": a value past the last column the header names";
  FeederInputs f;
  try {
    for (const InputColumn& column : InputColumns()) column.read(row, f);
  } catch (const BadValue& bad) {
    return ErrorText(line, bad.column, row.Text(bad.column), bad.allowed, mark);
  }
  return f;
}

std::string ErrorCell(const FeederError& error, const std::vector<std::string>& cells, int line,
                      const ScheduleLayout& layout, DecimalMark mark) {
  const RowReader row(cells, layout, mark, {});
  return ErrorText(line, error.column, row.Text(error.column), error.reason, mark);
}

std::string ErrorCell(const FeederResult& result, const std::vector<std::string>& cells, int line,
                      const ScheduleLayout& layout, DecimalMark mark) {
  if (result.error) return ErrorCell(*result.error, cells, line, layout, mark);
  if (!result.note.empty()) return "line " + std::to_string(line) + ": " + InFileMark(result.note, mark.comma);
  return "";
}

std::vector<std::string> ResultCells(const EvaluatedRow& row, bool decimalComma) {
  std::vector<std::string> cells;
  for (const ResultColumn& column : ResultColumns()) cells.push_back(column.text(row, decimalComma));
  return cells;
}

}  // namespace quillet
