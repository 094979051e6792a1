#include "packets/meeting_index.h"

#include <algorithm>

#include "rules/address_sets.h"

namespace kerbwise {

namespace {

bool ProtocolsMeet(const EntryTraffic& a, const EntryTraffic& b) {
  return a.Protocol == b.Protocol || a.Protocol == 0 || b.Protocol == 0;
}

}  // namespace

MeetingIndex::MeetingIndex(const CompiledEntries& entries, const std::vector<bool>& rule)
    : entries_(entries) {
  for (std::size_t k = 0; k < entries.size(); ++k) {
    if (!rule[k]) continue;
    const EntryTraffic& t = entries[k].Traffic;
    source_.Add(t.SrcAddr, t.SrcMask, static_cast<std::uint32_t>(k));
    destination_.Add(t.DstAddr, t.DstMask, static_cast<std::uint32_t>(k));
  }
  source_.Seal();
  destination_.Seal();
}

std::vector<std::size_t> MeetingIndex::Meeting(std::size_t entry) const {
  const CompiledEntry& e = entries_[entry];
  const EntryTraffic& t = e.Traffic;
  std::vector<std::uint32_t> found;
  if (source_.Count(t.SrcAddr, t.SrcMask) <= destination_.Count(t.DstAddr, t.DstMask)) {
    source_.Collect(t.SrcAddr, t.SrcMask, found);
  } else {
    destination_.Collect(t.DstAddr, t.DstMask, found);
  }
  std::vector<std::size_t> meeting;
  meeting.reserve(found.size());
  for (const std::uint32_t k : found) {
    if (k == entry) continue;
    const CompiledEntry& other = entries_[k];
    const EntryTraffic& o = other.Traffic;
    if (ProtocolsMeet(t, o) && AddrSetsMeet(t.SrcAddr, t.SrcMask, o.SrcAddr, o.SrcMask) &&
        AddrSetsMeet(t.DstAddr, t.DstMask, o.DstAddr, o.DstMask) &&
        entries_.OptionsMeet(e, other)) {
      meeting.push_back(k);
    }
  }
  std::sort(meeting.begin(), meeting.end());
  return meeting;
}

}  // namespace kerbwise
