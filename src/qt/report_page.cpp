#include "qt/report_page.h"

#include <algorithm>
#include <numeric>
#include <vector>

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

  void Box(const TitleBlock& block) {
    y_ += static_cast<int>(PaintTitleBlock(painter_, block, y_, width_, 3, 10)) + Mm(2);
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

QTextOption WrappedText(Qt::Alignment alignment) {
  QTextOption option(alignment);
  option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  return option;
}

namespace {

struct TitleBlockBox {
  TitleBlockBox(QPainter& painter, const TitleBlock& block, double width, int columns, double valuePoints)
      : block(block), columns(columns), label(ReportFont(valuePoints * 0.7)), value(ReportFont(valuePoints, true)) {
    labelHeight = QFontMetricsF(label, painter.device()).height();
    pad = labelHeight * 0.3;
    cellWidth = width / columns;
    const int rows = (Count() + columns - 1) / columns;
    // Every cell of a row as tall as its tallest value.
    painter.save();
    painter.setFont(value);
    for (int r = 0; r < rows; ++r) {
      double tallest = QFontMetricsF(value, painter.device()).height();
      for (int i = r * columns; i < std::min(Count(), (r + 1) * columns); ++i)
        tallest = std::max(tallest, painter.boundingRect(QRectF(0, 0, cellWidth - 2 * pad, 1e6), Text(i), wrap).height());
      rowHeights.push_back(2 * pad + labelHeight + tallest);
    }
    painter.restore();
  }
  static int Count() { return static_cast<int>(std::size(kTitleBlockFields)); }
  QString Text(int i) const { return QString::fromStdString(block.*kTitleBlockFields[i].value); }
  double Height() const { return std::accumulate(rowHeights.begin(), rowHeights.end(), 0.0); }

  const TitleBlock& block;
  int columns;
  QFont label, value;
  QTextOption wrap = WrappedText(Qt::AlignLeft | Qt::AlignTop);
  double labelHeight = 0, pad = 0, cellWidth = 0;
  std::vector<double> rowHeights;
};

}  // namespace

double TitleBlockHeight(QPainter& painter, const TitleBlock& block, double width, int columns, double valuePoints) {
  return TitleBlockBox(painter, block, width, columns, valuePoints).Height();
}

double PaintTitleBlock(QPainter& painter, const TitleBlock& block, double top, double width, int columns,
                       double valuePoints) {
  const TitleBlockBox box(painter, block, width, columns, valuePoints);
  painter.save();
  painter.setPen(QPen(Qt::black, 0));
  double y = top;
  for (std::size_t r = 0; r < box.rowHeights.size(); ++r) {
    const int first = static_cast<int>(r) * columns;
    for (int i = first; i < std::min(box.Count(), first + columns); ++i) {
      const QRectF cell((i - first) * box.cellWidth, y, box.cellWidth, box.rowHeights[r]);
      painter.drawRect(cell);
      const QRectF inside = cell.adjusted(box.pad, box.pad, -box.pad, -box.pad);
      painter.setFont(box.label);
      painter.drawText(inside, Qt::AlignLeft | Qt::AlignTop, QString::fromLatin1(kTitleBlockFields[i].label));
      painter.setFont(box.value);
      painter.drawText(inside.adjusted(0, box.labelHeight, 0, 0), box.Text(i), box.wrap);
    }
    y += box.rowHeights[r];
  }
  painter.restore();
  return y - top;
}

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
  page.Box(report.titleBlock);
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
