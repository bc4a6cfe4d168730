// Reading numbers from texts and writing them with display patterns. Always
// "." for the decimal point and "," for thousands, whatever the locale.
#pragma once

#include <string>
#include <string_view>

namespace quillet {

// A decimal number, blanks around it allowed, "," inside its integer part.
bool IsNumberText(std::string_view text);
// The value of a text that passes IsNumberText (separators ignored); 0 otherwise.
double NumberValue(std::string_view text);
// The value of the longest leading "digits[.digits]"; 0 when there is none.
double LeadingNumber(std::string_view text);
// Shortest decimal text of at most 15 significant digits, never an exponent.
std::string PlainDecimalText(double value);
// The same for single precision, at most 7 significant digits.
std::string ShortSingleText(float value);
// Digit patterns such as "#,###.0", "$ #,##0", "0.####", and the named
// patterns "General number" and "Fixed". Halves round away from zero on the
// value as written in decimal, so 1.005 with "0.00" gives 1.01.
std::string FormatPattern(double value, std::string_view pattern);

}  // namespace quillet
