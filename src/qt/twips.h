// The model's twips as Qt's device-independent pixels (platform/view_rules.h),
// so the layout scales with the screen's device pixel ratio like any Qt
// geometry.
#pragma once

#include <QRect>

#include "platform/view_rules.h"

namespace quillet {

inline QRect ToRect(const Bounds& b) {
  const PixelRect r = PixelsOf(b);
  return {r.left, r.top, r.width, r.height};
}

}  // namespace quillet
