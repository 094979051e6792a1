#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/analyse_list.h"
#include "analysis/related_lines.h"

namespace kerbwise {

// "Copy all": the list line of each pane line (the text after the first
// ": "), one per line; lines without ": " are left out.
std::vector<std::string> CopyAll(const std::vector<std::string>& paneLines);

// "Copy all and close": the report pane's lines as CopyAll gives them, a line
// of fifteen dashes, then the related pane's lines when it holds any.
std::vector<std::string> CopyAllAndClose(const std::vector<std::string>& reportLines,
                                         const std::vector<std::string>& relatedLines);

enum class CopyNoMode : std::uint8_t {
  All = 0,                  // every line selected
  Redundant = 1,            // lines below level 0
  RedundantNotDerived = 2,  // lines that head no group
};

struct CopyNoResult {
  std::vector<std::string> Lines;  // "no " and the entry without its number, per line
  // An entry numbered with a leading "0" (made from an object group, not to be
  // deleted alone) was left out: the caller shows the notice, unless the user
  // asked not to be notified again.
  bool ZeroNumberedSkipped = false;
};

// "no " commands for the report lines touched by a selection of the report
// pane (start and length in pane offsets; length 0 for the caret alone).
CopyNoResult CopyNo(const AnalysisResult& result, CopyNoMode mode, std::size_t selectionStart,
                    std::size_t selectionLength);

// The same for the related pane, without a mode.
CopyNoResult CopyNoRelated(const RelatedView& view, std::size_t selectionStart,
                           std::size_t selectionLength);

// The notice about entries numbered with a leading "0", asked with Yes and No;
// No means do not notify again.
std::string ZeroNumberedNotice(bool russian);

// Whether "Hide the derived lines of this occurrence" applies to report line
// `line` (0-based): it must head a group.
bool CanHideDerivedLines(const AnalysisResult& result, std::size_t line);

// Takes the group headed by report line `line` out of the report: the line
// stops heading it, its members leave it, lines left in no group leave the
// report, later groups are renumbered down by one and the text offsets are
// recomputed. The caller resets its selected line. False when the line heads
// no group.
bool HideDerivedLines(AnalysisResult& result, std::size_t line);

}  // namespace kerbwise
