#include "check/check_condition.h"

#include <algorithm>

#include "check/check_for_match.h"
#include "rules/list_entry.h"
#include "rules/primitives.h"
#include "run/progress_pacer.h"

namespace kerbwise {
namespace {

MatchKind KindOf(const MatchResult& result) {
  if (result.AddrPartial && result.PortsIncomplete) return MatchKind::AddressesAndPortsInPart;
  if (result.AddrPartial) return MatchKind::AddressesInPart;
  if (result.PortsIncomplete) return MatchKind::PortsInPart;
  return MatchKind::Full;
}

}  // namespace

bool CheckResult::HasPartialMatch() const {
  return std::any_of(Matches.begin(), Matches.end(), [](const EntryMatch& match) {
    return match.Kind != MatchKind::Full && match.Kind != MatchKind::None;
  });
}

std::string ConditionKey(std::string_view conditionLine) {
  return "permit " + SpaceCompress(TrimControls(conditionLine));
}

CheckResult CheckCondition(const LineList& listLines, std::string_view condition,
                           CheckDirection direction, const CheckOptions& options,
                           LineRecognizer& recognizer, const ProgressCallback& progress) {
  CheckResult result;
  result.Direction = direction;
  result.Condition = ConditionKey(condition);
  result.ListLength = listLines.size();

  const bool reverse = direction == CheckDirection::Reverse;
  const MatchSettings settings{
      .PartialPorts = options.PartialPortsOption, .AnyOverlap = true, .ReverseMode = reverse};
  const RecognisedLine conditionLine = RecogniseLine(result.Condition, options, recognizer);
  std::optional<bool> firstPermits;

  ProgressPacer pacer(progress);
  for (std::size_t i = 1; i <= listLines.size(); ++i) {
    pacer.Report(i - 1, listLines.size());
    const std::string_view line = TrimControls(listLines[i - 1]);
    const RecognisedLine entry = RecogniseLine(ListEntryText(line), options, recognizer);
    MatchResult match = reverse ? CheckForMatch(conditionLine, entry, settings, options)
                                : CheckForMatch(entry, conditionLine, settings, options);
    if (match.Outcome == NoMatch) continue;
    const std::optional<std::int32_t> sequence = SplitListLine(line).Number;
    if (match.Outcome == MatchError) {
      result.Outcome = CheckOutcome::Error;
      result.StoppedAt = CheckStop{i, sequence, std::move(match.Message)};
      result.Examined = i - 1;
      result.FirstFullMatch.reset();  // nothing decides a check that did not finish
      result.OtherFullMatches = false;
      return result;
    }
    EntryMatch& found = result.Matches.emplace_back(
        EntryMatch{i, sequence, EntryAction::Remark, MatchKind::None, std::move(match.Message)});
    if (match.Outcome == MatchRemark) continue;
    found.Action = match.Outcome == MatchPermit ? EntryAction::Permit : EntryAction::Deny;
    found.Kind = KindOf(match);
    if (!found.IsFull()) continue;
    if (firstPermits) {
      result.OtherFullMatches = true;
    } else {
      result.FirstFullMatch = i;
      firstPermits = found.Action == EntryAction::Permit;
    }
  }

  result.Examined = listLines.size();
  result.Outcome = firstPermits.value_or(false) ? CheckOutcome::Allowed : CheckOutcome::Blocked;
  return result;
}

}  // namespace kerbwise
