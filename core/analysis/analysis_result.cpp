#include "analysis/analysis_result.h"

namespace kerbwise {

bool Contradicts(const AnalysisLine& member, const AnalysisLine& head) {
  // A later line joins an earlier one's group only when it lies inside it.
  return head.HeadsGroup() && member.IsMemberOf(head.Group) && member.ListIndex > head.ListIndex &&
         member.Permits != head.Permits;
}

}  // namespace kerbwise
