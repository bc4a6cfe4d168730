#include "core/numbers.h"

#include <charconv>
#include <cmath>
#include <cstddef>
#include <string>

namespace quillet {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view SkipBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  return text;
}

std::string_view Trim(std::string_view text) {
  text = SkipBlanks(text);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// Leaves 0 when the text holds no digits (a lone "." or nothing).
double ParseUnsigned(std::string_view text) {
  double value = 0;
  std::from_chars(text.data(), text.data() + text.size(), value);
  return value;
}

// Length of the leading digits.
std::size_t DigitRun(std::string_view text, std::size_t from) {
  std::size_t i = from;
  while (i < text.size() && IsDigit(text[i])) ++i;
  return i - from;
}

// A finite value as its significant digits and how many of them stand before
// the point; `point` is negative or beyond the digits for small or large values.
struct Decimal {
  bool negative = false;
  std::string digits;  // no leading or trailing zeros; empty for zero
  int point = 0;
};

int DigitCount(const Decimal& d) { return static_cast<int>(d.digits.size()); }

void StripTrailingZeros(Decimal& d) {
  while (!d.digits.empty() && d.digits.back() == '0') d.digits.pop_back();
  if (d.digits.empty()) d.point = 0;
}

// Reads to_chars' scientific form "d.ddde+xx" of a positive value.
Decimal FromScientific(std::string_view text, bool negative) {
  Decimal d;
  d.negative = negative;
  const std::size_t e = text.find('e');
  for (char c : text.substr(0, e))
    if (IsDigit(c)) d.digits += c;
  std::string_view exponent = text.substr(e + 1);
  if (exponent.front() == '+') exponent.remove_prefix(1);
  std::from_chars(exponent.data(), exponent.data() + exponent.size(), d.point);
  ++d.point;
  StripTrailingZeros(d);
  return d;
}

// The shortest round-trip text is tried first: when it needs more than
// maxDigits, no text that short reads back, so maxDigits rounding is next best.
template <typename T>
Decimal ToDecimal(T value, int maxDigits) {
  if (value == 0) return Decimal{};
  char buffer[64];
  const T magnitude = std::fabs(value);
  auto end = std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific).ptr;
  Decimal d = FromScientific(std::string_view(buffer, static_cast<std::size_t>(end - buffer)), value < 0);
  if (DigitCount(d) <= maxDigits) return d;
  end = std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific, maxDigits - 1).ptr;
  return FromScientific(std::string_view(buffer, static_cast<std::size_t>(end - buffer)), value < 0);
}

void CarryOne(Decimal& d) {
  std::size_t i = d.digits.size();
  while (i > 0 && d.digits[i - 1] == '9') d.digits[--i] = '0';
  if (i > 0) {
    ++d.digits[i - 1];
  } else {
    d.digits.insert(d.digits.begin(), '1');
    ++d.point;
  }
}

// Rounds on the decimal digits, halves away from zero.
void RoundTo(Decimal& d, int decimals) {
  const int keep = d.point + decimals;
  if (DigitCount(d) <= keep) return;
  const bool up = keep >= 0 && d.digits[static_cast<std::size_t>(keep)] >= '5';
  d.digits.resize(static_cast<std::size_t>(keep < 0 ? 0 : keep));
  if (up) CarryOne(d);
  StripTrailingZeros(d);
}

char DigitAt(const Decimal& d, int position) {
  return position >= 0 && position < DigitCount(d) ? d.digits[static_cast<std::size_t>(position)] : '0';
}

std::string DigitsFrom(const Decimal& d, int from, int count) {
  std::string out;
  for (int i = 0; i < count; ++i) out += DigitAt(d, from + i);
  return out;
}

std::string IntegerDigits(const Decimal& d) { return DigitsFrom(d, 0, d.point > 0 ? d.point : 0); }

std::string Plain(const Decimal& d) {
  if (d.digits.empty()) return "0";
  const std::string integer = IntegerDigits(d);
  std::string out = (d.negative ? "-" : "") + (integer.empty() ? "0" : integer);
  const int decimals = DigitCount(d) - d.point;
  if (decimals > 0) out += "." + DigitsFrom(d, d.point, decimals);
  return out;
}

std::string NonFinite(double value) {
  if (std::isnan(value)) return "NaN";
  return value < 0 ? "-Infinity" : "Infinity";
}

std::string Grouped(const std::string& digits) {
  std::string out;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) out += ',';
    out += digits[i];
  }
  return out;
}

bool IsPlaceholder(char c) { return c == '#' || c == '0'; }

struct DigitPattern {
  std::string prefix;
  int minInteger = 0;  // placeholders from the first '0' of the integer part on
  bool grouping = false;
  bool point = false;
  int decimals = 0;
  int minDecimals = 0;  // placeholders up to the last '0' of the fraction
};

void ReadIntegerPart(std::string_view part, DigitPattern& p) {
  for (char c : part) {
    if (c == ',') p.grouping = true;
    if (c == '0' && p.minInteger == 0) p.minInteger = 1;
    else if (IsPlaceholder(c) && p.minInteger > 0) ++p.minInteger;
  }
}

void ReadFractionPart(std::string_view part, DigitPattern& p) {
  for (char c : part) {
    if (!IsPlaceholder(c)) continue;
    ++p.decimals;
    if (c == '0') p.minDecimals = p.decimals;
  }
}

DigitPattern ParsePattern(std::string_view pattern) {
  DigitPattern p;
  std::size_t start = pattern.find_first_of("#0");
  if (start == std::string_view::npos) start = pattern.size();
  p.prefix = std::string(pattern.substr(0, start));
  const std::string_view body = pattern.substr(start);
  const std::size_t dot = body.find('.');
  ReadIntegerPart(body.substr(0, dot), p);
  if (dot != std::string_view::npos) {
    p.point = true;
    ReadFractionPart(body.substr(dot + 1), p);
  }
  return p;
}

std::string IntegerText(const Decimal& d, const DigitPattern& p) {
  std::string integer = IntegerDigits(d);
  const auto width = static_cast<std::size_t>(p.minInteger);
  if (integer.size() < width) integer.insert(0, width - integer.size(), '0');
  return p.grouping ? Grouped(integer) : integer;
}

std::string FractionText(const Decimal& d, const DigitPattern& p) {
  std::string fraction = DigitsFrom(d, d.point, p.decimals);
  while (static_cast<int>(fraction.size()) > p.minDecimals && fraction.back() == '0') fraction.pop_back();
  return (p.point ? "." : "") + fraction;
}

std::string ApplyPattern(double value, const DigitPattern& p) {
  Decimal d = ToDecimal(value, 15);
  RoundTo(d, p.decimals);
  const bool negative = d.negative && !d.digits.empty();
  return p.prefix + (negative ? "-" : "") + IntegerText(d, p) + FractionText(d, p);
}

}  // namespace

bool IsNumberText(std::string_view text) {
  text = Trim(text);
  std::size_t i = DigitRun(text, 0);
  bool anyDigit = i > 0;
  // A separator only counts with digits on both sides of it.
  while (anyDigit && i < text.size() && text[i] == ',' && DigitRun(text, i + 1) > 0) i += 1 + DigitRun(text, i + 1);
  if (i < text.size() && text[i] == '.') {
    const std::size_t fraction = DigitRun(text, i + 1);
    anyDigit = anyDigit || fraction > 0;
    i += 1 + fraction;
  }
  return anyDigit && i == text.size();
}

double NumberValue(std::string_view text) {
  if (!IsNumberText(text)) return 0;
  std::string digits;
  for (char c : Trim(text))
    if (c != ',') digits += c;
  return ParseUnsigned(digits);
}

double LeadingNumber(std::string_view text) {
  text = SkipBlanks(text);
  std::size_t length = DigitRun(text, 0);
  if (length < text.size() && text[length] == '.') length += 1 + DigitRun(text, length + 1);
  return ParseUnsigned(text.substr(0, length));
}

std::string PlainDecimalText(double value) {
  if (!std::isfinite(value)) return NonFinite(value);
  return Plain(ToDecimal(value, 15));
}

std::string ShortSingleText(float value) {
  if (!std::isfinite(value)) return NonFinite(value);
  return Plain(ToDecimal(value, 7));
}

std::string FormatPattern(double value, std::string_view pattern) {
  if (pattern == "General number" || pattern == "general number") return PlainDecimalText(value);
  const bool fixed = pattern == "Fixed" || pattern == "fixed";
  const DigitPattern p = ParsePattern(fixed ? "0.00" : pattern);
  if (!std::isfinite(value)) return p.prefix + NonFinite(value);
  return ApplyPattern(value, p);
}

}  // namespace quillet
