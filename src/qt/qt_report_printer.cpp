#include "qt/qt_report_printer.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLocale>
#include <QMessageBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QStandardPaths>

#include "qt/report_page.h"
#include "report/calculation_report.h"

namespace quillet {
namespace {

constexpr char kSaveTitle[] = "Save calculation as PDF";

}  // namespace

QtReportPrinter::QtReportPrinter(QWidget* owner)
    : pageSize(LocalePageSize(QLocale::system())),
      owner_(owner),
      lastFolder_(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)) {
  choosePrinter = [this](QPrinter& printer) {
    QPrintDialog dialog(&printer, owner_);
    dialog.setWindowTitle(QStringLiteral("Print calculation"));
    return dialog.exec() == QDialog::Accepted;
  };
  choosePdfPath = [this](const QString& suggestedPath) {
    return QFileDialog::getSaveFileName(owner_, QString::fromLatin1(kSaveTitle), suggestedPath,
                                        QStringLiteral("PDF files (*.pdf)"));
  };
}

void QtReportPrinter::Print(const CalculationReport& report) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setDocName(QString::fromStdString(report.title + " - " + report.job));
  PrepareReportPage(printer, pageSize);
  if (!choosePrinter(printer)) return;
  QPainter painter;
  if (!painter.begin(&printer)) {
    QMessageBox::warning(owner_, QStringLiteral("Print calculation"),
                         QStringLiteral("The printer could not be started."));
    return;
  }
  PaintReport(painter, report);
  painter.end();
}

void QtReportPrinter::SavePdf(const CalculationReport& report, const std::string& suggestedName) {
  QString path = choosePdfPath(QDir(lastFolder_).filePath(QString::fromStdString(suggestedName)));
  if (path.isEmpty()) return;
  if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".pdf");
  lastFolder_ = QFileInfo(path).absolutePath();
  QString error;
  if (!WriteReportPdf(report, path, pageSize, error))
    QMessageBox::warning(
        owner_, QString::fromLatin1(kSaveTitle),
        QStringLiteral("The PDF could not be saved to\n%1\n\n%2").arg(QDir::toNativeSeparators(path), error));
}

}  // namespace quillet
