#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace kerbwise {

// What the analysis knows about one list line, and later about one report
// line. `Members` holds the groups the line belongs to; the two marks that sit
// beside them (heads a group, covered only with an incomplete set of ports)
// are flags of their own, so group numbers are not limited to 1..254.
struct AnalysisLine {
  std::vector<std::uint32_t> Members;  // group numbers, ascending, no repeats
  bool HeadsGroup = false;             // covers at least one line (mark 0)
  bool IncompletePorts = false;        // covered only with an incomplete set of ports (mark 255)
  std::uint64_t Level = 0;             // nesting depth, the indentation of the report line
  std::uint32_t Group = 0;             // the group this line heads; 0 for none
  std::size_t TextEnd = 0;             // report pane offset just after the line and its break
  bool Conflict = false;               // the line takes part in a conflict

  // No group and neither mark: the line takes part in no relation.
  bool MembersEmpty() const { return Members.empty() && !HeadsGroup && !IncompletePorts; }
  bool IsMemberOf(std::uint32_t group) const;
  // Adds a group number, keeping the order.
  void AddMember(std::uint32_t group);
  void RemoveMember(std::uint32_t group);
  // Whether any group number of this line is also in `groups` (ascending).
  bool SharesGroupWith(const std::vector<std::uint32_t>& groups) const;

  // The Members as the marks number them: 0 when heading a group, the group
  // numbers, 255 when covered with an incomplete set of ports; ascending.
  std::vector<std::uint32_t> MarkedMembers() const;
};

// One group: the line that heads it (1-based; during the run a list index,
// afterwards a report position) and its nesting level.
struct GroupSlot {
  std::size_t Head = 0;
  std::uint64_t Level = 0;
};

// The groups in use. Group g is element g - 1; groups are numbered from 1 in
// the order they were formed and the table grows as groups are formed.
using GroupTable = std::vector<GroupSlot>;

}  // namespace kerbwise
