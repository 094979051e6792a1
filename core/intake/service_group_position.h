#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kerbwise {

// Show output prints a service group in the protocol position without its
// keyword ("permit WEB any host 10.1.1.1"). Gives such an entry (trimmed,
// with or without its number) as configuration writes it ("permit
// object-group WEB any host 10.1.1.1"), so that it expands like any other
// service group; nullopt for every other line. The word is a group only when
// it is no protocol: no protocol name, no number, no address.
std::optional<std::string> WithServiceGroupKeyword(std::string_view line);

}  // namespace kerbwise
