// A condition and a short list. The first byte picks the direction and the
// options of the list check, the second the entry the condition is taken
// from; then the first line is the condition and the others the list.
//
// - The condition and the first entry go through CheckForMatch under every
//   combination of options and settings: the outcome and the flags must not
//   depend on the language or on which role words the messages use, the
//   flags must only be set by the options that allow them, and a full match
//   must stay a full match whatever the partial options say (while ICMP is
//   not ignored, which may only remove matches).
// - The list is checked against the condition: a first match inside the
//   list, a verdict exactly when there was no error, one number-pane line
//   per examined list line.
// - The list is checked, both ways, against a condition made of one of its
//   own entries: the entry falls under itself, so the check must mark a full
//   match no later than that entry, or stop on an error no later. (An error
//   on a later line still withholds the verdict, as it does for any check.)
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "check/check_condition.h"
#include "check/check_for_match.h"
#include "fuzz_support.h"
#include "rules/list_entry.h"

namespace {

using namespace kerbwise;

bool IsMatch(const MatchResult& result) {
  return result.Outcome == MatchPermit || result.Outcome == MatchDeny;
}
bool IsFullMatch(const MatchResult& result) {
  return IsMatch(result) && !result.AddrPartial && !result.PortsIncomplete;
}

void CheckPair(const std::string& rule, const std::string& subject, Language language,
               LineRecognizer& recognizer) {
  const std::string detail = "rule: " + rule + "\nsubject: " + subject;
  for (const MaskForm maskType : {MaskForm::Wildcard, MaskForm::Netmask}) {
    CheckOptions base;
    base.MaskType = maskType;
    const std::uint8_t ruleStatus = recognizer.Recognize(rule, base)->Status;
    // Lines the template does not know are recognised afresh on every call:
    // recognise both once and compare the records.
    const RecognisedLine ruleLine = RecogniseLine(rule, base, recognizer);
    const RecognisedLine subjectLine = RecogniseLine(subject, base, recognizer);
    // [ignoreIcmp][partialAddresses][partialPorts][anyOverlap]
    std::array<MatchResult, 16> results;
    for (unsigned combo = 0; combo < 16; ++combo) {
      CheckOptions options = base;
      options.IgnoreIcmp = combo & 8u;
      options.PartialAddresses = combo & 4u;
      MatchSettings settings;
      settings.PartialPorts = combo & 2u;
      settings.AnyOverlap = combo & 1u;
      const MatchResult result = CheckForMatch(ruleLine, subjectLine, settings, options);
      if (combo == 0) {
        const MatchResult fromText = CheckForMatch(rule, subject, settings, options, recognizer);
        fuzz::Require(fromText.Outcome == result.Outcome && fromText.Message == result.Message,
                      "comparing texts and records differ", detail);
      }
      fuzz::Require(result.Outcome <= MatchError, "outcome out of range", detail);
      fuzz::Require((result.Outcome == NoMatch) == result.Message.empty(),
                    "a message exactly when there is an outcome other than no match", detail);
      fuzz::Require(!result.AddrPartial || (IsMatch(result) && options.PartialAddresses),
                    "a partial address match nobody asked for", detail);
      fuzz::Require(!result.PortsIncomplete || (IsMatch(result) && settings.PartialPorts),
                    "an incomplete port match nobody asked for", detail);
      if (result.Outcome == MatchPermit)
        fuzz::Require(ruleStatus == StatusPermit, "permit of a non-permit rule", detail);
      if (result.Outcome == MatchDeny)
        fuzz::Require(ruleStatus == StatusDeny, "deny of a non-deny rule", detail);
      for (const bool reverse : {false, true}) {
        for (const bool switchLanguage : {false, true}) {
          if (!reverse && !switchLanguage) continue;
          MatchSettings other = settings;
          other.ReverseMode = reverse;
          CheckOptions otherOptions = options;
          const Language switched =
              language == Language::Russian ? Language::English : Language::Russian;
          otherOptions.TextLanguage = switchLanguage ? switched : language;
          const MatchResult again = CheckForMatch(ruleLine, subjectLine, other, otherOptions);
          fuzz::Require(again.Outcome == result.Outcome &&
                            again.AddrPartial == result.AddrPartial &&
                            again.PortsIncomplete == result.PortsIncomplete,
                        "role words or language change the outcome", detail);
        }
      }
      results[combo] = result;
    }
    for (unsigned combo = 1; combo < 8; ++combo) {
      fuzz::Require(IsFullMatch(results[combo]) == IsFullMatch(results[0]),
                    "partial options change a full match", detail);
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const std::uint8_t flags = data[0];
  CheckOptions options;
  options.MaskType = flags & 0x01u ? MaskForm::Netmask : MaskForm::Wildcard;
  options.PartialAddresses = flags & 0x02u;
  options.PartialPortsOption = flags & 0x04u;
  options.IgnoreIcmp = flags & 0x08u;
  options.TextLanguage = flags & 0x10u ? Language::Russian : Language::English;
  const CheckDirection direction = flags & 0x20u ? CheckDirection::Reverse : CheckDirection::Direct;

  std::vector<std::string> lines = fuzz::SplitLines(fuzz::AsText(data + 2, size - 2));
  if (lines.empty()) return 0;
  const std::string condition = lines.front();
  lines.erase(lines.begin());

  static LineRecognizer recognizer;
  recognizer.EmptyCache();
  if (!lines.empty()) {
    CheckPair(ListEntryText(lines.front()), ConditionKey(condition), options.TextLanguage,
              recognizer);
  }

  const CheckResult result = CheckCondition(lines, condition, direction, options, recognizer);
  if (result.FirstFullMatch) {
    fuzz::Require(*result.FirstFullMatch > 0 && *result.FirstFullMatch <= lines.size(),
                  "first match outside the list");
  }
  const bool error = result.Outcome == CheckOutcome::Error;
  fuzz::Require(error == result.StoppedAt.has_value(), "a stop exactly when there is an error");
  fuzz::Require(error ? result.Examined < lines.size() : result.Examined == lines.size(),
                "every list line examined unless the check stopped");

  if (lines.empty()) return 0;
  const std::size_t k = data[1] % lines.size();
  const std::string entry = ListEntryText(lines[k]);
  const std::uint8_t status = recognizer.Recognize(entry, options)->Status;
  if (status != StatusPermit && status != StatusDeny) return 0;
  const std::size_t blank = entry.find(' ');
  const std::string own = blank == std::string::npos ? std::string() : entry.substr(blank + 1);
  for (const CheckDirection way : {CheckDirection::Direct, CheckDirection::Reverse}) {
    const CheckResult self = CheckCondition(lines, own, way, options, recognizer);
    const std::string detail = "entry " + std::to_string(k + 1) + ": " + entry;
    // The check stopped before it reached the entry.
    if (self.Examined <= k) continue;
    // A later error withholds the verdict, but the full match is kept.
    const bool marked = std::any_of(
        self.Matches.begin(), self.Matches.end(),
        [k](const EntryMatch& match) { return match.IsFull() && match.Index <= k + 1; });
    fuzz::Require(marked, "an entry does not fall under itself", detail);
    if (!self.StoppedAt) {
      fuzz::Require(self.FirstFullMatch && *self.FirstFullMatch <= k + 1,
                    "the verdict comes too late", detail);
    }
  }
  return 0;
}
