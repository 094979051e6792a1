#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "packets/packet_set.h"
#include "rules/check_options.h"

namespace kerbwise {

// One packet two lists decide differently, with the entry that decides it in
// each. Entries are 0-based lines of their list; nullopt is the implicit
// deny at the end.
struct ExamplePacket {
  std::string Protocol;  // "tcp", "udp", "icmp", ... or the number
  std::string Source, Destination;
  std::optional<std::uint16_t> SourcePort, DestinationPort;  // tcp and udp
  std::optional<std::uint8_t> IcmpType, IcmpCode;            // icmp
  std::optional<std::size_t> OldEntry, NewEntry;
  bool OldPermits = false, NewPermits = false;
  Packet Raw;
};

// An entry of each list such that some packet is decided by the one in the
// old list and by the other in the new list, with opposite actions.
struct DecidingPair {
  std::size_t OldLine = 0, NewLine = 0;
  bool operator==(const DecidingPair&) const = default;
};

struct ListDiff {
  bool Same = true;
  // A few examples each, from different pairs of deciding entries first.
  std::vector<ExamplePacket> NewlyPermitted, NewlyDenied;
  // Every pair of entries that decide some packet differently, in the order
  // found (old entries in list order first).
  std::vector<DecidingPair> Pairs;
  // The first line that could not be read, or the diagram size cap; the
  // rest is empty then.
  std::optional<std::string> Error;
};

inline constexpr std::size_t kDiffExamples = 5;

// What the new list does differently from the old one, packet by packet
// (first full match, implicit deny). Both are lists as the list pane holds
// them, each line with its entry number; remarks and empty lines take no
// part. Entries are compared by what they say, so renumbering changes
// nothing. Only the entries between the longest common head and tail and
// the entries that meet them are looked at, so a small edit of a long list
// is quick. Reads MaskType and TextLanguage. Runs on the PacketWorker and
// waits for it.
ListDiff DiffLists(const std::vector<std::string>& oldLines,
                   const std::vector<std::string>& newLines, const CheckOptions& options,
                   std::size_t examples = kDiffExamples);

// For two lists that hold the same lines in another order: the pairs alone
// (no examples), followed only from the old list's lines marked in `from`
// (one flag per old line). A packet such lists decide differently is decided
// in the old list by a line that the new order puts after a line of the
// opposite action that also matches it, so marking those lines finds every
// pair.
ListDiff DiffReordered(const std::vector<std::string>& oldLines,
                       const std::vector<std::string>& newLines, const CheckOptions& options,
                       const std::vector<bool>& from);

}  // namespace kerbwise
