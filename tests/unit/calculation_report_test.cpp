// The report's words: the same as the clipboard summary's, and a file name
// any file system takes.
#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <sstream>
#include <string>

#include "report/calculation_report.h"
#include "report/clipboard_summary.h"
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

const ReportRow* Row(const CalculationReport& report, const std::string& label) {
  for (const ReportSection& section : report.sections)
    for (const ReportRow& row : section.rows)
      if (row.label == label) return &row;
  return nullptr;
}

// Every number on the page is one the summary shows for the same state.
TEST_F(ReportWords, ValuesAreTheClipboardSummarysWords) {
  program.actions.Select(w.ComWS, 9);
  program.actions.Click(w.OptionNOF2);
  Tick();
  Tick();
  const std::string summary = BuildReport(w);
  const CalculationReport report = BuildCalculationReport(w);
  for (const char* label : {"Voltage", "Current", "AC voltage drop"}) {
    const ReportRow* row = Row(report, label);
    ASSERT_NE(row, nullptr) << label;
    EXPECT_NE(summary.find(row->value), std::string::npos) << label << ": " << row->value;
  }
  EXPECT_NE(summary.find(w.Ampacit.Caption()), std::string::npos);
  EXPECT_EQ(Row(report, "Feeder ampacity")->value.rfind(w.Ampacit.Caption(), 0), 0u);
  EXPECT_EQ(report.sections.back().heading, "Notes");
}

// A field never filled keeps its prompt, which is no job name to print.
TEST_F(ReportWords, TheJobHeadingIsWhatWasTypedAndBlankForThePrompt) {
  const struct {
    const char* name;
    const char* typed;
    const char* printed;
  } rows[] = {
      {"never filled", nullptr, ""},
      {"a tag", "Feeder P-1", "Feeder P-1"},
      {"blanks squeezed", "  Panel   A ", "Panel A"},
      {"emptied", "", ""},
  };
  for (const auto& row : rows) {
    if (row.typed) w.Job.SetText(row.typed);
    Tick();
    EXPECT_EQ(BuildCalculationReport(w).heading.front().value, row.printed) << row.name;
  }
}

TEST_F(ReportWords, BuildingTheReportLeavesTheStateAlone) {
  Tick();
  const std::string before = w.state.ReportText;
  BuildCalculationReport(w);
  EXPECT_EQ(w.state.ReportText, before);
  EXPECT_EQ(w.state.MsgTitle, "");
}

}  // namespace
}  // namespace quillet

namespace quillet {
namespace {

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
