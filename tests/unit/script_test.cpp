// The driver's own parsing and printing, where a mistake would make a
// scenario pass by accident.
#include <gtest/gtest.h>

#include <sstream>

#include "app/program.h"
#include "script/script_runner.h"
#include "script/scripted_services.h"

namespace quillet {
namespace {

TEST(ScriptLine, SplitsOnBlanksAndDecodesQuotedEscapes) {
  struct Row {
    const char* name;
    std::string line;
    std::vector<std::string> args;
  } rows[] = {
      {"plain words", "click  OptAL", {"click", "OptAL"}},
      {"quoted blank", "type A \"1 2\"", {"type", "A", "1 2"}},
      {"escapes", R"(settext L "a\"b\\c\r\n\t\b")", {"settext", "L", "a\"b\\c\r\n\t\b"}},
      {"unicode", R"(settext TextACR "0.001\u00f712")", {"settext", "TextACR", "0.001÷12"}},
      {"empty quoted", "settext W \"\"", {"settext", "W", ""}},
  };
  for (const Row& row : rows) EXPECT_EQ(SplitScriptLine(row.line), row.args) << row.name;
}

TEST(ScriptLine, RejectsBrokenQuotes) {
  for (const char* line : {"type A \"12", "type A \"\\q\"", "type A \"\\u12\"", "type A \"\\"})
    EXPECT_THROW(SplitScriptLine(line), ScriptError) << line;
}

TEST(ScriptPrint, QuotesEscapesAndNoBreakSpace) {
  EXPECT_EQ(QuoteText("a\"b\\\r\n\t\u00a0°"), "\"a\\\"b\\\\\\r\\n\\t\\u00a0°\"");
}

class Driver : public ::testing::Test {
 protected:
  ScriptedServices services{"."};
  Program program{services, 28800, 16200};
  std::ostringstream out;
  ScriptRunner runner{program, services, out};
};

TEST_F(Driver, UnknownNamesAreErrorsNotSilence) {
  for (const char* line : {"jump", "click Nope", "print A.colour", "state NoField", "print Nope.text",
                           "select V 1", "tick x", "print Elcal.depth", "type Stat \"1\"",
                           // Bounds and paths that would freeze the driver or leave the program folder.
                           "tick 1001", "tick -1", "file ../x", "writefile /tmp/x \"1\"", "removefile a/b",
                           "setstate Voltage 1e", "setstate AmpacityTable 1", "setstate LoadCheck Over90",
                           "setstate Locked \"\"", "clipboard all", "deactivate Nope"})
    EXPECT_THROW(runner.RunLine(line), ScriptError) << line;
}

TEST_F(Driver, MenuCommandsRefuseWhatAPersonCannotDo) {
  for (const char* line : {"pick ToolsMenu \"Print calculation…\"",  // closed
                           "pick Tools \"Print calculation…\"", "dismiss Tools", "rightclick Nope",
                           "rightclick Elcal.Tools", "report x", "reports x", "shortcut"})
    EXPECT_THROW(runner.RunLine(line), ScriptError) << line;
  runner.RunLine("click Tools");
  EXPECT_THROW(runner.RunLine("pick ToolsMenu \"Print\""), ScriptError);
}

}  // namespace
}  // namespace quillet
