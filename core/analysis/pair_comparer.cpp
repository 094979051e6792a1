#include "analysis/pair_comparer.h"

#include "rules/address_sets.h"

namespace kerbwise {

PairComparer::PairComparer(std::vector<RecognisedLine> lines, const MatchSettings& settings,
                           const CheckOptions& options, const std::function<void()>& eachLine)
    : lines_(std::move(lines)),
      query_{.PartialAddresses = false,
             .IgnoreIcmp = options.IgnoreIcmp,
             .PartialPorts = settings.PartialPorts,
             .AnyOverlap = settings.AnyOverlap},
      settings_(settings),
      options_(options) {
  entries_.Reserve(lines_.size());
  for (const RecognisedLine& line : lines_) {
    if (line.Expr) {
      entries_.Add(*line.Expr, line.ParameterError);
    } else {
      entries_.Add(RuleRecord{}, true);
    }
    if (eachLine) eachLine();
  }
}

PairOutcome PairComparer::CompareRules(const CompiledEntry& rule,
                                       const CompiledEntry& subject) const {
  return Outcome(rule, entries_.Covers(rule, subject, query_));
}

// Both entries are clean rules whose addresses are known to lie inside the
// rule's, and whose protocols are the same unless one is ip: only a rule of
// one protocol against an ip subject is left to part them before the options.
PairOutcome PairComparer::CompareCleanInside(const CompiledEntry& rule,
                                             const CompiledEntry& subject) const {
  if (rule.Traffic.Protocol != 0 && subject.Traffic.Protocol == 0) return {};
  bool incomplete = false;
  const CoverStep step = entries_.CoversOptions(rule, subject, query_, incomplete);
  return Outcome(rule, Cover{.Step = step, .PortsIncomplete = incomplete});
}

PairOutcome PairComparer::Outcome(const CompiledEntry& rule, const Cover& cover) {
  if (cover.Step == CoverStep::Covered) {
    return {rule.Permits ? std::uint8_t{MatchPermit} : std::uint8_t{MatchDeny},
            cover.PortsIncomplete};
  }
  return {IsValueError(cover.Step) ? std::uint8_t{MatchError} : std::uint8_t{NoMatch}, false};
}

PairOutcome PairComparer::Compare(std::size_t rule, std::size_t subject) const {
  const CompiledEntry& r = entries_[rule];
  const CompiledEntry& s = entries_[subject];
  if (s.Kind != EntryKind::Rule || r.Kind != EntryKind::Rule) {
    // The subject's problems are reported before the rule's.
    const CompiledEntry& first = s.Kind != EntryKind::Rule ? s : r;
    return {first.Kind == EntryKind::Remark ? std::uint8_t{MatchRemark} : std::uint8_t{MatchError},
            false};
  }
  return CompareRules(r, s);
}

PairComparer::PairTests PairComparer::ComparePair(std::size_t earlier, std::size_t later) const {
  const CompiledEntry& e = entries_[earlier];
  const CompiledEntry& l = entries_[later];
  PairTests tests;
  if (e.Kind == EntryKind::Rule && l.Kind == EntryKind::Rule && e.Clean && l.Clean) {
    // Most pairs of a list part on protocol or addresses, so those are looked
    // at before the rest of either test.
    const EntryTraffic& et = e.Traffic;
    const EntryTraffic& lt = l.Traffic;
    if (et.Protocol != lt.Protocol && et.Protocol != 0 && lt.Protocol != 0) return tests;
    if (AddrSetInside(et.SrcAddr, et.SrcMask, lt.SrcAddr, lt.SrcMask) &&
        AddrSetInside(et.DstAddr, et.DstMask, lt.DstAddr, lt.DstMask)) {
      tests.first = CompareCleanInside(l, e);
      if (tests.first.Outcome != NoMatch) return tests;
    }
    if (AddrSetInside(lt.SrcAddr, lt.SrcMask, et.SrcAddr, et.SrcMask) &&
        AddrSetInside(lt.DstAddr, lt.DstMask, et.DstAddr, et.DstMask)) {
      tests.second = CompareCleanInside(e, l);
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

}  // namespace kerbwise
