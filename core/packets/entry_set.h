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

// What keeps a clean rule entry from having an exact set (a protocol, a
// precedence or an ICMP message that is a name no table turns into a number:
// only a changed template makes one), in English; nullopt when nothing does.
// Needs no worker.
std::optional<std::string> EntrySetFault(const CompiledEntry& entry);

}  // namespace kerbwise
