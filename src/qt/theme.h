// The desktop's light or dark look. A dark desktop (or QUILLET_THEME=dark)
// gets Fusion with a dark palette; the program's own colours stay as they
// are, so a text whose colour the dark background would hide is shown on
// paper, the light background those colours were chosen for.
#pragma once

#include <QColor>

class QPalette;

namespace quillet {

// Switches to the dark look when the desktop's palette is dark or the
// environment asks for it; QUILLET_THEME=light keeps the light one.
void FollowDesktopTheme();
// Fusion with a dark palette, for the whole program.
void UseDarkLook();

// The WCAG contrast ratio of two colours, 1 to 21.
double Contrast(const QColor& a, const QColor& b);
// `background`, or paper where a text in `text` would not stand out on it.
QColor BackdropFor(const QColor& text, const QColor& background);

}  // namespace quillet
