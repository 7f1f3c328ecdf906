#pragma once

#include "core/number_text.h"

namespace kamerol {

// How the user's locale writes numbers, without a toolkit: the decimal
// separator Qt's system locale gives. Elsewhere than on Windows from the C
// library (LC_ALL, LC_NUMERIC or LANG); where the named locale is not
// installed the numbers are read with a decimal point. The C library's locale
// is left as it was; call it before any other thread starts. On Windows from
// the user's regional settings.
NumberLocale systemNumberLocale();

}  // namespace kamerol
