#include "report/page_layout.h"

#include <algorithm>
#include <cmath>
#include <iterator>

#include "platform/utf8.h"
#include "report/calculation_report.h"

namespace quillet {
namespace {

const PageFont kTitleFont{16, true};
const PageFont kHeadingFont{11, true};
const PageFont kLabelFont{10, true};
const PageFont kValueFont{10, false};
const PageFont kFooterFont{8, false};
constexpr int kTitleBlockColumns = 3;
constexpr double kTitleBlockPoints = 10;
// The title block's labels are smaller than its values, and its cells
// keep this share of a label's height free around their texts.
constexpr double kTitleBlockLabelShare = 0.7;
constexpr double kTitleBlockPadShare = 0.3;

bool IsLetter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || static_cast<unsigned char>(c) >= 0x80;
}

// The text in pieces that may end a line: each runs up to and including
// the blanks after a word, or a hyphen between two words.
std::vector<std::string_view> BreakablePieces(std::string_view text) {
  std::vector<std::string_view> pieces;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const bool blankEnds = text[i] == ' ' && (i + 1 == text.size() || text[i + 1] != ' ');
    const bool hyphenJoins = text[i] == '-' && i > start && IsLetter(text[i - 1]) && i + 1 < text.size() &&
                             IsLetter(text[i + 1]);
    if (blankEnds || hyphenJoins) {
      pieces.push_back(text.substr(start, i + 1 - start));
      start = i + 1;
    }
  }
  if (start < text.size() || pieces.empty()) pieces.push_back(text.substr(start));
  return pieces;
}

std::string WithoutTrailingBlanks(std::string line) {
  while (!line.empty() && line.back() == ' ') line.pop_back();
  return line;
}

// As many whole characters of a word as fit, at least one.
std::size_t FittingBytes(const TextMetrics& metrics, const PageFont& font, std::string_view word, double width) {
  const int characters = Utf8Length(word);
  std::size_t fit = Utf8Offset(word, 1);
  for (int n = 2; n <= characters; ++n) {
    const std::size_t bytes = Utf8Offset(word, n);
    if (metrics.Advance(font, word.substr(0, bytes)) > width) break;
    fit = bytes;
  }
  return fit;
}

double LineHeight(const TextMetrics& metrics, const PageFont& font) {
  return metrics.Ascent(font) + metrics.Descent(font);
}

// Lines sit on whole device units, a leading apart. Returns the block's height.
double PlaceLines(PageDrawing& page, const TextMetrics& metrics, const PageFont& font,
                  const std::vector<std::string>& lines, double left, double top) {
  const double height = LineHeight(metrics, font), leading = metrics.Leading(font);
  double bottom = -leading;
  for (const std::string& line : lines) {
    const double lineTop = std::ceil(bottom + leading);
    page.texts.push_back({left, top + lineTop + metrics.Ascent(font), font, line});
    bottom = lineTop + height;
  }
  return bottom;
}

// Draws from the top of the page down; each piece moves below itself. A
// block of text starts on a whole device unit.
class ReportWriter {
 public:
  ReportWriter(PageDrawing& page, const TextMetrics& metrics, const PageArea& area)
      : page_(page), metrics_(metrics), area_(area) {}

  void Title(const std::string& text) {
    Block(kTitleFont, 0, area_.width, text);
    y_ += Mm(3);
  }

  void Box(const TitleBlock& block) {
    y_ += std::trunc(LayOutTitleBlock(page_, block, metrics_, y_, area_.width, kTitleBlockColumns,
                                      kTitleBlockPoints)) + Mm(2);
  }

  void Heading(const std::string& text) {
    y_ += Mm(4);
    Block(kHeadingFont, 0, area_.width, text);
    y_ += Mm(0.8);
    page_.rules.push_back({0, y_, area_.width, y_, Mm(0.2)});
    y_ += Mm(1.5);
  }

  // One label column for every table: as wide as the longest label, at most
  // two fifths of the page.
  void FitLabels(const CalculationReport& report) {
    double widest = 0;
    auto measure = [&](const std::vector<ReportRow>& rows) {
      for (const ReportRow& row : rows) widest = std::max(widest, std::round(metrics_.Advance(kLabelFont, row.label)));
    };
    measure(report.heading);
    for (const ReportSection& section : report.sections) measure(section.rows);
    labelWidth_ = std::min(widest + Mm(4), std::floor(std::floor(area_.width) * 2 / 5));
  }

  void Rows(const std::vector<ReportRow>& rows) {
    for (const ReportRow& row : rows) {
      if (row.label.empty()) {
        Block(kValueFont, 0, area_.width, row.value);
      } else {
        const double top = y_;
        Block(kLabelFont, 0, labelWidth_ - Mm(2), row.label);
        const double below = y_;
        y_ = top;
        Block(kValueFont, labelWidth_, area_.width - labelWidth_, row.value);
        y_ = std::max(y_, below);
      }
      y_ += Mm(1);
    }
  }

  // The footer sits on the bottom margin, a rule above it.
  void Footer(const std::string& text) {
    const std::vector<std::string> lines = WrappedLines(metrics_, kFooterFont, text, area_.width, Wrap::AtWords);
    PageDrawing measured;
    const double height = std::ceil(PlaceLines(measured, metrics_, kFooterFont, lines, 0, 0));
    const double top = std::floor(area_.height) - height;
    page_.rules.push_back({0, top - Mm(2), area_.width, top - Mm(2), Mm(0.2)});
    PlaceLines(page_, metrics_, kFooterFont, lines, 0, top);
  }

 private:
  double Mm(double mm) const { return std::floor(mm * area_.unitsPerMm + 0.5); }

  void Block(const PageFont& font, double left, double width, const std::string& text) {
    const std::vector<std::string> lines = WrappedLines(metrics_, font, text, width, Wrap::AtWords);
    y_ += std::ceil(PlaceLines(page_, metrics_, font, lines, left, y_));
  }

  PageDrawing& page_;
  const TextMetrics& metrics_;
  PageArea area_;
  double y_ = 0;
  double labelWidth_ = 0;
};

}  // namespace

std::vector<std::string> WrappedLines(const TextMetrics& metrics, const PageFont& font, std::string_view text,
                                      double width, Wrap wrap) {
  std::vector<std::string> lines;
  std::string line;
  auto fits = [&](const std::string& candidate) {
    return metrics.Advance(font, WithoutTrailingBlanks(candidate)) <= width;
  };
  for (std::string_view piece : BreakablePieces(text)) {
    if (!line.empty() && !fits(line + std::string(piece))) {
      lines.push_back(WithoutTrailingBlanks(line));
      line.clear();
    }
    // A word wider than a whole line, broken where it fills one.
    while (wrap == Wrap::AtWordsOrAnywhere && line.empty() && !fits(std::string(piece))) {
      const std::size_t bytes = FittingBytes(metrics, font, piece, width);
      if (bytes >= piece.size()) break;
      lines.emplace_back(piece.substr(0, bytes));
      piece.remove_prefix(bytes);
    }
    line += piece;
  }
  lines.push_back(WithoutTrailingBlanks(line));
  return lines;
}

double LayOutTitleBlock(PageDrawing& page, const TitleBlock& block, const TextMetrics& metrics, double top,
                        double width, int columns, double valuePoints) {
  const PageFont label{valuePoints * kTitleBlockLabelShare, false}, value{valuePoints, true};
  const double labelHeight = LineHeight(metrics, label);
  const double pad = labelHeight * kTitleBlockPadShare;
  const double cellWidth = width / columns;
  const int count = static_cast<int>(std::size(kTitleBlockFields));
  double y = top;
  for (int first = 0; first < count; first += columns) {
    const int last = std::min(count, first + columns);
    std::vector<std::vector<std::string>> values;
    double tallest = LineHeight(metrics, value);
    PageDrawing measured;
    for (int i = first; i < last; ++i) {
      values.push_back(WrappedLines(metrics, value, block.*kTitleBlockFields[i].value, cellWidth - 2 * pad,
                                    Wrap::AtWordsOrAnywhere));
      tallest = std::max(tallest, PlaceLines(measured, metrics, value, values.back(), 0, 0));
    }
    const double rowHeight = 2 * pad + labelHeight + tallest;
    for (int i = first; i < last; ++i) {
      const double left = (i - first) * cellWidth;
      page.boxes.push_back({left, y, cellWidth, rowHeight});
      PlaceLines(page, metrics, label, {kTitleBlockFields[i].label}, left + pad, y + pad);
      PlaceLines(page, metrics, value, values[static_cast<std::size_t>(i - first)], left + pad,
                 y + pad + labelHeight);
    }
    y += rowHeight;
  }
  return y - top;
}

PageDrawing LayOutReport(const CalculationReport& report, const TextMetrics& metrics, const PageArea& area) {
  PageDrawing page;
  ReportWriter writer(page, metrics, area);
  writer.FitLabels(report);
  writer.Title(report.title);
  writer.Box(report.titleBlock);
  writer.Rows(report.heading);
  for (const ReportSection& section : report.sections) {
    writer.Heading(section.heading);
    writer.Rows(section.rows);
  }
  writer.Footer(report.footer);
  return page;
}

}  // namespace quillet
