// Stands in for the printer and the PDF file for the script driver: each
// request is kept as a line to print.
#pragma once

#include <string>
#include <vector>

#include "report/report_printer.h"

namespace quillet {

struct TitleBlock;

class RecordedReports : public ReportPrinter {
 public:
  void Print(const CalculationReport& report) override;
  void SavePdf(const CalculationReport& report, const std::string& suggestedName) override;

  std::vector<std::string> requests;
};

// A title block's fields as the driver prints them: ["Project=…",…].
std::string TitleBlockText(const TitleBlock& block);

// The report's content, one line per piece, as the driver prints it.
std::vector<std::string> ReportLines(const CalculationReport& report);

}  // namespace quillet
