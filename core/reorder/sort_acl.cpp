#include "reorder/sort_acl.h"

#include <algorithm>
#include <optional>

#include "reorder/sort_key.h"
#include "reorder/source_collapse.h"
#include "rules/list_entry.h"
#include "rules/primitives.h"
#include "run/progress_pacer.h"

namespace kerbwise {
namespace {

// The key up to its last blank: lines with equal groups have equal key
// columns.
std::string_view GroupOf(std::string_view key) { return key.substr(0, key.rfind(' ')); }

}  // namespace

bool CanCollapse(const UsedObjects& used) { return !used.UsdObjText().empty(); }

SortOptions CommandModeOptions(bool collapseBox, bool keepRemarks) {
  return SortOptions{
      .WithNumbers = true, .Group = false, .Collapse = collapseBox, .KeepRemarks = keepRemarks};
}

SortResult SortACL(SortColumns& columns, const LineList& listLines,
                   const std::vector<std::string>& sourceLines, const SortOptions& options,
                   const CheckOptions& checkOptions, LineRecognizer& recognizer,
                   const ProgressCallback& progress) {
  columns.ResetLaterColumns();
  SortResult result;
  if (columns.ActiveKeyCount() == 0 && options.WithNumbers) return result;
  result.Ran = true;

  ProgressPacer pacer(progress);
  const std::vector<KeyColumn> active = columns.ActiveColumns();
  // The keys in one buffer and the order as line indexes: a long list's
  // sort holds little more than its keys' characters.
  LineList keys;
  std::vector<std::uint8_t> statuses;
  std::vector<std::size_t> keyed;  // 0-based list positions, in key order once sorted
  statuses.reserve(listLines.size());
  keyed.reserve(listLines.size());
  for (std::size_t i = 0; i < listLines.size(); ++i) {
    pacer.Report(i, listLines.size());
    const RecordPtr expr = recognizer.Recognize(ListEntryText(listLines[i]), checkOptions);
    const std::string key =
        SortKey(*expr, active, i + 1, listLines.size(), checkOptions.TextLanguage);
    // Keys of rules are mostly of one length: the first one sizes the rest.
    if (i == 0) keys.Reserve(listLines.size(), listLines.size() * (key.size() + 1));
    keys.push_back(key);
    statuses.push_back(expr->Status);
    keyed.push_back(i);
  }

  // Remarks kept with their entries leave the ordering: each run of them is
  // put out just above the rule after it, or at the end when none follows.
  // Sized only when remarks are kept: a long list pays nothing otherwise.
  std::vector<std::vector<std::size_t>> remarksAbove;
  std::vector<std::size_t> trailingRemarks;
  if (options.KeepRemarks) {
    remarksAbove.resize(listLines.size());
    std::vector<bool> travels(listLines.size(), false);
    std::vector<std::size_t> run;
    for (const std::size_t line : keyed) {
      if (statuses[line] == StatusRemark) {
        run.push_back(line);
        continue;
      }
      if (statuses[line] == StatusPermit || statuses[line] == StatusDeny) {
        for (const std::size_t remark : run) travels[remark] = true;
        remarksAbove[line] = run;
      }
      run.clear();  // remarks above a problem line stay among the problems
    }
    for (const std::size_t remark : run) travels[remark] = true;
    trailingRemarks = std::move(run);
    std::erase_if(keyed, [&](std::size_t line) { return travels[line]; });
  }

  std::sort(keyed.begin(), keyed.end(), [&](std::size_t left, std::size_t right) {
    pacer.Tick();
    return SortKeyLess(keys[left], keys[right]);
  });
  // Where a new group begins is all the output needs of the keys; they are
  // given back before the output is built.
  std::vector<bool> newGroup(keyed.size(), false);
  if (options.Group) {
    for (std::size_t k = 1; k < keyed.size(); ++k) {
      newGroup[k] = GroupOf(keys[keyed[k]]) != GroupOf(keys[keyed[k - 1]]);
    }
  }
  keys.clear();

  const bool keepNumbers = options.WithNumbers || options.Collapse;
  result.NewPosition.assign(listLines.size(), 0);
  // The list line each line of the main output shows, none for a
  // separator; only collapsing reads it.
  constexpr std::size_t kSeparator = static_cast<std::size_t>(-1);
  std::vector<std::size_t> shownLine;
  if (options.Collapse) shownLine.reserve(listLines.size());
  std::size_t placed = 0;  // main output lines so far that are not empty
  const auto textOf = [&](std::size_t index) {
    const std::string_view line = listLines[index];
    return keepNumbers ? line : SplitListLine(line).Entry;
  };
  const auto show = [&](std::size_t index) {
    pacer.Tick();
    result.MainOutput.push_back(textOf(index));
    if (options.Collapse) shownLine.push_back(index);
    result.NewPosition[index] = ++placed;
  };
  const auto separate = [&] {
    result.MainOutput.push_back({});
    if (options.Collapse) shownLine.push_back(kSeparator);
  };
  result.MainOutput.Reserve(listLines.size(), listLines.CharacterCount());
  for (std::size_t k = 0; k < keyed.size(); ++k) {
    const std::size_t line = keyed[k];
    if (newGroup[k]) separate();
    if (statuses[line] != StatusPermit && statuses[line] != StatusDeny) {
      result.Problems.push_back({ProblemKindOf(statuses[line]), line, std::string(textOf(line))});
    } else {
      if (!remarksAbove.empty()) {
        for (const std::size_t remark : remarksAbove[line]) show(remark);
      }
      show(line);
    }
  }
  // Remarks at the end of the list form a group of their own.
  if (!trailingRemarks.empty() && options.Group && !keyed.empty()) separate();
  for (const std::size_t remark : trailingRemarks) show(remark);

  if (options.Collapse && !result.MainOutput.empty()) {
    std::vector<std::size_t> placement;
    result.MainOutput =
        CollapseToSource(result.MainOutput, sourceLines, options.WithNumbers, &placement);
    for (std::size_t k = 0; k < shownLine.size(); ++k) {
      if (shownLine[k] != kSeparator) result.NewPosition[shownLine[k]] = placement[k];
    }
  }
  return result;
}

}  // namespace kerbwise
