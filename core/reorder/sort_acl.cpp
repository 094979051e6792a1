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

struct KeyedLine {
  std::string collation;
  std::string key;
  std::size_t index;    // 0-based position in the list
  std::uint8_t status;  // of its recognition
};

// The key up to its last blank: lines with equal groups have equal key
// columns.
std::string_view GroupOf(std::string_view key) { return key.substr(0, key.rfind(' ')); }

}  // namespace

bool CanCollapse(const UsedObjects& used) { return !used.UsdObjText().empty(); }

SortOptions CommandModeOptions(bool collapseBox, bool keepRemarks) {
  return SortOptions{
      .WithNumbers = true, .Group = false, .Collapse = collapseBox, .KeepRemarks = keepRemarks};
}

SortResult SortACL(SortColumns& columns, const std::vector<std::string>& listLines,
                   const std::vector<std::string>& sourceLines, const SortOptions& options,
                   const CheckOptions& checkOptions, LineRecognizer& recognizer,
                   const ProgressCallback& progress) {
  columns.ResetLaterColumns();
  SortResult result;
  if (columns.ActiveKeyCount() == 0 && options.WithNumbers) return result;
  result.Ran = true;

  ProgressPacer pacer(progress);
  const std::vector<KeyColumn> active = columns.ActiveColumns();
  std::vector<KeyedLine> keyed;
  keyed.reserve(listLines.size());
  for (std::size_t i = 0; i < listLines.size(); ++i) {
    pacer.Report(i, listLines.size());
    const RecordPtr expr = recognizer.Recognize(ListEntryText(listLines[i]), checkOptions);
    std::string key = SortKey(*expr, active, i + 1, listLines.size(), checkOptions.TextLanguage);
    keyed.push_back(KeyedLine{CollationKey(key), std::move(key), i, expr->Status});
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
    for (const KeyedLine& line : keyed) {
      if (line.status == StatusRemark) {
        run.push_back(line.index);
        continue;
      }
      if (line.status == StatusPermit || line.status == StatusDeny) {
        for (const std::size_t remark : run) travels[remark] = true;
        remarksAbove[line.index] = run;
      }
      run.clear();  // remarks above a problem line stay among the problems
    }
    for (const std::size_t remark : run) travels[remark] = true;
    trailingRemarks = std::move(run);
    std::erase_if(keyed, [&](const KeyedLine& line) { return travels[line.index]; });
  }

  std::sort(keyed.begin(), keyed.end(), [&pacer](const KeyedLine& left, const KeyedLine& right) {
    pacer.Tick();
    if (left.collation != right.collation) return left.collation < right.collation;
    return left.key < right.key;
  });

  const bool keepNumbers = options.WithNumbers || options.Collapse;
  result.NewPosition.assign(listLines.size(), 0);
  // The list line each line of the main output shows; none for a separator.
  constexpr std::size_t kSeparator = static_cast<std::size_t>(-1);
  std::vector<std::size_t> shownLine;
  std::size_t placed = 0;  // main output lines so far that are not empty
  const auto textOf = [&](std::size_t index) {
    const std::string& line = listLines[index];
    return keepNumbers ? line : std::string(SplitListLine(line).Entry);
  };
  const auto show = [&](std::size_t index) {
    pacer.Tick();
    result.MainOutput.push_back(textOf(index));
    shownLine.push_back(index);
    result.NewPosition[index] = ++placed;
  };
  const auto separate = [&] {
    result.MainOutput.emplace_back();
    shownLine.push_back(kSeparator);
  };
  for (std::size_t k = 0; k < keyed.size(); ++k) {
    const std::string_view key = keyed[k].key;
    if (options.Group && k > 0 && GroupOf(key) != GroupOf(keyed[k - 1].key)) separate();
    if (key.front() == '-') {
      result.Problems.push_back(
          {ProblemKindOf(keyed[k].status), keyed[k].index, textOf(keyed[k].index)});
    } else {
      if (!remarksAbove.empty()) {
        for (const std::size_t remark : remarksAbove[keyed[k].index]) show(remark);
      }
      show(keyed[k].index);
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
