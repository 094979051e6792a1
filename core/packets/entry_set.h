#pragma once

#include <optional>
#include <string>

#include "packets/packet_set.h"
#include "rules/compiled_entry.h"

namespace kerbwise {

// The packets a rule entry matches, exactly as a full match reads the entry
// (CompiledEntries::Covers with a default CoverQuery): an entry A covers an
// entry B there only if EntrySet(B) is inside EntrySet(A). The entry must be
// of kind Rule and Clean, and EntrySetFault must find nothing; throws
// std::invalid_argument otherwise. Runs inside a PacketWorker job.
PacketSet EntrySet(const CompiledEntries& entries, const CompiledEntry& entry);

// Whether the entry matches the packet: the same as EntrySet(...).Holds(packet)
// without a diagram, so any thread may ask it. The entry as for EntrySet.
bool EntryMatches(const CompiledEntries& entries, const CompiledEntry& entry, const Packet& packet);

// A packet the entry matches, nullopt when it matches none: the lowest corner
// of its set with seed 0, else one picked at random by the seed. No diagram
// is needed. The entry as for EntrySet.
std::optional<Packet> EntryWitness(const CompiledEntries& entries, const CompiledEntry& entry,
                                   std::uint64_t seed);

// What keeps a clean rule entry from having an exact set, in English; nullopt
// when nothing does. Needs no worker. Such are a protocol or an ICMP message
// that is a name no table turns into a number, and an option text that could
// get no key (only a changed template makes them). The IP option and a
// precedence, dscp or tos text that is no number are read as the full match
// reads them: as one key, equal or not (Packet::OptionKey).
std::optional<std::string> EntrySetFault(const CompiledEntry& entry);

}  // namespace kerbwise
