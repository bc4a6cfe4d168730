// Where a report goes: the platform's printer or a PDF file. The desktop view
// supplies the real one; the script driver records the requests.
#pragma once

#include <string>

namespace quillet {

struct CalculationReport;

class ReportPrinter {
 public:
  virtual ~ReportPrinter() = default;
  // Asks for a printer, then prints the page.
  virtual void Print(const CalculationReport& report) = 0;
  // Asks where to save, suggesting the name, then writes the page as PDF.
  virtual void SavePdf(const CalculationReport& report, const std::string& suggestedName) = 0;
};

}  // namespace quillet
