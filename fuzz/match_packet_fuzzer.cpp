// One entry against one packet. The first 13 bytes are the packet (protocol
// choice, source and destination address, source and destination port); the
// rest is the entry. The packet, written as a condition with host addresses
// and single ports, is compared with the entry by CheckForMatch, and the
// outcome must be what a plain reading of the entry says about the packet:
// the protocol fits, both addresses lie in the entry's sets, the ports in
// its port conditions, and the entry asks for nothing the packet lacks
// (precedence, TTL, established, an ICMP message).
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "check/address_sets.h"
#include "check/check_for_match.h"
#include "fuzz_support.h"
#include "rules/list_entry.h"
#include "rules/primitives.h"

namespace {

using namespace kerbwise;

struct Protocol {
  const char* word;
  const char* number;
  bool ports;
};
constexpr Protocol kProtocols[] = {
    {"tcp", "6", true}, {"udp", "17", true}, {"icmp", "1", false}, {"gre", "47", false},
    {"ip", "ip", false}, {"esp", "50", false}, {"ospf", "89", false}, {"eigrp", "88", false},
};

enum class Fit { Yes, No, Error };

// Whether `port` satisfies a canonical port condition ("eq 80 443", "range
// 1000 2000"...); an error for a condition that describes no port at all.
Fit PortFits(const std::string& condition, std::uint32_t port) {
  std::istringstream in(condition);
  std::string op;
  in >> op;
  std::vector<std::uint32_t> values;
  for (std::uint32_t value; in >> value;) values.push_back(value);
  if (values.empty()) return Fit::Error;
  if (op == "eq") return std::count(values.begin(), values.end(), port) ? Fit::Yes : Fit::No;
  if (op == "neq") return std::count(values.begin(), values.end(), port) ? Fit::No : Fit::Yes;
  if (op == "gt") {
    if (values[0] >= 65535) return Fit::Error;
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

std::uint32_t Read32(const std::uint8_t* data) {
  return static_cast<std::uint32_t>(data[0]) << 24 | static_cast<std::uint32_t>(data[1]) << 16 |
         static_cast<std::uint32_t>(data[2]) << 8 | data[3];
}

// What the entry does with the packet: MatchPermit, MatchDeny, NoMatch or
// MatchError, in the order the comparison decides.
std::uint8_t Expected(const TExpr& rule, const Protocol& protocol, std::uint32_t src,
                      std::uint32_t dst, std::uint32_t srcPort, std::uint32_t dstPort) {
  const std::string& ruleProtocol = rule.Values.Get(SideNone, SlotProtocol);
  const bool ruleIp = ruleProtocol == "ip";
  if (!ruleIp && ruleProtocol != protocol.number) return NoMatch;
  if (!AddressFitsMask(rule.SrcAddr, rule.SrcMask) || !AddressFitsMask(rule.DstAddr, rule.DstMask)) {
    return MatchError;
  }
  if ((src & rule.SrcMask) != rule.SrcAddr || (dst & rule.DstMask) != rule.DstAddr) return NoMatch;
  if (!rule.Values.Get(SideNone, SlotPrecedence).empty()) return NoMatch;
  if (!rule.Values.Get(SideNone, SlotTtl).empty()) return NoMatch;
  const std::uint8_t action = rule.Status == StatusPermit ? MatchPermit : MatchDeny;
  if (ruleIp || std::string(protocol.number) == "ip") return action;
  if (protocol.ports) {
    for (const auto& [side, port] : {std::pair{SideSource, srcPort}, std::pair{SideDestination, dstPort}}) {
      const std::string& condition = rule.Values.Get(side, SlotPort);
      if (condition.empty()) continue;
      const Fit fit = PortFits(condition, port);
      if (fit == Fit::Error) return MatchError;
      if (fit == Fit::No) return NoMatch;
    }
  }
  if (!rule.Values.Get(SideNone, SlotEstablished).empty()) return NoMatch;
  if (std::string(protocol.number) == "1" && !rule.Values.Get(SideNone, SlotPort).empty()) {
    return NoMatch;
  }
  return action;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 13) return 0;
  const Protocol& protocol = kProtocols[data[0] % std::size(kProtocols)];
  const MaskForm maskType = data[0] & 0x80u ? MaskForm::Netmask : MaskForm::Wildcard;
  const std::uint32_t src = Read32(data + 1);
  const std::uint32_t dst = Read32(data + 5);
  const std::uint32_t srcPort = static_cast<std::uint32_t>(data[9]) << 8 | data[10];
  const std::uint32_t dstPort = static_cast<std::uint32_t>(data[11]) << 8 | data[12];
  const std::string entry = ListEntryText(fuzz::AsText(data + 13, size - 13));

  std::string condition = std::string("permit ") + protocol.word + " host " + ValToIP(src);
  if (protocol.ports) condition += " eq " + std::to_string(srcPort);
  condition += " host " + ValToIP(dst);
  if (protocol.ports) condition += " eq " + std::to_string(dstPort);

  static LineRecognizer recognizer;
  recognizer.EmptyCache();
  CheckOptions options;
  options.MaskType = maskType;
  const RecognisedLine rule = RecogniseLine(entry, options, recognizer);
  const RecognisedLine subject = RecogniseLine(condition, options, recognizer);
  fuzz::Require(subject.Expr->Status == StatusPermit && !subject.ParameterError,
                "a packet condition is not recognised", condition);
  if (rule.ParameterError ||
      (rule.Expr->Status != StatusPermit && rule.Expr->Status != StatusDeny)) {
    return 0;
  }
  const MatchResult result = CheckForMatch(rule, subject, MatchSettings{}, options);
  const std::uint8_t expected = Expected(*rule.Expr, protocol, src, dst, srcPort, dstPort);
  fuzz::Require(result.Outcome == expected && !result.AddrPartial && !result.PortsIncomplete,
                "the comparison disagrees with a plain reading of the entry",
                "entry: " + entry + "\npacket: " + condition + "\noutcome " +
                    std::to_string(result.Outcome) + ", expected " + std::to_string(expected));
  return 0;
}
