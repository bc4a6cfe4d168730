// Twips to Qt's device-independent pixels: 15 twips each, so the layout
// scales with the screen's device pixel ratio like any Qt geometry.
#pragma once

#include <QRect>

#include "platform/controls.h"

namespace quillet {

inline constexpr int kTwipsPerPixel = 15;

inline constexpr int ToPixels(int twips) { return twips / kTwipsPerPixel; }
inline constexpr int ToTwips(int pixels) { return pixels * kTwipsPerPixel; }

inline QRect ToRect(const Bounds& b) {
  return {ToPixels(b.left), ToPixels(b.top), ToPixels(b.width), ToPixels(b.height)};
}

}  // namespace quillet
