// A brute-force reading of what an access list does, written for the tests
// and kept apart from the packet-set engine: every field of a packet is cut
// where some entry's condition starts or stops, one packet is taken per cell
// of those cuts, and each packet is run down the list to its first full
// match. On small lists whose fields take few distinct values this visits
// every kind of packet the lists can tell apart, so the answers are exact.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace kerbwise::testing {

struct OraclePacket {
  std::uint8_t Protocol = 0;
  std::uint32_t Source = 0, Destination = 0;
  std::uint16_t SourcePort = 0, DestinationPort = 0;  // tcp and udp
  std::uint8_t IcmpType = 0, IcmpCode = 0;            // icmp
  std::uint8_t Tos = 0;  // the whole byte: precedence in the top 3 bits
  std::uint8_t Ttl = 0;
  std::uint8_t TcpFlags = 0;  // tcp: urg 32, ack 16, psh 8, rst 4, syn 2, fin 1
  bool Fragment = false;      // a non-initial fragment
};

// A port or TTL condition: "eq", "neq", "gt", "lt" or "range" and its numbers.
struct OracleCondition {
  std::string Op;
  std::vector<std::uint32_t> Values;
};

// What a rule entry asks of a packet, read once from its recognised text.
struct OracleEntry {
  std::size_t Line = 0;  // 0-based, in its list
  bool Permits = false;
  std::optional<std::uint8_t> Protocol;  // nullopt for ip
  std::uint32_t SrcAddr = 0, SrcMask = 0, DstAddr = 0, DstMask = 0;
  std::optional<OracleCondition> SourcePorts, DestinationPorts, Ttl;
  std::optional<std::uint8_t> Precedence;
  std::uint8_t TosMask = 0, TosValue = 0;    // dscp and tos: the bits they fix
  std::optional<std::uint32_t> IcmpMessage;  // a type, or type * 256 + code
  bool Established = false;
  std::string TcpFlags;  // the flag words ("syn", "match-all +syn -ack"); empty: any
  bool Fragments = false;
};
using OracleList = std::vector<OracleEntry>;

// Reads the lines of a numbered list (remarks take no part); nullopt when a
// line is not a readable rule (not recognised, an address outside its mask,
// a port or TTL condition that lets nothing through).
std::optional<OracleList> ReadOracleList(const std::vector<std::string>& listLines);

bool EntryMatches(const OracleEntry& entry, const OraclePacket& packet);

// One packet per cell of the field boundaries of all the lists' entries;
// nullopt when there would be more than `limit`.
std::optional<std::vector<OraclePacket>> CellPackets(const std::vector<const OracleList*>& lists,
                                                     std::size_t limit = 200000);

// The list line of the first entry the packet fully matches; nullopt for the
// implicit deny at the end.
std::optional<std::size_t> DecidingLine(const OracleList& list, const OraclePacket& packet);
bool Permits(const OracleList& list, const OraclePacket& packet);

// Per line of the list: whether some packet is decided by that line.
std::vector<bool> ReachableLines(const OracleList& list, std::size_t lineCount,
                                 const std::vector<OraclePacket>& packets);

// The packets that one list permits and the other denies.
std::vector<OraclePacket> DifferingPackets(const OracleList& oldList, const OracleList& newList,
                                           const std::vector<OraclePacket>& packets);

// A numbered list of `entries` entries drawn from small pools of addresses,
// ports, ICMP messages, ToS, TCP flags and other options, so that lists overlap often and
// CellPackets stays small.
std::vector<std::string> SmallList(std::mt19937& random, std::size_t entries);

// `list` with a few entries swapped, removed, added or turned into the other
// action, numbered afresh.
std::vector<std::string> EditedList(std::mt19937& random, std::vector<std::string> list);

}  // namespace kerbwise::testing
