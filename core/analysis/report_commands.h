#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "analysis/analysis_result.h"

namespace kerbwise {

// "Copy all": the list lines of the given report lines (0-based), one each.
std::vector<std::string> CopyAll(const AnalysisResult& result,
                                 const std::vector<std::size_t>& reportLines);

// "Copy all and close": the list lines of the whole report, a line of fifteen
// dashes, then those of `relatedLines` (the related pane's report lines).
std::vector<std::string> CopyAllAndClose(const AnalysisResult& result,
                                         const std::vector<std::size_t>& relatedLines);

enum class CopyNoMode : std::uint8_t {
  All = 0,                  // every line taken
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

// "no " commands that delete the entries of the given report lines (0-based)
// on the router. Redundant modes leave out lines covered only with an
// incomplete set of ports; lines past the report are ignored.
CopyNoResult CopyNo(const AnalysisResult& result, const std::vector<std::size_t>& reportLines,
                    CopyNoMode mode = CopyNoMode::All);

// Every report line, 0 .. size - 1: what a copy of the whole report takes.
std::vector<std::size_t> AllReportLines(const AnalysisResult& result);

// Whether "Hide the derived lines of this occurrence" applies to report line
// `line` (0-based): it must head a group.
bool CanHideDerivedLines(const AnalysisResult& result, std::size_t line);

// Takes the group headed by report line `line` out of the report: the line
// stops heading it, its members leave it, lines left relating to nothing
// leave the report, and later groups are renumbered down by one. False when
// the line heads no group.
bool HideDerivedLines(AnalysisResult& result, std::size_t line);

}  // namespace kerbwise
