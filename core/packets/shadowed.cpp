#include "packets/shadowed.h"

#include <algorithm>

#include "packets/packet_worker.h"
#include "packets/shadow_rows.h"

namespace kerbwise {

namespace {

// How many packets of `set` also lie in `other`.
double Overlap(const PacketSet& set, const PacketSet& other) { return (set & other).Size(); }

// A small set of the deciding entries that together hold all of `set`:
// greedily the one that holds most of what is left, an entry of the opposite
// action first among equals; when a conflict needs one and the greedy choice
// took none, the opposite entry that holds most joins, and entries the
// others make needless leave. Listed by their overlap with `set`, largest
// first.
std::vector<std::size_t> ChooseCover(ListSets& sets, std::size_t entry, const PacketSet& set,
                                     const std::vector<std::size_t>& deciders, bool conflict) {
  const bool permits = sets.Permits(entry);
  std::vector<std::size_t> chosen;
  PacketSet left = set;
  while (!left.Empty()) {
    std::size_t best = deciders.front();
    double bestSize = -1;
    for (const std::size_t j : deciders) {
      const double size = Overlap(left, sets.Of(j));
      const bool better = size > bestSize || (size == bestSize && sets.Permits(j) != permits &&
                                              sets.Permits(best) == permits);
      if (better) {
        best = j;
        bestSize = size;
      }
    }
    chosen.push_back(best);
    left -= sets.Of(best);
  }
  const auto opposite = [&](std::size_t j) { return sets.Permits(j) != permits; };
  if (conflict && std::none_of(chosen.begin(), chosen.end(), opposite)) {
    std::size_t best = 0;
    double bestSize = -1;
    for (const std::size_t j : deciders) {
      if (!opposite(j)) continue;
      if (const double size = Overlap(set, sets.Of(j)); size > bestSize) {
        best = j;
        bestSize = size;
      }
    }
    chosen.insert(chosen.begin(), best);
    // The others, the last chosen first, leave when the rest still hold all.
    for (std::size_t c = chosen.size(); c-- > 1;) {
      PacketSet rest;
      for (std::size_t d = 0; d < chosen.size(); ++d) {
        if (d != c) rest |= sets.Of(chosen[d]);
      }
      if (rest.Contains(set)) chosen.erase(chosen.begin() + static_cast<std::ptrdiff_t>(c));
    }
  }
  std::vector<std::pair<double, std::size_t>> ranked;
  for (const std::size_t j : chosen) ranked.emplace_back(-Overlap(set, sets.Of(j)), j);
  std::stable_sort(ranked.begin(), ranked.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<std::size_t> ordered;
  for (const auto& [size, j] : ranked) ordered.push_back(j);
  return ordered;
}

ShadowRow RowOf(ListSets& sets, std::size_t entry) {
  ShadowRow row{.Index = entry};
  const PacketSet& set = sets.Of(entry);
  if (set.Empty()) {
    row.State = Reach::MatchesNothing;
    return row;
  }
  std::vector<std::size_t> earlier = sets.Meeting(entry);
  earlier.erase(std::lower_bound(earlier.begin(), earlier.end(), entry), earlier.end());
  // Most entries are reachable, and a packet no earlier entry takes shows it
  // without combining any diagrams.
  for (const Packet& witness : ListSets::Witnesses(set)) {
    if (!sets.FirstHolding(earlier, witness)) return row;
  }
  // What the earlier entries leave of the set, in list order: each takes
  // what it matches of the rest.
  PacketSet left = set;
  std::vector<std::size_t> deciders;
  bool conflict = false;
  for (const std::size_t j : earlier) {
    const PacketSet& other = sets.Of(j);
    if (!left.Meets(other)) continue;
    deciders.push_back(j);
    conflict = conflict || sets.Permits(j) != sets.Permits(entry);
    left -= other;
    if (left.Empty()) break;
  }
  if (!left.Empty()) return row;
  row.State = Reach::Shadowed;
  row.Conflict = conflict;
  row.CoveredBy = ChooseCover(sets, entry, set, deciders, conflict);
  return row;
}

}  // namespace

std::vector<ShadowRow> ShadowRows(ListSets& sets, const ProgressCallback& progress) {
  const ReadList& list = sets.List();
  std::vector<ShadowRow> rows;
  int lastPercent = -1;
  for (std::size_t k = 0; k < list.Lines.size(); ++k) {
    if (list.Rule[k]) rows.push_back(RowOf(sets, k));
    const int percent = static_cast<int>((k + 1) * 100 / list.Lines.size());
    if (progress && percent != lastPercent) progress(percent);
    lastPercent = percent;
  }
  return rows;
}

ShadowReport FindShadowed(const std::vector<std::string>& listLines, const CheckOptions& options,
                          const ProgressCallback& progress) {
  return RunOnList<ShadowReport>(listLines, options, [&progress](ListSets& sets) {
    ShadowReport report;
    report.Rows = ShadowRows(sets, progress);
    return report;
  });
}

}  // namespace kerbwise
