#include "script/recorded_reports.h"

#include "report/calculation_report.h"
#include "script/script_runner.h"

namespace quillet {

std::string TitleBlockText(const TitleBlock& block) {
  std::vector<std::string> fields;
  for (const TitleBlockField& field : kTitleBlockFields) fields.push_back(field.label + std::string("=") + block.*field.value);
  return ListText(fields);
}

void RecordedReports::Print(const CalculationReport& report) {
  requests.push_back("print job=" + QuoteText(report.job) + " title=" + TitleBlockText(report.titleBlock));
}

void RecordedReports::SavePdf(const CalculationReport& report, const std::string& suggestedName) {
  requests.push_back("pdf job=" + QuoteText(report.job) + " name=" + QuoteText(suggestedName) +
                     " title=" + TitleBlockText(report.titleBlock));
}

std::vector<std::string> ReportLines(const CalculationReport& report) {
  std::vector<std::string> lines{"report.title=" + QuoteText(report.title)};
  auto rows = [&lines](const std::string& part, const std::vector<ReportRow>& items) {
    for (const ReportRow& row : items)
      lines.push_back("report." + part + " " + QuoteText(row.label) + "=" + QuoteText(row.value));
  };
  rows("heading", report.heading);
  for (const ReportSection& section : report.sections) {
    lines.push_back("report.section=" + QuoteText(section.heading));
    rows("row", section.rows);
  }
  lines.push_back("report.footer=" + QuoteText(report.footer));
  return lines;
}

}  // namespace quillet
