// One entry against one packet. The first 13 bytes are the packet (protocol
// choice, source and destination address, source and destination port); the
// rest is the entry. The packet, written as a condition with host addresses
// and single ports, is compared with the entry by CheckForMatch, and the
// outcome must be what a plain reading of the entry says about the packet:
// the protocol fits, both addresses lie in the entry's sets, the ports in
// its port conditions, and the entry asks for nothing the packet lacks
// (ToS bits, TTL, TCP flags, an option, a fragment, an ICMP or IGMP message).
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "check/check_for_match.h"
#include "fuzz_support.h"
#include "packet_oracle.h"
#include "rules/address_sets.h"
#include "rules/list_entry.h"
#include "rules/primitives.h"

namespace {

using namespace kerbwise;
using fuzz::Protocol;

std::uint32_t Read32(const std::uint8_t* data) {
  return static_cast<std::uint32_t>(data[0]) << 24 | static_cast<std::uint32_t>(data[1]) << 16 |
         static_cast<std::uint32_t>(data[2]) << 8 | data[3];
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 13) return 0;
  const Protocol& protocol = fuzz::kProtocols[data[0] % std::size(fuzz::kProtocols)];
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
  const std::uint8_t expected = fuzz::Expected(*rule.Expr, protocol, src, dst, srcPort, dstPort);
  fuzz::Require(result.Outcome == expected && !result.AddrPartial && !result.PortsIncomplete,
                "the comparison disagrees with a plain reading of the entry",
                "entry: " + entry + "\npacket: " + condition + "\noutcome " +
                    std::to_string(result.Outcome) + ", expected " + std::to_string(expected));
  return 0;
}
