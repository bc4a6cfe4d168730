// The drawing schedule: a rolled-up panel's calculated load, its conductor
// set and fault current with the window's own texts and their numbers, the
// cells that fail a check, the columns no row fills left out, and the
// pages they are laid out on. (The example's rows in the tree's order: the
// schedule_drawing_example scenario.)
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <set>

#include "fixed_width_type.h"
#include "workbench/drawing_page.h"
#include "workbench/drawing_schedule.h"
#include "workbench/schedule_printout.h"
#include "workbench/schedule_model.h"

namespace quillet {
namespace {

std::size_t Col(const ScheduleModel& m, const char* name) { return *m.ColumnNamed(name); }

std::size_t Heading(const DrawingSchedule& d, const std::string& heading) {
  const auto at = std::find(d.headings.begin(), d.headings.end(), heading);
  EXPECT_NE(at, d.headings.end()) << heading;
  return static_cast<std::size_t>(at - d.headings.begin());
}

const DrawingRow& Tagged(const DrawingSchedule& d, const std::string& tag) {
  const auto at = std::find_if(d.rows.begin(), d.rows.end(), [&](const DrawingRow& r) { return r.cells[0].text == tag; });
  if (at == d.rows.end()) throw std::runtime_error("no row " + tag);
  return *at;
}

class ExampleDrawing : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(model.Import(QUILLET_EXAMPLE_SCHEDULE), "");
    model.EvaluateAll();
    drawing = BuildDrawingSchedule(model);
  }
  std::string Text(const std::string& tag, const std::string& heading) const {
    return Tagged(drawing, tag).cells[Heading(drawing, heading)].text;
  }
  ScheduleModel model;
  DrawingSchedule drawing;
};

TEST_F(ExampleDrawing, ARolledUpPanelShowsTheWindowsTextsForItsFigures) {
  const struct {
    const char* heading;
    const char* text;
    std::optional<double> number;
  } cases[] = {
      {"Fed from", "Service SB-2", std::nullopt},
      {"Load (kVA)", "28.4", 28.4},  // its rows' calculated load, its own left blank
      {"Design current (A)", "135", 135.20833333333334},  // rounded as the window rounds it
      {"Device (A)", "150", 150},
      {"Conductor set", "3 #1/0 + 1 #6 G, 1-1/2\" EMT", std::nullopt},
      {"Length", "80 ft", std::nullopt},
      {"Fault current (kA)", "4.92", 4.918666},
      {"Check", "OK", std::nullopt},
  };
  const DrawingRow& panel = Tagged(drawing, "Panel LP-3 (store)");
  const std::size_t lp3 = panel.row;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.heading);
    const DrawingCell& cell = panel.cells[Heading(drawing, c.heading)];
    EXPECT_EQ(cell.text, c.text);
    ASSERT_EQ(cell.number.has_value(), c.number.has_value());
    if (c.number) {
      EXPECT_NEAR(*cell.number, *c.number, 1e-6);
    }
    EXPECT_FALSE(cell.fails);
  }
  EXPECT_EQ(model.Cell(lp3, Col(model, "load_from")), "subtree");
  // The same texts as the window's own columns.
  EXPECT_EQ(Text("Panel LP-3 (store)", "Drop (%)"), model.Cell(lp3, Col(model, "vd_pct")));
  EXPECT_EQ(Text("Panel LP-3 (store)", "Total drop (%)"), model.Cell(lp3, Col(model, "vd_total_pct")));
}

TEST_F(ExampleDrawing, RowsThatFailACheckMarkTheCellJudgedAndTheCheck) {
  const DrawingRow& cabinet = Tagged(drawing, "Control cabinet");  // 19.6 % on a 5 % limit
  EXPECT_TRUE(cabinet.cells[Heading(drawing, "Drop (%)")].fails);
  EXPECT_TRUE(cabinet.cells.back().fails);
  EXPECT_FALSE(cabinet.cells[Heading(drawing, "Device (A)")].fails);
  const DrawingRow& crane = Tagged(drawing, "Tower crane");  // no size fits
  EXPECT_TRUE(crane.cells[0].fails);
  EXPECT_EQ(crane.cells.back().text, "error");
  EXPECT_EQ(crane.cells[Heading(drawing, "Conductor set")].text, "");
}

// The example on pages of 1000 by 700 in type of fixed width: no text runs
// into another or off the page, every page numbered and dated, the title
// in 12 pt bold, each row's check in bold green or red, the passing rows
// striped in turn, and the notes from the left margin in top-aligned columns.
TEST_F(ExampleDrawing, LaysOutPagesWhereEveryTextCanBeRead) {
  const FixedWidthType type;
  const auto printout = BuildDrawingPrintout(model, "feeders.csv", "12/6/2026");
  const std::vector<PageDrawing> pages = LayOutDrawingSchedule(printout, type, PageArea{1000, 700, 4});
  ASSERT_GE(pages.size(), 2u);
  const auto box = [&](const PageText& t) {
    return std::array<double, 4>{t.x, t.baseline - type.Ascent(t.font), t.x + type.Advance(t.font, t.text),
                                 t.baseline + type.Descent(t.font)};
  };
  int okChecks = 0, failedChecks = 0, notes = 0;
  for (std::size_t p = 0; p < pages.size(); ++p) {
    const std::vector<PageText>& texts = pages[p].texts;
    EXPECT_EQ(texts.front().text, "Feeder schedule");
    EXPECT_EQ(texts.front().font, (PageFont{12, true}));
    const auto has = [&](const std::string& text) {
      return std::any_of(texts.begin(), texts.end(), [&](const PageText& t) { return t.text == text; });
    };
    EXPECT_TRUE(has("Page " + std::to_string(p + 1) + " of " + std::to_string(pages.size()))) << p;
    EXPECT_TRUE(has("Fault current calculated 12/6/2026")) << p;
    for (std::size_t a = 0; a < texts.size(); ++a) {
      const auto [left, top, right, bottom] = box(texts[a]);
      EXPECT_TRUE(left >= 0 && right <= 1000 && top >= 0 && bottom <= 700) << texts[a].text;
      for (std::size_t b = a + 1; b < texts.size(); ++b) {
        const auto [l, t, r, bo] = box(texts[b]);
        EXPECT_FALSE(left < r && l < right && top < bo && t < bottom) << texts[a].text << " over " << texts[b].text;
      }
      okChecks += texts[a].text == "OK" && texts[a].font.bold && texts[a].colour == 0x008000;
      failedChecks += texts[a].text == "error" && texts[a].font.bold && texts[a].colour == 0xC80000;
      if (texts[a].text == "Notes") {
        ++notes;
        EXPECT_EQ(texts[a].x, 0);
        EXPECT_EQ(texts[a + 2].x, 0) << "the first note";  // after the meaning of the mark
      }
    }
  }
  EXPECT_GT(okChecks, 10);
  // Figures stand to the right of their column, as drawings set them: the
  // devices on the first page, of two to four digits, end where the column does.
  const std::vector<PageText>& top = pages.front().texts;
  const auto heading = [&](const char* text) {
    return std::find_if(top.begin(), top.end(), [&](const PageText& t) { return t.text == text; });
  };
  const auto device = heading("Device"), next = heading("Conductor set");
  ASSERT_TRUE(device != top.end() && next != top.end());
  std::set<double> lefts, rights;
  for (const PageText& t : top) {
    const double right = t.x + type.Advance(t.font, t.text);
    if (t.baseline > device->baseline + 20 && t.x >= device->x && right < next->x && std::isdigit(t.text[0]) != 0) {
      lefts.insert(t.x);
      rights.insert(right);
    }
  }
  EXPECT_EQ(rights.size(), 1u);
  EXPECT_GT(lefts.size(), 1u);
  // The title block in six cells across the page.
  const std::vector<PageBox>& cells = pages.front().boxes;
  ASSERT_EQ(std::count_if(cells.begin(), cells.end(), [&](const PageBox& b) { return b.top == cells[0].top; }), 6);
  EXPECT_NEAR(cells[5].left + cells[5].width, 1000, 1e-9);
  EXPECT_GT(failedChecks, 0);
  EXPECT_EQ(notes, 1);
  // Two columns of notes with their tops in line.
  const std::vector<PageText>& last = pages.back().texts;
  const auto first = std::find_if(last.begin(), last.end(), [](const PageText& t) { return t.text == "Notes"; }) + 2;
  ASSERT_LT(first, last.end());
  const auto second = std::find_if(first, last.end(), [](const PageText& t) { return t.x > 400; });
  ASSERT_NE(second, last.end());
  EXPECT_EQ(second->baseline, first->baseline);
  std::size_t stripes = 0, rows = 0;
  for (const PageFill& fill : pages.front().fills) {
    stripes += fill.colour == 0xF3F3F3;
    rows += fill.colour != 0xE4E4E4;
  }
  EXPECT_GT(stripes, 3u);
  EXPECT_LT(stripes, rows);
}

// A branch listed before its supply comes under it; a flat schedule's
// columns without data (supply, total drop, fault current) are left out.
TEST(DrawingSchedule, PutsASupplyBeforeTheRowsItFeedsAndLeavesOutEmptyColumns) {
  ScheduleModel m;
  const char* rows[][2] = {{"Branch", "Main"}, {"Main", ""}, {"Other", ""}};
  for (const auto& [tag, from] : rows) {
    const std::size_t r = m.AddRow();
    m.SetCell(r, Col(m, "tag"), tag);
    m.SetCell(r, Col(m, "voltage"), "208");
    m.SetCell(r, Col(m, "current"), "10");
    m.SetCell(r, Col(m, "length"), "30");
    m.SetCell(r, Col(m, "fed_from"), from);
  }
  m.EvaluateAll();
  DrawingSchedule tree = BuildDrawingSchedule(m);
  ASSERT_EQ(tree.rows.size(), 3u);
  EXPECT_EQ(tree.rows[0].cells[0].text, "Main");
  EXPECT_EQ(tree.rows[1].cells[0].text, "Branch");
  EXPECT_EQ(tree.rows[1].depth, 1);
  EXPECT_EQ(tree.rows[1].row, 0u);
  EXPECT_EQ(tree.rows[2].cells[0].text, "Other");
  EXPECT_EQ(tree.headings[1], "Fed from");
  EXPECT_EQ(std::count(tree.headings.begin(), tree.headings.end(), "Fault current (kA)"), 0);

  m.SetCell(0, Col(m, "fed_from"), "");
  m.EvaluateAll();
  const DrawingSchedule flat = BuildDrawingSchedule(m);
  EXPECT_EQ(flat.headings, (std::vector<std::string>{"Tag", "Load (kVA)", "Design current (A)", "Device (A)",
                                                     "Conductor set", "Length", "Drop (%)", "Check"}));
  for (const DrawingRow& r : flat.rows) EXPECT_EQ(r.cells.size(), flat.headings.size());
}

}  // namespace
}  // namespace quillet
