#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "run/run_hooks.h"

namespace kerbwise {

// What kind of list a header (or a list number) announces. Unread: IPv6,
// MAC, FQDN, ... lists, named, never read.
enum class ListKind : std::uint8_t { Extended, Standard, Unread };

// The word that names a readable kind in configuration commands:
// "ip access-list standard 99", "ip access-list extended EDGE".
inline std::string_view ConfigKindWord(ListKind kind) {
  return kind == ListKind::Standard ? "standard" : "extended";
}

// One list of a paste, as a chooser shows it.
struct FoundList {
  // As the header gives it ("101", "sample"); empty for a paste without header.
  std::string Name;
  ListKind Kind = ListKind::Extended;
  std::string KindText;     // for Unread lists: what the header says it is ("IPv6", "MAC", ...)
  std::size_t Entries = 0;  // entry lines (remarks included), before object groups are expanded

  bool operator==(const FoundList&) const = default;
};

// Every list of a pasted text, in the order their first lines stand: lists
// under configuration and show headers, numbered lists gathered from their
// "access-list N" lines, and lists the intake does not read (named, kept
// apart, never merged into a neighbour). Entries above the first header
// belong to the first list; a paste without any header is one nameless
// extended list. Empty for a paste with no list and no entry.
std::vector<FoundList> FindLists(const std::vector<std::string>& sourceLines,
                                 const ProgressCallback& progress = {});

}  // namespace kerbwise
