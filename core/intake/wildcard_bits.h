#pragma once

#include <string>
#include <string_view>

#include "rules/check_options.h"

namespace kerbwise {

// Show output prints the mask of a standard entry as "ADDRESS, wildcard bits
// MASK", which a router does not take as configuration. Gives the entry with
// each such mask in configuration form, "ADDRESS MASK", the mask written the
// way `maskType` says masks are written, so that it keeps its meaning; any
// other text comes back as it is.
std::string WithConfigurationMasks(std::string_view entry, MaskForm maskType);

}  // namespace kerbwise
