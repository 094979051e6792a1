// The texts of the recognize command's report that are not the core's.
#pragma once

#include "text/phrase.h"

namespace kerbwise::texts {

// The label of a parameter error, in the row below a recognised line.
inline constexpr Phrase kParameterErrorLabel{"parameter error", "ошибка параметра"};

}  // namespace kerbwise::texts
