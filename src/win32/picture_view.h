// A model picture on a window: its shapes painted with GDI, scaled from
// their 160 x 120 grid to the control. The picture lets the mouse through
// to the window, which gives its clicks to the picture's control.
#pragma once

#include "win32/windows_api.h"

namespace quillet {

class Picture;

// Registers the window class once; the picture's control is the window's
// creation parameter.
const wchar_t* PictureClass(HINSTANCE instance);

}  // namespace quillet
