#include "presentation/analysis_hits.h"

#include "text/phrase.h"
#include "text/presentation_texts.h"

namespace kerbwise {
namespace {

bool CoveredByEarlierEntry(const AnalysisResult& result, const AnalysisLine& line) {
  for (const std::uint32_t group : line.Members) {
    if (group == 0 || group > result.Groups.size()) continue;
    const std::optional<std::size_t> head = result.Groups[group - 1].Head;
    if (head && *head < result.Lines.size() && result.Lines[*head].ListIndex < line.ListIndex) {
      return true;
    }
  }
  return false;
}

}  // namespace

std::optional<std::uint64_t> HitsOf(const AnalysisLine& line, const HitCounts& hits) {
  return line.ListIndex < hits.size() ? hits[line.ListIndex] : std::nullopt;
}

HitMark HitMarkOf(const AnalysisResult& result, const AnalysisLine& line, const HitCounts& hits) {
  const std::optional<std::uint64_t> count = HitsOf(line, hits);
  if (!count) return HitMark::None;
  if (*count == 0) return HitMark::NoHits;
  return CoveredByEarlierEntry(result, line) ? HitMark::CoveredYetHit : HitMark::None;
}

std::string HitMarkText(const AnalysisResult& result, const AnalysisLine& line,
                        const HitCounts& hits, Language language) {
  switch (HitMarkOf(result, line, hits)) {
    case HitMark::None:
      return {};
    case HitMark::NoHits:
      return std::string(texts::kReportNoHits.In(language));
    case HitMark::CoveredYetHit:
      return Fill(texts::kReportCoveredYetHit.In(language), {std::to_string(*HitsOf(line, hits))});
  }
  return {};
}

std::string_view HitMarkName(HitMark mark) {
  switch (mark) {
    case HitMark::None:
      return "";
    case HitMark::NoHits:
      return "no_hits";
    case HitMark::CoveredYetHit:
      return "covered_yet_hit";
  }
  return "";
}

}  // namespace kerbwise
