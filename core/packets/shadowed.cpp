#include "packets/shadowed.h"

#include <algorithm>

#include "packets/packet_worker.h"
#include "packets/shadow_rows.h"

namespace kerbwise {

namespace {

// Above this many deciding entries the covering set is not chosen greedily.
constexpr std::size_t kGreedyDeciders = 64;

// A small set of the deciding entries that together hold all of `set`:
// greedily the one that holds most of what is left, an entry of the opposite
// action first among equals; when a conflict needs one and the greedy choice
// took none, the opposite entry that holds most joins, and entries the
// others make needless leave. Listed by their overlap with `set`, largest
// first.
std::vector<std::size_t> ChooseCover(ListSets& sets, std::size_t entry, const PacketSet& set,
                                     const std::vector<std::size_t>& deciders, bool conflict) {
  const bool permits = sets.Permits(entry);
  // Per decider: its set within the entry's, and whether it is of the
  // opposite action.
  std::vector<PacketSet> parts;
  std::vector<bool> opposite;
  for (const std::size_t j : deciders) {
    parts.push_back(set & sets.Of(j));
    opposite.push_back(sets.Permits(j) != permits);
  }
  // The decider holding most of `of` (by position), among equals one of the
  // opposite action; `onlyOpposite` limits the choice to those.
  const auto largest = [&](const PacketSet& of, bool onlyOpposite) {
    std::size_t best = parts.size();
    double bestSize = -1;
    for (std::size_t d = 0; d < parts.size(); ++d) {
      if (onlyOpposite && !opposite[d]) continue;
      const double size = (of & parts[d]).Size();
      const bool tieToOpposite =
          best < parts.size() && size == bestSize && opposite[d] && !opposite[best];
      if (size > bestSize || tieToOpposite) {
        best = d;
        bestSize = size;
      }
    }
    return best;
  };
  std::vector<std::size_t> chosen;  // positions in `deciders`
  if (parts.size() > kGreedyDeciders) {
    // The greedy choice costs a pass over the deciders for each one it
    // takes; past a few dozen the deciders themselves are named, since they
    // hold it all and no small set would anyway.
    for (std::size_t d = 0; d < parts.size(); ++d) chosen.push_back(d);
  } else {
    for (PacketSet left = set; !left.Empty();) {
      chosen.push_back(largest(left, false));
      left -= parts[chosen.back()];
    }
  }
  const auto isOpposite = [&](std::size_t d) { return static_cast<bool>(opposite[d]); };
  if (conflict && std::none_of(chosen.begin(), chosen.end(), isOpposite)) {
    chosen.insert(chosen.begin(), largest(set, true));
    // The others, the last chosen first, leave when the rest still hold all.
    for (std::size_t c = chosen.size(); c-- > 1;) {
      PacketSet rest;
      for (std::size_t d = 0; d < chosen.size(); ++d) {
        if (d != c) rest |= parts[chosen[d]];
      }
      if (rest == set) chosen.erase(chosen.begin() + static_cast<std::ptrdiff_t>(c));
    }
  }
  std::vector<std::pair<double, std::size_t>> ranked;
  for (const std::size_t d : chosen) ranked.emplace_back(-parts[d].Size(), deciders[d]);
  std::stable_sort(ranked.begin(), ranked.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<std::size_t> ordered;
  for (const auto& [size, j] : ranked) ordered.push_back(j);
  return ordered;
}

ShadowRow RowOf(ListSets& sets, std::size_t entry) {
  ShadowRow row;
  row.Index = entry;
  std::vector<std::size_t> earlier = sets.Meeting(entry);
  earlier.erase(std::lower_bound(earlier.begin(), earlier.end(), entry), earlier.end());
  // Most entries are reachable, and a packet no earlier entry takes shows it
  // without making any diagram.
  for (const Packet& witness : sets.Witnesses(entry)) {
    if (!sets.FirstHolding(earlier, witness)) return row;
  }
  const PacketSet set = sets.Of(entry);
  if (set.Empty()) {
    row.State = Reach::MatchesNothing;
    return row;
  }
  // What the earlier entries leave of the set, in list order: each takes
  // what it matches of the rest.
  PacketSet left = set;
  std::vector<std::size_t> deciders;
  bool conflict = false;
  for (const std::size_t j : earlier) {
    const PacketSet other = sets.Of(j);
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
