// Number reading and display patterns: the stored values follow the shown
// texts, so these decide the numbers the calculator works with.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "core/numbers.h"

namespace quillet {
namespace {

TEST(FormatPattern, WritesEveryPatternInUse) {
  struct Row {
    const char* name;
    double value;
    const char* pattern;
    const char* text;
  } rows[] = {
      {"four decimals", 0.0384, "#0.0000", "0.0384"},
      {"two forced decimals", 3.1, "##.00", "3.10"},
      {"grouped whole", 1234.6, "#,###", "1,235"},
      {"six digits", 999999, "###,###", "999,999"},
      {"twelve digits", 999999999999, "###,###,###,###", "999,999,999,999"},
      {"money", 606.906, "$ #,##0", "$ 607"},
      {"money decimals", 0.1, "$ 0.######", "$ 0.1"},
      {"rounds into a new digit", 99.9997, "0.00", "100.00"},
      {"no grouping", 1640.415, "####", "1640"},
      {"decimal half 1.005", 1.005, "0.00", "1.01"},
      {"decimal half 2.675", 2.675, "0.00", "2.68"},
      {"half away from zero", 0.125, "0.00", "0.13"},
      {"no leading zero", 0.88, "##.0", ".9"},
      {"no leading zero two places", 0.25, "##.00", ".25"},
      {"empty for zero", 0, "#,###", ""},
      {"empty below a half", 0.4, "#,###", ""},
      {"point kept without decimals", 5, "#,###.###", "5."},
      {"point kept with one place", 55, "#,###.#", "55."},
      {"grouped thousands", 5500, "#,###", "5,500"},
      {"three-phase power", 66510.75, "###,###", "66,511"},
      {"derived current", 4.8077, "##.00", "4.81"},
      {"volts", 12470.6, "###,###", "12,471"},
      {"drop", 6.2099, "#0.00", "6.21"},
      {"optional decimals", 0.0051286, "0.####", "0.0051"},
      {"optional decimals whole", 2, "0.####", "2."},
      {"one decimal grouped", 1234.56, "#,###.0", "1,234.6"},
      {"leading zeros forced", 5, "00", "05"},
      {"many optional places", 0.000001, "0.#####################", "0.000001"},
      {"tiny power", 0.000000000001, "0.#####################", "0.000000000001"},
      {"many places", 0.5, "0.##########", "0.5"},
      {"thirteen digits", 1234567890123, "#,###,###,###,###", "1,234,567,890,123"},
      {"area", 13.301375, "###.##", "13.3"},
      {"area one place", 21.150015, "###.0", "21.2"},
      {"area whole", 107.21614, "0", "107"},
      {"fixed half", 0.5, "Fixed", "0.50"},
      {"fixed lower case", 1, "fixed", "1.00"},
      {"fixed no grouping", 12470.6, "Fixed", "12470.60"},
      {"general", 0.5, "General number", "0.5"},
      {"general lower case", 3602.6656, "general number", "3602.6656"},
      {"negative", -3.25, "0.0", "-3.3"},
      {"negative rounding to zero", -0.04, "0.0", "0.0"},
      {"huge value", 1e20, "#,###", "100,000,000,000,000,000,000"},
  };
  for (const Row& row : rows) EXPECT_EQ(FormatPattern(row.value, row.pattern), row.text) << row.name;
}

TEST(FormatPattern, NonFiniteValuesAreNamedNotHidden) {
  EXPECT_EQ(FormatPattern(std::nan(""), "#0.00"), "NaN");
  EXPECT_EQ(FormatPattern(std::numeric_limits<double>::infinity(), "$ #,##0"), "$ Infinity");
  EXPECT_EQ(PlainDecimalText(-std::numeric_limits<double>::infinity()), "-Infinity");
}

TEST(NumberReading, TestValueAndLeadingNumber) {
  struct Row {
    const char* text;
    bool number;
    double value;
    double leading;
  } rows[] = {
      {"12,471", true, 12471, 12},
      {"2,080", true, 2080, 2},
      {" 12.5 ", true, 12.5, 12.5},
      {".5", true, 0.5, 0.5},
      {"5.", true, 5, 5},
      {"", false, 0, 0},
      {".", false, 0, 0},
      {"1/2", false, 0, 1},
      {"0.001÷12", false, 0, 0.001},
      {"12.50abc", false, 0, 12.5},
      {"1.2.3", false, 0, 1.2},
      {"-1", false, 0, 0},
      {"1e5", false, 0, 1},
      {",5", false, 0, 0},
      {"999,999,999,999", true, 999999999999, 999},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(IsNumberText(row.text), row.number) << row.text;
    EXPECT_EQ(NumberValue(row.text), row.value) << row.text;
    EXPECT_EQ(LeadingNumber(row.text), row.leading) << row.text;
  }
}

TEST(PlainText, ShortestDecimalForms) {
  struct Row {
    double value;
    const char* text;
  } rows[] = {
      {120, "120"}, {12.5, "12.5"}, {0.5, "0.5"}, {-3.25, "-3.25"}, {-0.0, "0"},
      {1e20, "100000000000000000000"}, {1e-7, "0.0000001"}, {0.1 + 0.2, "0.3"},
      {208 * 1.7320508 * 10 * 1.0, "3602.665664"},
  };
  for (const Row& row : rows) EXPECT_EQ(PlainDecimalText(row.value), row.text) << row.text;
}

TEST(PlainText, SinglesShowAtMostSevenDigits) {
  struct Row {
    float value;
    const char* text;
  } rows[] = {
      {75, "75"}, {0.88f, "0.88"}, {0.8f, "0.8"}, {1.0f, "1"}, {0.85f, "0.85"},
      {1.7320508f, "1.732051"}, {5.08f, "5.08"}, {0.1f, "0.1"}, {167, "167"},
  };
  for (const Row& row : rows) EXPECT_EQ(ShortSingleText(row.value), row.text) << row.text;
}

}  // namespace
}  // namespace quillet
