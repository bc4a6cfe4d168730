// A row's reading beyond what a schedule file shows (the spellings and the
// errors are scenarios): the tool's defaults, the columns' descriptors
// and the decimal mark a file's numbers show.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "schedule/csv.h"
#include "schedule/decimal_mark.h"
#include "schedule/feeder_row.h"

namespace quillet {
namespace {

using Cells = std::vector<std::string>;

TEST(FeederRow, TakesTheToolsDefaultsWhereTheRowIsSilent) {
  const ScheduleLayout layout({"voltage", "current", "length", "continuous"});
  const ScheduleDefaults defaults{1.5, true};
  const auto silent = std::get<FeederInputs>(ReadFeeder({"480", "100", "50", ""}, 2, layout, defaults, {}));
  EXPECT_EQ(silent.maxVdPercent, 1.5);
  EXPECT_TRUE(silent.continuous);
  EXPECT_FALSE(std::get<FeederInputs>(ReadFeeder({"480", "100", "50", "no"}, 2, layout, defaults, {})).continuous);
}

TEST(ScheduleColumns, EachHasItsPlaceAnOwnNameAndOneEntryStep) {
  std::set<std::string> names;
  for (std::size_t i = 0; i < InputColumns().size(); ++i) {
    const InputColumn& column = InputColumns()[i];
    SCOPED_TRACE(column.name);
    EXPECT_EQ(static_cast<std::size_t>(column.column), i);
    EXPECT_TRUE(column.read && column.cell);
    EXPECT_TRUE(names.insert(column.name).second);
    EXPECT_EQ(std::count(EntryOrder().begin(), EntryOrder().end(), column.column), column.enter ? 1 : 0);
  }
  for (const ResultColumn& column : ResultColumns()) {
    EXPECT_TRUE(column.text) << column.name;
    EXPECT_TRUE(names.insert(column.name).second) << column.name;
  }
  EXPECT_STREQ(ResultColumns()[ErrorResultIndex()].name, "error");
}

TEST(DecimalMark, TheFirstNumberThatReadsOneWayDecides) {
  const ScheduleLayout layout({"voltage", "current", "length"});
  struct Row {
    const char* name;
    std::vector<Cells> rows;
    bool comma, shown;
  } rows[] = {
      {"whole numbers show none", {{"480", "100", "50"}}, true, false},
      {"1,200 reads either way", {{"480", "1,200", "50"}}, true, false},
      {"a decimal comma", {{"480", "1,200", "50"}, {"480", "0,9", "1.5"}}, true, true},
      {"a decimal point", {{"480", "12.5", "0,9"}}, false, true},
      {"a comma grouping", {{"480", "1,234.5", "50"}}, false, true},
      {"a point grouping", {{"480", "1.200.000", "50"}}, true, true},
      {"an aught value", {{"480", "0.500", "50"}}, false, true},
  };
  for (const Row& row : rows) {
    DecimalMarkFinder finder(layout, ';');
    for (const Cells& cells : row.rows)
      if (finder.Look(cells)) break;
    EXPECT_EQ(finder.Mark().comma, row.comma) << row.name;
    EXPECT_EQ(finder.Mark().shown, row.shown) << row.name;
  }
  EXPECT_FALSE(DecimalMarkFinder(layout, ',').Mark().comma);
}

TEST(DecimalMark, AMessageTakesTheFilesMarkAndACodeSectionKeepsItsPoint) {
  struct Row {
    const char* message;
    const char* inCommaFile;
  } rows[] = {
      {"0.75, 0.8 or 1", "0,75; 0,8 or 1"},
      {"1.25 × 100 A (215.2(A)(1))", "1,25 × 100 A (215.2(A)(1))"},
      {"not reduced (220.61(C)(2))", "not reduced (220.61(C)(2))"},
      {"the window said \"1.5\", not 1.5", "the window said \"1.5\"; not 1,5"},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(InFileMark(row.message, true), row.inCommaFile);
    EXPECT_EQ(InFileMark(row.message, false), row.message);
  }
}

}  // namespace
}  // namespace quillet
