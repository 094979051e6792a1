#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>

namespace kerbwise {

// One packet, as far as an access-list entry can tell packets apart. Fields a
// packet of its protocol does not carry (ports of an ICMP packet, the ICMP
// type of a TCP one) hold 0 and mean nothing.
struct Packet {
  std::uint8_t Protocol = 0;
  std::uint32_t Source = 0, Destination = 0;
  std::uint16_t SourcePort = 0, DestinationPort = 0;  // tcp and udp
  std::uint8_t IcmpType = 0, IcmpCode = 0;            // icmp and igmp
  std::uint8_t Tos = 0;                               // the whole ToS byte
  std::uint8_t Ttl = 0;
  std::uint8_t TcpFlags = 0;  // urg 32, ack 16, psh 8, rst 4, syn 2, fin 1
  bool Fragment = false;      // a non-initial fragment
  // The IP option an entry names (`option N`), as the key entries compare
  // it by: told apart only by equality; 0 for none.
  std::uint16_t OptionKey = 0;

  bool operator==(const Packet&) const = default;
};

// The fields of a packet, for sets built field by field.
enum class PacketField : std::uint8_t {
  Protocol,
  Source,
  Destination,
  SourcePort,
  DestinationPort,
  IcmpType,
  IcmpCode,
  Tos,
  Ttl,
  TcpFlags,
  Fragment,
  OptionKey,
};

// A run's diagrams grew past the node cap of its PacketWorker; the run ends
// with this rather than exhausting memory. Thrown by PacketSet operations.
class PacketSetTooLarge : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A set of packets, held as a binary decision diagram. Every PacketSet lives
// inside a job of the PacketWorker and must be destroyed before the job ends:
// the diagram library keeps one global state on the worker's thread. A job
// returns plain data (indexes, Packets), never a PacketSet.
class PacketSet {
 public:
  PacketSet();  // the empty set
  static PacketSet All();
  static PacketSet Of(const Packet& packet);  // the one packet

  PacketSet(const PacketSet& other);
  PacketSet(PacketSet&& other) noexcept;
  PacketSet& operator=(const PacketSet& other);
  PacketSet& operator=(PacketSet&& other) noexcept;
  ~PacketSet();

  PacketSet operator|(const PacketSet& other) const;  // union
  PacketSet operator&(const PacketSet& other) const;  // intersection
  PacketSet operator-(const PacketSet& other) const;  // difference
  PacketSet& operator|=(const PacketSet& other);
  PacketSet& operator&=(const PacketSet& other);
  PacketSet& operator-=(const PacketSet& other);

  bool Empty() const;
  bool operator==(const PacketSet& other) const;
  // Whether every packet of `other` is in this set.
  bool Contains(const PacketSet& other) const;
  bool Meets(const PacketSet& other) const;
  bool Holds(const Packet& packet) const;

  // One packet of the set, nullopt when it is empty. Bits the set leaves free
  // are 0, so the example is the numerically lowest corner of a cell.
  std::optional<Packet> Example() const;
  // Another packet of the set, chosen by `seed`: free bits and the branches
  // of the diagram are taken at random, so different seeds spread over it.
  std::optional<Packet> Example(std::uint64_t seed) const;
  // How many packets the set holds (the field widths give about 2^159).
  double Size() const;
  // Nodes of the diagram: its cost, for tests and benchmarks.
  std::size_t Nodes() const;

 private:
  friend PacketSet FieldRange(PacketField, std::uint32_t, std::uint32_t);
  friend PacketSet FieldBits(PacketField, std::uint32_t, std::uint32_t, const PacketSet&);
  explicit PacketSet(int root);
  int root_;
};

// How many bits a field has (8, 32, 32, 16, 16, 8, 8, 8, 8, 6, 1, 16).
unsigned FieldWidth(PacketField field);

// The packets whose field lies in [low, high] (both within the field's width).
PacketSet FieldRange(PacketField field, std::uint32_t low, std::uint32_t high);

// The packets whose field has the bits `value` under the 1-bits of `mask`;
// the other bits are free (an address with a netmask-form mask, contiguous or
// not).
PacketSet FieldBits(PacketField field, std::uint32_t value, std::uint32_t mask);
// The same intersected with `below`, a set that limits only fields after
// `field` in the order of PacketField: made in one pass, without walking
// `below`.
PacketSet FieldBits(PacketField field, std::uint32_t value, std::uint32_t mask,
                    const PacketSet& below);

}  // namespace kerbwise
