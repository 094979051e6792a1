// The packet-set engine held against the brute-force oracle on two lists, for
// the agreement test and the fuzz target alike.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace kerbwise::testing {

enum class Agreement { Agrees, OutOfReach };

// Compares what the engine says of `oldLines` (which entries some packet
// reaches, FindShadowed) and of the two lists (DiffLists: same or not, the
// deciding pairs, the example packets) with the oracle's packets. Gives
// OutOfReach when the lists have too many cells for the oracle; throws
// std::logic_error describing the first disagreement, with both lists.
Agreement CheckEngineAgainstOracle(const std::vector<std::string>& oldLines,
                                   const std::vector<std::string>& newLines);

}  // namespace kerbwise::testing
