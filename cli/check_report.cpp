#include "check_report.h"

#include <algorithm>
#include <nlohmann/json.hpp>
#include <ostream>
#include <string_view>

#include "presentation/check_panes.h"
#include "rules/list_entry.h"

namespace kerbwise::cli {
namespace {

// The words scripts and people read, the same in every language.
std::string_view KindName(MatchKind kind) {
  switch (kind) {
    case MatchKind::Full:
      return "full";
    case MatchKind::AddressesInPart:
      return "addresses in part";
    case MatchKind::PortsInPart:
      return "ports in part";
    case MatchKind::AddressesAndPortsInPart:
      return "addresses and ports in part";
    case MatchKind::None:
      break;
  }
  return "none";
}

std::string_view ActionName(EntryAction action) {
  switch (action) {
    case EntryAction::Permit:
      return "permit";
    case EntryAction::Deny:
      return "deny";
    case EntryAction::Remark:
      break;
  }
  return "remark";
}

std::string_view OutcomeName(CheckOutcome outcome) {
  switch (outcome) {
    case CheckOutcome::Allowed:
      return "allowed";
    case CheckOutcome::Blocked:
      return "blocked";
    case CheckOutcome::Error:
      break;
  }
  return "error";
}

std::string_view ColourName(ResultColour colour) {
  switch (colour) {
    case ResultColour::Tooltip:
      return "tooltip";
    case ResultColour::LightGreen:
      return "light-green";
    case ResultColour::LightRed:
      return "light-red";
    case ResultColour::Workspace:
      break;
  }
  return "workspace";
}

// "addresses in part" as a JSON value: "addresses-in-part".
std::string Hyphenated(std::string_view words) {
  std::string value(words);
  for (char& c : value) {
    if (c == ' ') c = '-';
  }
  return value;
}

// The entry of list line `index` without its number, as the user wrote it.
std::string_view EntryText(const std::vector<std::string>& listLines, std::size_t index) {
  if (index < 1 || index > listLines.size()) return {};
  return SplitListLine(listLines[index - 1]).Entry;
}

// "line 4, entry 40": where a row's entry stands.
std::string Place(std::size_t index, const std::optional<std::int32_t>& sequence) {
  std::string place = "line " + std::to_string(index);
  if (sequence) place += ", entry " + std::to_string(*sequence);
  return place;
}

// Rows under a label in the first column; the rows of one label after the
// first leave the column blank.
class Rows {
 public:
  explicit Rows(std::ostream& out) : out_(out) {}

  void Add(std::string_view label, std::string_view text) {
    const std::string_view shown = label == lastLabel_ ? std::string_view() : label;
    lastLabel_ = label;
    out_ << shown << std::string(kLabelWidth - shown.size(), ' ') << EscapeForLine(text) << '\n';
  }

  // A message under the row it explains, indented; one row per line of a
  // message with CR LF line breaks.
  void AddMessage(std::string_view label, std::string_view message) {
    for (std::size_t end; (end = message.find("\r\n")) != std::string_view::npos;
         message.remove_prefix(end + 2)) {
      Add(label, "  " + std::string(message.substr(0, end)));
    }
    Add(label, "  " + std::string(message));
  }

 private:
  static constexpr std::size_t kLabelWidth = 16;  // "Other matches:" and two blanks
  std::ostream& out_;
  std::string_view lastLabel_;
};

}  // namespace

void WriteCheckReport(std::ostream& out, const CheckResult& result,
                      const std::vector<std::string>& listLines, Language language) {
  Rows rows(out);
  std::string_view condition = result.Condition;
  condition.remove_prefix(condition.find(' ') + 1);  // the "permit " every key starts with
  rows.Add(result.Direction == CheckDirection::Reverse ? "Reverse check:" : "Condition:",
           condition);
  for (const std::string& line : CheckResultLine(result, listLines, language).Lines) {
    rows.Add("Verdict:", line);
  }
  if (result.FirstFullMatch) {
    const std::size_t index = *result.FirstFullMatch;
    const auto deciding = std::find_if(result.Matches.begin(), result.Matches.end(),
                                       [index](const EntryMatch& m) { return m.Index == index; });
    const std::optional<std::int32_t> sequence =
        deciding == result.Matches.end() ? std::nullopt : deciding->Sequence;
    rows.Add("Decided by:",
             Place(index, sequence) + ": " + std::string(EntryText(listLines, index)));
  }
  // Without a deciding entry every match is one of the others.
  const std::string_view matchesLabel = result.FirstFullMatch ? "Other matches:" : "Matches:";
  for (const EntryMatch& match : result.Matches) {
    if (match.Kind == MatchKind::None || match.Index == result.FirstFullMatch) continue;
    rows.Add(matchesLabel, Place(match.Index, match.Sequence) + ", " +
                               std::string(KindName(match.Kind)) + ": " +
                               std::string(EntryText(listLines, match.Index)));
    // A full match's message only says it matched; a partial one says how.
    if (!match.IsFull()) rows.AddMessage(matchesLabel, match.Message);
  }
  if (result.StoppedAt) {
    const CheckStop& stop = *result.StoppedAt;
    rows.Add("Stopped at:", Place(stop.Index, stop.Sequence) + ": " +
                                std::string(EntryText(listLines, stop.Index)));
    rows.AddMessage("Stopped at:", stop.Message);
  }
}

Json CheckResultJson(const CheckResult& result, const std::vector<std::string>& listLines,
                     Language language) {
  const ResultLine resultLine = CheckResultLine(result, listLines, language);
  const bool error = result.Outcome == CheckOutcome::Error;
  const auto sequence = [](const std::optional<std::int32_t>& number) {
    return number ? Json(*number) : Json();
  };
  Json json;
  json["condition"] = result.Condition;
  json["number_pane"] = NumberPane(result);
  json["markers"] = MarkerList(result);
  json["result"] = resultLine.Lines;
  json["colour"] = ColourName(resultLine.Colour);
  json["verdict"] = error ? Json() : Json(result.Outcome == CheckOutcome::Allowed ? "+" : "-");
  json["first_match"] = result.FirstFullMatch ? Json(*result.FirstFullMatch) : Json();
  json["error"] = error;
  json["outcome"] = OutcomeName(result.Outcome);
  json["direction"] = result.Direction == CheckDirection::Reverse ? "reverse" : "direct";
  Json matches = Json::array();
  for (const EntryMatch& match : result.Matches) {
    matches.push_back({{"index", match.Index},
                       {"sequence", sequence(match.Sequence)},
                       {"kind", Hyphenated(KindName(match.Kind))},
                       {"action", ActionName(match.Action)},
                       {"entry", EntryText(listLines, match.Index)},
                       {"message", match.Message}});
  }
  json["matches"] = std::move(matches);
  json["stopped_at"] = Json();
  if (result.StoppedAt) {
    const CheckStop& stop = *result.StoppedAt;
    json["stopped_at"] = {{"index", stop.Index},
                          {"sequence", sequence(stop.Sequence)},
                          {"entry", EntryText(listLines, stop.Index)},
                          {"message", stop.Message}};
  }
  return json;
}

}  // namespace kerbwise::cli
