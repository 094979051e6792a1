#include "reorder/placed_rules.h"

namespace kerbwise {
namespace {

constexpr std::uint32_t kBucketBits = 0xFFFFFF00u;

bool FixesBucketBits(std::uint32_t mask) { return (mask & kBucketBits) == kBucketBits; }

}  // namespace

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
