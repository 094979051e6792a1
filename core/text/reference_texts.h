// The texts of the names reference. The reference itself is the same in both
// languages.
#pragma once

#include "text/phrase.h"

namespace kerbwise::texts {

// The caption the result window takes over for the reference.
inline constexpr Phrase kNamesReferenceCaption{"ports and ICMP codes names",
                                               "имена портов и кодов ICMP"};

}  // namespace kerbwise::texts
