// The calculation report on a Windows printer: the print dialog, then the
// shared page layout drawn with GDI. Windows users make a PDF file with
// the system's own PDF printer, chosen in the same dialog.
#pragma once

#include "win32/windows_api.h"

#include <functional>
#include <string>

#include "report/report_printer.h"

namespace quillet {

class Win32Printer : public ReportPrinter {
 public:
  void SetOwner(HWND owner) { owner_ = owner; }

  void Print(const CalculationReport& report) override;
  // The print dialog again: its PDF printer writes the file.
  void SavePdf(const CalculationReport& report, const std::string& suggestedName) override;

  // Unset, the print dialog asks: returns the chosen printer's device
  // context, or null when the user cancels.
  std::function<HDC()> choosePrinter;

 private:
  HDC AskForPrinter() const;

  HWND owner_ = nullptr;
};

}  // namespace quillet
