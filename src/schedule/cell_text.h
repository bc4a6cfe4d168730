// Numbers as a schedule writes them. Every value a schedule writes goes
// through here, so a written value always reads back as itself.
#pragma once

#include <string>

namespace quillet {

// The shortest digits that read back as the same value at its own
// precision, never with an exponent (the reader and the window's fields
// refuse one), with "," for the point in a decimal-comma file.
std::string ExactText(double value, bool decimalComma = false);
std::string ExactText(float value, bool decimalComma = false);

// A figure that is a row's own value or is worked out from single-precision
// drops: at single precision when it is exactly one, so 5 − 2.3 shows 2.7.
std::string FigureText(double value, bool decimalComma = false);

// A decimal text in the file's decimal mark.
std::string WithDecimalMark(std::string text, bool decimalComma);

}  // namespace quillet
