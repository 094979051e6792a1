#include "packets/packet_set.h"

#include <array>
#include <random>

#include "packets/buddy.h"
#include "packets/packet_store.h"

namespace kerbwise {

namespace {

// The library's two terminals (its C++ names stand for wrapper objects).
constexpr int kFalse = 0;
constexpr int kTrue = 1;

struct FieldPlace {
  unsigned First;  // the variable of the most significant bit
  unsigned Width;
};

// Addresses most significant bit first, so that a prefix is a short chain;
// the fields most entries leave free come last.
constexpr std::array<FieldPlace, 12> kPlaces = {{
    {0, 8},     // Protocol
    {8, 32},    // Source
    {40, 32},   // Destination
    {72, 16},   // SourcePort
    {88, 16},   // DestinationPort
    {104, 8},   // IcmpType
    {112, 8},   // IcmpCode
    {120, 8},   // Tos
    {128, 8},   // Ttl
    {136, 6},   // TcpFlags
    {142, 1},   // Fragment
    {143, 16},  // OptionKey
}};
static_assert(kPlaces.back().First + kPlaces.back().Width == kPacketVariables);

const FieldPlace& PlaceOf(PacketField field) { return kPlaces[static_cast<std::size_t>(field)]; }

// The variable of bit `bit` (0 the least significant) of a field.
int Variable(const FieldPlace& place, unsigned bit) {
  return static_cast<int>(place.First + place.Width - 1 - bit);
}

// The result of an operation, checked for an error the library signalled
// while making it (the cap on nodes above all) and referenced.
int Keep(int root) {
  ThrowIfStoreFailed();
  return bdd_addref(root);
}

std::uint32_t FieldValue(const Packet& packet, PacketField field) {
  switch (field) {
    case PacketField::Protocol:
      return packet.Protocol;
    case PacketField::Source:
      return packet.Source;
    case PacketField::Destination:
      return packet.Destination;
    case PacketField::SourcePort:
      return packet.SourcePort;
    case PacketField::DestinationPort:
      return packet.DestinationPort;
    case PacketField::IcmpType:
      return packet.IcmpType;
    case PacketField::IcmpCode:
      return packet.IcmpCode;
    case PacketField::Tos:
      return packet.Tos;
    case PacketField::Ttl:
      return packet.Ttl;
    case PacketField::TcpFlags:
      return packet.TcpFlags;
    case PacketField::Fragment:
      return packet.Fragment ? 1u : 0u;
    case PacketField::OptionKey:
      return packet.OptionKey;
  }
  return 0;
}

void SetField(Packet& packet, PacketField field, std::uint32_t value) {
  switch (field) {
    case PacketField::Protocol:
      packet.Protocol = static_cast<std::uint8_t>(value);
      break;
    case PacketField::Source:
      packet.Source = value;
      break;
    case PacketField::Destination:
      packet.Destination = value;
      break;
    case PacketField::SourcePort:
      packet.SourcePort = static_cast<std::uint16_t>(value);
      break;
    case PacketField::DestinationPort:
      packet.DestinationPort = static_cast<std::uint16_t>(value);
      break;
    case PacketField::IcmpType:
      packet.IcmpType = static_cast<std::uint8_t>(value);
      break;
    case PacketField::IcmpCode:
      packet.IcmpCode = static_cast<std::uint8_t>(value);
      break;
    case PacketField::Tos:
      packet.Tos = static_cast<std::uint8_t>(value);
      break;
    case PacketField::Ttl:
      packet.Ttl = static_cast<std::uint8_t>(value);
      break;
    case PacketField::TcpFlags:
      packet.TcpFlags = static_cast<std::uint8_t>(value);
      break;
    case PacketField::Fragment:
      packet.Fragment = value != 0;
      break;
    case PacketField::OptionKey:
      packet.OptionKey = static_cast<std::uint16_t>(value);
      break;
  }
}

constexpr PacketField kFields[] = {PacketField::Protocol,
                                   PacketField::Source,
                                   PacketField::Destination,
                                   PacketField::SourcePort,
                                   PacketField::DestinationPort,
                                   PacketField::IcmpType,
                                   PacketField::IcmpCode,
                                   PacketField::Tos,
                                   PacketField::Ttl,
                                   PacketField::TcpFlags,
                                   PacketField::Fragment,
                                   PacketField::OptionKey};

// The values of a field at or below `bound` (atMost) or at or above it, built
// from the least significant bit up: a chain of one node a bit.
int Compare(const FieldPlace& place, std::uint32_t bound, bool atMost) {
  int result = bdd_addref(kTrue);
  for (unsigned bit = 0; bit < place.Width; ++bit) {
    // Literals are kept by the library for good; no reference needed.
    const int x = bdd_ithvar(Variable(place, bit));
    const int notX = bdd_nithvar(Variable(place, bit));
    const bool set = ((bound >> bit) & 1u) != 0;
    int next;
    if (atMost) {
      next = set ? bdd_or(notX, result) : bdd_and(notX, result);
    } else {
      next = set ? bdd_and(x, result) : bdd_or(x, result);
    }
    bdd_addref(next);
    bdd_delref(result);
    result = next;
    ThrowIfStoreFailed();
  }
  return result;  // referenced
}

}  // namespace

unsigned FieldWidth(PacketField field) { return PlaceOf(field).Width; }

PacketSet::PacketSet() : root_(kFalse) {}
PacketSet::PacketSet(int root) : root_(root) {}
PacketSet PacketSet::All() { return PacketSet(kTrue); }

PacketSet PacketSet::Of(const Packet& packet) {
  PacketSet result = All();
  for (const PacketField field : kFields)
    result &= FieldBits(field, FieldValue(packet, field), ~0u);
  return result;
}

PacketSet::PacketSet(const PacketSet& other) : root_(bdd_addref(other.root_)) {}
PacketSet::PacketSet(PacketSet&& other) noexcept : root_(other.root_) { other.root_ = kFalse; }
PacketSet& PacketSet::operator=(const PacketSet& other) {
  if (this != &other) {
    bdd_addref(other.root_);
    bdd_delref(root_);
    root_ = other.root_;
  }
  return *this;
}
PacketSet& PacketSet::operator=(PacketSet&& other) noexcept {
  if (this != &other) {
    bdd_delref(root_);
    root_ = other.root_;
    other.root_ = kFalse;
  }
  return *this;
}
PacketSet::~PacketSet() { bdd_delref(root_); }

PacketSet PacketSet::operator|(const PacketSet& other) const {
  return PacketSet(Keep(bdd_or(root_, other.root_)));
}
PacketSet PacketSet::operator&(const PacketSet& other) const {
  return PacketSet(Keep(bdd_and(root_, other.root_)));
}
PacketSet PacketSet::operator-(const PacketSet& other) const {
  return PacketSet(Keep(bdd_apply(root_, other.root_, bddop_diff)));
}
PacketSet& PacketSet::operator|=(const PacketSet& other) { return *this = *this | other; }
PacketSet& PacketSet::operator&=(const PacketSet& other) { return *this = *this & other; }
PacketSet& PacketSet::operator-=(const PacketSet& other) { return *this = *this - other; }

bool PacketSet::Empty() const { return root_ == kFalse; }
bool PacketSet::operator==(const PacketSet& other) const { return root_ == other.root_; }
bool PacketSet::Contains(const PacketSet& other) const { return (other - *this).Empty(); }
bool PacketSet::Meets(const PacketSet& other) const { return !(*this & other).Empty(); }

bool PacketSet::Holds(const Packet& packet) const {
  int node = root_;
  while (node != kFalse && node != kTrue) {
    const int variable = bdd_var(node);
    const FieldPlace* place = nullptr;
    for (const FieldPlace& candidate : kPlaces) {
      if (static_cast<unsigned>(variable) < candidate.First + candidate.Width) {
        place = &candidate;
        break;
      }
    }
    const auto field = static_cast<PacketField>(place - kPlaces.data());
    const unsigned bit = place->First + place->Width - 1 - static_cast<unsigned>(variable);
    node = ((FieldValue(packet, field) >> bit) & 1u) != 0 ? bdd_high(node) : bdd_low(node);
  }
  return node == kTrue;
}

std::optional<Packet> PacketSet::Example() const { return Example(0); }

std::optional<Packet> PacketSet::Example(std::uint64_t seed) const {
  if (Empty()) return std::nullopt;
  std::mt19937_64 random(seed);
  std::array<std::uint32_t, kPlaces.size()> values{};
  // Seed 0 leaves free bits 0 and prefers the low branch: the lowest corner.
  const auto coin = [&] { return seed != 0 && (random() & 1u) != 0; };
  const auto setBit = [&](unsigned variable) {
    for (std::size_t f = 0; f < kPlaces.size(); ++f) {
      const FieldPlace& place = kPlaces[f];
      if (variable < place.First + place.Width) {
        values[f] |= 1u << (place.First + place.Width - 1 - variable);
        return;
      }
    }
  };
  int node = root_;
  unsigned next = 0;  // the first variable not yet decided
  while (node != kTrue) {
    const auto variable = static_cast<unsigned>(bdd_var(node));
    for (; next < variable; ++next) {
      if (coin()) setBit(next);
    }
    const int low = bdd_low(node);
    const int high = bdd_high(node);
    const bool takeHigh = low == kFalse || (high != kFalse && coin());
    if (takeHigh) setBit(variable);
    node = takeHigh ? high : low;
    next = variable + 1;
  }
  for (; next < kPacketVariables; ++next) {
    if (coin()) setBit(next);
  }
  Packet packet;
  for (std::size_t f = 0; f < kPlaces.size(); ++f) SetField(packet, kFields[f], values[f]);
  return packet;
}

double PacketSet::Size() const { return bdd_satcount(root_); }
std::size_t PacketSet::Nodes() const { return static_cast<std::size_t>(bdd_nodecount(root_)); }

PacketSet FieldRange(PacketField field, std::uint32_t low, std::uint32_t high) {
  const FieldPlace& place = PlaceOf(field);
  const std::uint32_t top = place.Width == 32 ? ~0u : (1u << place.Width) - 1;
  if (low > high) return PacketSet();
  if (low == 0 && high >= top) return PacketSet::All();
  PacketSet result = PacketSet::All();
  if (high < top) result = PacketSet(Compare(place, high, true));
  if (low > 0) result &= PacketSet(Compare(place, low, false));
  return result;
}

PacketSet FieldBits(PacketField field, std::uint32_t value, std::uint32_t mask) {
  return FieldBits(field, value, mask, PacketSet::All());
}

PacketSet FieldBits(PacketField field, std::uint32_t value, std::uint32_t mask,
                    const PacketSet& below) {
  const FieldPlace& place = PlaceOf(field);
  // Built from the last variable up, so that each step adds one node on top.
  int result = bdd_addref(below.root_);
  for (unsigned bit = 0; bit < place.Width; ++bit) {
    if (((mask >> bit) & 1u) == 0) continue;
    const int variable = Variable(place, bit);
    const int literal = ((value >> bit) & 1u) != 0 ? bdd_ithvar(variable) : bdd_nithvar(variable);
    const int next = bdd_and(literal, result);
    bdd_addref(next);
    bdd_delref(result);
    result = next;
    ThrowIfStoreFailed();
  }
  return PacketSet(result);
}

}  // namespace kerbwise
