#include "rules/compare_element.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <utility>

#include "rules/integer_reader.h"
#include "rules/limits.h"
#include "rules/name_tables.h"
#include "rules/primitives.h"
#include "rules/rule_template.h"

namespace kerbwise {
namespace {

bool EqualsIgnoringCase(std::string_view token, std::string_view lowerWord) {
  if (token.size() != lowerWord.size()) return false;
  for (std::size_t i = 0; i < token.size(); ++i) {
    char c = token[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != lowerWord[i]) return false;
  }
  return true;
}

// A number of at most `maxWidth` characters within [low, high].
bool ReadBounded(std::string_view text, std::size_t maxWidth, int low, int high,
                 std::string& value) {
  if (text.size() > maxWidth) return false;
  const std::int32_t number = ReadIntDefault(text, -1);
  if (number < low || number > high) return false;
  value = std::to_string(number);
  return true;
}

// A name table indexed by name. Every port, message and precedence word is
// looked up, often in two tables, so a search in table order is too slow;
// the index keeps each name's first entry and so gives the same value.
class NameIndex {
 public:
  explicit NameIndex(std::span<const NameEntry> table) {
    for (const NameEntry& entry : table) {
      values_.emplace(entry.name, entry.value);
      longest_ = std::max(longest_, entry.name.size());
    }
  }

  bool LookUp(std::string_view token, std::string& value) const {
    if (token.size() > longest_) return false;
    thread_local std::string lower;
    lower.assign(token);
    for (char& c : lower) {
      if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    const auto found = values_.find(lower);
    if (found == values_.end()) return false;
    value.assign(found->second);
    return true;
  }

 private:
  std::unordered_map<std::string_view, std::string_view> values_;
  std::size_t longest_ = 0;
};

template <std::span<const NameEntry> (*Table)()>
bool LookUp(std::string_view token, std::string& value) {
  static const NameIndex index(Table());
  return index.LookUp(token, value);
}

std::uint32_t PrefixToNetmask(int length) {
  return length == 0 ? 0u : ~std::uint32_t{0} << (32 - length);
}

bool MatchCidr(std::string_view token, std::string& value) {
  const std::size_t slash = token.find('/');
  // The address needs at least seven characters and the prefix at least one.
  if (slash == std::string_view::npos || slash < 7 || slash + 1 >= token.size()) return false;
  const auto address = IPToVal(token.substr(0, slash));
  if (!address) return false;
  const std::int32_t length = ReadIntDefault(token.substr(slash + 1), -1);
  if (length < 0 || length > 32) return false;
  value = std::to_string(*address) + "/" + std::to_string(PrefixToNetmask(length));
  return true;
}

// The template's number matches the same number written with up to eight
// extra leading zeros.
bool MatchNumberLiteral(std::string_view element, std::string_view token, std::string& value) {
  if (token.size() < element.size() || token.size() - element.size() > 8) return false;
  const std::size_t zeros = token.size() - element.size();
  for (std::size_t i = 0; i < zeros; ++i) {
    if (token[i] != '0') return false;
  }
  if (!EqualsIgnoringCase(token.substr(zeros), element)) return false;
  if (ReadIntDefault(element, -1) < 0) return false;
  value.assign(element);
  return true;
}

bool IsTcpFlagName(const std::string& lower, std::string& value) {
  static constexpr std::array<std::string_view, 6> kFlags{"ack", "fin", "psh", "rst", "syn", "urg"};
  for (const std::string_view flag : kFlags) {
    if (flag == lower) {
      value.assign(flag);
      return true;
    }
  }
  return false;
}

}  // namespace

ElementType ClassifyElement(std::string_view element) {
  static constexpr std::array<std::pair<std::string_view, ElementType>, 21> kPlaceholders{{
      {"addr", ElementType::Addr},
      {"mask", ElementType::Mask},
      {"cidr", ElementType::Cidr},
      {"tp", ElementType::TcpPort},
      {"up", ElementType::UdpPort},
      {"byte", ElementType::Byte},
      {"str256", ElementType::Str256},
      {"imsg", ElementType::IcmpMessage},
      {"prcdn", ElementType::Precedence},
      {"haddr", ElementType::HostAddr},
      {"caddr", ElementType::CommaAddr},
      {"wild", ElementType::Wildcard},
      {"proto", ElementType::ProtocolNumber},
      {"igmsg", ElementType::IgmpMessage},
      {"dscpv", ElementType::Dscp},
      {"tosv", ElementType::Tos},
      {"ipopt", ElementType::IpOption},
      {"tflag", ElementType::TcpFlag},
      {"sflag", ElementType::SignedTcpFlag},
      {"trstate", ElementType::RangeState},
      {"count", ElementType::Count},
  }};
  if (IsKeyword(element)) return ElementType::Keyword;
  for (const auto& [name, type] : kPlaceholders) {
    if (name == element) return type;
  }
  return ElementType::NumberLiteral;
}

bool MatchElement(ElementType type, std::string_view element, std::string_view token,
                  std::string& value) {
  value.clear();
  if (token.empty()) return false;
  switch (type) {
    case ElementType::Keyword:
      return EqualsIgnoringCase(token, element);
    case ElementType::CommaAddr:
      if (token.back() != ',') return false;
      return MatchElement(ElementType::Addr, element, token.substr(0, token.size() - 1), value);
    case ElementType::Addr:
    case ElementType::Mask:
    case ElementType::HostAddr:
    case ElementType::Wildcard:
      if (auto address = IPToVal(token)) {
        value = std::to_string(*address);
        return true;
      }
      return false;
    case ElementType::Cidr:
      return MatchCidr(token, value);
    // Lists print a port by the name it has for either protocol (a tcp entry
    // with "eq snmp"), so a name of the other protocol is read by its number.
    // A name both tables hold has the same number in both.
    case ElementType::TcpPort:
      return LookUp<TcpPortNames>(token, value) || LookUp<UdpPortNames>(token, value) ||
             ReadBounded(token, 5, 0, kMaxPort, value);
    case ElementType::UdpPort:
      return LookUp<UdpPortNames>(token, value) || LookUp<TcpPortNames>(token, value) ||
             ReadBounded(token, 5, 0, kMaxPort, value);
    case ElementType::Byte:
      return ReadBounded(token, 3, 0, kMaxTtl, value);
    case ElementType::Str256:
      if (token.size() > 256 || token.find_first_of(" ?") != std::string_view::npos) return false;
      value.assign(token);
      return true;
    case ElementType::IcmpMessage:
      return LookUp<IcmpMessageNames>(token, value) ||
             ReadBounded(token, 3, 0, kMaxIcmpType, value);
    case ElementType::Precedence:
      return LookUp<PrecedenceNames>(token, value) ||
             ReadBounded(token, 1, 0, kMaxPrecedence, value);
    case ElementType::ProtocolNumber:
      return ReadBounded(token, 3, 0, kMaxProtocol, value);
    case ElementType::IgmpMessage:
      if (LookUp<IgmpMessageNames>(token, value)) return true;
      if (!ReadBounded(token, 2, 0, kMaxIgmpNumber, value)) return false;
      value = std::to_string(kIgmpNumberBase + ReadIntStrict(value));
      return true;
    case ElementType::Dscp:
      return LookUp<DscpNames>(token, value) || ReadBounded(token, 2, 0, kMaxDscp, value);
    case ElementType::Tos:
      return LookUp<TosNames>(token, value) || ReadBounded(token, 2, 0, kMaxTos, value);
    case ElementType::IpOption:
      return LookUp<IpOptionNames>(token, value) || ReadBounded(token, 3, 0, kMaxIpOption, value);
    case ElementType::TcpFlag:
      return IsTcpFlagName(ToLowerAscii(token), value);
    case ElementType::SignedTcpFlag:
      if (token.size() < 2 || (token[0] != '+' && token[0] != '-')) return false;
      if (!IsTcpFlagName(ToLowerAscii(token.substr(1)), value)) return false;
      value.insert(value.begin(), token[0]);
      return true;
    case ElementType::RangeState:
      return EqualsIgnoringCase(token, "(active)") || EqualsIgnoringCase(token, "(inactive)");
    case ElementType::Count:
      return ReadBounded(token, 10, 0, INT32_MAX, value);
    case ElementType::NumberLiteral:
      return MatchNumberLiteral(element, token, value);
  }
  return false;
}

ElementMatch CompareElement(std::string_view element, std::string_view token) {
  ElementMatch match;
  const ElementType type = ClassifyElement(element);
  if (MatchElement(type, element, token, match.value)) {
    match.kind = type == ElementType::NumberLiteral ? "val" : std::string(element);
  }
  return match;
}

}  // namespace kerbwise
