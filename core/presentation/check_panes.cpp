#include "presentation/check_panes.h"

#include "rules/primitives.h"
#include "text/presentation_texts.h"

namespace kerbwise {
namespace {

char ActionChar(const EntryMatch& match) { return match.Action == EntryAction::Permit ? '+' : '-'; }

std::string QuotedLine(const LineList& listLines, std::size_t index) {
  if (index < 1 || index > listLines.size()) return {};
  return std::string(TrimControls(listLines[index - 1]));
}

// The note goes on a line of its own while there are fewer than two lines,
// otherwise after ". " at the end of the last line.
void AddPartialMatchNote(std::vector<std::string>& lines, Language language) {
  const std::string_view note = texts::kPartialMatchesFound.In(language);
  if (lines.size() < 2) {
    lines.emplace_back(note);
  } else {
    lines.back() += ". ";
    lines.back() += note;
  }
}

}  // namespace

char MarkerChar(const EntryMatch& match) {
  switch (match.Kind) {
    case MatchKind::AddressesAndPortsInPart:
      return '.';
    case MatchKind::AddressesInPart:
      return '?';
    case MatchKind::PortsInPart:
      return '^';
    case MatchKind::None:
      return ' ';
    case MatchKind::Full:
      break;
  }
  return ActionChar(match);
}

std::string Marker(const EntryMatch& match) {
  if (match.Kind == MatchKind::None) return "  ";
  if (match.IsFull()) return {ActionChar(match), ' '};
  return {MarkerChar(match), ActionChar(match)};
}

std::vector<std::string> MarkerList(const CheckResult& result) {
  std::vector<std::string> markers;
  for (const EntryMatch& match : result.Matches) {
    if (match.Kind != MatchKind::None)
      markers.push_back(MarkerChar(match) + std::to_string(match.Index));
  }
  return markers;
}

std::vector<std::string> NumberPane(const CheckResult& result) {
  const std::size_t width = DecimalDigits(result.ListLength);
  std::vector<std::string> lines;
  lines.reserve(result.Examined);
  auto match = result.Matches.begin();
  for (std::size_t i = 1; i <= result.Examined; ++i) {
    std::string line = PaddedIndex(i, width);
    if (match != result.Matches.end() && match->Index == i) {
      line += Marker(*match) + match->Message;
      ++match;
    }
    lines.push_back(std::move(line));
  }
  return lines;
}

ResultLine CheckResultLine(const CheckResult& result, const LineList& listLines,
                           Language language) {
  ResultLine shown;
  if (result.StoppedAt) {
    shown.Lines = SplitAtLineBreaks(
        Fill(texts::kCheckStoppedAtLine.In(language),
             {QuotedLine(listLines, result.StoppedAt->Index), result.StoppedAt->Message}));
    shown.Colour = ResultColour::Tooltip;
  } else {
    const bool allowed = result.Outcome == CheckOutcome::Allowed;
    if (result.FirstFullMatch) {
      const Phrase& verdict = allowed ? texts::kAllowedAtLine : texts::kBlockedAtLine;
      shown.Lines.push_back(Fill(
          verdict.In(language),
          {std::to_string(*result.FirstFullMatch), QuotedLine(listLines, *result.FirstFullMatch)}));
    } else {
      shown.Lines.emplace_back(texts::kBlocked.In(language));
    }
    if (result.OtherFullMatches) shown.Lines.emplace_back(texts::kOtherMatches.In(language));
    shown.Colour = allowed ? ResultColour::LightGreen : ResultColour::LightRed;
  }
  if (result.HasPartialMatch()) AddPartialMatchNote(shown.Lines, language);
  return shown;
}

std::vector<MarkerTick> MarkerTicks(const CheckResult& result) {
  std::vector<MarkerTick> ticks;
  for (const EntryMatch& match : result.Matches) {
    if (match.Kind == MatchKind::None) continue;
    TickColour colour = TickColour::Black;
    if (match.IsFull())
      colour = match.Action == EntryAction::Permit ? TickColour::Green : TickColour::Red;
    ticks.push_back({match.Index, colour});
  }
  return ticks;
}

std::vector<std::string> VerdictStrip(const std::vector<std::optional<CheckOutcome>>& outcomes) {
  std::vector<std::string> lines;
  lines.reserve(outcomes.size());
  for (const std::optional<CheckOutcome>& outcome : outcomes) {
    if (!outcome) {
      lines.emplace_back(" ");
    } else {
      lines.emplace_back(*outcome == CheckOutcome::Allowed ? "+" : "-");
    }
  }
  return lines;
}

}  // namespace kerbwise
