#include "win32/gdi_page.h"

#include <algorithm>
#include <cmath>

#include "platform/native_text.h"
#include "report/calculation_report.h"

namespace quillet {
namespace {

constexpr double kMmPerInch = 25.4;
constexpr double kScreenDotsPerInch = 96;

int Round(double value) { return static_cast<int>(std::lround(value)); }

}  // namespace

Sheet SheetOf(HDC printer) {
  return {GetDeviceCaps(printer, LOGPIXELSY), GetDeviceCaps(printer, PHYSICALWIDTH),
          GetDeviceCaps(printer, PHYSICALHEIGHT), GetDeviceCaps(printer, PHYSICALOFFSETX),
          GetDeviceCaps(printer, PHYSICALOFFSETY)};
}

GdiPage::GdiPage(HDC dc, int dotsPerInch)
    : dc_(dc), dotsPerInch_(dotsPerInch), original_(GetCurrentObject(dc, OBJ_FONT)) {}

GdiPage::~GdiPage() { SelectObject(dc_, original_); }

HFONT GdiPage::Select(const PageFont& font) const {
  HFONT made = fonts_.Arial(font.points, font.bold, dotsPerInch_);
  SelectObject(dc_, made);
  return made;
}

TEXTMETRICW GdiPage::Measures(const PageFont& font) const {
  Select(font);
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc_, &metrics);
  return metrics;
}

double GdiPage::Advance(const PageFont& font, std::string_view text) const {
  Select(font);
  const std::wstring wide = WideFromUtf8(text);
  SIZE size{};
  GetTextExtentPoint32W(dc_, wide.c_str(), static_cast<int>(wide.size()), &size);
  return size.cx;
}

double GdiPage::Ascent(const PageFont& font) const { return Measures(font).tmAscent; }
double GdiPage::Descent(const PageFont& font) const { return Measures(font).tmDescent; }
double GdiPage::Leading(const PageFont& font) const { return Measures(font).tmExternalLeading; }

void GdiPage::Paint(const PageDrawing& page, POINT origin) const {
  const int saved = SaveDC(dc_);
  SetBkMode(dc_, TRANSPARENT);
  SetTextColor(dc_, RGB(0, 0, 0));
  SetTextAlign(dc_, TA_BASELINE | TA_LEFT);
  SelectObject(dc_, GetStockObject(NULL_BRUSH));
  // The thinnest line is a screen pixel wide: a printer's own dot is too fine to see.
  const int thinnest = std::max(1, Round(dotsPerInch_ / kScreenDotsPerInch));
  for (const PageRule& rule : page.rules) {
    HPEN pen = CreatePen(PS_SOLID, std::max(thinnest, Round(rule.width)), RGB(0, 0, 0));
    HGDIOBJ old = SelectObject(dc_, pen);
    MoveToEx(dc_, origin.x + Round(rule.x1), origin.y + Round(rule.y1), nullptr);
    LineTo(dc_, origin.x + Round(rule.x2), origin.y + Round(rule.y2));
    SelectObject(dc_, old);
    DeleteObject(pen);
  }
  HPEN boxPen = CreatePen(PS_INSIDEFRAME, thinnest, RGB(0, 0, 0));
  SelectObject(dc_, boxPen);
  for (const PageBox& box : page.boxes)
    Rectangle(dc_, origin.x + Round(box.left), origin.y + Round(box.top), origin.x + Round(box.left + box.width) + 1,
              origin.y + Round(box.top + box.height) + 1);
  for (const PageText& text : page.texts) {
    Select(text.font);
    const std::wstring wide = WideFromUtf8(text.text);
    TextOutW(dc_, origin.x + Round(text.x), origin.y + Round(text.baseline), wide.c_str(),
             static_cast<int>(wide.size()));
  }
  RestoreDC(dc_, saved);
  DeleteObject(boxPen);
}

void PaintReportPage(HDC dc, const Sheet& sheet, const CalculationReport& report) {
  const double unitsPerMm = sheet.dotsPerInch / kMmPerInch;
  const int margin = Round(kReportMarginMm * unitsPerMm);
  const PageArea area{static_cast<double>(sheet.width - 2 * margin), static_cast<double>(sheet.height - 2 * margin),
                      unitsPerMm};
  const GdiPage page(dc, sheet.dotsPerInch);
  page.Paint(LayOutReport(report, page, area), {margin - sheet.offsetX, margin - sheet.offsetY});
}

}  // namespace quillet
