#include "presentation/analysis_hits.h"

#include <algorithm>

#include "check/check_for_match.h"
#include "rules/list_entry.h"
#include "text/phrase.h"
#include "text/presentation_texts.h"

namespace kerbwise {
namespace {

// Whether the analysis put `line` in the group of an earlier entry.
bool InEarlierGroup(const AnalysisResult& result, const AnalysisLine& line) {
  return std::any_of(line.Members.begin(), line.Members.end(), [&](std::uint32_t group) {
    if (group == 0 || group > result.Groups.size()) return false;
    const std::optional<std::size_t> head = result.Groups[group - 1].Head;
    return head && *head < result.Lines.size() && result.Lines[*head].ListIndex < line.ListIndex;
  });
}

}  // namespace

std::optional<std::uint64_t> HitMarks::HitsOf(const AnalysisLine& line) const {
  return line.ListIndex < Hits.size() ? Hits[line.ListIndex] : std::nullopt;
}

HitMark HitMarks::MarkOf(const AnalysisLine& line) const {
  return line.ListIndex < Marks.size() ? Marks[line.ListIndex] : HitMark::None;
}

std::string HitMarks::TextOf(const AnalysisLine& line, Language language) const {
  switch (MarkOf(line)) {
    case HitMark::None:
      return {};
    case HitMark::NoHits:
      return std::string(texts::kReportNoHits.In(language));
    case HitMark::CoveredYetHit:
      return Fill(texts::kReportCoveredYetHit.In(language),
                  {std::to_string(HitsOf(line).value_or(0))});
  }
  return {};
}

HitMarks MarkHits(const AnalysisResult& result, const std::vector<std::string>& listLines,
                  HitCounts hits, const CheckOptions& options, LineRecognizer& recognizer) {
  HitMarks marks;
  if (std::none_of(hits.begin(), hits.end(), [](const auto& count) { return count.has_value(); })) {
    return marks;
  }
  marks.Hits = std::move(hits);
  marks.Marks.assign(listLines.size(), HitMark::None);
  CheckOptions whole = options;
  whole.PartialAddresses = false;  // a cover is a cover of all the traffic
  // Whether the earlier line `earlier` covers `later` in full.
  const auto covers = [&](const AnalysisLine& earlier, const AnalysisLine& later) {
    const MatchResult match = CheckForMatch(ListEntryText(listLines[earlier.ListIndex]),
                                            ListEntryText(listLines[later.ListIndex]),
                                            MatchSettings{}, whole, recognizer);
    return (match.Outcome == MatchPermit || match.Outcome == MatchDeny) && !match.PortsIncomplete;
  };
  const std::vector<std::vector<std::uint32_t>> membersOf = MemberLinesByGroup(result);
  for (const AnalysisLine& line : result.Lines) {
    const std::optional<std::uint64_t> count = marks.HitsOf(line);
    if (!count || line.ListIndex >= listLines.size()) continue;
    HitMark& mark = marks.Marks[line.ListIndex];
    if (*count == 0) {
      mark = HitMark::NoHits;
      continue;
    }
    bool covered = InEarlierGroup(result, line);
    if (!covered && line.HeadsGroup() && line.Group <= membersOf.size()) {
      // Its earlier members, in list order, until one covers it.
      for (const std::uint32_t k : membersOf[line.Group - 1]) {
        const AnalysisLine& member = result.Lines[k];
        if (covered || member.ListIndex >= line.ListIndex) break;
        covered = covers(member, line);
      }
    }
    if (covered) mark = HitMark::CoveredYetHit;
  }
  return marks;
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
