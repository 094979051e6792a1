#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kerbwise {

// What a header line of an access list tells: the list's name, whole and as
// a window caption shows it.
struct AclHeader {
  std::string AclName;      // at most 255 characters
  std::string CaptionName;  // whole up to 32 characters, else its first 30 and ".."
};

// Reads a line that begins "ip access-list ", "Extended IP access list " or
// "IP access list "; nullopt for any other line. Both the configuration
// command (with or without "extended") and the router's show heading give
// the bare name; "ip access-list standard NAME" gives "standard NAME".
std::optional<AclHeader> ReadAclHeader(std::string_view line);

}  // namespace kerbwise
