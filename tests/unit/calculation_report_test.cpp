// The report's words: a file name any file system takes, and no number the
// window does not show. (The job heading and the summary's words: the
// report_* scenarios.)
#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <sstream>
#include <string>

#include "report/calculation_report.h"
#include "script/script_runner.h"
#include "started_program.h"

namespace quillet {
namespace {

TEST(SuggestedPdfName, FromTheJobText) {
  struct Row {
    const char* name;
    std::string job;
    std::string file;
  } rows[] = {
      {"plain tag", "Feeder P-1", "Feeder P-1.pdf"},
      {"separators and reserved marks", "Panel A/B: feeder <3>?*|\\\"", "Panel A B feeder 3.pdf"},
      {"blanks and dots at the ends", "  .hidden feeder.  ", "hidden feeder.pdf"},
      {"line breaks and tabs", "a\r\nb\tc", "a b c.pdf"},
      {"accents kept", "Sous-sol été", "Sous-sol été.pdf"},
      {"the prompt", "Type Job Name/Feeder Tag here", "Voltage drop calculation.pdf"},
      {"nothing usable", " / . ", "Voltage drop calculation.pdf"},
      {"empty", "", "Voltage drop calculation.pdf"},
      {"long tag cut at 100 characters", std::string(150, 'x'), std::string(100, 'x') + ".pdf"},
      {"cut inside a two-byte character is not made", std::string(99, 'x') + "éé", std::string(99, 'x') + "é.pdf"},
  };
  for (const Row& row : rows) EXPECT_EQ(SuggestedPdfName(row.job), row.file) << row.name;
}

TEST(Squeezed, OneSpaceBetweenWordsNoneAtTheEnds) {
  EXPECT_EQ(Squeezed("  3 or 4 #  14 AWG\r\n\r\n x\u00a0(86°F) "), "3 or 4 # 14 AWG x (86°F)");
  EXPECT_EQ(Squeezed(" \r\n "), "");
}

class ReportWords : public StartedProgram {};

std::set<std::string> NumbersIn(const std::string& text) {
  static const std::regex number("[0-9][0-9,]*(\\.[0-9]+)?");
  std::set<std::string> found;
  for (auto it = std::sregex_iterator(text.begin(), text.end(), number); it != std::sregex_iterator(); ++it)
    found.insert(it->str());
  return found;
}

// Everything the main window shows: captions, texts and list items.
std::string ShownText(const Elcal& w) {
  std::string shown;
  for (const Control* c : w.Controls()) {
    shown += c->Caption() + "\n";
    if (auto* box = dynamic_cast<const TextBox*>(c)) shown += box->Text() + "\n";
    if (auto* list = dynamic_cast<const ComboBox*>(c)) shown += list->Text() + "\n";
  }
  return shown;
}

// The page computes nothing: through the driver, for every size under a run
// of option changes, each number in its tables is one the window shows.
TEST_F(ReportWords, EveryNumberOnThePageIsOneTheWindowShows) {
  std::ostringstream out;
  ScriptRunner runner(program, services, out);
  const char* steps[] = {"settext A \"87\"", "click SPh",      "click OptPF085", "click CmdUnit",
                         "click OptionNOF3",  "click OptAL",    "click AmbCmnd",  "click CmdDeg",
                         "type TextACR \"0.3\"", "type TextXLR \"0.07\"", "click TPh",  "select ComHP 15"};
  int checked = 0;
  for (const char* step : steps) {
    runner.RunLine("answer 1");
    runner.RunLine(step);
    for (int size = 0; size < w.ComWS.ListCount(); ++size) {
      runner.RunLine("select ComWS " + std::to_string(size));
      runner.RunLine("tick 2");
      // The rule's own figures (80 percent, 125 %) are words, not results.
      std::set<std::string> shown = NumbersIn(ShownText(w));
      shown.insert({"25", "80", "125"});
      const CalculationReport report = BuildCalculationReport(w);
      for (const ReportSection& section : report.sections) {
        for (const ReportRow& row : section.rows) {
          for (const std::string& number : NumbersIn(row.value)) {
            EXPECT_TRUE(shown.count(number)) << step << ", size " << size << ", " << row.label << ": " << number;
            ++checked;
          }
        }
      }
    }
  }
  EXPECT_GT(checked, 2000);
}

}  // namespace
}  // namespace quillet
