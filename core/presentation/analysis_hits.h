#pragma once

// What the router's match counters say beside the analysis: an entry no
// traffic has matched, and an entry covered by an earlier one that has
// matched traffic all the same, which can only be when the covering entry
// does not do what the analysis reads in it (a time range, say).

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/analysis_result.h"
#include "rules/check_options.h"
#include "rules/line_recognizer.h"
#include "text/language.h"

namespace kerbwise {

// The counter of each list line, parallel to the list; none where the line
// carries no counter.
using HitCounts = std::vector<std::optional<std::uint64_t>>;

enum class HitMark : std::uint8_t {
  None,           // no counter, or nothing to say about it
  NoHits,         // the counter is 0
  CoveredYetHit,  // covered by an earlier entry, and the counter is above 0
};

// The counters and marks of the lines an analysis reports, by list line.
// Empty for a list without counters.
struct HitMarks {
  HitCounts Hits;
  std::vector<HitMark> Marks;

  std::optional<std::uint64_t> HitsOf(const AnalysisLine& line) const;
  HitMark MarkOf(const AnalysisLine& line) const;
  // The mark as it follows a report line, " [no hits]" and the like; empty
  // for none.
  std::string TextOf(const AnalysisLine& line, Language language) const;
};

// Marks the reported lines of `result`, the analysis of `listLines`. An entry
// is covered by an earlier one when the analysis put it in the earlier
// entry's group, or when it heads a group whose earlier member covers it in
// turn (two equal entries: the analysis puts the earlier in the later one's
// group). An entry covered only by a later one takes its hits first and is
// not marked for them. Reads MaskType, IgnoreIcmp and TextLanguage.
HitMarks MarkHits(const AnalysisResult& result, const std::vector<std::string>& listLines,
                  HitCounts hits, const CheckOptions& options, LineRecognizer& recognizer);

// "no_hits" or "covered_yet_hit" for scripts; empty for none.
std::string_view HitMarkName(HitMark mark);

}  // namespace kerbwise
