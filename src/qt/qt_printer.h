// The calculation report and the schedule on a Qt desktop: the platform's
// print dialog, or a save dialog and a PDF file. Both documents go through
// the same flow; each brings its page setup and painting, and the name a
// file printed or saved from it gets. Tests replace the two dialogs.
#pragma once

#include <functional>
#include <string>

#include <QPageSize>
#include <QString>

#include "report/report_printer.h"
#include "workbench/schedule_printout.h"

class QPrinter;
class QWidget;

namespace quillet {

class QtPrinter : public ReportPrinter, public SchedulePrinter {
 public:
  // Each document's dialogs open over its own window.
  explicit QtPrinter(QWidget* calculatorWindow, QWidget* scheduleWindow);

  void Print(const CalculationReport& report) override;
  void SavePdf(const CalculationReport& report, const std::string& suggestedName) override;
  void Print(const SchedulePrintout& printout) override;
  void SavePdf(const SchedulePrintout& printout, const std::string& suggestedName) override;

  // Unset, the platform's dialogs ask. Returns false when the user cancels.
  std::function<bool(QPrinter& printer)> choosePrinter;
  // Returns the chosen path, or an empty text when the user cancels.
  std::function<QString(const QString& suggestedPath)> choosePdfPath;
  QPageSize pageSize;

 private:
  struct Document;
  Document Report(const CalculationReport& report) const;
  Document Schedule(const SchedulePrintout& printout) const;
  void PrintDocument(const Document& document);
  void SaveDocument(const Document& document, const std::string& suggestedName);

  QWidget* calculatorWindow_;
  QWidget* scheduleWindow_;
  QString lastFolder_;
};

}  // namespace quillet
