#include "check/checked_conditions.h"

namespace kerbwise {

void CheckedConditions::Record(const CheckReport& report) {
  if (report.Error) return;
  if (!positions_.try_emplace(report.Condition, checkedList_.size()).second) return;
  checkedList_.push_back(report.Condition);
  checkedVerdicts_.push_back(report.Verdict);
}

std::vector<std::string> CheckedConditions::Renew(
    const std::vector<std::string>& conditionPaneLines) {
  std::vector<std::string> strip;
  std::vector<bool> inUse(checkedList_.size(), false);
  if (!checkedList_.empty()) {
    strip.reserve(conditionPaneLines.size());
    for (const std::string& line : conditionPaneLines) {
      const auto found = positions_.find(ConditionKey(line));
      if (found == positions_.end()) {
        strip.emplace_back(" ");
      } else {
        strip.push_back(checkedVerdicts_[found->second]);
        inUse[found->second] = true;
      }
    }
  }

  std::vector<std::string> keptList;
  std::vector<std::string> keptVerdicts;
  positions_.clear();
  for (std::size_t i = 0; i < checkedList_.size(); ++i) {
    if (!inUse[i]) continue;
    positions_.emplace(checkedList_[i], keptList.size());
    keptList.push_back(std::move(checkedList_[i]));
    keptVerdicts.push_back(std::move(checkedVerdicts_[i]));
  }
  checkedList_ = std::move(keptList);
  checkedVerdicts_ = std::move(keptVerdicts);
  return strip;
}

void CheckedConditions::Clear() {
  checkedList_.clear();
  checkedVerdicts_.clear();
  positions_.clear();
}

}  // namespace kerbwise
