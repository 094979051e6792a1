#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kerbwise {

// The built-in rule template: one line per admissible form of an entry.
const std::vector<std::string>& BuiltInTemplate();

// Whether `word` is one of the 25 keywords of the rule language.
bool IsKeyword(std::string_view word);

}  // namespace kerbwise
