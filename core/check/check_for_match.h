#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "rules/check_options.h"
#include "rules/line_recognizer.h"

namespace kerbwise {

enum MatchOutcome : std::uint8_t {
  MatchPermit = 0,  // the subject falls under the rule, which permits
  MatchDeny = 1,    // the subject falls under the rule, which denies
  MatchRemark = 2,  // one of the two lines is a remark
  NoMatch = 3,      // the subject does not fall under the rule; no message
  MatchError = 4,   // a line is not recognised or holds an inconsistent value
};

// The outcome of comparing one subject line with one rule line.
struct MatchResult {
  std::uint8_t Outcome = NoMatch;
  bool AddrPartial = false;      // the addresses are shared only in part
  bool PortsIncomplete = false;  // a port range of the subject is not covered by one rule range
  std::string Message;           // what the user is shown for this pair
};

// How one comparison is run, besides the options.
struct MatchSettings {
  bool PartialPorts = false;  // report an incomplete port match instead of no match
  // With PartialPorts: any overlap of two port ranges counts as partial cover;
  // without it a rule range strictly inside a subject range does not.
  bool AnyOverlap = false;
  // Set while a reverse check runs: messages call the subject the ACL and the
  // rule the condition, rather than the other way round.
  bool ReverseMode = false;
};

// A line recognised for a comparison. A line that got a parameter error from
// the recognizer counts as not recognised, whatever its record says.
struct RecognisedLine {
  RecordPtr Expr;
  bool ParameterError = false;
};

RecognisedLine RecogniseLine(std::string_view text, const CheckOptions& options,
                             LineRecognizer& recognizer);

// Decides whether all the traffic of `subjectText` falls under `ruleText`.
// Both lines come with entry numbers removed and blanks collapsed. Reads
// PartialAddresses, IgnoreIcmp, MaskType and TextLanguage from the options.
MatchResult CheckForMatch(std::string_view ruleText, std::string_view subjectText,
                          const MatchSettings& settings, const CheckOptions& options,
                          LineRecognizer& recognizer);

// The same for lines recognised beforehand, so that a line compared with many
// others is recognised once. The subject's problems are reported before the
// rule's.
MatchResult CheckForMatch(const RecognisedLine& rule, const RecognisedLine& subject,
                          const MatchSettings& settings, const CheckOptions& options);

}  // namespace kerbwise
