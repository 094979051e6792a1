#include "check/check_for_match.h"

#include <optional>

#include "check/match_messages.h"
#include "rules/address_sets.h"
#include "rules/compiled_entry.h"
#include "rules/limits.h"
#include "text/check_texts.h"

namespace kerbwise {
namespace {

constexpr std::size_t kTtlKeywordLength = 4;  // "ttl "

MatchResult Ended(std::uint8_t outcome, std::string message) {
  MatchResult result;
  result.Outcome = outcome;
  result.Message = std::move(message);
  return result;
}

// The message of a line that cannot take part in a comparison; nullopt for a
// permit or deny entry.
std::optional<MatchResult> NotComparable(const CompiledEntry& entry, LineRole role,
                                         Language language) {
  switch (entry.Kind) {
    case EntryKind::Rule:
      return std::nullopt;
    case EntryKind::Remark:
      return Ended(MatchRemark, RemarkMessage(role, language));
    case EntryKind::TemplateError:
      return Ended(MatchError, TemplateErrorMessage(role, language));
    case EntryKind::Unrecognised:
      break;
  }
  return Ended(MatchError, NotRecognisedMessage(role, language));
}

// Why a condition of `record` could not be read, in the user's language.
std::string ReadError(const RuleRecord& record, int side, bool ttl, Language language) {
  if (ttl) {
    const std::string& text = record.Values.Get(SideNone, SlotTtl);
    return ValuesToRanges(std::string_view(text).substr(std::min(kTtlKeywordLength, text.size())),
                          kMaxTtl, language)
        .Error;
  }
  return ValuesToRanges(record.Values.Get(side, SlotPort), kMaxPort, language).Error;
}

// The message of a comparison that stopped on an error in a value.
MatchResult ValueError(CoverStep step, const RuleRecord& rule, const RuleRecord& subject,
                       LineRole ruleRole, LineRole subjectRole, const CheckOptions& options) {
  const Language language = options.TextLanguage;
  auto wrongCombination = [&](AddressSide side, LineRole role, const RuleRecord& record) {
    const bool source = side == AddressSide::Source;
    return Ended(MatchError,
                 WrongCombinationMessage(side, role, source ? record.SrcAddr : record.DstAddr,
                                         source ? record.SrcMask : record.DstMask, options));
  };
  auto ttlError = [&](LineRole role, const RuleRecord& record) {
    return Ended(MatchError,
                 TtlErrorMessage(role, ReadError(record, SideNone, true, language), language));
  };
  auto portError = [&](LineRole role, const RuleRecord& record, int side) {
    return Ended(MatchError,
                 PortErrorMessage(role, ReadError(record, side, false, language), language));
  };
  switch (step) {
    case CoverStep::RuleSourceOutsideMask:
      return wrongCombination(AddressSide::Source, ruleRole, rule);
    case CoverStep::RuleDestinationOutsideMask:
      return wrongCombination(AddressSide::Destination, ruleRole, rule);
    case CoverStep::SubjectSourceOutsideMask:
      return wrongCombination(AddressSide::Source, subjectRole, subject);
    case CoverStep::SubjectDestinationOutsideMask:
      return wrongCombination(AddressSide::Destination, subjectRole, subject);
    case CoverStep::RuleTtlUnreadable:
      return ttlError(ruleRole, rule);
    case CoverStep::SubjectTtlUnreadable:
      return ttlError(subjectRole, subject);
    case CoverStep::RuleSourcePortsUnreadable:
      return portError(ruleRole, rule, SideSource);
    case CoverStep::SubjectSourcePortsUnreadable:
      return portError(subjectRole, subject, SideSource);
    case CoverStep::RuleDestinationPortsUnreadable:
      return portError(ruleRole, rule, SideDestination);
    default:
      return portError(subjectRole, subject, SideDestination);
  }
}

// ". Src completely. Dst 256 hosts from ..." for addresses shared in part.
std::string PartialAddressText(const RuleRecord& rule, const RuleRecord& subject,
                               Language language) {
  auto side = [&](std::uint32_t ruleAddr, std::uint32_t ruleMask, std::uint32_t subjectAddr,
                  std::uint32_t subjectMask) {
    if (AddrSetInside(subjectAddr, subjectMask, ruleAddr, ruleMask)) {
      return std::string(texts::kCompletely.In(language));
    }
    return AddrPartMatch(ruleAddr, ruleMask, subjectAddr, subjectMask, language);
  };
  return ". Src " + side(rule.SrcAddr, rule.SrcMask, subject.SrcAddr, subject.SrcMask) + ". Dst " +
         side(rule.DstAddr, rule.DstMask, subject.DstAddr, subject.DstMask);
}

// The compiled protocol and addresses of a line that comes in the same role
// call after call, as a check's condition does against every entry of the
// list. The record is held, so that a record at its address is the same one.
class RepeatedLine {
 public:
  CompiledEntry Compile(const RecognisedLine& line) {
    if (held_ && held_ == line.Expr && heldError_ == line.ParameterError) return entry_;
    const CompiledEntry entry = CompileTraffic(*line.Expr, line.ParameterError);
    if (line.Expr.get() == lastSeen_) {  // came twice running: worth holding
      held_ = line.Expr;
      heldError_ = line.ParameterError;
      entry_ = entry;
    }
    lastSeen_ = line.Expr.get();
    return entry;
  }

 private:
  RecordPtr held_;
  bool heldError_ = false;
  CompiledEntry entry_;
  const RuleRecord* lastSeen_ = nullptr;  // only compared, never read
};

}  // namespace

RecognisedLine RecogniseLine(std::string_view text, const CheckOptions& options,
                             LineRecognizer& recognizer) {
  RecognisedLine line;
  line.Expr = recognizer.Recognize(text, options);
  // A parameter error leaves a half-read record behind, whatever its status.
  line.ParameterError = !recognizer.ParameterError().empty();
  return line;
}

MatchResult CheckForMatch(std::string_view ruleText, std::string_view subjectText,
                          const MatchSettings& settings, const CheckOptions& options,
                          LineRecognizer& recognizer) {
  const RecognisedLine subject = RecogniseLine(subjectText, options, recognizer);
  const RecognisedLine rule = RecogniseLine(ruleText, options, recognizer);
  return CheckForMatch(rule, subject, settings, options);
}

MatchResult CheckForMatch(const RecognisedLine& rule, const RecognisedLine& subject,
                          const MatchSettings& settings, const CheckOptions& options) {
  const LineRole subjectRole = settings.ReverseMode ? LineRole::Acl : LineRole::Condition;
  const LineRole ruleRole = settings.ReverseMode ? LineRole::Condition : LineRole::Acl;
  const Language language = options.TextLanguage;

  thread_local RepeatedLine repeatedSubject, repeatedRule;
  const CompiledEntry subjectEntry = repeatedSubject.Compile(subject);
  if (std::optional<MatchResult> ended = NotComparable(subjectEntry, subjectRole, language)) {
    return *ended;
  }
  const CompiledEntry ruleEntry = repeatedRule.Compile(rule);
  if (std::optional<MatchResult> ended = NotComparable(ruleEntry, ruleRole, language)) {
    return *ended;
  }

  const CoverQuery query{.PartialAddresses = options.PartialAddresses,
                         .IgnoreIcmp = options.IgnoreIcmp,
                         .PartialPorts = settings.PartialPorts,
                         .AnyOverlap = settings.AnyOverlap};
  // Most entries of a list part from a condition on protocol or addresses,
  // which need no options compiled.
  Cover cover{.Step = CompiledEntries::CoversTraffic(ruleEntry, subjectEntry, query)};
  if (cover.Step == CoverStep::Covered) {
    // A check compares one line with every entry of a list, so the store
    // keeps its memory between calls.
    thread_local CompiledEntries entries;
    entries.Clear();
    const std::size_t subjectIndex = entries.Add(*subject.Expr, subject.ParameterError);
    const std::size_t ruleIndex = entries.Add(*rule.Expr, rule.ParameterError);
    cover = entries.Covers(entries[ruleIndex], entries[subjectIndex], query);
  }
  if (IsValueError(cover.Step)) {
    return ValueError(cover.Step, *rule.Expr, *subject.Expr, ruleRole, subjectRole, options);
  }
  if (cover.Step != CoverStep::Covered) return MatchResult{};

  MatchResult result;
  result.Outcome = ruleEntry.Permits ? MatchPermit : MatchDeny;
  result.AddrPartial = cover.AddressesPartial;
  result.PortsIncomplete = cover.PortsIncomplete;
  result.Message = std::string(texts::kMatch.In(language));
  if (cover.AddressesPartial)
    result.Message += PartialAddressText(*rule.Expr, *subject.Expr, language);
  if (cover.PortsIncomplete) result.Message += texts::kIncompletePorts.In(language);
  return result;
}

}  // namespace kerbwise
