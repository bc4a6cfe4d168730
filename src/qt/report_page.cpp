#include "qt/report_page.h"

#include <algorithm>

#include <QLocale>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QBuffer>
#include <QPdfWriter>

#include "platform/file_output.h"
#include "platform/native_text.h"
#include "report/calculation_report.h"

namespace quillet {
namespace {

constexpr double kMarginMm = 20;
constexpr int kPdfDpi = 300;

// Territories whose paper is US Letter; the rest of the world uses A4.
constexpr QLocale::Territory kLetterTerritories[] = {
    QLocale::AnyTerritory, QLocale::UnitedStates, QLocale::Canada,    QLocale::Mexico,
    QLocale::Philippines,  QLocale::Chile,        QLocale::Colombia,  QLocale::Venezuela,
    QLocale::PuertoRico,   QLocale::CostaRica,    QLocale::Guatemala, QLocale::Panama,
    QLocale::DominicanRepublic, QLocale::ElSalvador, QLocale::Nicaragua};

QFont ReportFont(double points, bool bold = false) {
  QFont font(QStringLiteral("Arial"));
  font.setPointSizeF(points);
  font.setBold(bold);
  return font;
}

// Draws from the top of the page down; each piece returns below itself.
class PageWriter {
 public:
  explicit PageWriter(QPainter& painter)
      : painter_(painter),
        mm_(painter.device()->logicalDpiY() / 25.4),
        width_(painter.device()->width()),
        height_(painter.device()->height()) {}

  void Title(const QString& text) {
    Block(ReportFont(16, true), 0, width_, text);
    y_ += Mm(3);
  }

  void Heading(const QString& text) {
    y_ += Mm(4);
    Block(ReportFont(11, true), 0, width_, text);
    y_ += Mm(0.8);
    painter_.setPen(QPen(Qt::black, Mm(0.2)));
    painter_.drawLine(0, y_, width_, y_);
    y_ += Mm(1.5);
  }

  // One label column for every table: as wide as the longest label, at most
  // two fifths of the page.
  void FitLabels(const CalculationReport& report) {
    const QFontMetrics metrics(ReportFont(10, true), painter_.device());
    int widest = 0;
    auto measure = [&](const std::vector<ReportRow>& rows) {
      for (const ReportRow& row : rows)
        widest = std::max(widest, metrics.horizontalAdvance(QString::fromStdString(row.label)));
    };
    measure(report.heading);
    for (const ReportSection& section : report.sections) measure(section.rows);
    labelWidth_ = std::min(widest + Mm(4), width_ * 2 / 5);
  }

  void Rows(const std::vector<ReportRow>& rows) {
    for (const ReportRow& row : rows) {
      if (row.label.empty()) {
        Block(ReportFont(10), 0, width_, QString::fromStdString(row.value));
      } else {
        const int top = y_;
        Block(ReportFont(10, true), 0, labelWidth_ - Mm(2), QString::fromStdString(row.label));
        const int below = y_;
        y_ = top;
        Block(ReportFont(10), labelWidth_, width_ - labelWidth_, QString::fromStdString(row.value));
        y_ = std::max(y_, below);
      }
      y_ += Mm(1);
    }
  }

  // The footer sits on the bottom margin, a rule above it.
  void Footer(const QString& text) {
    const QFont font = ReportFont(8);
    painter_.setFont(font);
    const QRect box = painter_.boundingRect(QRect(0, 0, width_, height_), Qt::TextWordWrap, text);
    const int top = height_ - box.height();
    painter_.setPen(QPen(Qt::black, Mm(0.2)));
    painter_.drawLine(0, top - Mm(2), width_, top - Mm(2));
    painter_.drawText(QRect(0, top, width_, box.height()), Qt::TextWordWrap, text);
  }

 private:
  int Mm(double mm) const { return static_cast<int>(mm * mm_ + 0.5); }

  void Block(const QFont& font, int left, int width, const QString& text) {
    painter_.setFont(font);
    painter_.setPen(Qt::black);
    QRect drawn;
    painter_.drawText(QRect(left, y_, width, height_ - y_), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                      text, &drawn);
    y_ += drawn.height();
  }

  QPainter& painter_;
  double mm_;
  int width_, height_;
  int y_ = 0;
  int labelWidth_ = 0;
};

}  // namespace

QPageSize LocalePageSize(const QLocale& locale) {
  const bool letter = locale.measurementSystem() == QLocale::ImperialUSSystem ||
                      std::find(std::begin(kLetterTerritories), std::end(kLetterTerritories),
                                locale.territory()) != std::end(kLetterTerritories);
  return QPageSize(letter ? QPageSize::Letter : QPageSize::A4);
}

void PrepareReportPage(QPagedPaintDevice& device, const QPageSize& size) {
  device.setPageSize(size);
  device.setPageMargins(QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm), QPageLayout::Millimeter);
}

void PaintReport(QPainter& painter, const CalculationReport& report) {
  PageWriter page(painter);
  page.FitLabels(report);
  page.Title(QString::fromStdString(report.title));
  page.Rows(report.heading);
  for (const ReportSection& section : report.sections) {
    page.Heading(QString::fromStdString(section.heading));
    page.Rows(section.rows);
  }
  page.Footer(QString::fromStdString(report.footer));
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
