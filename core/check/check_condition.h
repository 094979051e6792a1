#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "rules/check_options.h"
#include "rules/line_list.h"
#include "rules/line_recognizer.h"
#include "run/run_hooks.h"

namespace kerbwise {

// Direct: every list entry is a rule and the condition the subject; the first
// entry the condition falls under entirely decides. Reverse: the condition is
// the rule and every entry a subject.
enum class CheckDirection : std::uint8_t { Direct, Reverse };

// What a check says about the traffic of its condition.
enum class CheckOutcome : std::uint8_t {
  Allowed,  // the first entry that takes all of it permits it
  Blocked,  // that entry denies it, or no entry takes all of it
  Error,    // the check stopped at a line it could not compare
};

// How much of the traffic an entry and the condition share.
enum class MatchKind : std::uint8_t {
  Full,                     // all of it: only such a match can decide
  AddressesInPart,          // the addresses are shared only in part
  PortsInPart,              // the ports are covered only in part
  AddressesAndPortsInPart,  // both
  None,                     // a remark, passed over
};

enum class EntryAction : std::uint8_t { Permit, Deny, Remark };

// A list line a check has something to say about: a match or a remark.
struct EntryMatch {
  std::size_t Index = 0;                 // 1-based position in the list
  std::optional<std::int32_t> Sequence;  // the entry's own number, when it has one
  EntryAction Action = EntryAction::Permit;
  MatchKind Kind = MatchKind::Full;
  std::string Message;  // what the comparison says of the pair

  bool IsFull() const { return Kind == MatchKind::Full; }
};

// The line a check could not compare, and why.
struct CheckStop {
  std::size_t Index = 0;
  std::optional<std::int32_t> Sequence;
  std::string Message;  // may hold a second line after CR LF
};

// What a check found, line by line, and what it decided.
struct CheckResult {
  CheckDirection Direction = CheckDirection::Direct;
  // The condition as compared: "permit " and the condition line with its outer
  // blanks removed and runs of blanks collapsed. The key of CheckedConditions.
  std::string Condition;
  std::size_t ListLength = 0;       // lines in the list
  std::size_t Examined = 0;         // lines compared: all of them unless the check stopped
  std::vector<EntryMatch> Matches;  // matches and remarks, in list order
  CheckOutcome Outcome = CheckOutcome::Blocked;
  // The index of the first full match, which decides; none after an error.
  std::optional<std::size_t> FirstFullMatch;
  bool OtherFullMatches = false;  // more full matches followed the first
  std::optional<CheckStop> StoppedAt;

  bool HasPartialMatch() const;
};

// Checks the condition (written without its action) against the lines of the
// normalised list, each starting with its entry number. Reads PartialAddresses,
// PartialPortsOption, IgnoreIcmp, MaskType and TextLanguage (for the messages)
// from the options. The recognizer's cache is the caller's to empty.
// `progress` hears the share of lines compared.
CheckResult CheckCondition(const LineList& listLines, std::string_view condition,
                           CheckDirection direction, const CheckOptions& options,
                           LineRecognizer& recognizer, const ProgressCallback& progress = {});

// The key under which a condition line is compared and remembered: "permit "
// and the line with its outer blanks removed and runs of blanks collapsed.
std::string ConditionKey(std::string_view conditionLine);

}  // namespace kerbwise
