// The texts of the reflected list.
#pragma once

#include "text/phrase.h"

namespace kerbwise::texts {

// The caption the result window takes over for a reflected list.
inline constexpr Phrase kReflectCaption{"Reflect", "Отражение"};

}  // namespace kerbwise::texts
