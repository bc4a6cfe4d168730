// The table control: rows fit the headings, a change is reported once, and
// the mark never points past the rows.
#include <gtest/gtest.h>

#include <vector>

#include "platform/desktop.h"
#include "platform/table.h"
#include "platform/window.h"
#include "script/scripted_services.h"

namespace quillet {
namespace {

class TableTest : public ::testing::Test {
 protected:
  void SetUp() override {
    table.SetColumns({{"Size", 100}, {"Drop", 100}});
    window.SetObserver([this](Control*, Property p) { reported.push_back(p); });
  }
  ScriptedServices services{"."};
  Desktop desktop{services, 19200, 10800};
  Window window{desktop, "W"};
  Table& table = window.Add<Table>("Sizes");
  std::vector<Property> reported;
};

TEST_F(TableTest, RowsArePaddedOrCutToTheHeadings) {
  table.SetRows({{"1"}, {"2", "b", "extra"}});
  EXPECT_EQ(table.Rows(), (std::vector<Table::Row>{{"1", ""}, {"2", "b"}}));
}

TEST_F(TableTest, EqualRowsReportNothing) {
  table.SetRows({{"1", "a"}});
  table.SetRows({{"1", "a"}});
  EXPECT_EQ(reported, std::vector<Property>{Property::Items});
}

TEST_F(TableTest, TheMarkStaysWithinTheRows) {
  table.SetRows({{"1", "a"}, {"2", "b"}});
  struct Case {
    int asked, kept;
  };
  for (const Case& c : {Case{1, 1}, Case{2, -1}, Case{-5, -1}, Case{0, 0}}) {
    table.SetMarked(c.asked);
    EXPECT_EQ(table.Marked(), c.kept) << c.asked;
  }
  table.SetRows({});
  EXPECT_EQ(table.Marked(), -1);
}

}  // namespace
}  // namespace quillet
