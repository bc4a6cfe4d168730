#include "core/numbers.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

namespace quillet {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

double ParseDigits(std::string digits) {
  if (digits.empty()) return 0;
  if (digits.front() == '.') digits.insert(digits.begin(), '0');
  double value = 0;
  std::from_chars(digits.data(), digits.data() + digits.size(), value);
  return value;
}

// A finite value as significant digits and the count of them before the
// point (negative or beyond the digits for small and large values).
struct Decimal {
  bool negative = false;
  std::string digits;  // no leading or trailing zeros; empty for zero
  int point = 0;
};

Decimal ToDecimal(double value, int maxDigits, bool single) {
  Decimal d;
  d.negative = std::signbit(value);
  if (value == 0) return d;
  char buffer[64];
  std::to_chars_result r = single
      ? std::to_chars(buffer, buffer + sizeof buffer, static_cast<float>(std::fabs(value)), std::chars_format::scientific)
      : std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value), std::chars_format::scientific);
  std::string text(buffer, r.ptr);
  auto e = text.find('e');
  std::string mantissa = text.substr(0, e);
  mantissa.erase(std::remove(mantissa.begin(), mantissa.end(), '.'), mantissa.end());
  if (static_cast<int>(mantissa.size()) > maxDigits) {
    r = single ? std::to_chars(buffer, buffer + sizeof buffer, static_cast<float>(std::fabs(value)),
                               std::chars_format::scientific, maxDigits - 1)
               : std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value), std::chars_format::scientific,
                               maxDigits - 1);
    text.assign(buffer, r.ptr);
    e = text.find('e');
    mantissa = text.substr(0, e);
    mantissa.erase(std::remove(mantissa.begin(), mantissa.end(), '.'), mantissa.end());
  }
  int exponent = 0;
  std::from_chars(text.data() + e + 1 + (text[e + 1] == '+'), text.data() + text.size(), exponent);
  while (!mantissa.empty() && mantissa.back() == '0') mantissa.pop_back();
  d.digits = mantissa;
  d.point = exponent + 1;
  return d;
}

// Rounds to `decimals` places, halves away from zero.
void RoundTo(Decimal& d, int decimals) {
  const int keep = d.point + decimals;
  if (static_cast<int>(d.digits.size()) <= keep) return;
  if (keep < 0) {
    d.digits.clear();
    return;
  }
  const bool up = d.digits[static_cast<std::size_t>(keep)] >= '5';
  d.digits.resize(static_cast<std::size_t>(keep));
  if (up) {
    int i = keep - 1;
    for (; i >= 0 && d.digits[static_cast<std::size_t>(i)] == '9'; --i) d.digits[static_cast<std::size_t>(i)] = '0';
    if (i >= 0) {
      ++d.digits[static_cast<std::size_t>(i)];
    } else {
      d.digits.insert(d.digits.begin(), '1');
      ++d.point;
    }
  }
  while (!d.digits.empty() && d.digits.back() == '0') d.digits.pop_back();
}

char DigitAt(const Decimal& d, int position) {  // position 0 = first digit after... of digits
  return position >= 0 && position < static_cast<int>(d.digits.size()) ? d.digits[static_cast<std::size_t>(position)] : '0';
}

std::string IntegerDigits(const Decimal& d) {
  std::string out;
  for (int i = 0; i < d.point; ++i) out += DigitAt(d, i);
  return out;
}

std::string FractionDigits(const Decimal& d, int decimals) {
  std::string out;
  for (int i = 0; i < decimals; ++i) out += DigitAt(d, d.point + i);
  return out;
}

std::string Grouped(const std::string& digits) {
  std::string out;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) out += ',';
    out += digits[i];
  }
  return out;
}

std::string NonFinite(double value) {
  if (std::isnan(value)) return "NaN";
  return value < 0 ? "-Infinity" : "Infinity";
}

std::string Plain(const Decimal& d) {
  if (d.digits.empty()) return "0";
  std::string integer = IntegerDigits(d);
  std::string out = (d.negative ? "-" : "") + (integer.empty() ? "0" : integer);
  const int decimals = static_cast<int>(d.digits.size()) - d.point;
  if (decimals > 0) out += "." + FractionDigits(d, decimals);
  return out;
}

struct DigitPattern {
  std::string prefix;
  int minInteger = 0;
  bool grouping = false;
  bool point = false;
  int decimals = 0;
  int minDecimals = 0;
};

DigitPattern ParsePattern(std::string_view pattern) {
  DigitPattern p;
  std::size_t i = pattern.find_first_of("#0");
  if (i == std::string_view::npos) i = pattern.find('.');
  if (i == std::string_view::npos) i = pattern.size();
  p.prefix = std::string(pattern.substr(0, i));
  for (; i < pattern.size() && pattern[i] != '.'; ++i) {
    if (pattern[i] == '0') ++p.minInteger;
    if (pattern[i] == ',') p.grouping = true;
  }
  if (i < pattern.size()) {
    p.point = true;
    for (++i; i < pattern.size(); ++i) {
      if (pattern[i] != '0' && pattern[i] != '#') continue;
      ++p.decimals;
      if (pattern[i] == '0') p.minDecimals = p.decimals;
    }
  }
  return p;
}

std::string ApplyPattern(double value, const DigitPattern& p) {
  Decimal d = ToDecimal(value, 15, false);
  RoundTo(d, p.decimals);
  std::string integer = IntegerDigits(d);
  if (static_cast<int>(integer.size()) < p.minInteger)
    integer.insert(0, static_cast<std::size_t>(p.minInteger) - integer.size(), '0');
  if (p.grouping) integer = Grouped(integer);
  std::string fraction = FractionDigits(d, p.decimals);
  while (static_cast<int>(fraction.size()) > p.minDecimals && fraction.back() == '0') fraction.pop_back();
  const bool negative = d.negative && !d.digits.empty();
  return (negative ? "-" : "") + p.prefix + integer + (p.point ? "." : "") + fraction;
}

}  // namespace

bool IsNumberText(std::string_view text) {
  text = Trim(text);
  std::size_t i = 0;
  bool digit = false;
  if (i < text.size() && IsDigit(text[i])) {
    while (i < text.size() && (IsDigit(text[i]) || text[i] == ',')) digit = true, ++i;
  }
  if (i < text.size() && text[i] == '.') {
    for (++i; i < text.size() && IsDigit(text[i]); ++i) digit = true;
  }
  return digit && i == text.size();
}

double NumberValue(std::string_view text) {
  if (!IsNumberText(text)) return 0;
  std::string digits;
  for (char c : Trim(text))
    if (c != ',') digits += c;
  return ParseDigits(digits);
}

double LeadingNumber(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  std::size_t i = 0;
  while (i < text.size() && IsDigit(text[i])) ++i;
  if (i < text.size() && text[i] == '.')
    for (++i; i < text.size() && IsDigit(text[i]);) ++i;
  std::string digits(text.substr(0, i));
  if (digits.find_first_of("0123456789") == std::string::npos) return 0;
  return ParseDigits(digits);
}

std::string PlainDecimalText(double value) {
  if (!std::isfinite(value)) return NonFinite(value);
  return Plain(ToDecimal(value, 15, false));
}

std::string ShortSingleText(float value) {
  if (!std::isfinite(value)) return NonFinite(value);
  return Plain(ToDecimal(value, 7, true));
}

std::string FormatPattern(double value, std::string_view pattern) {
  const bool general = pattern == "General number" || pattern == "general number";
  const bool fixed = pattern == "Fixed" || pattern == "fixed";
  if (!std::isfinite(value)) return (fixed || general ? "" : ParsePattern(pattern).prefix) + NonFinite(value);
  if (general) return PlainDecimalText(value);
  return ApplyPattern(value, ParsePattern(fixed ? "0.00" : pattern));
}

}  // namespace quillet
