// Type of fixed width standing in for a device: every character is as wide
// as the font's size in points, so widths can be counted by hand.
#pragma once

#include "platform/utf8.h"
#include "report/page_layout.h"

namespace quillet {

class FixedWidthType : public TextMetrics {
 public:
  double Advance(const PageFont& font, std::string_view text) const override {
    return Utf8Length(text) * font.points;
  }
  double Ascent(const PageFont& font) const override { return font.points; }
  double Descent(const PageFont& font) const override { return font.points / 4; }
  double Leading(const PageFont&) const override { return 0.5; }
};

}  // namespace quillet
