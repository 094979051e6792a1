#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "reorder/order_safety.h"
#include "rules/check_options.h"

namespace kerbwise {

class LineRecognizer;

// The order check decided exactly: the pairs of entries that a new order
// puts the other way round and that really decide some packet differently
// (one of them decides it in the old order, the other in the new, with
// opposite actions). None is left exactly when the new order does what the
// old one did; an entry pair that the pairwise check (FindOrderChanges)
// reports but a third entry decides first is not among them. Arguments as
// FindOrderChanges takes them. When a rule line cannot be matched as a
// packet set (a value the comparison refuses) or the diagrams grow past
// their cap, the pairwise answer is given instead, which errs on the side
// of warning. Runs on the PacketWorker and waits for it.
OrderChanges FindExactOrderChanges(const std::vector<std::string>& listLines,
                                   const std::vector<std::size_t>& newPosition,
                                   const CheckOptions& options, LineRecognizer& recognizer,
                                   std::size_t listLimit = kListedOrderChanges);

}  // namespace kerbwise
