#pragma once

// The one way the shell includes the Windows API: windows.h first (the other
// Windows headers build on it), without its min and max macros, which would
// break std::min and std::max.

#include <QtGlobal>

#ifdef Q_OS_WIN
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#endif
