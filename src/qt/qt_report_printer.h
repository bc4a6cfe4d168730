// The report on a Qt desktop: the platform's print dialog, or a save dialog
// and a PDF file. Tests replace the two dialogs.
#pragma once

#include <functional>

#include <QPageSize>
#include <QString>

#include "report/report_printer.h"

class QPrinter;
class QWidget;

namespace quillet {

class QtReportPrinter : public ReportPrinter {
 public:
  explicit QtReportPrinter(QWidget* owner);

  void Print(const CalculationReport& report) override;
  void SavePdf(const CalculationReport& report, const std::string& suggestedName) override;

  // Returns false when the user cancels.
  std::function<bool(QPrinter& printer)> choosePrinter;
  // Returns the chosen path, or an empty text when the user cancels.
  std::function<QString(const QString& suggestedPath)> choosePdfPath;
  QPageSize pageSize;

 private:
  QWidget* owner_;
  QString lastFolder_;
};

}  // namespace quillet
