#pragma once

#include <functional>
#include <string>
#include <vector>

#include "analysis/analysis_result.h"
#include "presentation/analysis_hits.h"
#include "text/language.h"

namespace kerbwise {

// The analysis as a report a person reads: each group whose head is shown,
// in report order, with its head and then its members in report order, each
// member marked when the head covers its ports only in part or when it has
// the opposite action and so never takes effect; then the groups whose head
// is left out (only the lines in conflict are shown); a group without a
// member shown is left out. Then a note when only conflicts are shown, and a
// summary line. Lines `marks` marks carry their mark.
// The lines are handed to `write` one at a time, as they are made.
void WriteGroupReport(const AnalysisResult& result, Language language, const HitMarks& marks,
                      const std::function<void(const std::string&)>& write);
std::vector<std::string> GroupReportLines(const AnalysisResult& result, Language language,
                                          const HitMarks& marks = {});

}  // namespace kerbwise
