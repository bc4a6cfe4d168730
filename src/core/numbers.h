// Reading numbers from texts and writing them with display patterns. Always
// "." for the decimal point and "," for thousands, whatever the locale, so a
// saved or typed value means the same on every machine.
#pragma once

#include <string>
#include <string_view>

namespace quillet {

// A decimal number with blanks around it allowed and "," between the digits
// of its integer part. Signs and exponents never get past the input filter,
// so they are not numbers here.
bool IsNumberText(std::string_view text);
// The value of a text that passes IsNumberText (separators ignored); 0 otherwise.
double NumberValue(std::string_view text);
// The value of the longest leading "digits[.digits]" after blanks; 0 when none.
double LeadingNumber(std::string_view text);
// Shortest decimal text of at most 15 significant digits, never an exponent.
// Non-finite values come out as "NaN", "Infinity" or "-Infinity".
std::string PlainDecimalText(double value);
// The same for single precision, at most 7 significant digits.
std::string ShortSingleText(float value);
// Digit patterns such as "#,###.0", "$ #,##0" and "0.####", and the named
// patterns "General number" and "Fixed". Halves round away from zero on the
// value as written in decimal, so 1.005 under "0.00" gives "1.01".
std::string FormatPattern(double value, std::string_view pattern);

}  // namespace quillet
