#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "check/check_condition.h"
#include "presentation/result_colour.h"
#include "text/language.h"

namespace kerbwise {

// The character a match is marked with: "+" permit and "-" deny for a full
// match, "?" addresses in part, "^" ports in part, "." both.
char MarkerChar(const EntryMatch& match);

// The two characters the number pane writes after a match's index: a full
// match's action and a blank, or the kind of partial match and the action.
// Two blanks for a remark.
std::string Marker(const EntryMatch& match);

// The marker character and index of every match, remarks left out: "+3", "?7".
std::vector<std::string> MarkerList(const CheckResult& result);

// One line per list line the check examined: the index zero-padded to the
// width of the list's line count, then for a match its marker and message,
// for a remark two blanks and the message.
std::vector<std::string> NumberPane(const CheckResult& result);

// The result line and the colour it is shown in.
struct ResultLine {
  std::vector<std::string> Lines;
  ResultColour Colour = ResultColour::Workspace;
};

// The verdict, with the list line that decides it quoted with its outer blanks
// removed and "There are other matches" below when more full matches
// followed; after an error the line the check stopped at and the message.
// Either way a partial match adds "Partial matches were also found".
ResultLine CheckResultLine(const CheckResult& result, const LineList& listLines, Language language);

// One tick of the marker image beside the list.
struct MarkerTick {
  std::size_t Index = 0;  // 1-based list index
  TickColour Colour = TickColour::Black;
};

std::vector<MarkerTick> MarkerTicks(const CheckResult& result);

// The verdict strip's lines: "+" allowed, "-" blocked, a single blank for a
// condition not checked.
std::vector<std::string> VerdictStrip(const std::vector<std::optional<CheckOutcome>>& outcomes);

}  // namespace kerbwise
