// A schedule's decimal mark: which one a file writes, how its numbers read
// in it, and the numbers of its messages. A number that would read one way
// in one file and another way in the next ("1.200") is never guessed.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillet {

class ScheduleLayout;

// A comma-separated file writes decimals with a point. A semicolon or tab
// file writes them with the mark of its first number that reads only one
// way ("0,9", "12.5", "1.234,5"), or, when none does, with a comma.
struct DecimalMark {
  bool comma = false;
  // False when no number showed the mark: a number that reads either way
  // ("1,200": 1,2 or 1200 with a grouping separator) is then refused.
  bool shown = true;
};

// The number a cell starts with, the unit after it left out: "480" of
// "480 V", "-1,5" of "-1,5%", "1/2" of "1/2 HP".
std::string_view NumberPart(std::string_view cell);

// A number read in the file's mark.
struct MarkedNumber {
  enum Form { Plain, NotPlain, Misread };
  Form form = NotPlain;
  std::string digits;  // Plain: digits, at most one "." and perhaps a leading "-"
  std::string advice;  // Misread: what to write instead ("write 1200 without ...")
};
MarkedNumber ReadInMark(std::string_view number, DecimalMark mark);

// The number as the file writes it, so that it reads one way only even
// where no number has shown the mark yet: "1,125" becomes "1,1250".
std::string OneWayNumber(std::string number, DecimalMark mark);

// A cell written as a figure in the file's mark, as the schedule writes
// its results; none for any other text (a word, a unit after it, nothing).
std::optional<double> WrittenFigure(std::string text, bool decimalComma);

// Finds a file's mark from its rows' number cells, in the order they stand
// in the file: the first that reads only one way decides.
class DecimalMarkFinder {
 public:
  DecimalMarkFinder(const ScheduleLayout& layout, char delimiter);

  // Looks at the row; true once the mark is known.
  bool Look(const std::vector<std::string>& cells);
  DecimalMark Mark() const;

 private:
  std::vector<std::size_t> numbers_;  // where the number columns stand
  std::optional<char> shown_;
};

// A message with its numbers in the file's mark: in a decimal-comma file a
// point between two digits becomes a comma, and then the commas between a
// list's items become semicolons, so the two never mix. Quoted text (what
// the window said) and a code section ("220.61(C)") stay as they were.
std::string InFileMark(std::string message, bool decimalComma);

}  // namespace quillet
