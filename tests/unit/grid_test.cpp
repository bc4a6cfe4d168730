// The table control: rows fit the headings, a change is reported once, and
// the mark never points past the rows.
#include <gtest/gtest.h>

#include <vector>

#include "platform/desktop.h"
#include "platform/grid.h"
#include "platform/window.h"
#include "script/scripted_services.h"

namespace quillet {
namespace {

class GridTest : public ::testing::Test {
 protected:
  void SetUp() override {
    grid.SetColumns({{"Size", 100}, {"Drop", 100}});
    window.SetObserver([this](Control*, Property p) { reported.push_back(p); });
  }
  ScriptedServices services{"."};
  Desktop desktop{services, 19200, 10800};
  Window window{desktop, "W"};
  Grid& grid = window.Add<Grid>("Sizes");
  std::vector<Property> reported;
};

TEST_F(GridTest, RowsArePaddedOrCutToTheHeadings) {
  grid.SetRows({{"1"}, {"2", "b", "extra"}});
  EXPECT_EQ(grid.Rows(), (std::vector<Grid::Row>{{"1", ""}, {"2", "b"}}));
}

TEST_F(GridTest, EqualRowsReportNothing) {
  grid.SetRows({{"1", "a"}});
  grid.SetRows({{"1", "a"}});
  EXPECT_EQ(reported, std::vector<Property>{Property::Items});
}

TEST_F(GridTest, TheMarkStaysWithinTheRows) {
  grid.SetRows({{"1", "a"}, {"2", "b"}});
  struct Case {
    int asked, kept;
  };
  for (const Case& c : {Case{1, 1}, Case{2, -1}, Case{-5, -1}, Case{0, 0}}) {
    grid.SetMarked(c.asked);
    EXPECT_EQ(grid.Marked(), c.kept) << c.asked;
  }
  grid.SetRows({});
  EXPECT_EQ(grid.Marked(), -1);
}

}  // namespace
}  // namespace quillet
