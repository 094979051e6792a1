#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "intake/normalize_acl.h"
#include "intake/object_error.h"
#include "text/language.h"

namespace kerbwise {

inline constexpr std::string_view kProgramTitle = "Kerbwise";

// The window caption for a list: "Kerbwise: NAME", or the program's title
// alone when the list has no header.
std::string ListCaption(const std::optional<std::string>& captionName);
std::string ListCaption(const NormalizeResult& result);

// The controls that work on the normalised list, and whether a run leaves
// each of them usable.
struct ListControls {
  bool Name = false;        // the list has a name to copy
  bool Objects = false;     // group members went into its entries
  bool Analysis = false;    // two or more entries with trustworthy numbers
  bool Sort = false;        // as Analysis
  bool PortsInSet = false;  // as Analysis: an option of the sort
  bool Reflect = false;     // at least one entry

  bool operator==(const ListControls&) const = default;
};
ListControls ControlsAfter(const NormalizeResult& result);

// What the error label says about an object error.
std::string ObjectErrorMessage(const ObjectError& error, Language language);

// One command of the Name button's copy menu: its caption and the text it
// puts on the clipboard.
struct NameCopyCommand {
  std::string Caption;
  std::string Text;
};

// The three copy commands for `aclName`: the name alone, "ip access-list"
// and "ip access-list extended" (for a standard list "ip access-list
// standard") followed by the name.
std::array<NameCopyCommand, 3> NameCopyCommands(std::string_view aclName, Language language,
                                                ListKind kind = ListKind::Extended);

}  // namespace kerbwise
