#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace kerbwise::bench {

// Entries numbered 10, 20, ... as the list pane holds them.
std::vector<std::string> Numbered(const std::vector<std::string>& entries);

// A list as they come: the synthetic entries, with a broader entry every 40
// lines (a subnet over the hosts before and after it, of either action), a
// repeated entry now and then and a final "deny ip any any". Many lines take
// part in groups and some conflict.
std::vector<std::string> RealisticList(std::size_t count);

// Entries whose source and destination are drawn at random, each a /16 to a
// /32, a few per cent with a mask that has a hole in it; tcp and udp with a
// port, ip and icmp; either action; a final "deny ip any any".
std::vector<std::string> RandomAddressList(std::size_t count, unsigned seed = 11);

}  // namespace kerbwise::bench
