#include "forms/center_over_main.h"

#include "platform/desktop.h"
#include "platform/window.h"

namespace quillet {
namespace {

// One axis: whole-twip halving truncated toward zero, then the screen clamps.
// The right-edge clamp is not tried once the start is at or before zero.
int CentredStart(int mainStart, int mainSize, int size, int screenSize) {
  const int start = mainStart + (mainSize - size) / 2;
  if (start <= 0) return 0;
  if (start >= screenSize - size) return screenSize - size;
  return start;
}

}  // namespace

void CenterOverMain(Window& window, const Window& main, int width, int height) {
  const Desktop& screen = main.Screen();
  window.Move(CentredStart(main.Left(), main.Width(), width, screen.ScreenWidth()),
              CentredStart(main.Top(), main.Height(), height, screen.ScreenHeight()));
}

}  // namespace quillet
