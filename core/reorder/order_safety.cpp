#include "reorder/order_safety.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <optional>

#include "reorder/placed_rules.h"
#include "reorder/traffic_overlap.h"
#include "rules/list_entry.h"
#include "run/progress_pacer.h"

namespace kerbwise {
namespace {

constexpr std::size_t kNoEntry = static_cast<std::size_t>(-1);

constexpr std::size_t kScanBlock = 512;
constexpr std::size_t kChunk = sizeof(std::uint64_t);
static_assert(kScanBlock % kChunk == 0);

bool ChunkIsEmpty(const std::uint8_t* eight) {
  std::uint64_t chunk = 0;
  std::memcpy(&chunk, eight, sizeof chunk);
  return chunk == 0;
}

// Calls meet(j) for every rule j of `rules` from list line `fromLine` on
// that comes before `place` in the new order and whose protocol and
// addresses meet `traffic`.
template <typename Meet>
void ScanMeetings(const RuleColumns& rules, std::size_t fromLine, std::size_t place,
                  const CoarseTraffic& traffic, Meet&& meet) {
  std::array<std::uint8_t, kScanBlock> hits{};
  for (std::size_t from = rules.FirstFrom(fromLine); from < rules.size(); from += kScanBlock) {
    const std::size_t count = std::min(kScanBlock, rules.size() - from);
    rules.MarkMeetings(from, count, static_cast<std::uint32_t>(place), traffic, hits.data());
    std::fill(hits.begin() + static_cast<std::ptrdiff_t>(count), hits.end(), 0);
    // Hits are rare: eight misses are passed over at a time.
    for (std::size_t chunk = 0; chunk < count; chunk += kChunk) {
      if (ChunkIsEmpty(hits.data() + chunk)) continue;
      for (std::size_t t = chunk; t < chunk + kChunk; ++t) {
        if (hits[t] != 0) meet(from + t);
      }
    }
  }
}

// The entries of the list: a run of consecutive lines with one sequence
// number is one entry, and a line without a number is one of its own.
struct ListEntries {
  std::vector<std::size_t> EntryOf;  // per line, its entry
  std::vector<std::size_t> End;      // per entry, the line after its last
};

ListEntries GroupIntoEntries(const std::vector<std::string>& listLines) {
  ListEntries entries;
  entries.EntryOf.reserve(listLines.size());
  std::optional<std::int32_t> previous;
  for (std::size_t k = 0; k < listLines.size(); ++k) {
    const std::optional<std::int32_t> number = SplitListLine(listLines[k]).Number;
    if (k == 0 || !number || number != previous) entries.End.push_back(k);
    entries.End.back() = k + 1;
    entries.EntryOf.push_back(entries.End.size() - 1);
    previous = number;
  }
  return entries;
}

}  // namespace

OrderChanges FindOrderChanges(const std::vector<std::string>& listLines,
                              const std::vector<std::size_t>& newPosition,
                              const CheckOptions& options, LineRecognizer& recognizer,
                              std::size_t listLimit, const ProgressCallback& progress) {
  OrderChanges changes;
  if (newPosition.size() != listLines.size()) return changes;
  ProgressPacer pacer(progress);
  pacer.Restart();
  const TrafficTable traffic(listLines, options, recognizer, &pacer);
  const ListEntries entries = GroupIntoEntries(listLines);

  // Only a permit and a deny can disagree, so each rule is compared with the
  // later rules of the other action alone.
  PlacedRules permits;
  PlacedRules denies;
  for (std::size_t k = 0; k < listLines.size(); ++k) {
    pacer.Tick();
    if (!traffic.IsRule(k) || newPosition[k] == 0) continue;
    (traffic.Permits(k) ? permits : denies).Add(k, newPosition[k], traffic.Coarse(k));
  }

  // The lines of two object-group entries can meet several times; the pair
  // of entries counts once. lastPartner[e] is the last earlier entry that
  // was paired with entry e, and every entry's lines are walked together.
  std::vector<std::size_t> lastPartner(entries.End.size(), kNoEntry);
  std::vector<OrderChange> found;  // the pairs of one line, listed in order
  for (std::size_t k = 0; k < listLines.size(); ++k) {
    pacer.Report(k, listLines.size());
    if (!traffic.IsRule(k) || newPosition[k] == 0) continue;
    const std::size_t entry = entries.EntryOf[k];
    const std::size_t place = newPosition[k];
    const CoarseTraffic& coarse = traffic.Coarse(k);
    found.clear();
    for (const RuleColumns* rules : (traffic.Permits(k) ? denies : permits).Candidates(coarse)) {
      if (rules == nullptr) continue;
      ScanMeetings(*rules, entries.End[entry], place, coarse, [&](std::size_t j) {
        const std::size_t line = rules->Line[j];
        if (!traffic.OptionsMeet(k, line)) return;
        std::size_t& partner = lastPartner[entries.EntryOf[line]];
        if (partner == entry) return;
        partner = entry;
        ++changes.Count;
        if (changes.Listed.size() < listLimit) {
          found.push_back({k, line, place, rules->Position[j]});
        }
      });
    }
    std::sort(found.begin(), found.end(),
              [](const OrderChange& a, const OrderChange& b) { return a.Second < b.Second; });
    const std::size_t room = std::min(found.size(), listLimit - changes.Listed.size());
    changes.Listed.insert(changes.Listed.end(), found.begin(),
                          found.begin() + static_cast<std::ptrdiff_t>(room));
  }
  return changes;
}

}  // namespace kerbwise
