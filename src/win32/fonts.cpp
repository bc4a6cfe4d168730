#include "win32/fonts.h"

#include <cmath>

namespace quillet {

Fonts::~Fonts() {
  for (const auto& [size, font] : made_) DeleteObject(font);
}

HFONT Fonts::Arial(double points, bool bold, int dotsPerInch) {
  const auto key = std::make_tuple(points, bold, dotsPerInch);
  if (auto it = made_.find(key); it != made_.end()) return it->second;
  // A negative height asks for the character's height, as a point size does.
  const int height = -static_cast<int>(std::lround(points * dotsPerInch / 72.0));
  HFONT font = CreateFontW(height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                           OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH | FF_SWISS, L"Arial");
  made_[key] = font;
  return font;
}

int ScreenDotsPerInch() {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi;
}

}  // namespace quillet
