#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "intake/found_lists.h"

namespace kerbwise {

// What a header line of an access list tells: the list's name, whole and as
// a window caption shows it, and the kind of list it opens.
struct AclHeader {
  std::string AclName;      // at most 255 characters
  std::string CaptionName;  // whole up to 32 characters, else its first 30 and ".."
  ListKind Kind = ListKind::Extended;
  std::string KindText;  // Unread lists: what the header calls them ("IPv6", "MAC", ...)
};

// Reads the header of a list in configuration form ("ip access-list
// [extended|standard] NAME", "ipv6 access-list NAME", "mac access-list
// extended NAME", ...) or as the router's show output heads it ("Extended IP
// access list NAME", "Standard IP access list NAME", "IP access list NAME",
// "IPv6 access list NAME", ...). A header without a kind word opens an
// extended list; IPv4 lists of other kinds, and lists of other protocols,
// are Unread. Nullopt for any other line, including the "ip access-list"
// commands that open no list (resequence, logging, ...).
std::optional<AclHeader> ReadAclHeader(std::string_view line);

}  // namespace kerbwise
