#include "check/check_condition.h"

#include <algorithm>

#include "check/check_for_match.h"
#include "rules/list_entry.h"
#include "rules/primitives.h"

namespace kerbwise {
namespace {

// "?" addresses shared in part, "^" ports covered in part, "." both; a full
// match gives the rule's action.
char MarkerChar(const MatchResult& result) {
  if (result.AddrPartial && result.PortsIncomplete) return '.';
  if (result.AddrPartial) return '?';
  if (result.PortsIncomplete) return '^';
  return result.Outcome == MatchPermit ? '+' : '-';
}

// The two characters written after the index: a full match's action and a
// blank, or the kind of partial match and the action.
std::string Marker(const MatchResult& result) {
  const char kind = MarkerChar(result);
  const char action = result.Outcome == MatchPermit ? '+' : '-';
  if (kind == '+' || kind == '-') return {kind, ' '};
  return {kind, action};
}

// Which full matches were met: the first decides, the others are mentioned.
struct VerdictState {
  std::optional<std::size_t> firstIndex;
  bool firstPermits = false;
  bool moreFollowed = false;

  void Add(std::size_t index, bool permits) {
    if (firstIndex) {
      moreFollowed = true;
    } else {
      firstIndex = index;
      firstPermits = permits;
    }
  }
};

void WriteVerdict(const VerdictState& state, const std::vector<std::string>& listLines,
                  bool russian, CheckReport& report) {
  const bool allowed = state.firstIndex && state.firstPermits;
  std::string line;
  if (state.firstIndex) {
    line = allowed ? (russian ? "Разрешено в строке " : "Allowed at line ")
                   : (russian ? "Блок в строке " : "Blocked at line ");
    line += std::to_string(*state.firstIndex) + ": ";
    line += TrimControls(listLines[*state.firstIndex - 1]);
  } else {
    line = russian ? "Блок" : "Blocked";
  }
  report.ResultLines.push_back(std::move(line));
  if (state.moreFollowed) {
    report.ResultLines.emplace_back(russian ? "Имеются ещё совпадения" : "There are other matches");
  }
  report.Colour = allowed ? ResultColour::LightGreen : ResultColour::LightRed;
  report.Verdict = allowed ? "+" : "-";
  report.FirstMatch = state.firstIndex;
}

}  // namespace

std::string ConditionKey(std::string_view conditionLine) {
  return "permit " + SpaceCompress(TrimControls(conditionLine));
}

bool HasPartialMarker(const std::vector<std::string>& markerList) {
  return std::any_of(markerList.begin(), markerList.end(), [](const std::string& marker) {
    return !marker.empty() && marker.front() != '+' && marker.front() != '-';
  });
}

void AddPartialMatchNote(std::vector<std::string>& resultLines, bool russian) {
  const std::string_view note =
      russian ? "Также обнаружены частичные совпадения" : "Partial matches were also found";
  if (resultLines.size() < 2) {
    resultLines.emplace_back(note);
  } else {
    resultLines.back() += ". ";
    resultLines.back() += note;
  }
}

CheckReport CheckCondition(const std::vector<std::string>& listLines, std::string_view condition,
                           CheckDirection direction, const CheckOptions& options,
                           LineRecognizer& recognizer) {
  CheckReport report;
  report.Direction = direction;
  report.Condition = ConditionKey(condition);
  report.NumberPane.reserve(listLines.size());

  const bool reverse = direction == CheckDirection::Reverse;
  const MatchSettings settings{
      .PartialPorts = options.PartialPortsOption, .AnyOverlap = true, .ReverseMode = reverse};
  const std::size_t indexWidth = DecimalDigits(listLines.size());
  const RecognisedLine conditionLine = RecogniseLine(report.Condition, options, recognizer);
  VerdictState verdict;

  for (std::size_t i = 1; i <= listLines.size(); ++i) {
    const std::string_view line = TrimControls(listLines[i - 1]);
    const RecognisedLine entry = RecogniseLine(ListEntryText(line), options, recognizer);
    const MatchResult result = reverse ? CheckForMatch(conditionLine, entry, settings, options)
                                       : CheckForMatch(entry, conditionLine, settings, options);

    std::string paneLine = PaddedIndex(i, indexWidth);
    switch (result.Outcome) {
      case MatchPermit:
      case MatchDeny: {
        const std::string marker = Marker(result);
        paneLine += marker + result.Message;
        report.MarkerList.push_back(marker.front() + std::to_string(i));
        if (marker.back() == ' ') verdict.Add(i, result.Outcome == MatchPermit);
        break;
      }
      case MatchRemark:
        paneLine += "  " + result.Message;
        break;
      case MatchError: {
        std::string text = (options.TextLanguage == Language::Russian) ? "Строка: " : "Line: ";
        text += line;
        text += ": " + result.Message;
        report.ResultLines = SplitAtLineBreaks(text);
        report.Colour = ResultColour::Tooltip;
        report.Error = true;
        if (HasPartialMarker(report.MarkerList)) {
          AddPartialMatchNote(report.ResultLines, (options.TextLanguage == Language::Russian));
        }
        return report;
      }
      default:  // NoMatch: the index alone
        break;
    }
    report.NumberPane.push_back(std::move(paneLine));
  }

  WriteVerdict(verdict, listLines, (options.TextLanguage == Language::Russian), report);
  if (HasPartialMarker(report.MarkerList)) AddPartialMatchNote(report.ResultLines, (options.TextLanguage == Language::Russian));
  return report;
}

}  // namespace kerbwise
