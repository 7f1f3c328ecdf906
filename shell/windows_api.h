#pragma once

// The one way Kamerol includes the Windows API: windows.h first (the other
// Windows headers build on it), without its min and max macros, which would
// break std::min and std::max. No Qt here: the toolkit-free programs use it too.

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#endif
