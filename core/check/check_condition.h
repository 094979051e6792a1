#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "rules/check_options.h"
#include "rules/line_recognizer.h"

namespace kerbwise {

// Direct: every list entry is a rule and the condition the subject; the first
// entry the condition falls under entirely decides. Reverse: the condition is
// the rule and every entry a subject.
enum class CheckDirection : std::uint8_t { Direct, Reverse };

// The colour the result line is given.
enum class ResultColour : std::uint8_t {
  Workspace,   // the system's application-workspace colour: no result yet
  Tooltip,     // the system's tooltip background: the check ended on an error
  LightGreen,  // 128, 255, 128: allowed
  LightRed,    // 255, 128, 128: blocked
};

// Everything a check shows.
struct CheckReport {
  CheckDirection Direction = CheckDirection::Direct;
  // The condition as compared: "permit " and the condition line with its outer
  // blanks removed and runs of blanks collapsed. The key of CheckedConditions.
  std::string Condition;
  // One line per list line examined: the zero-padded index, then for a match
  // its two-character marker and message, for a remark two blanks and the
  // message.
  std::vector<std::string> NumberPane;
  // The marker character and the index of every matching line: "+3", "?7".
  std::vector<std::string> MarkerList;
  // The result line, line by line, with the partial-match note when a
  // partial match was marked.
  std::vector<std::string> ResultLines;
  ResultColour Colour = ResultColour::Workspace;
  std::string Verdict;                    // "+" allowed or "-" blocked; empty after an error
  std::optional<std::size_t> FirstMatch;  // 1-based index of the first full match
  bool Error = false;                     // the check stopped at a line it could not compare
};

// Checks the condition (written without its action) against the lines of the
// normalised list, each starting with its entry number. Reads PartialAddresses,
// PartialPortsOption, IgnoreIcmp, MaskType and Russian from the options. The
// recognizer's cache is the caller's to empty.
CheckReport CheckCondition(const std::vector<std::string>& listLines, std::string_view condition,
                           CheckDirection direction, const CheckOptions& options,
                           LineRecognizer& recognizer);

// The key under which a condition line is compared and remembered: "permit "
// and the line with its outer blanks removed and runs of blanks collapsed.
std::string ConditionKey(std::string_view conditionLine);

// Whether a marker list holds a partial match ("?", "^" or ".").
bool HasPartialMarker(const std::vector<std::string>& markerList);

// Adds "Partial matches were also found" to the result lines: on a line of its
// own while there are fewer than two lines, otherwise after ". " at the end of
// the last line.
void AddPartialMatchNote(std::vector<std::string>& resultLines, bool russian);

}  // namespace kerbwise
