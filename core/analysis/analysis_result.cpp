#include "analysis/analysis_result.h"

namespace kerbwise {

bool Contradicts(const AnalysisLine& member, const AnalysisLine& head) {
  // A later line joins an earlier one's group only when it lies inside it.
  return head.HeadsGroup() && member.IsMemberOf(head.Group) && member.ListIndex > head.ListIndex &&
         member.Permits != head.Permits;
}

std::vector<std::vector<std::uint32_t>> MemberLinesByGroup(const AnalysisResult& result) {
  std::vector<std::vector<std::uint32_t>> members(result.Groups.size());
  for (std::size_t k = 0; k < result.Lines.size(); ++k) {
    result.Lines[k].Members.ForEach([&](std::uint32_t group) {
      if (group >= 1 && group <= members.size()) {
        members[group - 1].push_back(static_cast<std::uint32_t>(k));
      }
    });
  }
  return members;
}

}  // namespace kerbwise
