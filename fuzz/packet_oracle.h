// A plain reading of what one recognised entry does with one packet, for the
// fuzz targets to hold the comparison against.
#pragma once

#include <algorithm>
#include <cstdint>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "check/check_for_match.h"
#include "rules/address_sets.h"
#include "rules/compiled_entry.h"
#include "rules/limits.h"
#include "rules/packet_fields.h"
#include "rules/rule_record.h"

namespace kerbwise::fuzz {

struct Protocol {
  const char* word;
  const char* number;
  bool ports;
};
inline constexpr Protocol kProtocols[] = {
    {"tcp", "6", true},    {"udp", "17", true},  {"icmp", "1", false},  {"gre", "47", false},
    {"ip", "ip", false},   {"esp", "50", false}, {"ospf", "89", false}, {"eigrp", "88", false},
    {"sctp", "132", true}, {"igmp", "2", false}, {"ahp", "51", false},
};

// Whether an entry asks for a field that a plain packet (no ToS bits, no
// TTL, no IP option, no fragment) does not carry: the conditions compared
// before the ports.
inline bool AsksForFieldsAPlainPacketLacks(const RuleRecord& rule) {
  for (const Slot slot : {SlotPrecedence, SlotDscp, SlotTos, SlotTtl, SlotFragments, SlotOption}) {
    if (!rule.Values.Get(SideNone, slot).empty()) return true;
  }
  return false;
}

// Whether an entry asks for TCP flags; words that allow every combination
// ask for nothing.
inline bool AsksForTcpFlags(const RuleRecord& rule) {
  const std::string& flags = rule.Values.Get(SideNone, SlotTcpFlags);
  return !rule.Values.Get(SideNone, SlotEstablished).empty() ||
         (!flags.empty() && TcpFlagCombinations(flags) != kAnyTcpFlags);
}

// Both of the above, or an ICMP or IGMP message.
inline bool AsksForWhatAPlainPacketLacks(const RuleRecord& rule) {
  return AsksForFieldsAPlainPacketLacks(rule) || AsksForTcpFlags(rule) ||
         !rule.Values.Get(SideNone, SlotPort).empty();
}

enum class Fit { Yes, No, Error };

// Whether `port` satisfies a canonical port condition ("eq 80 443", "range
// 1000 2000"...); an error for a condition that describes no port at all.
inline Fit PortFits(const std::string& condition, std::uint32_t port) {
  std::istringstream in(condition);
  std::string op;
  in >> op;
  std::vector<std::uint32_t> values;
  for (std::uint32_t value; in >> value;) values.push_back(value);
  if (values.empty()) return Fit::Error;
  if (op == "eq") return std::count(values.begin(), values.end(), port) ? Fit::Yes : Fit::No;
  if (op == "neq") return std::count(values.begin(), values.end(), port) ? Fit::No : Fit::Yes;
  if (op == "gt") {
    if (values[0] >= kMaxPort) return Fit::Error;
    return port > values[0] ? Fit::Yes : Fit::No;
  }
  if (op == "lt") {
    if (values[0] == 0) return Fit::Error;
    return port < values[0] ? Fit::Yes : Fit::No;
  }
  if (op == "range" && values.size() == 2) {
    const auto [low, high] = std::minmax(values[0], values[1]);
    return port >= low && port <= high ? Fit::Yes : Fit::No;
  }
  return Fit::Error;
}

// What the entry does with the packet: MatchPermit, MatchDeny, NoMatch or
// MatchError, in the order the comparison decides.
inline std::uint8_t Expected(const RuleRecord& rule, const Protocol& protocol, std::uint32_t src,
                             std::uint32_t dst, std::uint32_t srcPort, std::uint32_t dstPort) {
  const std::string& ruleProtocol = rule.Values.Get(SideNone, SlotProtocol);
  const bool ruleIp = ruleProtocol == "ip";
  if (!ruleIp && ruleProtocol != protocol.number) return NoMatch;
  if (!AddressFitsMask(rule.SrcAddr, rule.SrcMask) ||
      !AddressFitsMask(rule.DstAddr, rule.DstMask)) {
    return MatchError;
  }
  if ((src & rule.SrcMask) != rule.SrcAddr || (dst & rule.DstMask) != rule.DstAddr) return NoMatch;
  if (AsksForFieldsAPlainPacketLacks(rule)) return NoMatch;
  const std::uint8_t action = rule.Status == StatusPermit ? MatchPermit : MatchDeny;
  if (ruleIp || std::string(protocol.number) == "ip") return action;
  if (protocol.ports) {
    for (const auto& [side, port] :
         {std::pair{SideSource, srcPort}, std::pair{SideDestination, dstPort}}) {
      const std::string& condition = rule.Values.Get(side, SlotPort);
      if (condition.empty()) continue;
      const Fit fit = PortFits(condition, port);
      if (fit == Fit::Error) return MatchError;
      if (fit == Fit::No) return NoMatch;
    }
  }
  if (AsksForTcpFlags(rule) || !rule.Values.Get(SideNone, SlotPort).empty()) return NoMatch;
  return action;
}

// The lowest and the highest port a port condition lets through (every port
// for no condition); empty when it lets none through or does not read.
inline std::vector<std::uint32_t> PortCorners(const std::string& condition) {
  if (condition.empty()) return {0, kMaxPort};
  std::istringstream in(condition);
  std::string op;
  in >> op;
  std::vector<std::uint32_t> values;
  for (std::uint32_t value; in >> value;) values.push_back(value);
  if (values.empty()) return {};
  std::sort(values.begin(), values.end());
  if (op == "eq" || op == "range") return {values.front(), values.back()};
  if (op == "gt" && values[0] < kMaxPort) return {values[0] + 1, kMaxPort};
  if (op == "lt" && values[0] > 0) return {0, values[0] - 1};
  if (op == "neq") {
    std::uint32_t low = 0;
    for (const std::uint32_t value : values) low += value == low;
    std::uint32_t high = kMaxPort;
    for (auto it = values.rbegin(); it != values.rend(); ++it) high -= *it == high;
    if (low <= kMaxPort && low <= high) return {low, high};
  }
  return {};
}

}  // namespace kerbwise::fuzz
