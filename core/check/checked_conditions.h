#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "check/check_condition.h"

namespace kerbwise {

// The conditions already checked and their outcomes, kept for the verdict
// strip beside the condition pane. A condition keeps the outcome of its first
// complete check until it leaves the condition pane or the list changes.
class CheckedConditions {
 public:
  // Remembers the outcome of a complete check unless its condition is known
  // already. A check that ended on an error leaves nothing.
  void Record(const CheckResult& result);

  // For each line of the condition pane, the outcome of its condition when it
  // was checked, none otherwise; empty while no condition is remembered.
  // Conditions no longer in the pane are forgotten.
  std::vector<std::optional<CheckOutcome>> Renew(
      const std::vector<std::string>& conditionPaneLines);

  // Forgets every condition, as when the list changes.
  void Clear();

  bool Empty() const { return checked_.empty(); }

 private:
  struct Checked {
    std::string Condition;  // as compared, with "permit "
    CheckOutcome Outcome;
  };
  std::vector<Checked> checked_;                            // in the order first checked
  std::unordered_map<std::string, std::size_t> positions_;  // condition -> its position
};

}  // namespace kerbwise
