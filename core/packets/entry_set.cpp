#include "packets/entry_set.h"

#include <bit>
#include <random>
#include <stdexcept>

#include "rules/limits.h"
#include "rules/protocols.h"

namespace kerbwise {

namespace {

constexpr unsigned kFlagCombinations = 64;

PacketSet Ranges(const CompiledEntries& entries, const ValueCondition& condition,
                 PacketField field) {
  if (condition.Is == ValueCondition::State::Absent) return PacketSet::All();
  PacketSet result;
  for (const ValueRange& range : entries.Ranges(condition)) {
    result |= FieldRange(field, range.Lo, range.Hi);
  }
  return result;
}

// The protocols whose port conditions limit them, as a full match reads them.
bool Ported(const CompiledEntry& entry) {
  return entry.ProtocolNumber == kProtocolTcp || entry.ProtocolNumber == kProtocolUdp ||
         entry.ProtocolNumber == kProtocolSctp;
}

// The ICMP or IGMP message, when the entry names one: a type alone matches
// each of its codes.
bool HasIcmpMessage(const CompiledEntry& entry) {
  return entry.ProtocolNumber >= 0 && entry.IcmpMessage != 0;
}

PacketSet IcmpSet(const CompiledEntry& entry) {
  if (!HasIcmpMessage(entry)) return PacketSet::All();
  const std::int32_t value = entry.IcmpValue();
  if (value <= kMaxIcmpType) return FieldBits(PacketField::IcmpType, value, 0xFF);
  return FieldBits(PacketField::IcmpType, value / kIcmpTypeCount, 0xFF) &
         FieldBits(PacketField::IcmpCode, value % kIcmpTypeCount, 0xFF);
}

// The allowed flag combinations first..first+count-1 of `allowed`, split on
// the flag bits from the most significant down, as the diagram orders them.
PacketSet FlagSet(std::uint64_t allowed, unsigned first, unsigned count) {
  const std::uint64_t slice =
      count == kFlagCombinations ? allowed : (allowed >> first) & ((1ull << count) - 1);
  if (slice == 0) return PacketSet();
  if (count == kFlagCombinations ? slice == ~0ull : slice == (1ull << count) - 1) {
    return PacketSet::All();
  }
  const unsigned half = count / 2;
  // A flag that does not matter here leaves the diagram without a node for it.
  const std::uint64_t halfMask = (1ull << half) - 1;
  if ((slice & halfMask) == ((slice >> half) & halfMask)) return FlagSet(allowed, first, half);
  const PacketSet low = FlagSet(allowed, first, half);
  const PacketSet high = FlagSet(allowed, first + half, half);
  return (FieldBits(PacketField::TcpFlags, half, half) & high) |
         (FieldBits(PacketField::TcpFlags, 0, half) & low);
}

// Only TCP entries are limited by flags, as a full match reads them.
PacketSet TcpFlagSet(const CompiledEntry& entry) {
  if (entry.Family() != ProtocolFamily::Tcp) return PacketSet::All();
  return FlagSet(entry.TcpFlags, 0, kFlagCombinations);
}

}  // namespace

std::optional<std::string> EntrySetFault(const CompiledEntry& entry) {
  if (entry.ProtocolNumber < -1 || entry.ProtocolNumber > 255) {
    return "a protocol that is not a number from 0 to 255";
  }
  if (entry.TextKey == kUnkeyedText) return "an option text the store could not key";
  if (HasIcmpMessage(entry) && (entry.IcmpValue() < 0 || entry.IcmpValue() > kMaxIcmpMessage)) {
    return "an ICMP message that is not a number";
  }
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
  PacketSet set = entry.TextKey != 0 ? FieldBits(PacketField::OptionKey, entry.TextKey, 0xFFFF)
                                     : PacketSet::All();
  if (entry.Fragments) set = FieldBits(PacketField::Fragment, 1, 1, set);
  set &= TcpFlagSet(entry);
  set &= Ranges(entries, entry.Ttl, PacketField::Ttl);
  set = FieldBits(PacketField::Tos, entry.Tos.Value, entry.Tos.Mask, set);
  set &= IcmpSet(entry);
  // Ports limit only the protocols that carry them, as a full match reads them.
  if (Ported(entry)) {
    set &= Ranges(entries, entry.DstPorts, PacketField::DestinationPort);
    set &= Ranges(entries, entry.SrcPorts, PacketField::SourcePort);
  }
  const EntryTraffic& traffic = entry.Traffic;
  set = FieldBits(PacketField::Destination, traffic.DstAddr, traffic.DstMask, set);
  set = FieldBits(PacketField::Source, traffic.SrcAddr, traffic.SrcMask, set);
  if (entry.ProtocolNumber >= 0) {
    set = FieldBits(PacketField::Protocol, static_cast<std::uint32_t>(entry.ProtocolNumber), 0xFF,
                    set);
  }
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
  if (entry.ProtocolNumber >= 0 && packet.Protocol != entry.ProtocolNumber) return false;
  if ((packet.Source & traffic.SrcMask) != traffic.SrcAddr ||
      (packet.Destination & traffic.DstMask) != traffic.DstAddr) {
    return false;
  }
  if ((packet.Tos & entry.Tos.Mask) != entry.Tos.Value) return false;
  if (!InRanges(entries, entry.Ttl, packet.Ttl)) return false;
  if (entry.Fragments && !packet.Fragment) return false;
  if (entry.TextKey != 0 && packet.OptionKey != entry.TextKey) return false;
  if (entry.Family() == ProtocolFamily::Tcp && ((entry.TcpFlags >> packet.TcpFlags) & 1u) == 0) {
    return false;
  }
  if (Ported(entry) && !(InRanges(entries, entry.SrcPorts, packet.SourcePort) &&
                         InRanges(entries, entry.DstPorts, packet.DestinationPort))) {
    return false;
  }
  if (HasIcmpMessage(entry)) {
    const std::int32_t value = entry.IcmpValue();
    if (value <= kMaxIcmpType) return packet.IcmpType == value;
    return packet.IcmpType == value / kIcmpTypeCount && packet.IcmpCode == value % kIcmpTypeCount;
  }
  return true;
}

namespace {

// A value the condition lets through: the lowest without `random`, else one
// at random; nullopt when it lets none through.
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

// An allowed flag combination: the lowest without `random`, else one at
// random; nullopt when none is allowed.
std::optional<std::uint8_t> PickFlags(std::uint64_t allowed, std::mt19937_64* random) {
  if (allowed == 0) return std::nullopt;
  unsigned skip =
      random != nullptr ? static_cast<unsigned>((*random)() % std::popcount(allowed)) : 0;
  for (unsigned c = 0; c < kFlagCombinations; ++c) {
    if (((allowed >> c) & 1u) != 0 && skip-- == 0) return static_cast<std::uint8_t>(c);
  }
  return std::nullopt;
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
  packet.Protocol = static_cast<std::uint8_t>(
      entry.ProtocolNumber >= 0 ? static_cast<std::uint32_t>(entry.ProtocolNumber) : bits(0xFF));
  packet.Source = traffic.SrcAddr | bits(~traffic.SrcMask);
  packet.Destination = traffic.DstAddr | bits(~traffic.DstMask);
  packet.Tos = static_cast<std::uint8_t>((bits(0xFF) & ~entry.Tos.Mask) | entry.Tos.Value);
  packet.Fragment = entry.Fragments || bits(1) != 0;
  packet.OptionKey = static_cast<std::uint16_t>(entry.TextKey != 0 ? entry.TextKey : bits(0xFFFF));
  const bool tcp = entry.Family() == ProtocolFamily::Tcp;
  const std::optional<std::uint8_t> flags =
      tcp ? PickFlags(entry.TcpFlags, random) : static_cast<std::uint8_t>(bits(0x3F));
  const std::optional<std::uint32_t> ttl = PickValue(entries, entry.Ttl, 0xFF, random);
  const std::optional<std::uint32_t> sourcePort =
      PickValue(entries, entry.SrcPorts, 0xFFFF, random);
  const std::optional<std::uint32_t> destinationPort =
      PickValue(entries, entry.DstPorts, 0xFFFF, random);
  const bool ported = Ported(entry);
  if (!flags || !ttl || (ported && (!sourcePort || !destinationPort))) return std::nullopt;
  packet.TcpFlags = *flags;
  packet.Ttl = static_cast<std::uint8_t>(*ttl);
  packet.SourcePort = static_cast<std::uint16_t>(ported ? *sourcePort : bits(0xFFFF));
  packet.DestinationPort = static_cast<std::uint16_t>(ported ? *destinationPort : bits(0xFFFF));
  packet.IcmpType = static_cast<std::uint8_t>(bits(0xFF));
  packet.IcmpCode = static_cast<std::uint8_t>(bits(0xFF));
  if (HasIcmpMessage(entry)) {
    const std::int32_t value = entry.IcmpValue();
    const bool withCode = value > kMaxIcmpType;
    packet.IcmpType = static_cast<std::uint8_t>(withCode ? value / kIcmpTypeCount : value);
    if (withCode) packet.IcmpCode = static_cast<std::uint8_t>(value % kIcmpTypeCount);
  }
  return packet;
}

}  // namespace kerbwise
