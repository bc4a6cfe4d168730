#include "schedule/cell_text.h"

#include <algorithm>
#include <charconv>

namespace quillet {
namespace {

template <typename Number>
std::string Shortest(Number value, bool decimalComma) {
  // Fixed notation needs room for every digit of the largest double.
  char digits[400];
  const auto [end, error] = std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed);
  return WithDecimalMark(std::string(digits, error == std::errc() ? end : digits), decimalComma);
}

}  // namespace

std::string ExactText(double value, bool decimalComma) { return Shortest(value, decimalComma); }
std::string ExactText(float value, bool decimalComma) { return Shortest(value, decimalComma); }

std::string FigureText(double value, bool decimalComma) {
  const float single = static_cast<float>(value);
  return static_cast<double>(single) == value ? ExactText(single, decimalComma) : ExactText(value, decimalComma);
}

std::string WithDecimalMark(std::string text, bool decimalComma) {
  if (decimalComma) std::replace(text.begin(), text.end(), '.', ',');
  return text;
}

}  // namespace quillet
