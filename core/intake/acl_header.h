#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace kerbwise {

inline constexpr std::string_view kProgramTitle = "Kerbwise";

// What a header line of an access list tells: the list's name and the text
// of the window caption (also the application title).
struct AclHeader {
  std::string AclName;  // at most 255 characters
  std::string Caption;
};

// Reads a line that begins "ip access-list ", "Extended IP access list " or
// "IP access list "; nullopt for any other line. Both the configuration
// command (with or without "extended") and the router's show heading give
// the bare name; "ip access-list standard NAME" gives "standard NAME".
std::optional<AclHeader> ReadAclHeader(std::string_view line);

// One command of the Name button's copy menu: its caption and the text it
// puts on the clipboard.
struct NameCopyCommand {
  std::string Caption;
  std::string Text;
};

// The three copy commands for `aclName`: the name alone, "ip access-list"
// and "ip access-list extended" followed by the name.
std::array<NameCopyCommand, 3> NameCopyCommands(std::string_view aclName, bool russian);

}  // namespace kerbwise
