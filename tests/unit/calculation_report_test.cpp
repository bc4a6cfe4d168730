// The report's words: the same as the clipboard summary's, and a file name
// any file system takes.
#include <gtest/gtest.h>

#include <string>

#include "report/calculation_report.h"
#include "report/clipboard_summary.h"
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
  EXPECT_EQ(report.heading.front().value, w.Job.Text());
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
