#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace kerbwise {

// How deep "group-object" members may nest under one reference, counted over
// the whole tree below it.
inline constexpr unsigned kMaxNestedGroups = 31;
// A range member becomes one host entry per address; a wider range stops the
// run instead of flooding the list.
inline constexpr std::uint64_t kMaxRangeAddresses = 65536;
// References multiply: a few groups in one entry could otherwise ask for more
// entries than memory holds.
inline constexpr std::size_t kMaxDerivedEntries = 1'000'000;

// Why the object groups of an entry could not be expanded.
enum class ObjectProblem : std::uint8_t {
  AddressGroupNotFound,  // no definition of an address group has a usable member
  GroupNotFound,         // the same for a port, network or service group
  RecursiveNesting,      // more than kMaxNestedGroups nested groups, or a group naming itself
  MissingNestedGroup,    // a group holds a group that is not defined
  NoMembers,             // a group holds descriptions only: the entry would vanish
  RangeTooWide,          // a range member spans more than kMaxRangeAddresses
  TooManyEntries,        // one entry would become more than kMaxDerivedEntries
  DefinedTwice,          // a group is defined both in the pasted list and in the object pane
};

// An object-group error that stops a normalisation run.
struct ObjectError {
  ObjectProblem Problem = ObjectProblem::GroupNotFound;
  std::string Object;  // the group the error names, kept for copying
  std::string Range;   // RangeTooWide: the member's two addresses as written

  bool operator==(const ObjectError&) const = default;
};

}  // namespace kerbwise
