#include "analysis/analysis_result.h"

#include <algorithm>

namespace kerbwise {

bool AnalysisLine::IsMemberOf(std::uint32_t group) const {
  return std::binary_search(Members.begin(), Members.end(), group);
}

void AnalysisLine::AddMember(std::uint32_t group) {
  // Groups are mostly formed in ascending order, so the end is the usual place.
  if (Members.empty() || Members.back() < group) {
    Members.push_back(group);
    return;
  }
  const auto at = std::lower_bound(Members.begin(), Members.end(), group);
  if (*at != group) Members.insert(at, group);
}

void AnalysisLine::RemoveMember(std::uint32_t group) {
  const auto at = std::lower_bound(Members.begin(), Members.end(), group);
  if (at != Members.end() && *at == group) Members.erase(at);
}

bool AnalysisLine::SharesGroupWith(const std::vector<std::uint32_t>& groups) const {
  auto a = Members.begin();
  auto b = groups.begin();
  while (a != Members.end() && b != groups.end()) {
    if (*a == *b) return true;
    if (*a < *b) {
      ++a;
    } else {
      ++b;
    }
  }
  return false;
}

bool Contradicts(const AnalysisLine& member, const AnalysisLine& head) {
  // A later line joins an earlier one's group only when it lies inside it.
  return head.HeadsGroup() && member.IsMemberOf(head.Group) && member.ListIndex > head.ListIndex &&
         member.Permits != head.Permits;
}

}  // namespace kerbwise
