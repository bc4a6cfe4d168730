#include "workbench/drawing_page.h"

#include <algorithm>
#include <string>

#include "report/calculation_report.h"
#include "workbench/schedule_printout.h"

namespace quillet {
namespace {

constexpr double kLargestPoints = 8;
constexpr double kTitlePoints = 12;
constexpr double kTitleBlockPoints = 8;
constexpr double kLegendPoints = kDrawingSmallestPoints;
constexpr int kTitleBlockColumns = 6;
constexpr unsigned kHeadingShade = 0xE4E4E4;
constexpr unsigned kStripe = 0xF3F3F3;
constexpr unsigned kFailTint = 0xFFE2E2;
constexpr unsigned kFailInk = 0xC80000;
constexpr unsigned kOkInk = 0x008000;
constexpr char kFaultHeading[] = "Fault current (kA)";

double LineHeight(const TextMetrics& m, const PageFont& f) { return m.Ascent(f) + m.Descent(f) + m.Leading(f); }

double WidestWord(const TextMetrics& m, const PageFont& f, const std::string& text) {
  double widest = 0;
  for (std::size_t start = 0; start < text.size();) {
    const std::size_t end = std::min(text.find(' ', start), text.size());
    widest = std::max(widest, m.Advance(f, std::string_view(text).substr(start, end - start)));
    start = end + 1;
  }
  return widest;
}

// The table's columns across the page in one size of type: each as wide as
// its longest cell, the tag's with its indent; where the page is too narrow
// even at the smallest type, the columns with room to spare wrap their texts.
struct TableColumns {
  TableColumns(const DrawingSchedule& d, const TextMetrics& m, double width) {
    for (double points = kLargestPoints;; points -= 0.5) {
      Measure(d, m, points);
      double total = 0;
      for (double w : widths) total += w;
      if (total <= width || points <= kDrawingSmallestPoints) {
        Fit(width, total);
        return;
      }
    }
  }

  void Measure(const DrawingSchedule& d, const TextMetrics& m, double points) {
    body = {points, false};
    bold = {points, true};
    line = LineHeight(m, body);
    padding = line * 0.7;
    indent = line * 1.1;
    widths.assign(d.headings.size(), 0);
    least.assign(d.headings.size(), 0);
    numeric.assign(d.headings.size(), false);
    for (std::size_t c = 0; c < d.headings.size(); ++c) {
      double wanted = WidestWord(m, bold, d.headings[c]), must = wanted;
      for (const DrawingRow& row : d.rows) {
        const double in = c == 0 ? indent * row.depth : 0;
        wanted = std::max(wanted, in + m.Advance(body, row.cells[c].text));
        must = std::max(must, in + WidestWord(m, body, row.cells[c].text));
        numeric[c] = numeric[c] || row.cells[c].number.has_value();
      }
      widths[c] = wanted + padding;
      least[c] = must + padding;
    }
  }

  // Narrower: every column gives up the same share of what it has beyond
  // its widest word. Wider: the room left is shared out, a little to each.
  void Fit(double width, double total) {
    double slack = 0;
    for (std::size_t c = 0; c < widths.size(); ++c) slack += widths[c] - least[c];
    if (total > width && slack > 0) {
      const double share = std::min(1.0, (total - width) / slack);
      for (std::size_t c = 0; c < widths.size(); ++c) widths[c] -= (widths[c] - least[c]) * share;
    } else if (total < width && !widths.empty()) {
      const double extra = std::min((width - total) / static_cast<double>(widths.size()), padding * 3);
      for (double& w : widths) w += extra;
    }
  }

  double Width() const {
    double total = 0;
    for (double w : widths) total += w;
    return total;
  }

  PageFont body, bold;
  double line = 0, padding = 0, indent = 0;
  std::vector<double> widths, least;
  std::vector<bool> numeric;  // right-aligned, as figures are on drawings
};

// A row's cells wrapped in their columns.
struct LaidRow {
  std::vector<std::vector<std::string>> lines;
  double height = 0;
};

// The legend's entries wrapped in `count` columns, each entry whole in one,
// split where the tallest column is shortest.
struct LegendColumns {
  LegendColumns() = default;
  LegendColumns(const TextMetrics& m, const PageFont& font, const std::vector<std::string>& legend, int count,
                double width)
      : width(width) {
    std::size_t total = 0;
    for (const std::string& entry : legend) {
      entries.push_back(WrappedLines(m, font, entry, width, Wrap::AtWords));
      total += entries.back().size();
    }
    for (down = std::max<std::size_t>(1, (total + count - 1) / count);; ++down) {
      starts.assign(1, 0);
      std::size_t lines = 0;
      for (std::size_t e = 0; e < entries.size(); ++e) {
        if (lines > 0 && lines + entries[e].size() > down) {
          starts.push_back(e);
          lines = 0;
        }
        lines += entries[e].size();
      }
      if (starts.size() <= static_cast<std::size_t>(count)) return;
    }
  }
  std::size_t ColumnOf(std::size_t entry) const {
    return static_cast<std::size_t>(std::upper_bound(starts.begin(), starts.end(), entry) - starts.begin()) - 1;
  }
  std::vector<std::vector<std::string>> entries;
  std::vector<std::size_t> starts = {0};  // each column's first entry
  std::size_t down = 0;                   // the tallest column's lines
  double width = 0;
};

class DrawingPages {
 public:
  DrawingPages(const SchedulePrintout& printout, const TextMetrics& metrics, const PageArea& area)
      : printout_(printout),
        drawing_(*printout.drawing),
        m_(metrics),
        area_(area),
        table_(drawing_, metrics, area.width),
        footer_(LineHeight(metrics, table_.body)) {
    bottom_ = area.height - footer_ * 1.8;
  }

  std::vector<PageDrawing> LayOut() {
    const LaidRow headings = Lay(drawing_.headings, table_.bold, 0);
    for (std::size_t r = 0; r < drawing_.rows.size(); ++r) {
      std::vector<std::string> texts;
      for (const DrawingCell& cell : drawing_.rows[r].cells) texts.push_back(cell.text);
      const LaidRow row = Lay(texts, table_.body, drawing_.rows[r].depth);
      if (pages_.empty() || y_ + row.height > bottom_) StartTablePage(headings);
      PlaceRow(drawing_.rows[r], row);
      y_ += row.height;
    }
    if (pages_.empty()) StartTablePage(headings);
    PlaceLegend();
    PlaceFooters();
    return std::move(pages_);
  }

 private:
  LaidRow Lay(const std::vector<std::string>& texts, const PageFont& font, int depth) const {
    LaidRow laid;
    std::size_t most = 1;
    for (std::size_t c = 0; c < texts.size(); ++c) {
      const double room = table_.widths[c] - table_.padding - (c == 0 ? table_.indent * depth : 0);
      laid.lines.push_back(texts[c].empty() ? std::vector<std::string>{}
                                            : WrappedLines(m_, font, texts[c], room, Wrap::AtWordsOrAnywhere));
      most = std::max(most, laid.lines.back().size());
    }
    laid.height = static_cast<double>(most) * table_.line + table_.padding * 0.3;
    return laid;
  }

  PageDrawing& Page() { return pages_.back(); }

  void Text(double x, double top, const PageFont& font, const std::string& text, unsigned colour = 0) {
    Page().texts.push_back({x, top + m_.Ascent(font), font, text, colour});
  }

  // The title with the job and the date, then the title block.
  void StartPage() {
    pages_.emplace_back();
    const PageFont title{kTitlePoints, true}, small{kTitleBlockPoints, false};
    Text(0, 0, title, printout_.title);
    const std::string jobAndDate = printout_.job + "    " + printout_.date;
    Text(area_.width - m_.Advance(small, jobAndDate), (m_.Ascent(title) - m_.Ascent(small)), small, jobAndDate);
    y_ = LineHeight(m_, title) * 1.3;
    y_ += LayOutTitleBlock(Page(), printout_.titleBlock, m_, y_, area_.width, kTitleBlockColumns, kTitleBlockPoints);
    y_ += table_.line * 0.8;
  }

  void StartTablePage(const LaidRow& headings) {
    StartPage();
    Page().fills.push_back({0, y_, table_.Width(), headings.height, kHeadingShade});
    PlaceCells(headings, table_.bold, 0, nullptr);
    y_ += headings.height;
    Page().rules.push_back({0, y_, table_.Width(), y_, 0});
    stripe_ = false;
  }

  // Each cell's lines from the row's top; figures to the right of their column.
  void PlaceCells(const LaidRow& laid, const PageFont& font, int depth, const DrawingRow* row) {
    double x = 0;
    const double top = y_ + table_.padding * 0.15;
    for (std::size_t c = 0; c < laid.lines.size(); ++c) {
      const double in = c == 0 ? table_.indent * depth : 0;
      const bool check = row && c + 1 == laid.lines.size();
      const bool fails = row && row->cells[c].fails;
      const PageFont type = check ? table_.bold : font;
      const unsigned ink = fails ? kFailInk : check ? kOkInk : 0;
      double lineTop = top;
      for (const std::string& text : laid.lines[c]) {
        const double left = table_.numeric[c] ? x + table_.widths[c] - table_.padding * 0.5 - m_.Advance(type, text)
                                              : x + table_.padding * 0.5 + in;
        Text(left, lineTop, type, text, ink);
        lineTop += table_.line;
      }
      x += table_.widths[c];
    }
  }

  // A tinted row fails a check; the others are striped in turn. A row under
  // a supply hangs from a short elbow.
  void PlaceRow(const DrawingRow& row, const LaidRow& laid) {
    const bool fails = std::any_of(row.cells.begin(), row.cells.end(), [](const DrawingCell& c) { return c.fails; });
    if (fails || stripe_)
      Page().fills.push_back({0, y_, table_.Width(), laid.height, fails ? kFailTint : kStripe});
    stripe_ = !stripe_;
    if (row.depth > 0) {
      const double x = table_.padding * 0.5 + table_.indent * (row.depth - 1) + table_.indent * 0.3;
      const double middle = y_ + table_.padding * 0.15 + m_.Ascent(table_.body) * 0.6;
      Page().rules.push_back({x, y_, x, middle, 0});
      Page().rules.push_back({x, middle, x + table_.indent * 0.55, middle, 0});
    }
    PlaceCells(laid, table_.body, row.depth, &row);
  }

  // Under the last row, or whole on a page of its own where it does not
  // fit there: in two columns, or three where that keeps it on the rows'
  // page, each entry whole in one column. A legend longer than a page flows
  // on in one column.
  void PlaceLegend() {
    Page().rules.push_back({0, y_, table_.Width(), y_, 0});
    const PageFont legend{kLegendPoints, false}, heading{kLegendPoints, true};
    const double step = LineHeight(m_, legend), gap = step * 2;
    const std::vector<std::string> mark = WrappedLines(m_, legend, printout_.markMeaning, area_.width, Wrap::AtWords);
    y_ += step * 0.6;
    LegendColumns columns;
    for (int count : {2, 3}) {
      columns = LegendColumns(m_, legend, printout_.legend, count, (area_.width - gap * (count - 1)) / count);
      if (y_ + static_cast<double>(1 + mark.size() + columns.down) * step <= bottom_) break;
    }
    const double height = static_cast<double>(1 + mark.size() + columns.down) * step;
    if (y_ + height > bottom_) StartPage();
    const bool side = y_ + height <= bottom_;
    const auto line = [&](double x, const PageFont& font, const std::string& text) {
      if (y_ + step > bottom_) StartPage();
      Text(x, y_, font, text);
      y_ += step;
    };
    line(0, heading, "Notes");
    for (const std::string& text : mark) line(0, legend, text);
    const double top = y_;
    for (std::size_t e = 0; e < columns.entries.size(); ++e) {
      const std::size_t in = columns.ColumnOf(e);
      if (side && e > 0 && in != columns.ColumnOf(e - 1)) y_ = top;
      for (const std::string& text : columns.entries[e])
        line(side ? static_cast<double>(in) * (columns.width + gap) : 0, legend, text);
    }
    if (side) y_ = top + static_cast<double>(columns.down) * step;
  }

  // "Page n of m" in the middle, and the date the fault current holds for.
  void PlaceFooters() {
    const bool fault =
        std::find(drawing_.headings.begin(), drawing_.headings.end(), kFaultHeading) != drawing_.headings.end();
    const double top = area_.height - footer_;
    for (std::size_t p = 0; p < pages_.size(); ++p) {
      PageDrawing& page = pages_[p];
      const std::string number = "Page " + std::to_string(p + 1) + " of " + std::to_string(pages_.size());
      page.texts.push_back(
          {(area_.width - m_.Advance(table_.body, number)) / 2, top + m_.Ascent(table_.body), table_.body, number});
      if (fault)
        page.texts.push_back(
            {0, top + m_.Ascent(table_.body), table_.body, "Fault current calculated " + printout_.date});
    }
  }

  const SchedulePrintout& printout_;
  const DrawingSchedule& drawing_;
  const TextMetrics& m_;
  PageArea area_;
  TableColumns table_;
  double footer_;
  double bottom_ = 0;
  double y_ = 0;
  bool stripe_ = false;
  std::vector<PageDrawing> pages_;
};

}  // namespace

std::vector<PageDrawing> LayOutDrawingSchedule(const SchedulePrintout& printout, const TextMetrics& metrics,
                                               const PageArea& area) {
  if (!printout.drawing) return {};
  return DrawingPages(printout, metrics, area).LayOut();
}

}  // namespace quillet
