#include "packets/entry_set.h"

#include <stdexcept>

namespace kerbwise {

PacketSet EntrySet(const CompiledEntries&, const CompiledEntry&) {
  throw std::invalid_argument("not built yet");
}

}  // namespace kerbwise
