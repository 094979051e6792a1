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

// The counter of a report line; none when the counters do not reach it.
std::optional<std::uint64_t> HitsOf(const AnalysisLine& line, const HitCounts& hits);

// The mark of a report line. An entry covered by a later one takes its hits
// first and is not marked for them; one covered by an earlier entry whose head
// the report leaves out is not marked either.
HitMark HitMarkOf(const AnalysisResult& result, const AnalysisLine& line, const HitCounts& hits);

// The mark as it follows a report line, " [no hits]" and the like; empty for
// none.
std::string HitMarkText(const AnalysisResult& result, const AnalysisLine& line,
                        const HitCounts& hits, Language language);

// "no_hits" or "covered_yet_hit" for scripts; empty for none.
std::string_view HitMarkName(HitMark mark);

}  // namespace kerbwise
