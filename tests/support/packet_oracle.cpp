#include "packet_oracle.h"

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

struct Condition {
  std::string Op;
  std::vector<std::uint32_t> Values;
};

// "eq 80 443", or with `skipWord` "ttl gt 5": the operator and its numbers.
Condition ReadCondition(const std::string& text, bool skipWord = false) {
  std::istringstream in(text);
  Condition condition;
  if (skipWord) in >> condition.Op;
  in >> condition.Op;
  for (std::uint32_t value; in >> value;) condition.Values.push_back(value);
  return condition;
}

bool Fits(const Condition& condition, std::uint32_t value) {
  const auto& values = condition.Values;
  const bool listed = std::count(values.begin(), values.end(), value) > 0;
  if (condition.Op == "eq") return listed;
  if (condition.Op == "neq") return !listed;
  if (condition.Op == "gt") return value > values.at(0);
  if (condition.Op == "lt") return value < values.at(0);
  const auto [low, high] = std::minmax(values.at(0), values.at(1));
  return value >= low && value <= high;
}

// Whether some value up to `max` fits a condition written as the recognizer
// leaves it.
bool Readable(const Condition& condition, std::uint32_t max) {
  if (condition.Values.empty()) return false;
  if (condition.Op == "range" && condition.Values.size() != 2) return false;
  for (std::uint32_t value = 0; value <= max; ++value) {
    if (Fits(condition, value)) return true;
  }
  return false;
}

bool ConditionFits(const std::string& text, std::uint32_t value, bool skipWord = false) {
  return text.empty() || Fits(ReadCondition(text, skipWord), value);
}

std::optional<std::uint8_t> ProtocolOf(const RuleRecord& entry) {
  const std::string& text = entry.Values.Get(SideNone, SlotProtocol);
  if (text == "ip") return std::nullopt;
  return static_cast<std::uint8_t>(std::stoi(text));
}

std::vector<const RuleRecord*> AllEntries(const std::vector<const OracleList*>& lists) {
  std::vector<const RuleRecord*> entries;
  for (const OracleList* list : lists) {
    for (const OracleEntry& entry : *list) entries.push_back(&entry.Record);
  }
  return entries;
}

// Keeps the first of the candidates per distinct answer of `accepts` over
// the entries: values that every entry treats alike are one cell.
template <typename Value, typename Accepts>
std::vector<Value> OnePerCell(const std::vector<Value>& candidates,
                              const std::vector<const RuleRecord*>& entries, Accepts&& accepts) {
  std::set<std::vector<bool>> seen;
  std::vector<Value> kept;
  for (const Value& candidate : candidates) {
    std::vector<bool> answers;
    for (const RuleRecord* entry : entries) answers.push_back(accepts(*entry, candidate));
    if (seen.insert(answers).second) kept.push_back(candidate);
  }
  return kept;
}

// Addresses of one side. Bits are grouped by which entries want them 0 and
// which want them 1; within a group only "all 0", "all 1" or "mixed" tells
// entries apart, so the product of those choices reaches every cell, with
// non-contiguous masks as with prefixes.
std::vector<std::uint32_t> AddressCells(const std::vector<const RuleRecord*>& entries,
                                        bool source) {
  std::map<std::vector<std::uint8_t>, std::vector<int>> groups;
  for (int bit = 0; bit < 32; ++bit) {
    std::vector<std::uint8_t> wants;  // per entry: 0 open, 1 wants 0, 2 wants 1
    bool mentioned = false;
    for (const RuleRecord* entry : entries) {
      const std::uint32_t mask = source ? entry->SrcMask : entry->DstMask;
      const std::uint32_t address = source ? entry->SrcAddr : entry->DstAddr;
      const bool fixed = (mask >> bit & 1u) != 0;
      wants.push_back(fixed ? static_cast<std::uint8_t>(1 + (address >> bit & 1u)) : 0);
      mentioned = mentioned || fixed;
    }
    if (mentioned) groups[wants].push_back(bit);
  }
  std::vector<std::uint32_t> addresses{0};
  for (const auto& [wants, bits] : groups) {
    std::uint32_t all = 0;
    for (const int bit : bits) all |= 1u << bit;
    std::vector<std::uint32_t> choices{0, all};
    if (bits.size() > 1) choices.push_back(1u << bits.front());
    std::vector<std::uint32_t> next;
    for (const std::uint32_t address : addresses) {
      for (const std::uint32_t choice : choices) next.push_back(address | choice);
    }
    addresses = OnePerCell(next, entries, [&](const RuleRecord& entry, std::uint32_t address) {
      return source ? (address & entry.SrcMask) == entry.SrcAddr
                    : (address & entry.DstMask) == entry.DstAddr;
    });
  }
  return addresses;
}

// Values up to `max` cut where a condition of `side` and `slot` starts or
// stops, one per cell.
std::vector<std::uint32_t> ValueCells(const std::vector<const RuleRecord*>& entries, int side,
                                      int slot, std::uint32_t max) {
  const bool ttl = slot == SlotTtl;
  std::vector<std::uint32_t> cuts{0};
  for (const RuleRecord* entry : entries) {
    const std::string& text = entry->Values.Get(side, slot);
    if (text.empty()) continue;
    for (const std::uint32_t value : ReadCondition(text, ttl).Values) {
      cuts.push_back(value);
      if (value < max) cuts.push_back(value + 1);
    }
  }
  std::sort(cuts.begin(), cuts.end());
  cuts.erase(std::unique(cuts.begin(), cuts.end()), cuts.end());
  return OnePerCell(cuts, entries, [&](const RuleRecord& entry, std::uint32_t value) {
    return ConditionFits(entry.Values.Get(side, slot), value, ttl);
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
  LineRecognizer recognizer;
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
    for (const int side : {SideSource, SideDestination}) {
      const std::string& ports = record.Values.Get(side, SlotPort);
      if (!ports.empty() && !Readable(ReadCondition(ports), 65535)) return std::nullopt;
    }
    const std::string& ttl = record.Values.Get(SideNone, SlotTtl);
    if (!ttl.empty() && !Readable(ReadCondition(ttl, true), 255)) return std::nullopt;
    list.push_back({record, line});
  }
  return list;
}

bool EntryMatches(const RuleRecord& entry, const OraclePacket& packet) {
  const std::optional<std::uint8_t> protocol = ProtocolOf(entry);
  if (protocol && *protocol != packet.Protocol) return false;
  if ((packet.Source & entry.SrcMask) != entry.SrcAddr) return false;
  if ((packet.Destination & entry.DstMask) != entry.DstAddr) return false;
  const std::string& precedence = entry.Values.Get(SideNone, SlotPrecedence);
  if (!precedence.empty() && std::stoul(precedence.substr(precedence.find(' '))) != packet.Precedence) {
    return false;
  }
  if (!ConditionFits(entry.Values.Get(SideNone, SlotTtl), packet.Ttl, true)) return false;
  if (!protocol) return true;
  if (*protocol == kTcp || *protocol == kUdp) {
    if (!ConditionFits(entry.Values.Get(SideSource, SlotPort), packet.SourcePort)) return false;
    if (!ConditionFits(entry.Values.Get(SideDestination, SlotPort), packet.DestinationPort)) {
      return false;
    }
  }
  if (*protocol == kTcp && !entry.Values.Get(SideNone, SlotEstablished).empty() &&
      !packet.Established) {
    return false;
  }
  const std::string& message = entry.Values.Get(SideNone, SlotPort);
  if (*protocol == kIcmp && !message.empty()) {
    const std::uint32_t value = static_cast<std::uint32_t>(std::stoul(message));
    if (value < 256) return packet.IcmpType == value;
    return packet.IcmpType == value / 256 && packet.IcmpCode == value % 256;
  }
  return true;
}

std::optional<std::vector<OraclePacket>> CellPackets(const std::vector<const OracleList*>& lists,
                                                     std::size_t limit) {
  const std::vector<const RuleRecord*> entries = AllEntries(lists);
  std::set<std::uint32_t> protocols, precedences, types, codes;
  for (const RuleRecord* entry : entries) {
    if (const auto protocol = ProtocolOf(*entry)) protocols.insert(*protocol);
    const std::string& precedence = entry->Values.Get(SideNone, SlotPrecedence);
    if (!precedence.empty()) {
      precedences.insert(static_cast<std::uint32_t>(std::stoul(precedence.substr(precedence.find(' ')))));
    }
    const std::string& message = entry->Values.Get(SideNone, SlotPort);
    if (ProtocolOf(*entry) == kIcmp && !message.empty()) {
      const std::uint32_t value = static_cast<std::uint32_t>(std::stoul(message));
      types.insert(value < 256 ? value : value / 256);
      if (value >= 256) codes.insert(value % 256);
    }
  }
  const auto sources = AddressCells(entries, true);
  const auto destinations = AddressCells(entries, false);
  const auto ttls = ValueCells(entries, SideNone, SlotTtl, 255);
  const auto sourcePorts = ValueCells(entries, SideSource, SlotPort, 65535);
  const auto destinationPorts = ValueCells(entries, SideDestination, SlotPort, 65535);
  const auto precedenceCells = NamedAndOther(precedences, 7);
  const auto typeCells = NamedAndOther(types, 255);
  const auto codeCells = NamedAndOther(codes, 255);

  std::size_t count = 0;
  const auto protocolCells = NamedAndOther(protocols, 255);
  for (const std::uint32_t protocol : protocolCells) {
    std::size_t perProtocol = sources.size() * destinations.size() * precedenceCells.size() *
                              ttls.size();
    if (protocol == kTcp || protocol == kUdp) {
      perProtocol *= sourcePorts.size() * destinationPorts.size() * (protocol == kTcp ? 2 : 1);
    }
    if (protocol == kIcmp) perProtocol *= typeCells.size() * codeCells.size();
    count += perProtocol;
  }
  if (count > limit) return std::nullopt;

  std::vector<OraclePacket> packets;
  packets.reserve(count);
  for (const std::uint32_t protocol : protocolCells) {
    const bool ports = protocol == kTcp || protocol == kUdp;
    const bool icmp = protocol == kIcmp;
    for (const auto source : sources)
      for (const auto destination : destinations)
        for (const auto precedence : precedenceCells)
          for (const auto ttl : ttls)
            for (const auto sourcePort : ports ? sourcePorts : std::vector<std::uint32_t>{0})
              for (const auto destinationPort :
                   ports ? destinationPorts : std::vector<std::uint32_t>{0})
                for (const auto type : icmp ? typeCells : std::vector<std::uint32_t>{0})
                  for (const auto code : icmp ? codeCells : std::vector<std::uint32_t>{0})
                    for (const bool established : {false, true}) {
                      if (established && protocol != kTcp) continue;
                      packets.push_back({static_cast<std::uint8_t>(protocol), source, destination,
                                         static_cast<std::uint16_t>(sourcePort),
                                         static_cast<std::uint16_t>(destinationPort),
                                         static_cast<std::uint8_t>(type),
                                         static_cast<std::uint8_t>(code),
                                         static_cast<std::uint8_t>(precedence),
                                         static_cast<std::uint8_t>(ttl), established});
                    }
  }
  return packets;
}

std::optional<std::size_t> DecidingLine(const OracleList& list, const OraclePacket& packet) {
  for (const OracleEntry& entry : list) {
    if (EntryMatches(entry.Record, packet)) return entry.Line;
  }
  return std::nullopt;
}

bool Permits(const OracleList& list, const OraclePacket& packet) {
  for (const OracleEntry& entry : list) {
    if (EntryMatches(entry.Record, packet)) return entry.Record.Status == StatusPermit;
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
      "any", "any", "host 10.0.0.1", "10.0.0.0 0.0.0.255", "10.0.0.0 0.0.0.127",
      "10.0.0.128 0.0.0.127", "10.0.1.0 0.0.0.255", "10.0.0.0 0.0.1.255",
      "10.0.0.0 0.0.254.255"};  // the last: every even third octet, a non-contiguous mask
  static const char* const kProtocols[] = {"ip", "tcp", "tcp", "udp", "icmp", "gre"};
  static const char* const kPorts[] = {"",         "",         "",         "eq 80",
                                       "eq 80 443", "range 70 90", "gt 1023", "lt 100",
                                       "neq 80"};
  static const char* const kMessages[] = {"", "", "echo", "3", "3 1", "echo-reply"};
  static const char* const kOptions[] = {"", "", "", "", "", "precedence 5", "ttl gt 64",
                                         "ttl eq 10"};
  std::string entry = random() % 2 ? "permit " : "deny ";
  const std::string protocol = Pick(random, kProtocols);
  const bool ports = protocol == "tcp" || protocol == "udp";
  entry += protocol + " " + Pick(random, kAddresses);
  if (ports) entry += std::string(" ") + Pick(random, kPorts);
  entry += std::string(" ") + Pick(random, kAddresses);
  if (ports) entry += std::string(" ") + Pick(random, kPorts);
  if (protocol == "icmp") entry += std::string(" ") + Pick(random, kMessages);
  if (protocol == "tcp" && random() % 5 == 0) entry += " established";
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
