#include "qt/schedule_page.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>
#include <optional>
#include <vector>

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QLocale>
#include <QPdfWriter>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPainterPath>

#include "qt/diagram_view.h"
#include "qt/report_page.h"
#include "workbench/drawing_page.h"
#include "workbench/schedule_printout.h"

namespace quillet {
namespace {

constexpr double kMarginMm = 12;
constexpr double kBodyPoints = 7;
constexpr double kSmallestPoints = 4.5;
constexpr double kTitlePoints = 12;
constexpr double kTitleBlockPoints = 8;
// No column takes more than this share of the width; longer texts wrap.
constexpr double kWidestShare = 0.3;
constexpr double kCellPadding = 0.6;  // of a character's height, between columns
// A row that fails a check: tinted (a light grey in black and white) and
// crossed in its number's cell.
const QColor kFailTint(255, 226, 226);
const QColor kFailMark(200, 0, 0);
const QColor kOkColour(0, 128, 0);

QFont Arial(double points, bool bold = false) {
  QFont font(QStringLiteral("Arial"));
  font.setPointSizeF(points);
  font.setBold(bold);
  return font;
}

double WidestWord(const QFontMetricsF& metrics, const QString& text) {
  double widest = 0;
  for (const QString& word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts))
    widest = std::max(widest, metrics.horizontalAdvance(word));
  return widest;
}

// The row number and the tag open every band of columns.
constexpr std::size_t kRepeatedColumns = 2;

// How wide each column would like to be (its longest cell, up to a share of
// the page) and must be (its widest word: texts wrap between words, so a
// number is never split), in type of one size.
struct ColumnWidths {
  ColumnWidths(const QPaintDevice* device, const SchedulePrintout& printout, double points, double pageWidth)
      : points(points) {
    const QFontMetricsF body(Arial(points), device), head(Arial(points, true), device);
    padding = body.height() * kCellPadding;
    const double limit = pageWidth * kWidestShare;
    for (std::size_t c = 0; c < printout.headings.size(); ++c) {
      const QString heading = QString::fromStdString(printout.headings[c]);
      double word = WidestWord(head, heading), width = head.horizontalAdvance(heading);
      for (const auto& row : printout.rows) {
        const QString cell = QString::fromStdString(row[c]);
        width = std::max(width, body.horizontalAdvance(cell));
        word = std::max(word, WidestWord(body, cell));
      }
      // A little over the word: the printer's glyphs round differently.
      least.push_back(std::min(word * 1.03 + padding, limit));
      wanted.push_back(std::max(std::min(width + padding, limit), least.back()));
    }
  }
  double Least(const std::vector<std::size_t>& columns) const {
    double total = 0;
    for (std::size_t c : columns) total += least[c];
    return total;
  }
  double points;
  std::vector<double> wanted, least;
  double padding = 0;
};

// The columns in bands that each fit the page's width: all in one where the
// type may shrink to make them fit, else as many bands as the full size
// needs, each opening with the repeated columns.
struct ColumnBands {
  ColumnBands(const QPaintDevice* device, const SchedulePrintout& printout, double pageWidth)
      : widths(Sized(device, printout, pageWidth)) {
    const std::size_t count = printout.headings.size();
    const std::size_t repeated = std::min(kRepeatedColumns, count);
    std::vector<std::size_t> opening(repeated);
    for (std::size_t c = 0; c < repeated; ++c) opening[c] = c;
    bands.push_back(opening);
    for (std::size_t c = repeated; c < count; ++c) {
      if (widths.Least(bands.back()) + widths.least[c] > pageWidth && bands.back().size() > repeated)
        bands.push_back(opening);
      bands.back().push_back(c);
    }
  }
  ColumnWidths widths;  // in the type chosen
  std::vector<std::vector<std::size_t>> bands;

 private:
  // The largest type that fits every column on one page, else the full size.
  static ColumnWidths Sized(const QPaintDevice* device, const SchedulePrintout& printout, double pageWidth) {
    std::vector<std::size_t> all(printout.headings.size());
    for (std::size_t c = 0; c < all.size(); ++c) all[c] = c;
    for (double points = kBodyPoints; points >= kSmallestPoints; points -= 0.5) {
      ColumnWidths widths(device, printout, points, pageWidth);
      if (widths.Least(all) <= pageWidth) return widths;
    }
    return ColumnWidths(device, printout, kBodyPoints, pageWidth);
  }
};

// One band's columns: as wide as they would like, less what the page lacks,
// never under what they must be. Texts wrap in their columns.
class TableLayout {
 public:
  TableLayout(QPainter& painter, const ColumnWidths& all, double pageWidth, std::vector<std::size_t> columns)
      : painter_(painter), points_(all.points), padding_(all.padding), columns_(std::move(columns)) {
    for (std::size_t c : columns_) {
      widths_.push_back(all.wanted[c]);
      least_.push_back(all.least[c]);
    }
    Fit(pageWidth);
  }

  QFont Body(bool bold = false) const { return Arial(points_, bold); }
  double Padding() const { return padding_; }
  const std::vector<double>& Widths() const { return widths_; }
  const std::vector<std::size_t>& Columns() const { return columns_; }
  // Where `column` of the printout lies in this band, when it does.
  std::optional<std::size_t> Place(std::size_t column) const {
    const auto at = std::find(columns_.begin(), columns_.end(), column);
    if (at == columns_.end()) return std::nullopt;
    return static_cast<std::size_t>(at - columns_.begin());
  }
  std::vector<std::string> Cells(const std::vector<std::string>& row) const {
    std::vector<std::string> cells;
    for (std::size_t c : columns_) cells.push_back(row[c]);
    return cells;
  }

  // The height of a line of this band's cells, each wrapped in its column.
  double Height(const std::vector<std::string>& row, bool bold) const {
    painter_.setFont(Body(bold));
    const QFontMetricsF metrics(Body(bold), painter_.device());
    double lines = metrics.height();
    for (std::size_t i = 0; i < columns_.size(); ++i) {
      const QString text = QString::fromStdString(row[columns_[i]]);
      const double room = widths_[i] - padding_;
      if (metrics.horizontalAdvance(text) <= room) continue;
      const QRectF needed =
          painter_.boundingRect(QRectF(0, 0, room, 1e6), text, WrappedText(Qt::AlignLeft | Qt::AlignTop));
      lines = std::max(lines, needed.height());
    }
    return lines + metrics.height() * 0.25;
  }

 private:
  // Every column gives up the same share of what it has beyond its least.
  void Fit(double pageWidth) {
    double total = 0, slack = 0;
    for (std::size_t i = 0; i < widths_.size(); ++i) {
      total += widths_[i];
      slack += widths_[i] - least_[i];
    }
    if (total <= pageWidth || slack <= 0) return;
    const double share = std::min(1.0, (total - pageWidth) / slack);
    for (std::size_t i = 0; i < widths_.size(); ++i) widths_[i] -= (widths_[i] - least_[i]) * share;
  }

  QPainter& painter_;
  double points_;
  double padding_ = 0;
  std::vector<std::size_t> columns_;
  std::vector<double> widths_, least_;
};

// A cross a black-and-white printout keeps: two strokes in a square.
void PaintMark(QPainter& painter, const QRectF& square) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(kFailMark, square.width() * 0.18, Qt::SolidLine, Qt::RoundCap));
  const QRectF in = square.adjusted(square.width() * 0.2, square.height() * 0.2, -square.width() * 0.2,
                                    -square.height() * 0.2);
  painter.drawLine(in.topLeft(), in.bottomRight());
  painter.drawLine(in.topRight(), in.bottomLeft());
  painter.restore();
}

// A row's cells of one band, each wrapped in its column; the Check cell
// (when the band has it) in bold and in its colour.
void PaintCells(QPainter& painter, const std::vector<std::string>& row, const TableLayout& table, double y,
                double height, bool bold, std::optional<std::size_t> check = std::nullopt, bool fails = false) {
  const QTextOption wrap = WrappedText(Qt::AlignLeft | Qt::AlignTop);
  const double padding = table.Padding();
  const std::vector<std::string> cells = table.Cells(row);
  const std::optional<std::size_t> checkPlace = check ? table.Place(*check) : std::nullopt;
  double x = 0;
  for (std::size_t c = 0; c < cells.size(); ++c) {
    const double width = table.Widths()[c];
    const bool checked = c == checkPlace;
    painter.setPen(checked ? (fails ? kFailMark : kOkColour) : QColor(Qt::black));
    painter.setFont(table.Body(bold || checked));
    painter.drawText(QRectF(x, y + padding * 0.2, width - padding, height), QString::fromStdString(cells[c]), wrap);
    x += width;
  }
}

// One band's rows split into pages: where each page starts, and how far
// down the last page's rows reach.
struct BandPages {
  BandPages(const TableLayout& table, const SchedulePrintout& printout, double top, double bottom)
      : headings(table.Height(printout.headings, true)) {
    const double firstRowTop = top + headings;
    double y = firstRowTop;
    for (const auto& row : printout.rows) {
      heights.push_back(table.Height(row, false));
      if (y + heights.back() > bottom && heights.size() - 1 > starts.back()) {
        starts.push_back(heights.size() - 1);
        y = firstRowTop;
      }
      y += heights.back();
    }
    end = y;
  }
  double headings;
  std::vector<double> heights;
  std::vector<std::size_t> starts = {0};
  double end = 0;
};

// The tree at its own size where a page holds it, else shrunk to fit, but
// no smaller than kSmallestShare of its size: then spread over sheets, each
// breaking between rows and columns of boxes.
constexpr double kSmallestShare = 0.55;

struct DiagramSheets {
  // None without a drawing.
  DiagramSheets(const DiagramDrawing* drawing, double dpi, double width, double height) {
    if (!drawing) return;
    const double natural = dpi / 1440.0;
    const double fit = std::min(width / std::max(drawing->width, 1), height / std::max(drawing->height, 1));
    scale = std::min(natural, std::max(fit, natural * kSmallestShare));
    across = Whole(width / scale, drawing->columnPitch);
    down = Whole(height / scale, drawing->rowPitch);
    columns = std::max(1, static_cast<int>(std::ceil(drawing->width / across)));
    rows = std::max(1, static_cast<int>(std::ceil(drawing->height / down)));
  }
  // The most of `room` that holds whole steps of `pitch`, when it holds one.
  static double Whole(double room, int pitch) {
    return pitch > 0 && room >= pitch ? std::floor(room / pitch) * pitch : room;
  }
  int Count() const { return columns * rows; }
  double scale = 1, across = 1, down = 1;  // a sheet's reach in twips
  int columns = 0, rows = 0;
};

// What every page carries at its head: the title with the job and the date,
// and the title block. Returns where the page's own content starts.
class PageHead {
 public:
  PageHead(QPainter& painter, const SchedulePrintout& printout, double width)
      : painter_(painter), printout_(printout), width_(width) {
    titleHeight_ = QFontMetricsF(Arial(kTitlePoints, true), painter.device()).height() * 1.3;
    height_ = titleHeight_ + TitleBlockHeight(painter_, printout_.titleBlock, width_, 6, kTitleBlockPoints) +
              titleHeight_ * 0.4;
  }
  double Height() const { return height_; }

  void Paint(const QString& title) const {
    painter_.setPen(Qt::black);
    painter_.setFont(Arial(kTitlePoints, true));
    painter_.drawText(QRectF(0, 0, width_, titleHeight_), Qt::AlignLeft | Qt::AlignTop, title);
    painter_.setFont(Arial(kTitleBlockPoints));
    const QString jobAndDate = QString::fromStdString(printout_.job + "    " + printout_.date);
    painter_.drawText(QRectF(0, 0, width_, titleHeight_), Qt::AlignRight | Qt::AlignVCenter, jobAndDate);
    PaintTitleBlock(painter_, printout_.titleBlock, titleHeight_, width_, 6, kTitleBlockPoints);
  }

 private:
  QPainter& painter_;
  const SchedulePrintout& printout_;
  double width_;
  double titleHeight_ = 0;
  double height_ = 0;
};

// The drawing's pages as laid out for the device.
void PaintDrawing(QPainter& painter, QPagedPaintDevice& device, const SchedulePrintout& printout) {
  const PageArea area{static_cast<double>(device.width()), static_cast<double>(device.height()),
                      device.logicalDpiY() / 25.4};
  const std::vector<PageDrawing> pages = LayOutDrawingSchedule(printout, QtTextMetrics(&device), area);
  for (std::size_t p = 0; p < pages.size(); ++p) {
    if (p > 0) device.newPage();
    PaintPage(painter, pages[p]);
  }
}

}  // namespace

void PrepareSchedulePage(QPagedPaintDevice& device, const QPageSize& size) {
  device.setPageSize(size);
  device.setPageOrientation(QPageLayout::Landscape);
  device.setPageMargins(QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm), QPageLayout::Millimeter);
}

void PaintSchedule(QPainter& painter, QPagedPaintDevice& device, const SchedulePrintout& printout) {
  if (printout.drawing) {
    PaintDrawing(painter, device, printout);
    return;
  }
  // The device's size is the printable area inside the margins.
  const double width = device.width(), height = device.height();
  const ColumnBands bands(&device, printout, width);
  std::vector<TableLayout> tables;
  for (const auto& band : bands.bands) tables.emplace_back(painter, bands.widths, width, band);
  const PageHead head(painter, printout, width);
  const double line = QFontMetricsF(Arial(bands.widths.points), &device).height();
  const double footer = line * 1.8, bottom = height - footer;
  std::vector<BandPages> bandPages;
  for (const TableLayout& table : tables) bandPages.emplace_back(table, printout, head.Height(), bottom);

  // The legend goes under the last band's rows, or on a page of its own.
  const QFont legendFont = Arial(kTitleBlockPoints * 0.9);
  const QTextOption wrap = WrappedText(Qt::AlignLeft | Qt::AlignTop);
  const double mark = QFontMetricsF(legendFont, &device).height();
  painter.setFont(legendFont);
  double legendHeight = mark * 1.6;
  for (const std::string& entry : printout.legend)
    legendHeight += painter.boundingRect(QRectF(0, 0, width, 1e6), QString::fromStdString(entry), wrap).height();
  const bool legendAlone = bandPages.back().end + line + legendHeight > bottom;
  int tablePages = legendAlone ? 1 : 0;
  for (const BandPages& pages : bandPages) tablePages += static_cast<int>(pages.starts.size());
  const double treeTop = head.Height(), treeHeight = bottom - treeTop;
  const DiagramSheets sheets(printout.diagram ? &*printout.diagram : nullptr, device.logicalDpiX(), width, treeHeight);
  const int pages = tablePages + sheets.Count();
  int page = 0;
  const auto startPage = [&](const QString& title) {
    if (page > 0) device.newPage();
    head.Paint(title);
    painter.setPen(Qt::black);
    painter.setFont(Arial(bands.widths.points));
    painter.drawText(QRectF(0, height - line, width, line), Qt::AlignHCenter | Qt::AlignVCenter,
                     QStringLiteral("Page %1 of %2").arg(page + 1).arg(pages));
    ++page;
  };

  double y = 0;
  for (std::size_t b = 0; b < tables.size(); ++b) {
    const TableLayout& table = tables[b];
    const BandPages& band = bandPages[b];
    const double firstRowTop = head.Height() + band.headings;
    for (std::size_t p = 0; p < band.starts.size(); ++p) {
      startPage(QString::fromStdString(printout.title));
      PaintCells(painter, printout.headings, table, head.Height(), band.headings, true);
      painter.drawLine(QPointF(0, firstRowTop), QPointF(width, firstRowTop));
      const std::size_t end = p + 1 < band.starts.size() ? band.starts[p + 1] : printout.rows.size();
      y = firstRowTop;
      for (std::size_t r = band.starts[p]; r < end; ++r) {
        const bool marked = r < printout.marked.size() && printout.marked[r];
        if (marked) {
          painter.fillRect(QRectF(0, y, width, band.heights[r]), kFailTint);
          PaintMark(painter, QRectF(table.Widths()[0] - table.Padding() - line, y, line, line));
        }
        PaintCells(painter, printout.rows[r], table, y, band.heights[r], false, printout.checkColumn, marked);
        y += band.heights[r];
      }
    }
  }
  if (legendAlone) {
    startPage(QString::fromStdString(printout.title));
    y = head.Height() - line;
  }
  y += line;
  painter.setPen(Qt::black);
  painter.setFont(Arial(kTitleBlockPoints, true));
  painter.drawText(QRectF(0, y, width, mark * 1.3), Qt::AlignLeft | Qt::AlignTop, QStringLiteral("Checks"));
  y += mark * 1.3;
  painter.setFont(legendFont);
  PaintMark(painter, QRectF(0, y, mark, mark));
  painter.drawText(QRectF(mark * 1.3, y, width, mark), Qt::AlignLeft | Qt::AlignTop,
                   QString::fromStdString(printout.markMeaning));
  y += mark * 1.3;
  for (const std::string& entry : printout.legend) {
    const QString text = QString::fromStdString(entry);
    const double entryHeight = painter.boundingRect(QRectF(0, 0, width, 1e6), text, wrap).height();
    painter.drawText(QRectF(0, y, width, entryHeight), text, wrap);
    y += entryHeight;
  }

  for (int sheet = 0; sheet < sheets.Count(); ++sheet) {
    startPage(QStringLiteral("Distribution tree"));
    const QRectF area(0, treeTop, sheets.across * sheets.scale, sheets.down * sheets.scale);
    const QPointF origin(-(sheet % sheets.columns) * sheets.across * sheets.scale,
                         treeTop - (sheet / sheets.columns) * sheets.down * sheets.scale);
    painter.save();
    painter.setClipRect(area);
    PaintDiagram(painter, *printout.diagram, -1, sheets.scale, origin, area);
    painter.restore();
  }
}

std::string WriteSchedulePdf(const SchedulePrintout& printout, const std::string& path) {
  // The type is measured through the platform's fonts, which need an
  // application; offscreen, so no display is needed.
  std::unique_ptr<QGuiApplication> application;
  if (!QCoreApplication::instance()) {
    static int argc = 1;
    static char name[] = "quillet-schedule";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Notes on the platform (no runtime folder as root) are not the tool's to show.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
      if (type == QtCriticalMsg || type == QtFatalMsg) fprintf(stderr, "%s\n", qPrintable(message));
    });
    application = std::make_unique<QGuiApplication>(argc, argv);
  }
  QString error;
  const QPageSize size = LocalePageSize(QLocale::system());
  WritePdf(
      QString::fromStdString(path), QString::fromStdString(printout.title + " - " + printout.job),
      [&size](QPdfWriter& pdf) { PrepareSchedulePage(pdf, size); },
      [&printout](QPainter& painter, QPdfWriter& pdf) { PaintSchedule(painter, pdf, printout); }, error);
  return error.toStdString();
}

}  // namespace quillet
