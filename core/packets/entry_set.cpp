#include "packets/entry_set.h"

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

// `established`: the packets with ack or rst set.
PacketSet EstablishedSet() {
  constexpr std::uint32_t kAck = 16, kRst = 4;
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
  const EntryTraffic& traffic = entry.Traffic;
  PacketSet set = ProtocolSet(entry);
  set &= FieldBits(PacketField::Source, traffic.SrcAddr, traffic.SrcMask);
  set &= FieldBits(PacketField::Destination, traffic.DstAddr, traffic.DstMask);
  set &= PrecedenceSet(entry);
  set &= Ranges(entries, entry.Ttl, PacketField::Ttl);
  // Ports, ICMP messages and `established` limit only the protocols that
  // carry them; a full match reads them for those alone.
  switch (entry.Family) {
    case ProtocolFamily::Tcp:
      if (entry.Established) set &= EstablishedSet();
      [[fallthrough]];
    case ProtocolFamily::Udp:
      set &= Ranges(entries, entry.SrcPorts, PacketField::SourcePort);
      set &= Ranges(entries, entry.DstPorts, PacketField::DestinationPort);
      break;
    case ProtocolFamily::Icmp:
      set &= IcmpSet(entry);
      break;
    default:
      break;
  }
  return set;
}

}  // namespace kerbwise
