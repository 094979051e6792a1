#include "analysis/pair_index.h"

#include <algorithm>

#include "rules/address_sets.h"

namespace kerbwise {
namespace {

bool Filed(const CompiledEntry& entry) { return entry.Kind == EntryKind::Rule && entry.Clean; }

bool TrafficMeets(const EntryTraffic& a, const EntryTraffic& b) {
  return (a.Protocol == b.Protocol || a.Protocol == 0 || b.Protocol == 0) &&
         AddrSetsMeet(a.SrcAddr, a.SrcMask, b.SrcAddr, b.SrcMask) &&
         AddrSetsMeet(a.DstAddr, a.DstMask, b.DstAddr, b.DstMask);
}

}  // namespace

PairIndex::PairIndex(const CompiledEntries& entries) : entries_(entries) {
  for (std::size_t k = 0; k < entries.size(); ++k) {
    const CompiledEntry& entry = entries[k];
    const auto id = static_cast<std::uint32_t>(k);
    if (Filed(entry)) {
      source_.Add(entry.Traffic.SrcAddr, entry.Traffic.SrcMask, id);
      destination_.Add(entry.Traffic.DstAddr, entry.Traffic.DstMask, id);
    } else if (entry.Kind != EntryKind::Remark) {
      alwaysCompared_.push_back(id);
    }
  }
  source_.Seal();
  destination_.Seal();
}

bool PairIndex::Later(std::size_t row, Scratch& scratch, std::vector<std::uint32_t>& later) const {
  const CompiledEntry& entry = entries_[row];
  if (entry.Kind != EntryKind::Remark && !Filed(entry)) return false;
  const auto after =
      std::upper_bound(alwaysCompared_.begin(), alwaysCompared_.end(), std::uint32_t(row));
  if (entry.Kind == EntryKind::Remark) {
    // A remark's row can end only in an error.
    later.assign(after, alwaysCompared_.end());
    return true;
  }
  const EntryTraffic& t = entry.Traffic;
  const std::size_t bySource = source_.Count(t.SrcAddr, t.SrcMask);
  const std::size_t byDestination = destination_.Count(t.DstAddr, t.DstMask);
  // An entry that meets about everything (any on both sides) gains nothing
  // from a search: comparing parts most pairs as fast.
  if (std::min(bySource, byDestination) >= entries_.size() - row - 1) return false;

  std::vector<std::uint32_t>& found = scratch.found_;
  found.clear();
  if (bySource <= byDestination) {
    source_.Collect(t.SrcAddr, t.SrcMask, found);
  } else {
    destination_.Collect(t.DstAddr, t.DstMask, found);
  }
  for (const std::uint32_t k : found) {
    if (k > row && TrafficMeets(t, entries_[k].Traffic)) scratch.marks_.Mark(k);
  }
  for (auto at = after; at != alwaysCompared_.end(); ++at) scratch.marks_.Mark(*at);
  later.clear();
  scratch.marks_.TakeAll(later);
  return true;
}

}  // namespace kerbwise
