// A list and a new order for it. The first byte picks the mask type, the next
// four seed the shuffle that gives the new order; the rest is the list, one
// entry a line (numbered 10, 20, ... here). For every pair of rules that the
// new order turns round and whose actions differ, a packet in the
// intersection of their protocols, addresses and ports is sought and read
// against each entry plainly (fuzz::Expected):
//
// - When both entries take that packet, the pair changes what the list does
//   for it, and the order check must report the pair.
// - A pair the order check reports, made of entries without conditions a
//   plain packet cannot meet (ToS bits, TTL, TCP flags, an option, a
//   fragment, an ICMP or IGMP message), must take that packet: a false alarm is allowed only where
//   a field cannot be judged.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <numeric>
#include <optional>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "fuzz_support.h"
#include "packet_oracle.h"
#include "reorder/order_safety.h"
#include "rules/address_sets.h"
#include "rules/line_recognizer.h"
#include "rules/list_entry.h"

namespace {

using namespace kerbwise;
using fuzz::Protocol;

constexpr std::size_t kMostLines = 48;

struct Packet {
  const Protocol* protocol;
  std::uint32_t src, dst, srcPort, dstPort;
};

// The protocol a packet both entries could take carries; null when the plain
// reading does not know it.
const Protocol* PacketProtocol(const RuleRecord& x, const RuleRecord& y) {
  const std::string& px = x.Values.Get(SideNone, SlotProtocol);
  const std::string& py = y.Values.Get(SideNone, SlotProtocol);
  const std::string chosen = px != "ip" ? px : py != "ip" ? py : "6";
  for (const Protocol& protocol : fuzz::kProtocols) {
    if (chosen == protocol.number) return &protocol;
  }
  return nullptr;
}

// Where two port sets meet, one of them starts or ends: next to a value a
// condition names, or at 0 or 65535.
std::optional<std::uint32_t> SharedPort(const std::string& x, const std::string& y) {
  std::vector<std::uint32_t> candidates{0, 65535};
  for (const std::string* condition : {&x, &y}) {
    std::istringstream in(*condition);
    std::string op;
    in >> op;
    for (std::uint32_t value; in >> value;) {
      for (const std::uint32_t near : {value - 1, value, value + 1}) {
        if (near <= 65535) candidates.push_back(near);
      }
    }
  }
  for (const std::uint32_t port : candidates) {
    const bool inX = x.empty() || fuzz::PortFits(x, port) == fuzz::Fit::Yes;
    const bool inY = y.empty() || fuzz::PortFits(y, port) == fuzz::Fit::Yes;
    if (inX && inY) return port;
  }
  return std::nullopt;
}

// A packet both entries take, as far as protocol, addresses and ports go;
// none when they share no such packet.
std::optional<Packet> CommonPacket(const RuleRecord& x, const RuleRecord& y,
                                   const Protocol& protocol) {
  Packet packet{&protocol, (x.SrcAddr & x.SrcMask) | (y.SrcAddr & y.SrcMask),
                (x.DstAddr & x.DstMask) | (y.DstAddr & y.DstMask), 0, 0};
  if (protocol.ports) {
    const auto srcPort =
        SharedPort(x.Values.Get(SideSource, SlotPort), y.Values.Get(SideSource, SlotPort));
    const auto dstPort = SharedPort(x.Values.Get(SideDestination, SlotPort),
                                    y.Values.Get(SideDestination, SlotPort));
    if (!srcPort || !dstPort) return std::nullopt;
    packet.srcPort = *srcPort;
    packet.dstPort = *dstPort;
  }
  const auto takes = [&packet](const RuleRecord& entry) {
    const std::uint8_t outcome = fuzz::Expected(entry, *packet.protocol, packet.src, packet.dst,
                                                packet.srcPort, packet.dstPort);
    return outcome == MatchPermit || outcome == MatchDeny;
  };
  if (!takes(x) || !takes(y)) return std::nullopt;
  return packet;
}

// An entry whose traffic the plain reading judges whole: addresses within
// their masks, port conditions that let some port through, and no condition
// a plain packet cannot meet (fuzz::AsksForWhatAPlainPacketLacks).
bool PlainlyJudged(const RuleRecord& entry) {
  for (const Side side : {SideSource, SideDestination}) {
    const std::string& ports = entry.Values.Get(side, SlotPort);
    if (!ports.empty() && fuzz::PortCorners(ports).empty()) return false;
  }
  return AddressFitsMask(entry.SrcAddr, entry.SrcMask) &&
         AddressFitsMask(entry.DstAddr, entry.DstMask) &&
         !fuzz::AsksForWhatAPlainPacketLacks(entry);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 5) return 0;
  CheckOptions options;
  options.MaskType = data[0] & 0x01u ? MaskForm::Netmask : MaskForm::Wildcard;
  const std::uint32_t seed = static_cast<std::uint32_t>(data[1]) << 24 |
                             static_cast<std::uint32_t>(data[2]) << 16 |
                             static_cast<std::uint32_t>(data[3]) << 8 | data[4];
  std::vector<std::string> list;
  for (const std::string& line : fuzz::SplitLines(fuzz::AsText(data + 5, size - 5))) {
    if (list.size() == kMostLines) break;
    list.push_back(std::to_string(10 * (list.size() + 1)) + ' ' + line);
  }

  std::vector<std::size_t> order(list.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::shuffle(order.begin(), order.end(), std::mt19937(seed));
  std::vector<std::size_t> newPosition(list.size());
  for (std::size_t place = 0; place < order.size(); ++place) newPosition[order[place]] = place + 1;

  static LineRecognizer recognizer;
  recognizer.EmptyCache();
  const OrderChanges changes = FindOrderChanges(list, newPosition, options, recognizer);
  fuzz::Require(changes.Count == changes.Listed.size(), "a short list left pairs unlisted");
  std::set<std::pair<std::size_t, std::size_t>> reported;
  for (const OrderChange& change : changes.Listed) {
    fuzz::Require(change.First < change.Second && change.NewFirst > change.NewSecond,
                  "a reported pair that keeps its order");
    reported.emplace(change.First, change.Second);
  }

  std::vector<RecordPtr> entries;
  for (const std::string& line : list) {
    entries.push_back(recognizer.Recognize(ListEntryText(line), options));
  }
  const auto isRule = [&](std::size_t k) {
    return entries[k]->Status == StatusPermit || entries[k]->Status == StatusDeny;
  };
  for (std::size_t i = 0; i < list.size(); ++i) {
    for (std::size_t j = i + 1; j < list.size(); ++j) {
      const bool candidate = isRule(i) && isRule(j) && newPosition[i] > newPosition[j] &&
                             entries[i]->Status != entries[j]->Status;
      const bool isReported = reported.contains({i, j});
      if (!candidate) {
        fuzz::Require(!isReported, "a pair reported that cannot disagree",
                      list[i] + "\n" + list[j]);
        continue;
      }
      const RuleRecord& x = *entries[i];
      const RuleRecord& y = *entries[j];
      const Protocol* protocol = PacketProtocol(x, y);
      if (protocol == nullptr) continue;  // the plain reading cannot tell
      if (CommonPacket(x, y, *protocol)) {
        fuzz::Require(isReported, "a changed pair not reported", list[i] + "\n" + list[j]);
      } else if (isReported && PlainlyJudged(x) && PlainlyJudged(y)) {
        fuzz::Broken("a pair reported that shares no traffic", list[i] + "\n" + list[j]);
      }
    }
  }
  return 0;
}
