#include "check/check_for_match.h"

#include <algorithm>
#include <optional>

#include "rules/address_sets.h"
#include "check/match_messages.h"
#include "rules/value_ranges.h"
#include "rules/integer_reader.h"
#include "rules/limits.h"

namespace kerbwise {
namespace {

constexpr std::string_view kIp = "ip";
constexpr std::string_view kTcp = "6";
constexpr std::string_view kUdp = "17";
constexpr std::string_view kIcmp = "1";

// A value ends the comparison with that result; nullopt lets it go on.
using Decision = std::optional<MatchResult>;

MatchResult Ended(std::uint8_t outcome, std::string message) {
  MatchResult result;
  result.Outcome = outcome;
  result.Message = std::move(message);
  return result;
}

MatchResult NotMatching() { return MatchResult{}; }

// What one comparison works with besides the two records.
struct Context {
  const MatchSettings& settings;
  const CheckOptions& options;
  LineRole subjectRole;
  LineRole ruleRole;
};

const std::string& Protocol(const RuleRecord& expr) { return expr.Values.Get(SideNone, SlotProtocol); }

// Ends the comparison when the line cannot take part in it.
Decision CheckRecognised(const RecognisedLine& line, LineRole role, bool russian) {
  if (line.ParameterError) return Ended(MatchError, NotRecognisedMessage(role, russian));
  switch (line.Expr->Status) {
    case StatusTemplateError:
      return Ended(MatchError, TemplateErrorMessage(role, russian));
    case StatusUnrecognised:
      return Ended(MatchError, NotRecognisedMessage(role, russian));
    case StatusRemark:
      return Ended(MatchRemark, RemarkMessage(role, russian));
    default:
      return std::nullopt;
  }
}

bool ProtocolsFit(const RuleRecord& subject, const RuleRecord& rule, const CheckOptions& options) {
  const std::string& subjectProtocol = Protocol(subject);
  const std::string& ruleProtocol = Protocol(rule);
  if (subjectProtocol == kIp) return ruleProtocol == kIp;
  if (ruleProtocol != kIp) return subjectProtocol == ruleProtocol;
  // An ip rule: under partial matching ICMP conditions may be told to skip it.
  return !(subjectProtocol == kIcmp && options.IgnoreIcmp && options.PartialAddresses);
}

// The first address with bits outside its mask: the rule's before the
// subject's, the source before the destination.
Decision CheckAddressesFitMasks(const RuleRecord& subject, const RuleRecord& rule, const Context& context) {
  struct Pair {
    const RuleRecord& expr;
    LineRole role;
    AddressSide side;
  };
  for (const Pair& pair : {Pair{rule, context.ruleRole, AddressSide::Source},
                           Pair{rule, context.ruleRole, AddressSide::Destination},
                           Pair{subject, context.subjectRole, AddressSide::Source},
                           Pair{subject, context.subjectRole, AddressSide::Destination}}) {
    const bool source = pair.side == AddressSide::Source;
    const std::uint32_t address = source ? pair.expr.SrcAddr : pair.expr.DstAddr;
    const std::uint32_t mask = source ? pair.expr.SrcMask : pair.expr.DstMask;
    if (!AddressFitsMask(address, mask)) {
      return Ended(MatchError,
                   WrongCombinationMessage(pair.side, pair.role, address, mask, context.options));
    }
  }
  return std::nullopt;
}

bool SourceInside(const RuleRecord& subject, const RuleRecord& rule) {
  return AddrSetInside(subject.SrcAddr, subject.SrcMask, rule.SrcAddr, rule.SrcMask);
}

bool DestinationInside(const RuleRecord& subject, const RuleRecord& rule) {
  return AddrSetInside(subject.DstAddr, subject.DstMask, rule.DstAddr, rule.DstMask);
}

// Every TTL the subject allows must lie in one range of the rule's; TTL never
// matches in part.
Decision CompareTtl(const RuleRecord& subject, const RuleRecord& rule, const Context& context) {
  const std::string& ruleTtl = rule.Values.Get(SideNone, SlotTtl);
  const std::string& subjectTtl = subject.Values.Get(SideNone, SlotTtl);
  if (ruleTtl.empty()) return std::nullopt;
  if (subjectTtl.empty()) return NotMatching();
  const bool russian = (context.options.TextLanguage == Language::Russian);
  auto withoutKeyword = [](std::string_view text) {  // drops "ttl "
    return text.substr(std::min<std::size_t>(4, text.size()));
  };
  const RangeList ruleRanges = ValuesToRanges(withoutKeyword(ruleTtl), kMaxTtl, context.options.TextLanguage);
  if (!ruleRanges.Ok()) {
    return Ended(MatchError, TtlErrorMessage(context.ruleRole, ruleRanges.Error, russian));
  }
  const RangeList subjectRanges = ValuesToRanges(withoutKeyword(subjectTtl), kMaxTtl, context.options.TextLanguage);
  if (!subjectRanges.Ok()) {
    return Ended(MatchError, TtlErrorMessage(context.subjectRole, subjectRanges.Error, russian));
  }
  if (!AllInsideOneRange(subjectRanges.Ranges, ruleRanges.Ranges)) return NotMatching();
  return std::nullopt;
}

// Whether a rule range overlaps `range` in a way that counts as partial
// cover. Without anyOverlap a rule range strictly inside `range` does not.
bool HasCountingOverlap(const ValueRange& range, const std::vector<ValueRange>& ruleRanges,
                        bool anyOverlap) {
  auto candidate =
      std::lower_bound(ruleRanges.begin(), ruleRanges.end(), range.Lo,
                       [](const ValueRange& rule, std::uint16_t value) { return rule.Hi < value; });
  for (; candidate != ruleRanges.end() && candidate->Lo <= range.Hi; ++candidate) {
    if (anyOverlap || candidate->Lo <= range.Lo || candidate->Hi >= range.Hi) return true;
  }
  return false;
}

// One pair of port conditions (source or destination). `incomplete` is shared
// by both pairs of a comparison.
Decision ComparePortPair(const std::string& rulePorts, const std::string& subjectPorts,
                         const Context& context, bool& incomplete) {
  if (rulePorts.empty()) return std::nullopt;
  if (subjectPorts.empty()) return NotMatching();
  const bool russian = (context.options.TextLanguage == Language::Russian);
  const RangeList rule = ValuesToRanges(rulePorts, kMaxPort, context.options.TextLanguage);
  if (!rule.Ok()) return Ended(MatchError, PortErrorMessage(context.ruleRole, rule.Error, russian));
  const RangeList subject = ValuesToRanges(subjectPorts, kMaxPort, context.options.TextLanguage);
  if (!subject.Ok()) {
    return Ended(MatchError, PortErrorMessage(context.subjectRole, subject.Error, russian));
  }

  if (!context.settings.PartialPorts) {
    if (!AllInsideOneRange(subject.Ranges, rule.Ranges)) return NotMatching();
    return std::nullopt;
  }
  bool anyCovered = false;
  for (const ValueRange& range : subject.Ranges) {
    bool covered = InsideOneRange(range, rule.Ranges);
    if (!covered) {
      incomplete = true;
      covered = HasCountingOverlap(range, rule.Ranges, context.settings.AnyOverlap);
    }
    if (covered) {
      anyCovered = true;
      if (incomplete) break;
    }
  }
  if (incomplete && !anyCovered) return NotMatching();
  return std::nullopt;
}

// A rule naming an ICMP type covers every code of it; a rule naming a code
// covers that value only.
bool IcmpMessagesFit(const RuleRecord& subject, const RuleRecord& rule) {
  const std::string& ruleMessage = rule.Values.Get(SideNone, SlotPort);
  const std::string& subjectMessage = subject.Values.Get(SideNone, SlotPort);
  if (ruleMessage.empty()) return true;
  if (subjectMessage.empty()) return false;
  if (ruleMessage == subjectMessage) return true;
  const std::int32_t ruleValue = ReadIntDefault(ruleMessage, -1);
  const std::int32_t subjectValue = ReadIntDefault(subjectMessage, -1);
  return ruleValue >= 0 && ruleValue <= 255 && subjectValue >= 256 &&
         ruleValue == subjectValue / 256;
}

// The protocol-specific options: established for tcp, the message for icmp.
bool ProtocolOptionsFit(const RuleRecord& subject, const RuleRecord& rule) {
  const std::string& protocol = Protocol(subject);
  if (protocol == kTcp) {
    return rule.Values.Get(SideNone, SlotEstablished).empty() ||
           !subject.Values.Get(SideNone, SlotEstablished).empty();
  }
  if (protocol == kIcmp) return IcmpMessagesFit(subject, rule);
  return true;
}

// The description of addresses shared in part, empty when both sides match
// fully; nullopt when a side shares nothing.
std::optional<std::string> PartialAddressText(const RuleRecord& subject, const RuleRecord& rule,
                                              bool russian) {
  const std::string completely(CompletelyWord(russian));
  std::string text;
  const bool sourceInside = SourceInside(subject, rule);
  if (sourceInside) {
    text = ". Src " + completely;
  } else {
    const std::string shared =
        AddrPartMatch(rule.SrcAddr, rule.SrcMask, subject.SrcAddr, subject.SrcMask, russian ? Language::Russian : Language::English);
    if (shared.empty()) return std::nullopt;
    text = ". Src " + shared;
  }
  const bool destinationInside = DestinationInside(subject, rule);
  if (destinationInside) {
    text += ". Dst " + completely;
  } else {
    const std::string shared =
        AddrPartMatch(rule.DstAddr, rule.DstMask, subject.DstAddr, subject.DstMask, russian ? Language::Russian : Language::English);
    if (shared.empty()) return std::nullopt;
    text += ". Dst " + shared;
  }
  if (sourceInside && destinationInside) text.clear();
  return text;
}

MatchResult Compare(const RuleRecord& subject, const RuleRecord& rule, const Context& context) {
  const CheckOptions& options = context.options;
  if (!ProtocolsFit(subject, rule, options)) return NotMatching();
  if (Decision decided = CheckAddressesFitMasks(subject, rule, context)) return *decided;
  if (!options.PartialAddresses &&
      !(SourceInside(subject, rule) && DestinationInside(subject, rule))) {
    return NotMatching();
  }
  const std::string& rulePrecedence = rule.Values.Get(SideNone, SlotPrecedence);
  if (!rulePrecedence.empty() && rulePrecedence != subject.Values.Get(SideNone, SlotPrecedence)) {
    return NotMatching();
  }
  if (Decision decided = CompareTtl(subject, rule, context)) return *decided;

  bool incomplete = false;
  if (Protocol(subject) != kIp && Protocol(rule) != kIp) {
    if (Protocol(subject) == kTcp || Protocol(subject) == kUdp) {
      for (int side : {SideSource, SideDestination}) {
        if (Decision decided =
                ComparePortPair(rule.Values.Get(side, SlotPort), subject.Values.Get(side, SlotPort),
                                context, incomplete)) {
          return *decided;
        }
      }
    }
    if (!ProtocolOptionsFit(subject, rule)) return NotMatching();
  }

  std::string partial;
  if (options.PartialAddresses) {
    std::optional<std::string> text = PartialAddressText(subject, rule, (options.TextLanguage == Language::Russian));
    if (!text) return NotMatching();
    partial = std::move(*text);
  }

  MatchResult result;
  result.Outcome = rule.Status == StatusPermit ? MatchPermit : MatchDeny;
  result.AddrPartial = !partial.empty();
  result.PortsIncomplete = incomplete;
  result.Message = std::string(MatchWord((options.TextLanguage == Language::Russian))) + partial;
  if (incomplete) result.Message += IncompletePortsNote((options.TextLanguage == Language::Russian));
  return result;
}

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
  const Context context{settings, options,
                        settings.ReverseMode ? LineRole::Acl : LineRole::Condition,
                        settings.ReverseMode ? LineRole::Condition : LineRole::Acl};
  if (Decision decided = CheckRecognised(subject, context.subjectRole, (options.TextLanguage == Language::Russian))) {
    return *decided;
  }
  if (Decision decided = CheckRecognised(rule, context.ruleRole, (options.TextLanguage == Language::Russian))) {
    return *decided;
  }
  return Compare(*subject.Expr, *rule.Expr, context);
}

}  // namespace kerbwise
