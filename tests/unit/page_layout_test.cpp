// The printed page as both views paint it: where lines break, and where the
// report puts its title block, labels, ruled headings and footer.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "report/calculation_report.h"
#include "report/page_layout.h"
#include "fixed_width_type.h"

namespace quillet {
namespace {

TEST(WrappedLines, BreakWhereALineIsFull) {
  const struct {
    const char* name;
    const char* text;
    Wrap wrap;
    std::vector<std::string> lines;  // at ten characters a line
  } rows[] = {
      {"fits", "short", Wrap::AtWords, {"short"}},
      {"between words", "the quick brown fox", Wrap::AtWords, {"the quick", "brown fox"}},
      {"exactly full", "ten chars! next", Wrap::AtWords, {"ten chars!", "next"}},
      {"after a hyphen joining words", "three-phase supply", Wrap::AtWords, {"three-", "phase", "supply"}},
      {"never before a number", "RHW-2 type wires", Wrap::AtWords, {"RHW-2 type", "wires"}},
      {"a long word runs past", "abcdefghijklmno xy", Wrap::AtWords, {"abcdefghijklmno", "xy"}},
      {"or breaks where it fills a line", "abcdefghijklmno xy", Wrap::AtWordsOrAnywhere, {"abcdefghij", "klmno xy"}},
      {"a long word after others starts a line", "ab abcdefghijklmno", Wrap::AtWordsOrAnywhere,
       {"ab", "abcdefghij", "klmno"}},
      {"characters, not bytes", "éééééééééééé", Wrap::AtWordsOrAnywhere, {"éééééééééé", "éé"}},
      {"nothing is one empty line", "", Wrap::AtWords, {""}},
      {"blanks stay inside a line", "a  b", Wrap::AtWords, {"a  b"}},
  };
  const FixedWidthType type;
  for (const auto& row : rows)
    EXPECT_EQ(WrappedLines(type, PageFont{10, false}, row.text, 100, row.wrap), row.lines) << row.name;
}

CalculationReport SmallReport() {
  CalculationReport report;
  report.title = "Voltage drop calculation";
  report.titleBlock.project = "Riverside water treatment plant";
  report.heading = {{"Job", "P-1"}, {"Date", "today"}};
  report.sections = {{"Inputs", {{"Voltage", "208 V, 3 Phase"}, {"Feeder", std::string(60, 'x') + " y"}}},
                     {"Notes", {{"", "A note without a label"}}}};
  report.footer = "Conductor data follow NEC Chapter 9, Tables 8 and 9.";
  return report;
}

const PageText& TextOf(const PageDrawing& page, const std::string& text) {
  const auto it = std::find_if(page.texts.begin(), page.texts.end(), [&](const PageText& t) { return t.text == text; });
  EXPECT_NE(it, page.texts.end()) << text;
  return it == page.texts.end() ? page.texts.front() : *it;
}

// 500 wide, 1000 high, 2 units a millimetre.
TEST(LayOutReport, TheReportFillsThePageFromTheTopAndEndsOnTheBottomMargin) {
  const FixedWidthType type;
  const PageDrawing page = LayOutReport(SmallReport(), type, PageArea{500, 1000, 2});
  const PageText& title = TextOf(page, "Voltage drop calculation");
  EXPECT_EQ(title.x, 0);
  EXPECT_EQ(title.baseline, 16);
  EXPECT_TRUE(title.font.bold);
  // Six cells, three to a row, across the page; the project wraps inside its cell.
  ASSERT_EQ(page.boxes.size(), 6u);
  EXPECT_DOUBLE_EQ(page.boxes[2].left + page.boxes[2].width, 500);
  EXPECT_EQ(page.boxes[3].top, page.boxes[0].top + page.boxes[0].height);
  EXPECT_GT(page.boxes[0].height, page.boxes[3].height);
  // Every value starts at one column, after the longest bold label ("Voltage") and 4 mm.
  const double column = TextOf(page, "P-1").x;
  EXPECT_EQ(column, 7 * 10 + 8);
  EXPECT_EQ(TextOf(page, "208 V, 3 Phase").x, column);
  EXPECT_EQ(TextOf(page, "A note without a label").x, 0);
  // A value too long for its column runs on the next line, in the same column.
  EXPECT_EQ(TextOf(page, "y").x, column);
  EXPECT_GT(TextOf(page, "y").baseline, TextOf(page, std::string(60, 'x')).baseline);
  // Each heading has a rule under it, across the page, before its rows.
  ASSERT_EQ(page.rules.size(), 3u);
  const PageText& inputs = TextOf(page, "Inputs");
  EXPECT_GT(page.rules[0].y1, inputs.baseline);
  EXPECT_LT(page.rules[0].y1, TextOf(page, "208 V, 3 Phase").baseline);
  EXPECT_EQ(page.rules[0].x2, 500);
  // The footer ends on the bottom margin (its descent of 2 below the
  // baseline), 2 mm under its rule.
  const PageText& footer = page.texts.back();
  EXPECT_EQ(footer.text, "Conductor data follow NEC Chapter 9, Tables 8 and 9.");
  EXPECT_EQ(footer.baseline + 2, 1000);
  EXPECT_EQ(page.rules.back().y1, footer.baseline - 8 - 4);
}

}  // namespace
}  // namespace quillet
