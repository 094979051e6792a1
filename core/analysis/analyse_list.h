#pragma once

#include <string>
#include <vector>

#include "analysis/analysis_result.h"
#include "rules/check_options.h"
#include "rules/line_recognizer.h"
#include "run/run_hooks.h"

namespace kerbwise {

// How the pairs are shared out; the result never depends on it.
struct AnalysisRun {
  // Threads that compare pairs: 0 chooses by the machine and the list's
  // length, 1 compares on the calling thread.
  unsigned Threads = 0;
  // Compare only the pairs that an index of the lines' protocols and
  // addresses finds can relate; off: every pair, the plain form the index is
  // checked against.
  bool Indexed = true;
};

// Compares every pair of the normalised list (lines as the list pane holds
// them, each with its entry number) in both directions and finds the groups
// of redundant entries and the conflicts (pairs that cannot relate are
// skipped, which changes nothing). Partial address matching is off for
// the run whatever `options` says; the caller's options are not changed.
// PortsInSet, AnyPortOverlap, MaskType and TextLanguage are read. When there
// are conflicts, `answers` is asked whether to report only them; `progress`
// gets the share of pairs done (0-100) whenever it changes, on the calling
// thread.
AnalysisResult AnalyseList(const std::vector<std::string>& listLines, const CheckOptions& options,
                           LineRecognizer& recognizer, AnswerSource& answers,
                           const ProgressCallback& progress = {}, const AnalysisRun& run = {});

}  // namespace kerbwise
