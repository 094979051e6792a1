#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "analysis/group_set.h"

namespace kerbwise {

// One list line that takes part in a relation: what it heads, what it belongs
// to and how deep it sits. During a run the analysis keeps one per list line;
// the result keeps those it reports, in list order.
struct AnalysisLine {
  std::size_t ListIndex = 0;  // its line in the list pane, 0-based
  // The list line with its outer blanks removed, its sequence number first.
  std::string Entry{};
  bool Permits = false;  // the entry permits; otherwise it denies

  GroupSet Members{};  // the groups it belongs to
  // Of those, the groups whose head covers its ports only in part.
  GroupSet PartlyIn{};
  // The line's mark for a cover with an incomplete set of ports: set with the
  // first such cover, it stays when that group is hidden.
  bool IncompletePorts = false;
  std::uint32_t Group = 0;  // the group it heads; 0 for none
  std::uint64_t Level = 0;  // nesting depth: 0 for a head no group holds
  bool Conflict = false;    // it takes part in a conflict

  bool HeadsGroup() const { return Group != 0; }
  // It belongs to no group, heads none and bears no mark: it relates to
  // nothing any more.
  bool Unrelated() const { return Members.Empty() && Group == 0 && !IncompletePorts; }
  bool IsMemberOf(std::uint32_t group) const { return Members.Contains(group); }

  bool operator==(const AnalysisLine&) const = default;
};

// One group: the line whose traffic holds its members', and its nesting level.
// Group g is AnalysisResult::Groups[g - 1]; groups are numbered from 1 in the
// order they were formed.
struct AnalysisGroup {
  // The report line (0-based) that heads it; none when the report leaves the
  // head out (only the lines in conflict are shown, and the head is not).
  std::optional<std::size_t> Head;
  std::uint64_t Level = 0;

  bool operator==(const AnalysisGroup&) const = default;
};

// The pair that could not be compared, which ends the analysis.
struct AnalysisError {
  std::size_t Rule = 0;     // list index of the line compared as the rule: the one reported
  std::size_t Subject = 0;  // list index of the other line
  std::string Entry;        // the rule's list line, outer blanks removed
  std::string Message;      // why the comparison failed, in the run's language

  bool operator==(const AnalysisError&) const = default;
};

// What an analysis found.
struct AnalysisResult {
  std::size_t ListSize = 0;  // lines in the list; fewer than two are not analysed
  // Lines the run went through: all of them, or up to the one whose pairs
  // ended in the error.
  std::size_t LinesReached = 0;
  std::optional<AnalysisError> Error{};

  bool ConflictsFound = false;
  bool ConflictsOnly = false;  // the user chose to see only the lines in conflict

  // The reported lines, in list order: every line in a relation, or with
  // ConflictsOnly every line in conflict. Their levels are the report's.
  std::vector<AnalysisLine> Lines{};
  std::vector<AnalysisGroup> Groups{};

  bool Ran() const { return ListSize >= 2; }
  bool operator==(const AnalysisResult&) const = default;
};

// Whether report line `member` contradicts report line `head`: it belongs to
// the group `head` heads, comes later in the list (so it lies inside the head)
// and has the opposite action, so it never takes effect.
bool Contradicts(const AnalysisLine& member, const AnalysisLine& head);

// The report lines (0-based; as many as a list has lines) that belong to each
// group, in report order; group g's are at g - 1. Made in one pass, for a
// walk over many groups that would otherwise read the whole report for each.
std::vector<std::vector<std::uint32_t>> MemberLinesByGroup(const AnalysisResult& result);

}  // namespace kerbwise
