#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace kerbwise::testing {

// `count` distinct access-list entries of the kinds real lists hold: tcp and
// udp with port conditions, ip, icmp with messages, the free-order options,
// hosts, wildcard masks and prefixes. The same seed gives the same lines.
std::vector<std::string> SyntheticEntries(std::size_t count, unsigned seed = 1);

}  // namespace kerbwise::testing
