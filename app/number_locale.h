#pragma once

#include <QLocale>

#include "core/number_text.h"

namespace kamerol {

// How `locale` writes numbers, for reading what the user types.
NumberLocale numberLocaleOf(const QLocale& locale);

}  // namespace kamerol
