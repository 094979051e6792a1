#include "analysis/pair_comparer.h"

#include "rules/address_sets.h"
#include "rules/integer_reader.h"
#include "rules/limits.h"
#include "rules/text_ids.h"

namespace kerbwise {
namespace {


// Protocol families whose options the comparison looks at.
constexpr std::uint8_t kFamilyIp = 0;
constexpr std::uint8_t kFamilyTcp = 1;
constexpr std::uint8_t kFamilyUdp = 2;
constexpr std::uint8_t kFamilyIcmp = 3;
constexpr std::uint8_t kFamilyOther = 4;

std::uint8_t FamilyOf(const std::string& protocol) {
  if (protocol == "ip") return kFamilyIp;
  if (protocol == "6") return kFamilyTcp;
  if (protocol == "17") return kFamilyUdp;
  if (protocol == "1") return kFamilyIcmp;
  return kFamilyOther;
}

}  // namespace

PairComparer::PairComparer(std::vector<RecognisedLine> lines, const MatchSettings& settings,
                           const CheckOptions& options)
    : lines_(std::move(lines)), settings_(settings), options_(options) {
  TextIds protocols;
  protocols.Id("ip");  // ip gets 1; stored as 0 below
  TextIds precedences;
  TextIds messages;
  prepared_.resize(lines_.size());
  for (std::size_t k = 0; k < lines_.size(); ++k) {
    const RecognisedLine& line = lines_[k];
    PreparedLine& p = prepared_[k];
    if (line.ParameterError || !line.Expr || line.Expr->Status == StatusTemplateError ||
        line.Expr->Status == StatusUnrecognised) {
      p.state = LineState::Unusable;
      continue;
    }
    if (line.Expr->Status == StatusRemark) {
      p.state = LineState::Remark;
      continue;
    }
    const RuleRecord& e = *line.Expr;
    p.state = LineState::Rule;
    p.permits = e.Status == StatusPermit;
    const std::string& protocol = e.Values.Get(SideNone, SlotProtocol);
    p.family = FamilyOf(protocol);
    p.protocol = p.family == kFamilyIp ? 0 : protocols.Id(protocol);
    p.srcAddr = e.SrcAddr;
    p.srcMask = e.SrcMask;
    p.dstAddr = e.DstAddr;
    p.dstMask = e.DstMask;
    p.precedence = precedences.Id(e.Values.Get(SideNone, SlotPrecedence));
    p.established = !e.Values.Get(SideNone, SlotEstablished).empty();
    const std::string& message = e.Values.Get(SideNone, SlotPort);
    p.icmpMessage = messages.Id(message);
    p.icmpValue = ReadIntDefault(message, -1);

    const std::string& ttl = e.Values.Get(SideNone, SlotTtl);
    p.hasTtl = !ttl.empty();
    bool readable = ReadRanges(ttl.substr(std::min<std::size_t>(4, ttl.size())), kMaxTtl, p.ttl);
    if (p.hasTtl && ttl.size() <= 4) readable = false;  // "ttl" alone reads as no values
    const std::string& srcPorts = e.Values.Get(SideSource, SlotPort);
    const std::string& dstPorts = e.Values.Get(SideDestination, SlotPort);
    p.hasSrcPorts = !srcPorts.empty();
    p.hasDstPorts = !dstPorts.empty();
    readable = ReadRanges(srcPorts, kMaxPort, p.srcPorts) && readable;
    readable = ReadRanges(dstPorts, kMaxPort, p.dstPorts) && readable;
    p.needsFullCheck = !readable || !AddressFitsMask(e.SrcAddr, e.SrcMask) ||
                       !AddressFitsMask(e.DstAddr, e.DstMask);
  }
}

// Reads a condition into the shared store; false when CheckForMatch would
// refuse it.
bool PairComparer::ReadRanges(const std::string& text, std::uint16_t maxValue, Ranges& ranges) {
  if (text.empty()) return true;
  const RangeList list = ValuesToRanges(text, maxValue, Language::English);
  if (!list.Ok()) return false;
  ranges.first = static_cast<std::uint32_t>(ranges_.size());
  ranges.count = static_cast<std::uint32_t>(list.Ranges.size());
  ranges_.insert(ranges_.end(), list.Ranges.begin(), list.Ranges.end());
  return true;
}

bool PairComparer::Inside(const ValueRange& range, Ranges outer) const {
  const ValueRange* end = ranges_.data() + outer.first + outer.count;
  for (const ValueRange* candidate = ranges_.data() + outer.first; candidate != end; ++candidate) {
    if (candidate->Hi < range.Lo) continue;
    return candidate->Lo <= range.Lo && range.Hi <= candidate->Hi;  // ranges are sorted, apart
  }
  return false;
}

bool PairComparer::AllInside(Ranges inner, Ranges outer) const {
  for (std::uint32_t k = 0; k < inner.count; ++k) {
    if (!Inside(ranges_[inner.first + k], outer)) return false;
  }
  return true;
}

PairOutcome PairComparer::Compare(std::size_t rule, std::size_t subject) const {
  const PreparedLine& r = prepared_[rule];
  const PreparedLine& s = prepared_[subject];
  if (s.state != LineState::Rule || r.state != LineState::Rule) {
    // The subject's problems are reported before the rule's.
    const PreparedLine& first = s.state != LineState::Rule ? s : r;
    return {first.state == LineState::Remark ? std::uint8_t{MatchRemark} : std::uint8_t{MatchError},
            false};
  }
  if (r.needsFullCheck || s.needsFullCheck) {
    const MatchResult full = CheckForMatch(lines_[rule], lines_[subject], settings_, options_);
    return {full.Outcome, full.PortsIncomplete};
  }
  return ComparePrepared(r, s);
}

PairComparer::PairTests PairComparer::ComparePair(std::size_t earlier, std::size_t later) const {
  const PreparedLine& e = prepared_[earlier];
  const PreparedLine& l = prepared_[later];
  PairTests tests;
  if (e.state == LineState::Rule && l.state == LineState::Rule && !e.needsFullCheck &&
      !l.needsFullCheck) {
    // Most pairs of a list part on protocol or addresses, so those are looked
    // at before the rest of either test.
    if (e.protocol != l.protocol && e.protocol != 0 && l.protocol != 0) return tests;
    if (AddrSetInside(e.srcAddr, e.srcMask, l.srcAddr, l.srcMask) &&
        AddrSetInside(e.dstAddr, e.dstMask, l.dstAddr, l.dstMask)) {
      tests.first = ComparePrepared(l, e);
      if (tests.first.Outcome != NoMatch) return tests;
    }
    if (AddrSetInside(l.srcAddr, l.srcMask, e.srcAddr, e.srcMask) &&
        AddrSetInside(l.dstAddr, l.dstMask, e.dstAddr, e.dstMask)) {
      tests.second = ComparePrepared(e, l);
    }
    return tests;
  }
  tests.first = Compare(later, earlier);
  const std::uint8_t outcome = tests.first.Outcome;
  if (outcome != MatchPermit && outcome != MatchDeny && outcome != MatchError) {
    tests.second = Compare(earlier, later);
  }
  return tests;
}

MatchResult PairComparer::Explain(std::size_t rule, std::size_t subject) const {
  return CheckForMatch(lines_[rule], lines_[subject], settings_, options_);
}

// Both lines are rules whose values are all readable, so no step can end in an
// error and the cheapest tests may come first.
PairOutcome PairComparer::ComparePrepared(const PreparedLine& r, const PreparedLine& s) const {
  const PairOutcome none{NoMatch, false};
  if (s.protocol != r.protocol && r.protocol != 0) return none;
  if (!AddrSetInside(s.srcAddr, s.srcMask, r.srcAddr, r.srcMask) ||
      !AddrSetInside(s.dstAddr, s.dstMask, r.dstAddr, r.dstMask)) {
    return none;
  }
  if (r.precedence != 0 && r.precedence != s.precedence) return none;
  if (r.hasTtl && (!s.hasTtl || !AllInside(s.ttl, r.ttl))) return none;

  bool incomplete = false;
  if (r.family != kFamilyIp && s.family != kFamilyIp) {
    if (s.family == kFamilyTcp || s.family == kFamilyUdp) {
      if (!PortPairFits(r.hasSrcPorts, r.srcPorts, s.hasSrcPorts, s.srcPorts, incomplete) ||
          !PortPairFits(r.hasDstPorts, r.dstPorts, s.hasDstPorts, s.dstPorts, incomplete)) {
        return none;
      }
    }
    if (s.family == kFamilyTcp && r.established && !s.established) return none;
    if (s.family == kFamilyIcmp && r.icmpMessage != 0 && r.icmpMessage != s.icmpMessage) {
      // A rule naming a type covers every code of that type.
      const bool typeCoversCode = s.icmpMessage != 0 && r.icmpValue >= 0 && r.icmpValue <= 255 &&
                                  s.icmpValue >= 256 && r.icmpValue == s.icmpValue / 256;
      if (!typeCoversCode) return none;
    }
  }
  return {r.permits ? std::uint8_t{MatchPermit} : std::uint8_t{MatchDeny}, incomplete};
}

bool PairComparer::PortPairFits(bool ruleHas, Ranges rulePorts, bool subjectHas,
                                Ranges subjectPorts, bool& incomplete) const {
  if (!ruleHas) return true;
  if (!subjectHas) return false;
  if (!settings_.PartialPorts) return AllInside(subjectPorts, rulePorts);
  const ValueRange* ruleBegin = ranges_.data() + rulePorts.first;
  const ValueRange* ruleEnd = ruleBegin + rulePorts.count;
  bool anyCovered = false;
  for (std::uint32_t k = 0; k < subjectPorts.count; ++k) {
    const ValueRange& range = ranges_[subjectPorts.first + k];
    // The rule's ranges are sorted and apart: those ending before the range
    // neither hold nor touch it, and the first one after them decides whether
    // it lies inside one.
    const ValueRange* at = ruleBegin;
    while (at != ruleEnd && at->Hi < range.Lo) ++at;
    bool covered = at != ruleEnd && at->Lo <= range.Lo && range.Hi <= at->Hi;
    if (!covered) {
      incomplete = true;
      for (; at != ruleEnd && at->Lo <= range.Hi; ++at) {
        if (settings_.AnyOverlap || at->Lo <= range.Lo || at->Hi >= range.Hi) {
          covered = true;
          break;
        }
      }
    }
    if (covered) {
      anyCovered = true;
      if (incomplete) break;
    }
  }
  return !(incomplete && !anyCovered);
}

}  // namespace kerbwise
