// <windows.h> for the Windows view, without the macros that would rename
// the program's own functions (Services::MessageBox, Program::FindWindow)
// or the standard library's (std::min, std::max).
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#undef MessageBox
#undef FindWindow
