#include "rules/rule_template.h"

#include <algorithm>
#include <array>
#include <utility>

#include "rules/protocols.h"

namespace kerbwise {

const std::vector<std::string>& BuiltInTemplate() {
  // clang-format off
  static const std::vector<std::string> kTemplate{
      "[permit,deny] 0:[tcp,6] src:[any,addr mask,host addr,cidr] src:1:(eq !tp,neq !tp,gt tp,lt tp,range tp tp) dst:[any,addr mask,host addr,cidr] dst:1:(eq !tp,neq !tp,gt tp,lt tp,range tp tp) 102:(established) 103:(precedence prcdn) 104:(ttl [eq !byte,neq !byte,gt byte,lt byte,range byte byte]) 105:(time-range str256) 106:(log,log-input)",
      "[permit,deny] 0:[udp,17] src:[any,addr mask,host addr,cidr] src:1:(eq !up,neq !up,gt up,lt up,range up up) dst:[any,addr mask,host addr,cidr] dst:1:(eq !up,neq !up,gt up,lt up,range up up) 103:(precedence prcdn) 104:(ttl [eq !byte,neq !byte,gt byte,lt byte,range byte byte]) 105:(time-range str256) 106:(log,log-input)",
      "[permit,deny] 0:ip src:[any,addr mask,host addr,cidr] dst:[any,addr mask,host addr,cidr] 103:(precedence prcdn) 104:(ttl [eq !byte,neq !byte,gt byte,lt byte,range byte byte]) 105:(time-range str256) 106:(log,log-input)",
      "[permit,deny] 0:[icmp,1] src:[any,addr mask,host addr,cidr] dst:[any,addr mask,host addr,cidr] 1:(imsg) 103:(precedence prcdn) 104:(ttl [eq !byte,neq !byte,gt byte,lt byte,range byte byte]) 105:(time-range str256) 106:(log,log-input)",
      "[permit,deny] 0:[esp,50] src:[any,addr mask,host addr,cidr] dst:[any,addr mask,host addr,cidr] 103:(precedence prcdn) 104:(ttl [eq !byte,neq !byte,gt byte,lt byte,range byte byte]) 105:(time-range str256) 106:(log,log-input)",
      "[permit,deny] 0:[gre,47] src:[any,addr mask,host addr,cidr] dst:[any,addr mask,host addr,cidr] 103:(precedence prcdn) 104:(ttl [eq !byte,neq !byte,gt byte,lt byte,range byte byte]) 105:(time-range str256) 106:(log,log-input)",
      "[permit,deny] 0:[ipinip,4] src:[any,addr mask,host addr,cidr] dst:[any,addr mask,host addr,cidr] 103:(precedence prcdn) 104:(ttl [eq !byte,neq !byte,gt byte,lt byte,range byte byte]) 105:(time-range str256) 106:(log,log-input)",
      "[permit,deny] 0:[eigrp,88] src:[any,addr mask,host addr,cidr] dst:[any,addr mask,host addr,cidr] 103:(precedence prcdn) 104:(ttl [eq !byte,neq !byte,gt byte,lt byte,range byte byte]) 105:(time-range str256) 106:(log,log-input)",
      "[permit,deny] 0:[ospf,89] src:[any,addr mask,host addr,cidr] dst:[any,addr mask,host addr,cidr] 103:(precedence prcdn) 104:(ttl [eq !byte,neq !byte,gt byte,lt byte,range byte byte]) 105:(time-range str256) 106:(log,log-input)",
      "remark",
  };
  // clang-format on
  return kTemplate;
}

bool IsKeyword(std::string_view word) {
  static constexpr std::array<std::string_view, 25> kKeywords{
      "permit",     "deny",       "remark", "ip",       "tcp",   "udp",         "icmp",
      "esp",        "gre",        "ipinip", "eigrp",    "ospf",  "any",         "host",
      "eq",         "neq",        "gt",     "lt",       "range", "established", "ttl",
      "precedence", "time-range", "log",    "log-input"};
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
