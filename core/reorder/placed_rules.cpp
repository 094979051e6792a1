#include "reorder/placed_rules.h"

#include <algorithm>

namespace kerbwise {
namespace {

constexpr std::uint32_t kBucketBits = 0xFFFFFF00u;

bool FixesBucketBits(std::uint32_t mask) { return (mask & kBucketBits) == kBucketBits; }

}  // namespace

void RuleColumns::Add(std::size_t line, std::size_t position, const CoarseTraffic& traffic) {
  Line.push_back(line);
  // A place fits: a list of four billion lines could not be held anyway.
  Position.push_back(static_cast<std::uint32_t>(position));
  Protocol.push_back(traffic.Protocol);
  SrcAddr.push_back(traffic.SrcAddr);
  SrcMask.push_back(traffic.SrcMask);
  DstAddr.push_back(traffic.DstAddr);
  DstMask.push_back(traffic.DstMask);
}

std::size_t RuleColumns::FirstFrom(std::size_t line) const {
  return static_cast<std::size_t>(std::lower_bound(Line.begin(), Line.end(), line) - Line.begin());
}

void RuleColumns::MarkMeetings(std::size_t from, std::size_t count, std::uint32_t place,
                               const CoarseTraffic& x, std::uint8_t* hits) const {
  for (std::size_t t = 0; t < count; ++t) {
    const std::size_t j = from + t;
    const bool protocols = (Protocol[j] == x.Protocol) | (Protocol[j] == 0) | (x.Protocol == 0);
    const bool sources = ((SrcAddr[j] ^ x.SrcAddr) & SrcMask[j] & x.SrcMask) == 0;
    const bool destinations = ((DstAddr[j] ^ x.DstAddr) & DstMask[j] & x.DstMask) == 0;
    hits[t] = static_cast<std::uint8_t>((Position[j] < place) & protocols & sources & destinations);
  }
}

void PlacedRules::Add(std::size_t line, std::size_t position, const CoarseTraffic& traffic) {
  all_.Add(line, position, traffic);
  const auto file = [&](Split& split, std::uint32_t addr, std::uint32_t mask) {
    RuleColumns& place = FixesBucketBits(mask) ? split.Buckets[addr & kBucketBits] : split.Open;
    place.Add(line, position, traffic);
  };
  file(bySource_, traffic.SrcAddr, traffic.SrcMask);
  file(byDestination_, traffic.DstAddr, traffic.DstMask);
}

std::array<const RuleColumns*, 2> PlacedRules::Candidates(const CoarseTraffic& traffic) const {
  std::array<const RuleColumns*, 2> best{&all_, nullptr};
  std::size_t fewest = all_.size();
  const auto consider = [&](const Split& split, std::uint32_t addr, std::uint32_t mask) {
    if (!FixesBucketBits(mask)) return;
    const auto bucket = split.Buckets.find(addr & kBucketBits);
    const RuleColumns* own = bucket == split.Buckets.end() ? nullptr : &bucket->second;
    const std::size_t count = (own != nullptr ? own->size() : 0) + split.Open.size();
    if (count < fewest) {
      fewest = count;
      best = {own, &split.Open};
    }
  };
  consider(bySource_, traffic.SrcAddr, traffic.SrcMask);
  consider(byDestination_, traffic.DstAddr, traffic.DstMask);
  return best;
}

}  // namespace kerbwise
