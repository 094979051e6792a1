#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "intake/used_objects.h"
#include "reorder/key_columns.h"
#include "reorder/sort_key.h"
#include "rules/check_options.h"
#include "rules/line_list.h"
#include "rules/line_recognizer.h"
#include "run/run_hooks.h"

namespace kerbwise {

// The three option boxes of the sort panel, as they start.
struct SortOptions {
  bool WithNumbers = true;  // "10 20": lines keep their sequence numbers
  bool Group = true;        // "{": an empty line between groups of equal keys
  bool Collapse = false;    // "OBJ": derived lines go back to their source entries
  // Remarks stay just above the line that followed them in the list, instead
  // of being listed apart as problem lines. Consecutive remarks travel
  // together; remarks with no line after them stay at the end; a remark whose
  // next line is itself a problem line stays among the problems.
  bool KeepRemarks = false;
};

// Whether the "OBJ" box is offered: only when the list used object groups.
bool CanCollapse(const UsedObjects& used);

// The options of a run for the command generator: numbers shown, no group
// separators, collapsed as the "OBJ" box says, remarks kept with their
// entries when asked.
SortOptions CommandModeOptions(bool collapseBox, bool keepRemarks = false);

// A line that is not a rule, which the sort lists apart.
struct ProblemLine {
  ProblemKind Kind = ProblemKind::Remark;
  std::size_t Line = 0;  // 0-based place in the list
  std::string Text;      // the line as the options show it (with or without its number)
};

// What a sort run produces.
struct SortResult {
  // False when nothing was sorted: no key column and numbers shown. The text
  // pane is then emptied and the command generator is not run.
  bool Ran = false;
  // The ordered lines, with empty lines between groups when grouping.
  LineList MainOutput;
  // The lines that are not rules, in key order.
  std::vector<ProblemLine> Problems;
  // For each line of the list, its 1-based place in the new order: among the
  // main output's lines that are not empty, the place of the line that shows
  // it (its source entry's when collapsed). 0 for a line among the problems;
  // empty when nothing was sorted.
  std::vector<std::size_t> NewPosition;
};

// Sorts the normalised list (each line starting with its sequence number) by
// the active key columns, after resetting the columns switched off since the
// last run. Equal keys keep their list order. `sourceLines` are the source
// pane's lines as normalisation left them; only collapsing reads them. Reads
// MaskType and TextLanguage from `checkOptions` (problem lines sort by the
// words of their kind in that language); the recognizer's cache is the
// caller's to empty. `progress` hears the share of lines keyed, and is
// called on while they are ordered.
SortResult SortACL(SortColumns& columns, const LineList& listLines,
                   const std::vector<std::string>& sourceLines, const SortOptions& options,
                   const CheckOptions& checkOptions, LineRecognizer& recognizer,
                   const ProgressCallback& progress = {});

}  // namespace kerbwise
