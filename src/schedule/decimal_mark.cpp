#include "schedule/decimal_mark.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "core/numbers.h"
#include "schedule/cell_text.h"
#include "schedule/columns.h"
#include "schedule/feeder_row.h"

namespace quillet {
namespace {

constexpr char kDigits[] = "0123456789";
constexpr std::size_t kNone = std::string_view::npos;

bool IsDigits(std::string_view text) { return !text.empty() && text.find_first_not_of(kDigits) == kNone; }

char Other(char mark) { return mark == ',' ? '.' : ','; }

// "1.200.000", "12,345": one to three digits, not starting with 0, then
// groups of three, each after the separator.
bool IsGrouped(std::string_view text, char separator) {
  std::size_t at = text.find(separator);
  if (at == 0 || at > 3 || text[0] == '0' || !IsDigits(text.substr(0, at))) return false;
  while (at != kNone) {
    const std::size_t next = text.find(separator, at + 1);
    if (!IsDigits(text.substr(at + 1, next == kNone ? kNone : next - at - 1)) ||
        (next == kNone ? text.size() : next) - at - 1 != 3)
      return false;
    at = next;
  }
  return true;
}

std::string Without(std::string_view text, char separator) {
  std::string kept(text);
  std::erase(kept, separator);
  return kept;
}

std::string Replaced(std::string_view text, char from, char to) {
  std::string replaced(text);
  std::replace(replaced.begin(), replaced.end(), from, to);
  return replaced;
}

// The mark a number shows; none for a whole number, one that reads either
// way ("1,200") and one that is no number.
std::optional<char> MarkShownBy(std::string_view number) {
  if (number.starts_with('-')) number.remove_prefix(1);
  if (number.find_first_not_of(".,0123456789") != kNone || number.find_first_of(kDigits) == kNone)
    return std::nullopt;
  const std::size_t last = number.find_last_of(".,");
  if (last == kNone) return std::nullopt;
  const char mark = number[last];
  const std::string_view whole = number.substr(0, last);
  const bool once = whole.find(mark) == kNone;
  // Both: the last is the mark when the other groups the digits before it.
  if (whole.find(Other(mark)) != kNone)
    return once && IsGrouped(whole, Other(mark)) ? std::optional(mark) : std::nullopt;
  if (!once) return IsGrouped(number, mark) ? std::optional(Other(mark)) : std::nullopt;
  return IsGrouped(number, mark) ? std::nullopt : std::optional(mark);
}

// For a number grouped by `separator`: the digits without it, and for a
// number that reads as a decimal too ("1.200"), that decimal.
std::string GroupingAdvice(const std::string& sign, std::string_view number, char separator, DecimalMark mark) {
  std::string advice = "write " + sign + Without(number, separator) + " without a grouping separator";
  if (std::count(number.begin(), number.end(), separator) == 1 && number.find(Other(separator)) == kNone)
    advice += ", or " + sign + ExactText(NumberValue(Replaced(number, separator, '.')), mark.comma) + " for a decimal";
  return advice;
}

MarkedNumber Plain(std::string digits) { return {MarkedNumber::Plain, std::move(digits), ""}; }
MarkedNumber Misread(std::string advice) { return {MarkedNumber::Misread, "", std::move(advice)}; }

}  // namespace

std::string_view NumberPart(std::string_view cell) {
  return cell.substr(0, std::min(cell.size(), cell.find_first_not_of("0123456789.,-/")));
}

MarkedNumber ReadInMark(std::string_view number, DecimalMark mark) {
  const char own = mark.comma ? ',' : '.', other = Other(own);
  const std::string sign = number.starts_with('-') ? "-" : "";
  number.remove_prefix(sign.size());
  if (number.find_first_not_of(".,0123456789") != kNone || number.find_first_of(kDigits) == kNone) return {};
  const auto owns = std::count(number.begin(), number.end(), own);
  const auto others = std::count(number.begin(), number.end(), other);
  if (others == 0) {
    const bool eitherWay = !mark.shown && IsGrouped(number, own);
    if (owns <= 1 && !eitherWay) return Plain(sign + Replaced(number, own, '.'));
    if (IsGrouped(number, own)) return Misread(GroupingAdvice(sign, number, own, mark));
    return {};
  }
  if (owns > 1) return {};
  const std::size_t at = number.find(own);
  if (IsGrouped(number.substr(0, at), other)) return Misread(GroupingAdvice(sign, number, other, mark));
  if (owns == 0 && others == 1)
    return Misread(std::string("this file writes decimals with a ") + (mark.comma ? "comma" : "point") + "; write " +
                   sign + Replaced(number, other, own));
  return {};
}

std::string OneWayNumber(std::string number, DecimalMark mark) {
  const std::string_view digits = std::string_view(number).substr(number.starts_with('-') ? 1 : 0);
  if (!mark.shown && IsGrouped(digits, mark.comma ? ',' : '.')) number += '0';
  return number;
}

std::optional<double> WrittenFigure(std::string text, bool decimalComma) {
  if (decimalComma) std::replace(text.begin(), text.end(), ',', '.');
  double value = 0;
  const char* end = text.data() + text.size();
  const auto [at, error] = std::from_chars(text.data(), end, value);
  if (text.empty() || error != std::errc() || at != end || !std::isfinite(value)) return std::nullopt;
  return value;
}

DecimalMarkFinder::DecimalMarkFinder(const ScheduleLayout& layout, char delimiter) {
  if (delimiter == ',') shown_ = '.';
  for (const InputColumn& column : InputColumns())
    if (const auto at = layout.IndexOf(column.column); at && column.number) numbers_.push_back(*at);
  std::sort(numbers_.begin(), numbers_.end());
}

bool DecimalMarkFinder::Look(const std::vector<std::string>& cells) {
  for (std::size_t at : numbers_) {
    if (shown_) break;
    if (at < cells.size()) shown_ = MarkShownBy(NumberPart(TrimmedCell(cells[at])));
  }
  return shown_.has_value();
}

DecimalMark DecimalMarkFinder::Mark() const { return {shown_.value_or(',') == ',', shown_.has_value()}; }

std::string InFileMark(std::string message, bool decimalComma) {
  if (!decimalComma) return message;
  const auto isDigit = [&](std::size_t at) { return at < message.size() && message[at] >= '0' && message[at] <= '9'; };
  // A code section ("220.61(C)") is no decimal: its subsection follows at once.
  const auto section = [&](std::size_t at) {
    while (isDigit(at)) ++at;
    return at < message.size() && message[at] == '(';
  };
  bool quoted = false, changed = false;
  for (std::size_t i = 0; i < message.size(); ++i) {
    if (message[i] == '"') quoted = !quoted;
    if (!quoted && message[i] == '.' && i > 0 && isDigit(i - 1) && isDigit(i + 1) && !section(i + 1)) {
      message[i] = ',';
      changed = true;
    }
  }
  if (!changed) return message;
  quoted = false;
  for (std::size_t i = 0; i + 1 < message.size(); ++i) {
    if (message[i] == '"') quoted = !quoted;
    if (!quoted && message[i] == ',' && message[i + 1] == ' ') message[i] = ';';
  }
  return message;
}

}  // namespace quillet
