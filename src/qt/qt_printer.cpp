#include "qt/qt_printer.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLocale>
#include <QMessageBox>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QStandardPaths>

#include "qt/report_page.h"
#include "qt/schedule_page.h"
#include "report/calculation_report.h"

namespace quillet {

struct QtPrinter::Document {
  QWidget* owner;
  QString what;      // in the dialogs' titles: "Print calculation", "Save schedule as PDF"
  QString fileName;  // the print dialog names its output file after it
  QString title;     // the PDF's own title
  std::function<void(QPagedPaintDevice&)> prepare;
  std::function<void(QPainter&, QPagedPaintDevice&)> paint;
};

QtPrinter::QtPrinter(QWidget* calculatorWindow, QWidget* scheduleWindow)
    : pageSize(LocalePageSize(QLocale::system())),
      calculatorWindow_(calculatorWindow),
      scheduleWindow_(scheduleWindow),
      lastFolder_(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)) {}

QtPrinter::Document QtPrinter::Report(const CalculationReport& report) const {
  return {calculatorWindow_,
          QStringLiteral("calculation"),
          QString::fromStdString(SuggestedPdfName(report.job)),
          QString::fromStdString(report.title + " - " + report.job),
          [this](QPagedPaintDevice& device) { PrepareReportPage(device, pageSize); },
          [&report](QPainter& painter, QPagedPaintDevice&) { PaintReport(painter, report); }};
}

QtPrinter::Document QtPrinter::Schedule(const SchedulePrintout& printout) const {
  return {scheduleWindow_,
          QStringLiteral("schedule"),
          QString::fromStdString(SchedulePdfName(printout)),
          QString::fromStdString(printout.title + " - " + printout.job),
          [this](QPagedPaintDevice& device) { PrepareSchedulePage(device, pageSize); },
          [&printout](QPainter& painter, QPagedPaintDevice& device) { PaintSchedule(painter, device, printout); }};
}

void QtPrinter::Print(const CalculationReport& report) { PrintDocument(Report(report)); }

void QtPrinter::SavePdf(const CalculationReport& report, const std::string& suggestedName) {
  SaveDocument(Report(report), suggestedName);
}

void QtPrinter::Print(const SchedulePrintout& printout) { PrintDocument(Schedule(printout)); }

void QtPrinter::SavePdf(const SchedulePrintout& printout, const std::string& suggestedName) {
  SaveDocument(Schedule(printout), suggestedName);
}

void QtPrinter::PrintDocument(const Document& document) {
  const QString title = QStringLiteral("Print ") + document.what;
  QPrinter printer(QPrinter::HighResolution);
  // The dialog's "Print to File" takes the document name for the file's: a
  // raw job text with a "/" would name a folder that is not there.
  printer.setDocName(document.fileName);
  document.prepare(printer);
  bool chosen = false;
  if (choosePrinter) {
    chosen = choosePrinter(printer);
  } else {
    QPrintDialog dialog(&printer, document.owner);
    dialog.setWindowTitle(title);
    chosen = dialog.exec() == QDialog::Accepted;
  }
  if (!chosen) return;
  QPainter painter;
  if (!painter.begin(&printer)) {
    QMessageBox::warning(document.owner, title, QStringLiteral("The printer could not be started."));
    return;
  }
  document.paint(painter, printer);
  painter.end();
}

void QtPrinter::SaveDocument(const Document& document, const std::string& suggestedName) {
  const QString title = QStringLiteral("Save %1 as PDF").arg(document.what);
  const QString suggested = QDir(lastFolder_).filePath(QString::fromStdString(suggestedName));
  QString path = choosePdfPath ? choosePdfPath(suggested)
                               : QFileDialog::getSaveFileName(document.owner, title, suggested,
                                                              QStringLiteral("PDF files (*.pdf)"));
  if (path.isEmpty()) return;
  if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".pdf");
  lastFolder_ = QFileInfo(path).absolutePath();
  QString error;
  const bool written = WritePdf(
      path, document.title, [&](QPdfWriter& pdf) { document.prepare(pdf); },
      [&](QPainter& painter, QPdfWriter& pdf) { document.paint(painter, pdf); }, error);
  if (!written)
    QMessageBox::warning(
        document.owner, title,
        QStringLiteral("The PDF could not be saved to\n%1\n\n%2").arg(QDir::toNativeSeparators(path), error));
}

}  // namespace quillet
