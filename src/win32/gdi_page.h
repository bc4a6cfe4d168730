// The shared page drawing (report/page_layout.h) on a GDI device: a printer
// or a bitmap. Text is measured with the device's own fonts, so the layout
// fits the page the device prints.
#pragma once

#include "win32/windows_api.h"

#include "report/page_layout.h"
#include "win32/fonts.h"

namespace quillet {

struct CalculationReport;

// A sheet of paper as the device sees it: its resolution, the whole sheet
// and where the device's drawable area starts on it (printers cannot print
// to the edge), in device units.
struct Sheet {
  int dotsPerInch = 96;
  int width = 0, height = 0;
  int offsetX = 0, offsetY = 0;
};

// A printer's sheet, from its device context.
Sheet SheetOf(HDC printer);

class GdiPage : public TextMetrics {
 public:
  GdiPage(HDC dc, int dotsPerInch);
  ~GdiPage() override;
  GdiPage(const GdiPage&) = delete;
  GdiPage& operator=(const GdiPage&) = delete;

  double Advance(const PageFont& font, std::string_view text) const override;
  double Ascent(const PageFont& font) const override;
  double Descent(const PageFont& font) const override;
  double Leading(const PageFont& font) const override;

  // Draws in black, the drawing's top left at `origin` (device units).
  void Paint(const PageDrawing& page, POINT origin) const;

 private:
  TEXTMETRICW Measures(const PageFont& font) const;
  HFONT Select(const PageFont& font) const;

  HDC dc_;
  int dotsPerInch_;
  mutable Fonts fonts_;
  HGDIOBJ original_;
};

// The calculation report on one sheet, within the report's margins.
void PaintReportPage(HDC dc, const Sheet& sheet, const CalculationReport& report);

}  // namespace quillet
