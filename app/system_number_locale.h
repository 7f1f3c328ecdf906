#pragma once

#include "core/number_text.h"

namespace kamerol {

// How the user's locale writes numbers (LC_ALL, LC_NUMERIC or LANG), from the
// C library, without a toolkit: the decimal separator Qt's system locale
// gives. Where the named locale is not installed the numbers are read with a
// decimal point. The C library's locale is left as it was; call it before any
// other thread starts.
NumberLocale systemNumberLocale();

}  // namespace kamerol
