#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kerbwise {

// The built-in rule template: one line per admissible form of an entry.
const std::vector<std::string>& BuiltInTemplate();

// Whether `word` is one of the 25 keywords of the rule language.
bool IsKeyword(std::string_view word);

// What a protocol keyword stores as the protocol: "ip" for ip, otherwise the
// protocol number ("6" for tcp). Nullopt for any other word.
std::optional<std::string_view> ProtocolValue(std::string_view keyword);

}  // namespace kerbwise
