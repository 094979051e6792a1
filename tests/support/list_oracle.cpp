#include "list_oracle.h"

#include <algorithm>
#include <map>
#include <set>
#include <sstream>

#include "check/check_for_match.h"
#include "rules/line_recognizer.h"
#include "rules/list_entry.h"

namespace kerbwise::testing {
namespace {

constexpr std::uint8_t kIcmp = 1, kTcp = 6, kUdp = 17;

// "eq 80 443", or with `skipWord` "ttl gt 5": the operator and its numbers.
OracleCondition ReadCondition(const std::string& text, bool skipWord = false) {
  std::istringstream in(text);
  OracleCondition condition;
  if (skipWord) in >> condition.Op;
  in >> condition.Op;
  for (std::uint32_t value; in >> value;) condition.Values.push_back(value);
  return condition;
}

bool Fits(const OracleCondition& condition, std::uint32_t value) {
  const auto& values = condition.Values;
  const bool listed = std::count(values.begin(), values.end(), value) > 0;
  if (condition.Op == "eq") return listed;
  if (condition.Op == "neq") return !listed;
  if (condition.Op == "gt") return value > values.at(0);
  if (condition.Op == "lt") return value < values.at(0);
  const auto [low, high] = std::minmax(values.at(0), values.at(1));
  return value >= low && value <= high;
}

bool Fits(const std::optional<OracleCondition>& condition, std::uint32_t value) {
  return !condition || Fits(*condition, value);
}

// The condition of a slot, absent when the text is empty; nullopt inside
// when it lets no value up to `max` through.
std::optional<std::optional<OracleCondition>> ReadSlot(const std::string& text, std::uint32_t max,
                                                       bool skipWord = false) {
  if (text.empty()) return std::optional<OracleCondition>();
  const OracleCondition condition = ReadCondition(text, skipWord);
  if (condition.Values.empty()) return std::nullopt;
  if (condition.Op == "range" && condition.Values.size() != 2) return std::nullopt;
  for (std::uint32_t value = 0; value <= max; ++value) {
    if (Fits(condition, value)) return std::optional<OracleCondition>(condition);
  }
  return std::nullopt;
}

constexpr std::uint8_t kAck = 16, kRst = 4;

// Whether the flags of a packet fit the flag words of an entry: a single
// flag name wants that flag set; "match-all" wants every +flag set and every
// -flag clear, "match-any" at least one of them so.
bool FlagsFit(const std::string& words, std::uint8_t flags) {
  if (words.empty()) return true;
  static const std::map<std::string, std::uint8_t> kBits = {{"urg", 32}, {"ack", 16}, {"psh", 8},
                                                            {"rst", 4},  {"syn", 2},  {"fin", 1}};
  std::istringstream in(words);
  std::string first;
  in >> first;
  if (first != "match-all" && first != "match-any") return (flags & kBits.at(first)) != 0;
  bool all = true, any = false;
  for (std::string word; in >> word;) {
    const bool set = (flags & kBits.at(word.substr(1))) != 0;
    const bool holds = set == (word[0] == '+');
    all = all && holds;
    any = any || holds;
  }
  return first == "match-all" ? all : any;
}

std::uint32_t NumberAfterWord(const std::string& text) {
  return static_cast<std::uint32_t>(std::stoul(text.substr(text.find(' '))));
}

std::vector<const OracleEntry*> AllEntries(const std::vector<const OracleList*>& lists) {
  std::vector<const OracleEntry*> entries;
  for (const OracleList* list : lists) {
    for (const OracleEntry& entry : *list) entries.push_back(&entry);
  }
  return entries;
}

// Keeps the first of the candidates per distinct answer of `accepts` over
// the entries: values that every entry treats alike are one cell.
template <typename Value, typename Accepts>
std::vector<Value> OnePerCell(const std::vector<Value>& candidates,
                              const std::vector<const OracleEntry*>& entries, Accepts&& accepts) {
  std::set<std::vector<bool>> seen;
  std::vector<Value> kept;
  for (const Value& candidate : candidates) {
    std::vector<bool> answers;
    for (const OracleEntry* entry : entries) answers.push_back(accepts(*entry, candidate));
    if (seen.insert(answers).second) kept.push_back(candidate);
  }
  return kept;
}

// Values of a field of `width` bits that entries fix bit by bit (addresses,
// the ToS byte); `fixed` gives an entry's value and mask. Bits are grouped by
// which entries want them 0 and which want them 1; within a group only "all
// 0", "all 1" or "mixed" tells entries apart, so the product of those choices
// reaches every cell, with non-contiguous masks as with prefixes.
template <typename Fixed>
std::vector<std::uint32_t> BitCells(const std::vector<const OracleEntry*>& entries, int width,
                                    Fixed&& fixed) {
  std::map<std::string, std::vector<int>> groups;
  for (int bit = 0; bit < width; ++bit) {
    std::string wants;  // per entry: '-' open, '0' or '1' the bit it wants
    bool mentioned = false;
    for (const OracleEntry* entry : entries) {
      const auto [value, mask] = fixed(*entry);
      const bool fixesBit = (mask >> bit & 1u) != 0;
      wants += fixesBit ? static_cast<char>('0' + (value >> bit & 1u)) : '-';
      mentioned = mentioned || fixesBit;
    }
    if (mentioned) groups[wants].push_back(bit);
  }
  std::vector<std::uint32_t> values{0};
  for (const auto& [wants, bits] : groups) {
    std::uint32_t all = 0;
    for (const int bit : bits) all |= 1u << bit;
    std::vector<std::uint32_t> choices{0, all};
    if (bits.size() > 1) choices.push_back(1u << bits.front());
    std::vector<std::uint32_t> next;
    for (const std::uint32_t value : values) {
      for (const std::uint32_t choice : choices) next.push_back(value | choice);
    }
    values = std::move(next);
  }
  return OnePerCell(values, entries, [&](const OracleEntry& entry, std::uint32_t value) {
    const auto [fixedValue, mask] = fixed(entry);
    return (value & mask) == fixedValue;
  });
}

// Values up to `max` cut where a condition starts or stops, one per cell.
template <typename ConditionOf>
std::vector<std::uint32_t> ValueCells(const std::vector<const OracleEntry*>& entries,
                                      std::uint32_t max, ConditionOf&& conditionOf) {
  std::vector<std::uint32_t> cuts{0};
  for (const OracleEntry* entry : entries) {
    const std::optional<OracleCondition>& condition = conditionOf(*entry);
    if (!condition) continue;
    for (const std::uint32_t value : condition->Values) {
      cuts.push_back(value);
      if (value < max) cuts.push_back(value + 1);
    }
  }
  std::sort(cuts.begin(), cuts.end());
  cuts.erase(std::unique(cuts.begin(), cuts.end()), cuts.end());
  return OnePerCell(cuts, entries, [&](const OracleEntry& entry, std::uint32_t value) {
    return Fits(conditionOf(entry), value);
  });
}

// The values named by some entry and one that none names.
std::vector<std::uint32_t> NamedAndOther(std::set<std::uint32_t> named, std::uint32_t max) {
  for (std::uint32_t other = 0; other <= max; ++other) {
    if (!named.contains(other)) {
      named.insert(other);
      break;
    }
  }
  return {named.begin(), named.end()};
}

}  // namespace

std::optional<OracleList> ReadOracleList(const std::vector<std::string>& listLines) {
  // One recognizer for every call: preparing the rule template costs more
  // than reading a small list.
  static LineRecognizer recognizer;
  recognizer.EmptyCache();
  const CheckOptions options;
  OracleList list;
  for (std::size_t line = 0; line < listLines.size(); ++line) {
    const RecognisedLine read = RecogniseLine(ListEntryText(listLines[line]), options, recognizer);
    const RuleRecord& record = *read.Expr;
    if (record.Status == StatusRemark) continue;
    if (read.ParameterError || (record.Status != StatusPermit && record.Status != StatusDeny)) {
      return std::nullopt;
    }
    if ((record.SrcAddr & ~record.SrcMask) != 0 || (record.DstAddr & ~record.DstMask) != 0) {
      return std::nullopt;
    }
    OracleEntry entry;
    entry.Line = line;
    entry.Permits = record.Status == StatusPermit;
    entry.SrcAddr = record.SrcAddr;
    entry.SrcMask = record.SrcMask;
    entry.DstAddr = record.DstAddr;
    entry.DstMask = record.DstMask;
    const std::string& protocol = record.Values.Get(SideNone, SlotProtocol);
    if (protocol != "ip") entry.Protocol = static_cast<std::uint8_t>(std::stoi(protocol));
    const auto sourcePorts = ReadSlot(record.Values.Get(SideSource, SlotPort), 65535);
    const auto destinationPorts = ReadSlot(record.Values.Get(SideDestination, SlotPort), 65535);
    const auto ttl = ReadSlot(record.Values.Get(SideNone, SlotTtl), 255, true);
    if (!sourcePorts || !destinationPorts || !ttl) return std::nullopt;
    // Ports count only for tcp and udp, the ICMP message only for icmp.
    if (entry.Protocol == kTcp || entry.Protocol == kUdp) {
      entry.SourcePorts = *sourcePorts;
      entry.DestinationPorts = *destinationPorts;
    }
    entry.Ttl = *ttl;
    const std::string& precedence = record.Values.Get(SideNone, SlotPrecedence);
    if (!precedence.empty())
      entry.Precedence = static_cast<std::uint8_t>(NumberAfterWord(precedence));
    const std::string& message = record.Values.Get(SideNone, SlotPort);
    if (entry.Protocol == kIcmp && !message.empty()) {
      entry.IcmpMessage = static_cast<std::uint32_t>(std::stoul(message));
    }
    entry.Established =
        entry.Protocol == kTcp && !record.Values.Get(SideNone, SlotEstablished).empty();
    if (entry.Protocol == kTcp) entry.TcpFlags = record.Values.Get(SideNone, SlotTcpFlags);
    entry.Fragments = !record.Values.Get(SideNone, SlotFragments).empty();
    // dscp fixes the top 6 bits of the byte, tos the 4 bits below precedence.
    const std::string& dscp = record.Values.Get(SideNone, SlotDscp);
    if (!dscp.empty()) {
      entry.TosMask |= 0xFC;
      entry.TosValue |= static_cast<std::uint8_t>(NumberAfterWord(dscp) << 2);
    }
    const std::string& tos = record.Values.Get(SideNone, SlotTos);
    if (!tos.empty()) {
      entry.TosMask |= 0x1E;
      entry.TosValue |= static_cast<std::uint8_t>(NumberAfterWord(tos) << 1);
    }
    list.push_back(std::move(entry));
  }
  return list;
}

bool EntryMatches(const OracleEntry& entry, const OraclePacket& packet) {
  if (entry.Protocol && *entry.Protocol != packet.Protocol) return false;
  if ((packet.Source & entry.SrcMask) != entry.SrcAddr) return false;
  if ((packet.Destination & entry.DstMask) != entry.DstAddr) return false;
  if (entry.Precedence && *entry.Precedence != packet.Tos >> 5) return false;
  if ((packet.Tos & entry.TosMask) != entry.TosValue) return false;
  if (entry.Fragments && !packet.Fragment) return false;
  if (!Fits(entry.Ttl, packet.Ttl)) return false;
  if (!Fits(entry.SourcePorts, packet.SourcePort)) return false;
  if (!Fits(entry.DestinationPorts, packet.DestinationPort)) return false;
  if (entry.Established && (packet.TcpFlags & (kAck | kRst)) == 0) return false;
  if (!FlagsFit(entry.TcpFlags, packet.TcpFlags)) return false;
  if (entry.IcmpMessage) {
    const std::uint32_t value = *entry.IcmpMessage;
    if (value < 256) return packet.IcmpType == value;
    return packet.IcmpType == value / 256 && packet.IcmpCode == value % 256;
  }
  return true;
}

std::optional<std::vector<OraclePacket>> CellPackets(const std::vector<const OracleList*>& lists,
                                                     std::size_t limit) {
  const std::vector<const OracleEntry*> entries = AllEntries(lists);
  std::set<std::uint32_t> protocols, types, codes;
  for (const OracleEntry* entry : entries) {
    if (entry->Protocol) protocols.insert(*entry->Protocol);
    if (entry->IcmpMessage) {
      const std::uint32_t value = *entry->IcmpMessage;
      types.insert(value < 256 ? value : value / 256);
      if (value >= 256) codes.insert(value % 256);
    }
  }
  const auto sources = BitCells(entries, 32, [](const OracleEntry& e) {
    return std::pair<std::uint32_t, std::uint32_t>(e.SrcAddr, e.SrcMask);
  });
  const auto destinations = BitCells(entries, 32, [](const OracleEntry& e) {
    return std::pair<std::uint32_t, std::uint32_t>(e.DstAddr, e.DstMask);
  });
  // Precedence is the top 3 bits of the byte; dscp and tos fix others.
  const auto tosCells = BitCells(entries, 8, [](const OracleEntry& e) {
    const std::uint32_t precedenceMask = e.Precedence ? 0xE0u : 0u;
    const std::uint32_t precedence =
        e.Precedence ? static_cast<std::uint32_t>(*e.Precedence) << 5 : 0u;
    return std::pair<std::uint32_t, std::uint32_t>(e.TosValue | precedence,
                                                   e.TosMask | precedenceMask);
  });
  std::vector<std::uint32_t> flagCombinations;
  for (std::uint32_t flags = 0; flags < 64; ++flags) flagCombinations.push_back(flags);
  const auto flagCells =
      OnePerCell(flagCombinations, entries, [](const OracleEntry& e, std::uint32_t flags) {
        OraclePacket packet;
        packet.TcpFlags = static_cast<std::uint8_t>(flags);
        return (!e.Established || (flags & (kAck | kRst)) != 0) &&
               FlagsFit(e.TcpFlags, packet.TcpFlags);
      });
  const bool fragments = std::any_of(entries.begin(), entries.end(),
                                     [](const OracleEntry* e) { return e->Fragments; });
  const auto ttls = ValueCells(
      entries, 255, [](const OracleEntry& e) -> auto& { return e.Ttl; });
  const auto sourcePorts = ValueCells(
      entries, 65535, [](const OracleEntry& e) -> auto& { return e.SourcePorts; });
  const auto destinationPorts = ValueCells(
      entries, 65535, [](const OracleEntry& e) -> auto& { return e.DestinationPorts; });
  const auto typeCells = NamedAndOther(types, 255);
  const auto codeCells = NamedAndOther(codes, 255);
  const std::vector<std::uint32_t> fragmentCells =
      fragments ? std::vector<std::uint32_t>{0, 1} : std::vector<std::uint32_t>{0};
  const std::vector<std::uint32_t> none{0};

  // Per protocol, the cells of each field it carries.
  using Setter = void (*)(OraclePacket&, std::uint32_t);
  struct Field {
    const std::vector<std::uint32_t>* Cells;
    Setter Set;
  };
  const auto fieldsOf = [&](std::uint32_t protocol) {
    const bool ports = protocol == kTcp || protocol == kUdp;
    const bool icmp = protocol == kIcmp;
    const bool tcp = protocol == kTcp;
    return std::vector<Field>{
        {&sources, [](OraclePacket& p, std::uint32_t v) { p.Source = v; }},
        {&destinations, [](OraclePacket& p, std::uint32_t v) { p.Destination = v; }},
        {&tosCells, [](OraclePacket& p, std::uint32_t v) { p.Tos = static_cast<std::uint8_t>(v); }},
        {&ttls, [](OraclePacket& p, std::uint32_t v) { p.Ttl = static_cast<std::uint8_t>(v); }},
        {&fragmentCells, [](OraclePacket& p, std::uint32_t v) { p.Fragment = v != 0; }},
        {ports ? &sourcePorts : &none,
         [](OraclePacket& p, std::uint32_t v) { p.SourcePort = static_cast<std::uint16_t>(v); }},
        {ports ? &destinationPorts : &none,
         [](OraclePacket& p, std::uint32_t v) {
           p.DestinationPort = static_cast<std::uint16_t>(v);
         }},
        {icmp ? &typeCells : &none,
         [](OraclePacket& p, std::uint32_t v) { p.IcmpType = static_cast<std::uint8_t>(v); }},
        {icmp ? &codeCells : &none,
         [](OraclePacket& p, std::uint32_t v) { p.IcmpCode = static_cast<std::uint8_t>(v); }},
        {tcp ? &flagCells : &none,
         [](OraclePacket& p, std::uint32_t v) { p.TcpFlags = static_cast<std::uint8_t>(v); }},
    };
  };

  const auto protocolCells = NamedAndOther(protocols, 255);
  std::size_t count = 0;
  for (const std::uint32_t protocol : protocolCells) {
    std::size_t perProtocol = 1;
    for (const Field& field : fieldsOf(protocol)) perProtocol *= field.Cells->size();
    count += perProtocol;
  }
  if (count > limit) return std::nullopt;

  std::vector<OraclePacket> packets;
  packets.reserve(count);
  for (const std::uint32_t protocol : protocolCells) {
    std::vector<OraclePacket> ofProtocol(1);
    ofProtocol[0].Protocol = static_cast<std::uint8_t>(protocol);
    for (const Field& field : fieldsOf(protocol)) {
      std::vector<OraclePacket> next;
      for (const OraclePacket& packet : ofProtocol) {
        for (const std::uint32_t value : *field.Cells) {
          next.push_back(packet);
          field.Set(next.back(), value);
        }
      }
      ofProtocol = std::move(next);
    }
    packets.insert(packets.end(), ofProtocol.begin(), ofProtocol.end());
  }
  return packets;
}

std::optional<std::size_t> DecidingLine(const OracleList& list, const OraclePacket& packet) {
  for (const OracleEntry& entry : list) {
    if (EntryMatches(entry, packet)) return entry.Line;
  }
  return std::nullopt;
}

bool Permits(const OracleList& list, const OraclePacket& packet) {
  for (const OracleEntry& entry : list) {
    if (EntryMatches(entry, packet)) return entry.Permits;
  }
  return false;
}

std::vector<bool> ReachableLines(const OracleList& list, std::size_t lineCount,
                                 const std::vector<OraclePacket>& packets) {
  std::vector<bool> reachable(lineCount, false);
  for (const OraclePacket& packet : packets) {
    if (const auto line = DecidingLine(list, packet)) reachable[*line] = true;
  }
  return reachable;
}

std::vector<OraclePacket> DifferingPackets(const OracleList& oldList, const OracleList& newList,
                                           const std::vector<OraclePacket>& packets) {
  std::vector<OraclePacket> differing;
  for (const OraclePacket& packet : packets) {
    if (Permits(oldList, packet) != Permits(newList, packet)) differing.push_back(packet);
  }
  return differing;
}

namespace {

template <std::size_t N>
const char* Pick(std::mt19937& random, const char* const (&pool)[N]) {
  return pool[random() % N];
}

std::string SmallEntry(std::mt19937& random) {
  static const char* const kAddresses[] = {
      "any",
      "any",
      "host 10.0.0.1",
      "10.0.0.0 0.0.0.255",
      "10.0.0.0 0.0.0.127",
      "10.0.0.128 0.0.0.127",
      "10.0.1.0 0.0.0.255",
      "10.0.0.0 0.0.1.255",
      "10.0.0.0 0.0.254.255"};  // the last: every even third octet, a non-contiguous mask
  static const char* const kProtocols[] = {"ip", "tcp", "tcp", "udp", "icmp", "gre"};
  static const char* const kPorts[] = {
      "", "", "", "eq 80", "eq 80 443", "range 70 90", "gt 1023", "lt 100", "neq 80"};
  static const char* const kMessages[] = {"", "", "echo", "3", "ttl-exceeded", "echo-reply"};
  static const char* const kOptions[] = {"",
                                         "",
                                         "",
                                         "",
                                         "",
                                         "",
                                         "precedence 5",
                                         "ttl gt 64",
                                         "ttl eq 10",
                                         "dscp 40",
                                         "tos 4",
                                         "precedence 5 tos 4",
                                         "fragments"};
  std::string entry = random() % 2 ? "permit " : "deny ";
  const std::string protocol = Pick(random, kProtocols);
  const bool ports = protocol == "tcp" || protocol == "udp";
  entry += protocol + " " + Pick(random, kAddresses);
  if (ports) entry += std::string(" ") + Pick(random, kPorts);
  entry += std::string(" ") + Pick(random, kAddresses);
  if (ports) entry += std::string(" ") + Pick(random, kPorts);
  if (protocol == "icmp") entry += std::string(" ") + Pick(random, kMessages);
  static const char* const kFlags[] = {"established", "syn", "match-all +syn -ack",
                                       "match-any +syn +fin"};
  if (protocol == "tcp" && random() % 4 == 0) entry += std::string(" ") + Pick(random, kFlags);
  entry += std::string(" ") + Pick(random, kOptions);
  std::string compact;
  for (const char c : entry) {
    if (c == ' ' && (compact.empty() || compact.back() == ' ')) continue;
    compact += c;
  }
  while (!compact.empty() && compact.back() == ' ') compact.pop_back();
  return compact;
}

std::string EntryOf(const std::string& line) { return std::string(SplitListLine(line).Entry); }

std::vector<std::string> Numbered(const std::vector<std::string>& entries) {
  std::vector<std::string> lines;
  for (std::size_t k = 0; k < entries.size(); ++k) {
    lines.push_back(std::to_string((k + 1) * 10) + " " + entries[k]);
  }
  return lines;
}

}  // namespace

std::vector<std::string> SmallList(std::mt19937& random, std::size_t entries) {
  std::vector<std::string> lines;
  for (std::size_t k = 0; k < entries; ++k) lines.push_back(SmallEntry(random));
  return Numbered(lines);
}

std::vector<std::string> EditedList(std::mt19937& random, std::vector<std::string> list) {
  std::vector<std::string> entries;
  for (const std::string& line : list) entries.push_back(EntryOf(line));
  const std::size_t edits = 1 + random() % 2;
  for (std::size_t edit = 0; edit < edits; ++edit) {
    const std::size_t at = entries.empty() ? 0 : random() % entries.size();
    switch (entries.empty() ? 2 : random() % 4) {
      case 0:  // swap with the next entry
        if (at + 1 < entries.size()) std::swap(entries[at], entries[at + 1]);
        break;
      case 1:
        entries.erase(entries.begin() + static_cast<std::ptrdiff_t>(at));
        break;
      case 2:
        entries.insert(entries.begin() + static_cast<std::ptrdiff_t>(at), SmallEntry(random));
        break;
      default: {  // the other action
        std::string& entry = entries[at];
        entry = entry.starts_with("permit") ? "deny" + entry.substr(6) : "permit" + entry.substr(4);
      }
    }
  }
  return Numbered(entries);
}

}  // namespace kerbwise::testing
