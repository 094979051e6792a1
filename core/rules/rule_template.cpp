#include "rules/rule_template.h"

#include <algorithm>
#include <array>
#include <utility>

#include "rules/protocols.h"

namespace kerbwise {

namespace {

// The parts that many template lines share.
const std::string kAddress = "[any,addr mask,host addr,cidr]";
const std::string kTcpPorts = "(eq !tp,neq !tp,gt tp,lt tp,range tp tp)";
const std::string kUdpPorts = "(eq !up,neq !up,gt up,lt up,range up up)";
// The options every extended entry may carry, in any order. (A group nested
// in an item would keep the recognizer from going back to the items before
// it, so the words that follow another (a time range's state, a threshold, a
// timeout) are items of their own.)
const std::string kOptions =
    "103:(precedence prcdn) 107:(dscp dscpv) 108:(tos tosv) "
    "104:(ttl [eq !byte,neq !byte,gt byte,lt byte,range byte byte]) 110:(fragments) "
    "111:(option ipopt) 105:(time-range str256) 115:(trstate) 106:(log,log-input) "
    "113:(log-update) 116:(threshold count) 112:(reflect str256,evaluate str256) 114:(timeout "
    "count)";
// A repeating element must be followed by a comma, so the flag words end
// with an alternative that the one before always takes first.
const std::string kTcpFlags =
    "102:(established) 109:(match-all !sflag,match-any !sflag,!tflag,tflag)";

std::string Extended(const std::string& protocol, const std::string& srcPorts,
                     const std::string& dstPorts, const std::string& extra) {
  std::string line = "[permit,deny] 0:" + protocol + " src:" + kAddress;
  if (!srcPorts.empty()) line += " src:1:" + srcPorts;
  line += " dst:" + kAddress;
  if (!dstPorts.empty()) line += " dst:1:" + dstPorts;
  if (!extra.empty()) line += " " + extra;
  return line + " " + kOptions;
}

}  // namespace

const std::vector<std::string>& BuiltInTemplate() {
  // A protocol number with a line of its own is read by that line, which
  // allows at least what the last extended line allows.
  static const std::vector<std::string> kTemplate{
      Extended("[tcp,6]", kTcpPorts, kTcpPorts, kTcpFlags),
      Extended("[udp,17]", kUdpPorts, kUdpPorts, ""),
      Extended("ip", "", "", ""),
      Extended("[icmp,1]", "", "", "1:(imsg)"),
      Extended("[igmp,2]", "", "", "1:(igmsg)"),
      Extended("[sctp,132]", kTcpPorts, kTcpPorts, ""),
      Extended("[esp,ahp,gre,ipinip,eigrp,ospf,pim,nos,pcp,proto]", "", "", ""),
      // Entries of a standard list: a source only, every protocol to anywhere.
      "[permit,deny] src:[any,host addr,addr mask,caddr wildcard bits wild] 106:(log)",
      "[permit,deny] src:haddr 106:(log)",
      "remark",
  };
  return kTemplate;
}

bool IsKeyword(std::string_view word) {
  static constexpr std::array<std::string_view, 44> kKeywords{
      "permit",    "deny",        "remark",    "ip",         "tcp",        "udp",
      "icmp",      "esp",         "gre",       "ipinip",     "eigrp",      "ospf",
      "ahp",       "igmp",        "pim",       "nos",        "pcp",        "sctp",
      "any",       "host",        "eq",        "neq",        "gt",         "lt",
      "range",     "established", "ttl",       "precedence", "time-range", "log",
      "log-input", "dscp",        "tos",       "fragments",  "option",     "match-all",
      "match-any", "log-update",  "threshold", "reflect",    "timeout",    "evaluate",
      "wildcard",  "bits"};
  return std::find(kKeywords.begin(), kKeywords.end(), word) != kKeywords.end();
}

std::optional<std::string_view> ProtocolValue(std::string_view keyword) {
  if (keyword == kAnyProtocol) return kAnyProtocol;
  if (const std::optional<NamedProtocol> protocol = ProtocolByName(keyword)) {
    return protocol->numberText;
  }
  return std::nullopt;
}

}  // namespace kerbwise
