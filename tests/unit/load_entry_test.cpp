// What the load fields store and show as the user leaves them, and the
// lock each focus puts on.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "started_program.h"

namespace quillet {
namespace {

class LoadEntryTest : public StartedProgram {
 protected:
  void Leave(TextBox& field, const std::string& text) {
    program.actions.Focus(field);
    field.SetText(text);
    program.actions.Focus(w.Job);
  }
};

TEST_F(LoadEntryTest, LeavingAFieldRewritesItInItsPattern) {
  struct Case {
    const char* name;
    bool voltage;
    const char* typed;
    const char* shown;
    double stored;
  } cases[] = {
      {"voltage rounded to whole volts", true, "12470.6", "12,471", 12471},
      {"voltage below 1 keeps two decimals", true, "0.5", "0.50", 0.5},
      {"power below 10 keeps its point", false, "5", "5.", 5},
      {"power below 100", false, "55", "55.", 55},
      {"power grouped", false, "5500", "5,500", 5500},
  };
  for (const Case& c : cases) {
    TextBox& field = c.voltage ? w.V : w.W;
    Leave(field, c.typed);
    EXPECT_EQ(field.Text(), c.shown) << c.name;
    EXPECT_EQ(c.voltage ? w.state.Voltage : w.state.Power, c.stored) << c.name;
  }
}

TEST_F(LoadEntryTest, FocusPutsTheLockOnTheFocusedQuantity) {
  struct Case {
    const char* field;
    bool timer1, timer2;
  } cases[] = {{"W", false, true}, {"A", true, false}, {"W", false, true}, {"V", true, false}};
  for (const Case& c : cases) {
    program.actions.Focus(*w.Find(c.field));
    EXPECT_EQ(w.Timer1.Enabled(), c.timer1) << c.field;
    EXPECT_EQ(w.Timer2.Enabled(), c.timer2) << c.field;
  }
}

TEST_F(LoadEntryTest, NonNumericPowerIsErasedAndLocksThePower) {
  program.actions.Focus(w.A);
  program.actions.TypeChar(w.W, "1");
  program.actions.TypeChar(w.W, "/");
  EXPECT_EQ(w.W.Text(), "");
  EXPECT_TRUE(w.Timer2.Enabled());
}

TEST_F(LoadEntryTest, EmptyPowerLeavesThePowerAsItWas) {
  w.state.Power = 1234;
  w.W.SetText("");
  w.A.SetText("12");
  EXPECT_EQ(w.state.Power, 1234);
  EXPECT_EQ(w.state.Current, 12);
}

}  // namespace
}  // namespace quillet
