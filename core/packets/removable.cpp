#include "packets/removable.h"

#include <algorithm>

#include "analysis/report_commands.h"
#include "packets/list_sets.h"
#include "packets/shadow_rows.h"
#include "rules/primitives.h"

namespace kerbwise {

namespace {

// An entry made from an object-group line: its number begins with "0", and it
// is deleted only with the whole line.
bool FromObjectGroup(const std::string& line) {
  const std::string_view entry = TrimControls(line);
  return !entry.empty() && entry.front() == '0';
}

// The last rule entry when it denies every packet: it makes the implicit deny
// visible and counts its hits, so it stays.
std::optional<std::size_t> ClosingDenyAll(ListSets& sets) {
  const ReadList& list = sets.List();
  for (std::size_t k = list.Lines.size(); k-- > 0;) {
    if (!list.Rule[k]) continue;
    if (!sets.Permits(k) && sets.Of(k) == PacketSet::All()) return k;
    return std::nullopt;
  }
  return std::nullopt;
}

// Decides entry k's removal from the list without the `gone` entries: the
// packets it decides now must go, without it, to a later entry of its own
// action (or, for a deny, to none at all and so to the implicit deny).
class RemovalJudge {
 public:
  RemovalJudge(ListSets& sets, const std::vector<bool>& gone) : sets_(sets), gone_(gone) {}

  bool CanGo(std::size_t k) {
    const std::vector<std::size_t> meeting = sets_.Meeting(k);
    const auto split = std::lower_bound(meeting.begin(), meeting.end(), k);
    const std::vector<std::size_t> earlier(meeting.begin(), split);
    const std::vector<std::size_t> later(split, meeting.end());
    const bool permits = sets_.Permits(k);

    PacketSet decided = sets_.Of(k);
    for (const std::size_t j : earlier) {
      if (gone_[j]) continue;
      decided -= sets_.Of(j);
      if (decided.Empty()) return true;
    }
    // A packet it decides that a later entry of the other action would take
    // (or, for a permit, that no later entry takes) keeps it, and is quick
    // to find.
    for (const Packet& witness : ListSets::Witnesses(decided)) {
      const std::optional<std::size_t> next = sets_.FirstHolding(later, witness, &gone_);
      if (next ? sets_.Permits(*next) != permits : permits) return false;
    }
    for (const std::size_t j : later) {
      if (gone_[j]) continue;
      const PacketSet& other = sets_.Of(j);
      if (!decided.Meets(other)) continue;
      if (sets_.Permits(j) != permits) return false;
      decided -= other;
      if (decided.Empty()) return true;
    }
    return !permits;
  }

  // The packets of `set` the list without the `without` entries permits.
  PacketSet Permitted(std::size_t k, const std::vector<bool>& without) {
    std::vector<std::size_t> deciding = sets_.Meeting(k);
    deciding.insert(std::lower_bound(deciding.begin(), deciding.end(), k), k);
    PacketSet left = sets_.Of(k);
    PacketSet permitted;
    for (const std::size_t j : deciding) {
      if (without[j]) continue;
      if (sets_.Permits(j)) permitted |= left & sets_.Of(j);
      left -= sets_.Of(j);
      if (left.Empty()) break;
    }
    return permitted;
  }

 private:
  ListSets& sets_;
  const std::vector<bool>& gone_;
};

std::vector<std::size_t> RemovableTogether(ListSets& sets, const ProgressCallback& progress,
                                           bool& groupEntriesLeft) {
  const ReadList& list = sets.List();
  const std::size_t n = list.Lines.size();
  const std::optional<std::size_t> closing = ClosingDenyAll(sets);
  std::vector<bool> gone(n, false);
  std::vector<bool> shadowed(n, false);
  const auto removable = [&](std::size_t k) {
    return k != closing && !FromObjectGroup(list.Lines[k]);
  };

  // Entries no packet reaches go together: taking them out changes no
  // other entry's packets.
  const auto half = [&progress](int percent) {
    if (progress) progress(percent / 2);
  };
  for (const ShadowRow& row : ShadowRows(sets, half)) {
    if (row.State == Reach::Reachable) continue;
    shadowed[row.Index] = true;
    if (removable(row.Index)) gone[row.Index] = true;
  }
  // Then one at a time, in list order, each judged in the list without the
  // ones before: every step leaves what the list does unchanged.
  RemovalJudge judge(sets, gone);
  for (std::size_t k = 0; k < n; ++k) {
    if (list.Rule[k] && !gone[k] && !shadowed[k] && removable(k) && judge.CanGo(k)) gone[k] = true;
    if (progress) progress(50 + static_cast<int>((k + 1) * 50 / n));
  }
  for (std::size_t k = 0; k < n; ++k) {
    if (list.Rule[k] && !gone[k] && FromObjectGroup(list.Lines[k]) && judge.CanGo(k)) {
      groupEntriesLeft = true;
    }
  }

  // The whole set checked at once: only packets of the removed entries can
  // be decided differently, so comparing the two lists on each of them
  // compares them everywhere.
  const std::vector<bool> none(n, false);
  for (std::size_t k = 0; k < n; ++k) {
    if (gone[k] && !(judge.Permitted(k, none) == judge.Permitted(k, gone))) {
      throw std::logic_error("the entries chosen for removal change what the list does");
    }
  }
  std::vector<std::size_t> indexes;
  for (std::size_t k = 0; k < n; ++k) {
    if (gone[k]) indexes.push_back(k);
  }
  return indexes;
}

}  // namespace

RemovableReport FindRemovable(const std::vector<std::string>& listLines,
                              const CheckOptions& options, const ProgressCallback& progress) {
  RemovableReport report =
      RunOnList<RemovableReport>(listLines, options, [&progress](ListSets& sets) {
        RemovableReport found;
        found.Indexes = RemovableTogether(sets, progress, found.ZeroNumberedSkipped);
        return found;
      });
  if (report.Error) return report;
  // The commands exactly as the analysis report copies them.
  AnalysisResult asReport;
  for (const std::size_t k : report.Indexes) {
    asReport.Lines.push_back({.ListIndex = k, .Entry = std::string(TrimControls(listLines[k]))});
  }
  const CopyNoResult commands = CopyNo(asReport, AllReportLines(asReport));
  report.Commands = commands.Lines;
  return report;
}

}  // namespace kerbwise
