#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "check/check_condition.h"

namespace kerbwise {

// The conditions already checked and their verdicts, kept for the verdict
// strip beside the condition pane. A condition keeps the verdict of its first
// complete check until it leaves the condition pane or the list changes.
class CheckedConditions {
 public:
  // Remembers the verdict of a complete check unless its condition is known
  // already. A check that ended on an error leaves nothing.
  void Record(const CheckReport& report);

  // The verdict strip for the condition pane's lines: the verdict of each line
  // whose condition was checked, a single blank for the others. Conditions no
  // longer in the pane are forgotten.
  std::vector<std::string> Renew(const std::vector<std::string>& conditionPaneLines);

  // Forgets every condition, as when the list changes.
  void Clear();

  // Checked conditions (as compared, with "permit ") and their parallel
  // verdicts, "+" or "-", in the order they were first checked.
  const std::vector<std::string>& CheckedList() const { return checkedList_; }
  const std::vector<std::string>& CheckedVerdicts() const { return checkedVerdicts_; }

 private:
  std::vector<std::string> checkedList_;
  std::vector<std::string> checkedVerdicts_;
  std::unordered_map<std::string, std::size_t> positions_;  // condition -> its position
};

}  // namespace kerbwise
