#include "check_json.h"

#include <nlohmann/json.hpp>
#include <string_view>

#include "presentation/check_panes.h"
#include "rules/list_entry.h"

namespace kerbwise::cli {
namespace {

// The values scripts read, the same in every language.
std::string_view KindName(MatchKind kind) {
  switch (kind) {
    case MatchKind::Full:
      return "full";
    case MatchKind::AddressesInPart:
      return "addresses-in-part";
    case MatchKind::PortsInPart:
      return "ports-in-part";
    case MatchKind::AddressesAndPortsInPart:
      return "addresses-and-ports-in-part";
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

// The entry of list line `index` without its number, as the user wrote it.
std::string_view EntryText(const LineList& listLines, std::size_t index) {
  if (index < 1 || index > listLines.size()) return {};
  return SplitListLine(listLines[index - 1]).Entry;
}

}  // namespace

Json CheckResultJson(const CheckResult& result, const LineList& listLines, Language language) {
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
                       {"kind", KindName(match.Kind)},
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
