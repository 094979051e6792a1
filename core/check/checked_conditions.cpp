#include "check/checked_conditions.h"

namespace kerbwise {

void CheckedConditions::Record(const CheckResult& result) {
  if (result.Outcome == CheckOutcome::Error) return;
  if (!positions_.try_emplace(result.Condition, checked_.size()).second) return;
  checked_.push_back({result.Condition, result.Outcome});
}

std::vector<std::optional<CheckOutcome>> CheckedConditions::Renew(
    const std::vector<std::string>& conditionPaneLines) {
  std::vector<std::optional<CheckOutcome>> outcomes;
  std::vector<bool> inUse(checked_.size(), false);
  if (!checked_.empty()) {
    outcomes.reserve(conditionPaneLines.size());
    for (const std::string& line : conditionPaneLines) {
      const auto found = positions_.find(ConditionKey(line));
      if (found == positions_.end()) {
        outcomes.emplace_back();
      } else {
        outcomes.emplace_back(checked_[found->second].Outcome);
        inUse[found->second] = true;
      }
    }
  }

  std::vector<Checked> kept;
  positions_.clear();
  for (std::size_t i = 0; i < checked_.size(); ++i) {
    if (!inUse[i]) continue;
    positions_.emplace(checked_[i].Condition, kept.size());
    kept.push_back(std::move(checked_[i]));
  }
  checked_ = std::move(kept);
  return outcomes;
}

void CheckedConditions::Clear() {
  checked_.clear();
  positions_.clear();
}

}  // namespace kerbwise
