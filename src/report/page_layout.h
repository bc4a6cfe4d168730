// A printed page laid out once, without a toolkit: where each line of text,
// each rule and each box goes, in the units of the device that measured the
// text. Each view paints the same drawing with its own toolkit (Qt's
// painter, GDI), so the report and the title block look alike wherever
// they are printed.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quillet {

struct CalculationReport;
struct TitleBlock;

// The page's type: Arial (Liberation Sans) in points, regular or bold.
struct PageFont {
  double points = 10;
  bool bold = false;
  bool operator==(const PageFont&) const = default;
};

// What a device says of its type, in its own units: how far a text
// advances, and the heights a line of the font takes.
class TextMetrics {
 public:
  virtual ~TextMetrics() = default;
  virtual double Advance(const PageFont& font, std::string_view text) const = 0;
  virtual double Ascent(const PageFont& font) const = 0;
  virtual double Descent(const PageFont& font) const = 0;
  // The gap between one line's descent and the next line's ascent.
  virtual double Leading(const PageFont& font) const = 0;
};

// One line of text, its baseline at `baseline`, starting at `x`.
struct PageText {
  double x = 0, baseline = 0;
  PageFont font;
  std::string text;
  unsigned colour = 0;  // 0xRRGGBB
};

// A straight rule `width` thick (0: the thinnest the device draws).
struct PageRule {
  double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  double width = 0;
};

// An outlined rectangle, drawn with the thinnest line.
struct PageBox {
  double left = 0, top = 0, width = 0, height = 0;
};

// A rectangle filled with a colour (0xRRGGBB), beneath everything else.
struct PageFill {
  double left = 0, top = 0, width = 0, height = 0;
  unsigned colour = 0;
};

// Everything on a page, from the top left of the area inside its margins.
struct PageDrawing {
  std::vector<PageFill> fills;
  std::vector<PageText> texts;
  std::vector<PageRule> rules;
  std::vector<PageBox> boxes;
};

// The area inside the page's margins, in device units.
struct PageArea {
  double width = 0, height = 0;
  double unitsPerMm = 0;
};

// Where a text too long for its width may break: between words only (a
// longer word runs past the edge), or inside a word that fills a line.
enum class Wrap { AtWords, AtWordsOrAnywhere };

// The text's lines within `width`: broken after blanks and after a hyphen
// joining two words, each line without its trailing blanks.
std::vector<std::string> WrappedLines(const TextMetrics& metrics, const PageFont& font, std::string_view text,
                                      double width, Wrap wrap);

// The report's margins, the same on every side.
inline constexpr double kReportMarginMm = 20;

// The report on one page: title, title block, heading rows, each section
// under its ruled heading, and the footer on the bottom margin.
PageDrawing LayOutReport(const CalculationReport& report, const TextMetrics& metrics, const PageArea& area);

// The title block as a box of labelled cells, `columns` to a row, across
// `width` from `top`; returns its height. A long value wraps inside its
// cell, every cell of a row as tall as the row's tallest value.
double LayOutTitleBlock(PageDrawing& page, const TitleBlock& block, const TextMetrics& metrics, double top,
                        double width, int columns, double valuePoints);

}  // namespace quillet
