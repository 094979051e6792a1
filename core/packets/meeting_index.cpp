#include "packets/meeting_index.h"

#include <algorithm>
#include <bit>

namespace kerbwise {

namespace {

std::uint8_t LeadingLength(std::uint32_t mask) {
  return static_cast<std::uint8_t>(std::countl_one(mask));
}

std::uint32_t TopBits(unsigned length) { return length == 0 ? 0u : ~0u << (32 - length); }

bool ProtocolsMeet(const EntryTraffic& a, const EntryTraffic& b) {
  return a.Protocol == b.Protocol || a.Protocol == 0 || b.Protocol == 0;
}

bool SidesMeet(std::uint32_t a, std::uint32_t aMask, std::uint32_t b, std::uint32_t bMask) {
  return ((a ^ b) & aMask & bMask) == 0;
}

}  // namespace

MeetingIndex::MeetingIndex(const CompiledEntries& entries, const std::vector<bool>& rule)
    : entries_(entries) {
  for (std::size_t k = 0; k < entries.size(); ++k) {
    if (!rule[k]) continue;
    const EntryTraffic& t = entries[k].Traffic;
    const auto file = [&](Side& side, std::uint32_t address, std::uint32_t mask) {
      const std::uint8_t length = LeadingLength(mask);
      side.Sorted.push_back({address & TopBits(length), length, static_cast<std::uint32_t>(k)});
    };
    file(source_, t.SrcAddr, t.SrcMask);
    file(destination_, t.DstAddr, t.DstMask);
  }
  std::sort(source_.Sorted.begin(), source_.Sorted.end());
  std::sort(destination_.Sorted.begin(), destination_.Sorted.end());
}

// The entries filed on the path to the prefix, its own included, then those
// filed below it: a longer prefix that begins with it.
void MeetingIndex::Collect(const Side& side, std::uint32_t address, std::uint32_t mask,
                           std::vector<std::uint32_t>& found) const {
  const std::uint8_t length = LeadingLength(mask);
  const auto& sorted = side.Sorted;
  for (unsigned l = 0; l <= length; ++l) {
    const std::uint32_t prefix = address & TopBits(l);
    const auto from = std::lower_bound(sorted.begin(), sorted.end(),
                                       Filed{prefix, static_cast<std::uint8_t>(l), 0});
    for (auto at = from; at != sorted.end() && at->Prefix == prefix && at->Length == l; ++at) {
      found.push_back(at->Entry);
    }
  }
  if (length == 32) return;
  const std::uint32_t low = address & TopBits(length);
  const std::uint32_t high = low | ~TopBits(length);
  for (auto at = std::lower_bound(sorted.begin(), sorted.end(), Filed{low, 0, 0});
       at != sorted.end() && at->Prefix <= high; ++at) {
    if (at->Length > length) found.push_back(at->Entry);
  }
}

// What Collect finds on a side (the entries below counted with those of the
// prefix's own length among them), in searches only.
std::size_t MeetingIndex::Count(const Side& side, std::uint32_t address, std::uint32_t mask) const {
  const std::uint8_t length = LeadingLength(mask);
  const auto& sorted = side.Sorted;
  std::size_t count = 0;
  for (unsigned l = 0; l < length; ++l) {
    const std::uint32_t prefix = address & TopBits(l);
    const auto l8 = static_cast<std::uint8_t>(l);
    const auto range = std::equal_range(
        sorted.begin(), sorted.end(), Filed{prefix, l8, 0}, [](const Filed& a, const Filed& b) {
          return a.Prefix != b.Prefix ? a.Prefix < b.Prefix : a.Length < b.Length;
        });
    count += static_cast<std::size_t>(range.second - range.first);
  }
  const std::uint32_t low = address & TopBits(length);
  const std::uint32_t high = low | ~TopBits(length);
  const auto from = std::lower_bound(sorted.begin(), sorted.end(), Filed{low, length, 0});
  const auto to =
      high == ~0u ? sorted.end() : std::lower_bound(from, sorted.end(), Filed{high + 1, 0, 0});
  return count + static_cast<std::size_t>(to - from);
}

std::vector<std::size_t> MeetingIndex::Meeting(std::size_t entry) const {
  const CompiledEntry& e = entries_[entry];
  const EntryTraffic& t = e.Traffic;
  std::vector<std::uint32_t> found;
  if (Count(source_, t.SrcAddr, t.SrcMask) <= Count(destination_, t.DstAddr, t.DstMask)) {
    Collect(source_, t.SrcAddr, t.SrcMask, found);
  } else {
    Collect(destination_, t.DstAddr, t.DstMask, found);
  }
  std::vector<std::size_t> meeting;
  meeting.reserve(found.size());
  for (const std::uint32_t k : found) {
    if (k == entry) continue;
    const CompiledEntry& other = entries_[k];
    const EntryTraffic& o = other.Traffic;
    if (ProtocolsMeet(t, o) && SidesMeet(t.SrcAddr, t.SrcMask, o.SrcAddr, o.SrcMask) &&
        SidesMeet(t.DstAddr, t.DstMask, o.DstAddr, o.DstMask) && entries_.OptionsMeet(e, other)) {
      meeting.push_back(k);
    }
  }
  std::sort(meeting.begin(), meeting.end());
  return meeting;
}

}  // namespace kerbwise
