#include "qt/report_page.h"

#include <algorithm>
#include <string_view>

#include <QFontMetricsF>
#include <QTextOption>

#include <QLocale>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QBuffer>
#include <QPdfWriter>

#include "platform/file_output.h"
#include "platform/native_text.h"
#include "report/calculation_report.h"
#include "report/page_layout.h"

namespace quillet {
namespace {

constexpr int kPdfDpi = 300;

// Territories whose paper is US Letter; the rest of the world uses A4.
constexpr QLocale::Territory kLetterTerritories[] = {
    QLocale::AnyTerritory, QLocale::UnitedStates, QLocale::Canada,    QLocale::Mexico,
    QLocale::Philippines,  QLocale::Chile,        QLocale::Colombia,  QLocale::Venezuela,
    QLocale::PuertoRico,   QLocale::CostaRica,    QLocale::Guatemala, QLocale::Panama,
    QLocale::DominicanRepublic, QLocale::ElSalvador, QLocale::Nicaragua};

QFont ReportFont(const PageFont& type) {
  QFont font(QStringLiteral("Arial"));
  font.setPointSizeF(type.points);
  font.setBold(type.bold);
  return font;
}

}  // namespace

QtTextMetrics::QtTextMetrics(const QPaintDevice* device) : device_(device) {}

double QtTextMetrics::Advance(const PageFont& font, std::string_view text) const {
  return Metrics(font).horizontalAdvance(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}
double QtTextMetrics::Ascent(const PageFont& font) const { return Metrics(font).ascent(); }
double QtTextMetrics::Descent(const PageFont& font) const { return Metrics(font).descent(); }
double QtTextMetrics::Leading(const PageFont& font) const { return Metrics(font).leading(); }
QFontMetricsF QtTextMetrics::Metrics(const PageFont& font) const { return QFontMetricsF(ReportFont(font), device_); }

// The fills first, then the rules, the boxes and the texts over them.
void PaintPage(QPainter& painter, const PageDrawing& page, QPointF origin) {
  painter.save();
  for (const PageFill& fill : page.fills)
    painter.fillRect(QRectF(fill.left, fill.top, fill.width, fill.height).translated(origin), QColor::fromRgb(fill.colour));
  painter.setBrush(Qt::NoBrush);
  for (const PageRule& rule : page.rules) {
    painter.setPen(QPen(Qt::black, rule.width));
    painter.drawLine(QLineF(rule.x1, rule.y1, rule.x2, rule.y2).translated(origin));
  }
  painter.setPen(QPen(Qt::black, 0));
  for (const PageBox& box : page.boxes) painter.drawRect(QRectF(box.left, box.top, box.width, box.height).translated(origin));
  for (const PageText& text : page.texts) {
    painter.setPen(QColor::fromRgb(text.colour));
    painter.setFont(ReportFont(text.font));
    painter.drawText(QPointF(text.x, text.baseline) + origin, QString::fromStdString(text.text));
  }
  painter.restore();
}

QTextOption WrappedText(Qt::Alignment alignment) {
  QTextOption option(alignment);
  option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  return option;
}

double TitleBlockHeight(QPainter& painter, const TitleBlock& block, double width, int columns, double valuePoints) {
  PageDrawing measured;
  return LayOutTitleBlock(measured, block, QtTextMetrics(painter.device()), 0, width, columns, valuePoints);
}

double PaintTitleBlock(QPainter& painter, const TitleBlock& block, double top, double width, int columns,
                       double valuePoints) {
  PageDrawing box;
  const double height = LayOutTitleBlock(box, block, QtTextMetrics(painter.device()), top, width, columns, valuePoints);
  PaintPage(painter, box);
  return height;
}

QPageSize LocalePageSize(const QLocale& locale) {
  const bool letter = locale.measurementSystem() == QLocale::ImperialUSSystem ||
                      std::find(std::begin(kLetterTerritories), std::end(kLetterTerritories),
                                locale.territory()) != std::end(kLetterTerritories);
  return QPageSize(letter ? QPageSize::Letter : QPageSize::A4);
}

void PrepareReportPage(QPagedPaintDevice& device, const QPageSize& size) {
  device.setPageSize(size);
  const double margin = kReportMarginMm;
  device.setPageMargins(QMarginsF(margin, margin, margin, margin), QPageLayout::Millimeter);
}

void PaintReport(QPainter& painter, const CalculationReport& report) {
  const QPaintDevice& device = *painter.device();
  const PageArea area{static_cast<double>(device.width()), static_cast<double>(device.height()),
                      device.logicalDpiY() / 25.4};
  PaintPage(painter, LayOutReport(report, QtTextMetrics(&device), area));
}

// The pages are made in memory, then written by the program's one file
// writer: beside the file, renamed into place once complete.
bool WritePdf(const QString& path, const QString& title, const std::function<void(QPdfWriter&)>& prepare,
              const std::function<void(QPainter&, QPdfWriter&)>& paint, QString& error) {
  QBuffer pages;
  pages.open(QIODevice::WriteOnly);
  {
    QPdfWriter pdf(&pages);
    pdf.setResolution(kPdfDpi);
    pdf.setCreator(QStringLiteral("Quillet"));
    pdf.setTitle(title);
    prepare(pdf);
    QPainter painter;
    if (!painter.begin(&pdf)) {
      error = QStringLiteral("The page could not be drawn.");
      return false;
    }
    paint(painter, pdf);
    painter.end();
  }
  const QByteArray& bytes = pages.data();
  const std::string why = WriteWholeFile(PathFromUtf8(path.toStdString()),
                                         std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
  error = QString::fromStdString(why);
  return why.empty();
}

}  // namespace quillet
