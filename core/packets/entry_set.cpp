#include "packets/entry_set.h"

#include <random>
#include <stdexcept>

#include "rules/limits.h"

namespace kerbwise {

namespace {

// How compiled entries key their texts: a plain number n is n + 1, a number
// after its keyword is that plus kKeywordNumberKey, any other text is at or
// above kTextKey.
constexpr std::uint32_t kKeywordNumberKey = 1u << 20;
constexpr std::uint32_t kTextKey = 1u << 24;
constexpr std::uint32_t kMaxProtocol = 255;

PacketSet Ranges(const CompiledEntries& entries, const ValueCondition& condition,
                 PacketField field) {
  if (condition.Is == ValueCondition::State::Absent) return PacketSet::All();
  PacketSet result;
  for (const ValueRange& range : entries.Ranges(condition)) {
    result |= FieldRange(field, range.Lo, range.Hi);
  }
  return result;
}

bool ProtocolReadable(const CompiledEntry& entry) {
  return entry.Traffic.Protocol - 1 <= kMaxProtocol || entry.Traffic.Protocol == 0;
}

PacketSet ProtocolSet(const CompiledEntry& entry) {
  const std::uint32_t key = entry.Traffic.Protocol;
  if (key == 0) return PacketSet::All();  // ip carries every protocol
  return FieldBits(PacketField::Protocol, key - 1, 0xFF);
}

bool PrecedenceReadable(const CompiledEntry& entry) {
  const std::uint32_t key = entry.Precedence;
  return key == 0 || (key > kKeywordNumberKey && key < kTextKey &&
                      key - kKeywordNumberKey - 1 <= static_cast<std::uint32_t>(kMaxPrecedence));
}

// The precedence, the top three bits of the ToS byte.
PacketSet PrecedenceSet(const CompiledEntry& entry) {
  if (entry.Precedence == 0) return PacketSet::All();
  return FieldBits(PacketField::Tos, (entry.Precedence - kKeywordNumberKey - 1) << 5, 0xE0);
}

bool IcmpReadable(const CompiledEntry& entry) {
  return entry.Family != ProtocolFamily::Icmp || entry.IcmpMessage == 0 ||
         (entry.IcmpValue >= 0 && entry.IcmpValue <= kMaxIcmpMessage);
}

// A type alone matches each of its codes.
PacketSet IcmpSet(const CompiledEntry& entry) {
  if (entry.IcmpMessage == 0) return PacketSet::All();
  const std::int32_t value = entry.IcmpValue;
  if (value <= kMaxIcmpType) return FieldBits(PacketField::IcmpType, value, 0xFF);
  return FieldBits(PacketField::IcmpType, value / kIcmpTypeCount, 0xFF) &
         FieldBits(PacketField::IcmpCode, value % kIcmpTypeCount, 0xFF);
}

constexpr std::uint32_t kAck = 16, kRst = 4;

// `established`: the packets with ack or rst set.
PacketSet EstablishedSet() {
  return FieldBits(PacketField::TcpFlags, kAck, kAck) |
         FieldBits(PacketField::TcpFlags, kRst, kRst);
}

}  // namespace

std::optional<std::string> EntrySetFault(const CompiledEntry& entry) {
  if (!ProtocolReadable(entry)) return "a protocol that is not a number from 0 to 255";
  if (!PrecedenceReadable(entry)) return "a precedence that is not a number from 0 to 7";
  if (!IcmpReadable(entry)) return "an ICMP message that is not a number";
  return std::nullopt;
}

PacketSet EntrySet(const CompiledEntries& entries, const CompiledEntry& entry) {
  if (entry.Kind != EntryKind::Rule || !entry.Clean) {
    throw std::invalid_argument("only a readable rule entry has a set of packets");
  }
  if (const std::optional<std::string> fault = EntrySetFault(entry)) {
    throw std::invalid_argument(*fault);
  }
  // Built from the last field in the diagram's order to the first: each
  // intersection then walks only the new field's few nodes, the rest hanging
  // below them unchanged.
  PacketSet set = Ranges(entries, entry.Ttl, PacketField::Ttl);
  set &= PrecedenceSet(entry);
  // Ports, ICMP messages and `established` limit only the protocols that
  // carry them; a full match reads them for those alone.
  switch (entry.Family) {
    case ProtocolFamily::Tcp:
    case ProtocolFamily::Udp:
      if (entry.Family == ProtocolFamily::Tcp && entry.Established) set &= EstablishedSet();
      set &= Ranges(entries, entry.DstPorts, PacketField::DestinationPort);
      set &= Ranges(entries, entry.SrcPorts, PacketField::SourcePort);
      break;
    case ProtocolFamily::Icmp:
      set &= IcmpSet(entry);
      break;
    default:
      break;
  }
  const EntryTraffic& traffic = entry.Traffic;
  set &= FieldBits(PacketField::Destination, traffic.DstAddr, traffic.DstMask);
  set &= FieldBits(PacketField::Source, traffic.SrcAddr, traffic.SrcMask);
  set &= ProtocolSet(entry);
  return set;
}

namespace {

bool InRanges(const CompiledEntries& entries, const ValueCondition& condition,
              std::uint32_t value) {
  if (condition.Is == ValueCondition::State::Absent) return true;
  for (const ValueRange& range : entries.Ranges(condition)) {
    if (value >= range.Lo && value <= range.Hi) return true;
  }
  return false;
}

}  // namespace

bool EntryMatches(const CompiledEntries& entries, const CompiledEntry& entry,
                  const Packet& packet) {
  const EntryTraffic& traffic = entry.Traffic;
  if (traffic.Protocol != 0 && packet.Protocol != traffic.Protocol - 1) return false;
  if ((packet.Source & traffic.SrcMask) != traffic.SrcAddr ||
      (packet.Destination & traffic.DstMask) != traffic.DstAddr) {
    return false;
  }
  if (entry.Precedence != 0 &&
      static_cast<std::uint32_t>(packet.Tos >> 5) != entry.Precedence - kKeywordNumberKey - 1) {
    return false;
  }
  if (!InRanges(entries, entry.Ttl, packet.Ttl)) return false;
  switch (entry.Family) {
    case ProtocolFamily::Tcp:
    case ProtocolFamily::Udp:
      if (entry.Family == ProtocolFamily::Tcp && entry.Established &&
          (packet.TcpFlags & (kAck | kRst)) == 0) {
        return false;
      }
      return InRanges(entries, entry.SrcPorts, packet.SourcePort) &&
             InRanges(entries, entry.DstPorts, packet.DestinationPort);
    case ProtocolFamily::Icmp: {
      if (entry.IcmpMessage == 0) return true;
      const std::int32_t value = entry.IcmpValue;
      if (value <= kMaxIcmpType) return packet.IcmpType == value;
      return packet.IcmpType == value / kIcmpTypeCount && packet.IcmpCode == value % kIcmpTypeCount;
    }
    default:
      return true;
  }
}

namespace {

// A value the condition lets through: the lowest with seed 0, else one at
// random; nullopt when it lets none through.
std::optional<std::uint32_t> PickValue(const CompiledEntries& entries,
                                       const ValueCondition& condition, std::uint32_t top,
                                       std::mt19937_64* random) {
  if (condition.Is == ValueCondition::State::Absent) {
    return random != nullptr ? static_cast<std::uint32_t>((*random)() % (top + 1)) : 0u;
  }
  const std::span<const ValueRange> ranges = entries.Ranges(condition);
  if (ranges.empty()) return std::nullopt;
  if (random == nullptr) return ranges.front().Lo;
  const ValueRange& range = ranges[(*random)() % ranges.size()];
  return range.Lo + static_cast<std::uint32_t>((*random)() % (range.Hi - range.Lo + 1u));
}

}  // namespace

std::optional<Packet> EntryWitness(const CompiledEntries& entries, const CompiledEntry& entry,
                                   std::uint64_t seed) {
  std::mt19937_64 generator(seed);
  std::mt19937_64* random = seed != 0 ? &generator : nullptr;
  const auto bits = [&](std::uint32_t width) {
    return random != nullptr ? static_cast<std::uint32_t>((*random)()) & width : 0u;
  };
  const EntryTraffic& traffic = entry.Traffic;
  Packet packet;
  packet.Protocol =
      static_cast<std::uint8_t>(traffic.Protocol != 0 ? traffic.Protocol - 1 : bits(0xFF));
  packet.Source = traffic.SrcAddr | bits(~traffic.SrcMask);
  packet.Destination = traffic.DstAddr | bits(~traffic.DstMask);
  packet.Tos = static_cast<std::uint8_t>(bits(0xFF));
  if (entry.Precedence != 0) {
    packet.Tos = static_cast<std::uint8_t>((packet.Tos & 0x1F) |
                                           ((entry.Precedence - kKeywordNumberKey - 1) << 5));
  }
  packet.TcpFlags = static_cast<std::uint8_t>(bits(0x3F));
  if (entry.Family == ProtocolFamily::Tcp && entry.Established &&
      (packet.TcpFlags & (kAck | kRst)) == 0) {
    packet.TcpFlags |= kAck;
  }
  packet.Fragment = bits(1) != 0;
  const std::optional<std::uint32_t> ttl = PickValue(entries, entry.Ttl, 0xFF, random);
  const std::optional<std::uint32_t> sourcePort =
      PickValue(entries, entry.SrcPorts, 0xFFFF, random);
  const std::optional<std::uint32_t> destinationPort =
      PickValue(entries, entry.DstPorts, 0xFFFF, random);
  const bool ported = entry.Family == ProtocolFamily::Tcp || entry.Family == ProtocolFamily::Udp;
  if (!ttl || (ported && (!sourcePort || !destinationPort))) return std::nullopt;
  packet.Ttl = static_cast<std::uint8_t>(*ttl);
  packet.SourcePort = static_cast<std::uint16_t>(ported ? *sourcePort : bits(0xFFFF));
  packet.DestinationPort = static_cast<std::uint16_t>(ported ? *destinationPort : bits(0xFFFF));
  packet.IcmpType = static_cast<std::uint8_t>(bits(0xFF));
  packet.IcmpCode = static_cast<std::uint8_t>(bits(0xFF));
  if (entry.Family == ProtocolFamily::Icmp && entry.IcmpMessage != 0) {
    const std::int32_t value = entry.IcmpValue;
    packet.IcmpType =
        static_cast<std::uint8_t>(value <= kMaxIcmpType ? value : value / kIcmpTypeCount);
    if (value > kMaxIcmpType) packet.IcmpCode = static_cast<std::uint8_t>(value % kIcmpTypeCount);
  }
  return packet;
}

}  // namespace kerbwise
