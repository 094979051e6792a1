#pragma once

#include "packets/packet_set.h"
#include "rules/compiled_entry.h"

namespace kerbwise {

// The packets a rule entry matches, exactly as a full match reads the entry
// (CompiledEntries::Covers with a default CoverQuery): an entry A covers an
// entry B there only if EntrySet(B) is inside EntrySet(A). The entry must be
// of kind Rule and Clean; throws std::invalid_argument otherwise. Runs inside
// a PacketWorker job.
PacketSet EntrySet(const CompiledEntries& entries, const CompiledEntry& entry);

}  // namespace kerbwise
