#include "rules/protocols.h"

#include <array>

namespace kerbwise {
namespace {

constexpr std::array<NamedProtocol, 14> kProtocols{{
    {"tcp", kProtocolTcp, "6"},
    {"udp", kProtocolUdp, "17"},
    {"icmp", kProtocolIcmp, "1"},
    {"esp", 50, "50"},
    {"gre", 47, "47"},
    {"ipinip", 4, "4"},
    {"eigrp", 88, "88"},
    {"ospf", 89, "89"},
    {"ahp", 51, "51"},
    {"igmp", kProtocolIgmp, "2"},
    {"pim", 103, "103"},
    {"nos", 94, "94"},
    {"pcp", 108, "108"},
    {"sctp", kProtocolSctp, "132"},
}};

}  // namespace

std::optional<NamedProtocol> ProtocolByName(std::string_view keyword) {
  for (const NamedProtocol& protocol : kProtocols) {
    if (protocol.name == keyword) return protocol;
  }
  return std::nullopt;
}

std::optional<std::string_view> ProtocolName(std::uint8_t number) {
  for (const NamedProtocol& protocol : kProtocols) {
    if (protocol.number == number) return protocol.name;
  }
  return std::nullopt;
}

}  // namespace kerbwise
