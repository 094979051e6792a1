#include "rules/compiled_entry.h"

#include <algorithm>
#include <mutex>

#include "rules/address_sets.h"
#include "rules/integer_reader.h"
#include "rules/limits.h"
#include "rules/packet_fields.h"
#include "rules/protocols.h"

namespace kerbwise {

static_assert(sizeof(CompiledEntry) <= 64, "an entry pair comparison streams through entries");
static_assert((kMaxPort + 1) / 2 <= UINT16_MAX, "the ranges of a port condition fit the count");

namespace {

// Keys of texts that are no plain decimal number start here, above every
// number a key can be made of.
constexpr std::uint32_t kTextKeyBase = 1u << 24;
constexpr std::size_t kMaxKeyDigits = 6;
// CompiledEntry::IcmpValue() takes a key up to 2^20 for a number's.
static_assert(999999 + 1 <= (1u << 20) && (1u << 20) < kTextKeyBase);

// A TTL condition is stored with its keyword: "ttl eq 64".
constexpr std::size_t kTtlKeywordLength = 4;

// The key of a plain decimal number without leading zeros, 0 otherwise.
std::uint32_t NumberKey(std::string_view text) {
  if (text.empty() || text.size() > kMaxKeyDigits || (text[0] == '0' && text.size() > 1)) return 0;
  std::uint32_t value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return 0;
    value = value * 10 + static_cast<std::uint32_t>(c - '0');
  }
  return value + 1;
}

// The protocol number of a protocol key, kUnnumberedProtocol when the key is
// no number of 0..255.
std::int16_t ProtocolNumberOf(std::uint32_t protocolKey) {
  if (protocolKey == 0) return -1;
  if (protocolKey <= 256) return static_cast<std::int16_t>(protocolKey - 1);
  return kUnnumberedProtocol;
}

EntryKind KindOf(const RuleRecord& record, bool parameterError) {
  if (parameterError) return EntryKind::Unrecognised;
  switch (record.Status) {
    case StatusPermit:
    case StatusDeny:
      return EntryKind::Rule;
    case StatusRemark:
      return EntryKind::Remark;
    case StatusTemplateError:
      return EntryKind::TemplateError;
    default:
      return EntryKind::Unrecognised;
  }
}

bool Unreadable(const ValueCondition& condition) {
  return condition.Is == ValueCondition::State::Unreadable;
}

// The first of sorted, apart ranges that ends at or after `value`.
std::span<const ValueRange>::iterator FirstEndingAtOrAfter(
    std::span<const ValueRange>::iterator begin, std::span<const ValueRange>::iterator end,
    std::uint16_t value) {
  // Most conditions hold a range or two, where a walk beats a search.
  constexpr std::ptrdiff_t kWalkedRanges = 8;
  if (end - begin <= kWalkedRanges) {
    while (begin != end && begin->Hi < value) ++begin;
    return begin;
  }
  return std::lower_bound(begin, end, value,
                          [](const ValueRange& range, std::uint16_t v) { return range.Hi < v; });
}

// The entries whose port conditions limit their traffic: tcp, udp and sctp.
bool CarriesPorts(const CompiledEntry& entry) {
  return entry.ProtocolNumber == kProtocolTcp || entry.ProtocolNumber == kProtocolUdp ||
         entry.ProtocolNumber == kProtocolSctp;
}

// A rule naming an ICMP type covers every code of it; a rule naming a code
// covers that message only.
bool IcmpMessageCovered(const CompiledEntry& rule, const CompiledEntry& subject) {
  if (rule.IcmpMessage == 0 || rule.IcmpMessage == subject.IcmpMessage) return true;
  if (subject.IcmpMessage == 0) return false;
  const std::int32_t ruleValue = rule.IcmpValue();
  const std::int32_t subjectValue = subject.IcmpValue();
  return ruleValue >= 0 && ruleValue <= kMaxIcmpType && subjectValue >= kIcmpTypeCount &&
         ruleValue == subjectValue / kIcmpTypeCount;
}

// Whether two ICMP messages (a type, or a type with its code) share a packet.
bool IcmpMessagesMeet(std::int32_t x, std::int32_t y) {
  if (x == y) return true;
  if (x < kIcmpTypeCount && y >= kIcmpTypeCount) return y / kIcmpTypeCount == x;
  if (y < kIcmpTypeCount && x >= kIcmpTypeCount) return x / kIcmpTypeCount == y;
  return false;
}

// The ICMP or IGMP message an entry limits its traffic to, -1 when it limits
// none.
std::int32_t KnownIcmpMessage(const CompiledEntry& entry) {
  const std::int32_t value = entry.IcmpValue();
  return value <= kMaxIcmpMessage ? value : -1;
}

// Protocol texts other than ip and plain numbers come only from a changed
// template; they get keys of their own, the same in every list.
std::uint32_t ProtocolKey(const std::string& text) {
  if (text == kAnyProtocol) return 0;
  if (const std::uint32_t number = NumberKey(text)) return number;
  static std::mutex guard;
  static TextIds ids;
  const std::lock_guard<std::mutex> lock(guard);
  return kTextKeyBase + ids.Id(text);
}

}  // namespace

void CompiledEntries::Clear() {
  entries_.clear();
  ranges_.clear();
  texts_.Clear();
  messages_.Clear();
}

std::uint32_t CompiledEntries::Key(const std::string& text, TextIds& ids) {
  if (text.empty()) return 0;
  if (const std::uint32_t key = NumberKey(text)) return key;
  return kTextKeyBase + ids.Id(text);
}

ValueCondition CompiledEntries::Read(const std::string& text, std::uint16_t maxValue) {
  ValueCondition condition;
  if (text.empty()) return condition;
  // The texts of error messages are not kept: an entry with an unreadable
  // condition is rare, and its message is asked for in the user's language.
  const RangeList list = ValuesToRanges(text, maxValue, Language::English);
  if (!list.Ok()) {
    condition.Is = ValueCondition::State::Unreadable;
    return condition;
  }
  condition.Is = ValueCondition::State::Read;
  condition.First = static_cast<std::uint32_t>(ranges_.size());
  condition.Count = static_cast<std::uint16_t>(list.Ranges.size());
  ranges_.insert(ranges_.end(), list.Ranges.begin(), list.Ranges.end());
  return condition;
}

CompiledEntry CompileTraffic(const RuleRecord& record, bool parameterError) {
  CompiledEntry entry;
  entry.Kind = KindOf(record, parameterError);
  if (entry.Kind != EntryKind::Rule) return entry;
  entry.Permits = record.Status == StatusPermit;
  entry.Traffic = {.Protocol = ProtocolKey(record.Values.Get(SideNone, SlotProtocol)),
                   .SrcAddr = record.SrcAddr,
                   .SrcMask = record.SrcMask,
                   .DstAddr = record.DstAddr,
                   .DstMask = record.DstMask};
  entry.ProtocolNumber = ProtocolNumberOf(entry.Traffic.Protocol);
  return entry;
}

std::size_t CompiledEntries::Add(const RuleRecord& record, bool parameterError) {
  CompiledEntry& entry = entries_.emplace_back(CompileTraffic(record, parameterError));
  if (entry.Kind == EntryKind::Rule) CompileOptions(entry, record);
  return entries_.size() - 1;
}

void CompiledEntries::CompileOptions(CompiledEntry& entry, const RuleRecord& record) {
  const OptionValues& values = record.Values;
  CompileToS(entry, values);
  if (entry.ProtocolNumber == kProtocolTcp) {
    if (!values.Get(SideNone, SlotEstablished).empty()) entry.TcpFlags = EstablishedFlags();
    const std::string& flags = values.Get(SideNone, SlotTcpFlags);
    if (!flags.empty()) {
      // A text a changed template lets through unread narrows to nothing
      // rather than to everything.
      entry.TcpFlags &= TcpFlagCombinations(flags).value_or(0);
    }
  }
  entry.Fragments = !values.Get(SideNone, SlotFragments).empty();
  entry.IcmpMessage = Key(values.Get(SideNone, SlotPort), messages_);
  const std::string& ttl = values.Get(SideNone, SlotTtl);
  // The keyword is cut off as it stands; "ttl" alone leaves no operator.
  entry.Ttl = Read(ttl.substr(std::min(kTtlKeywordLength, ttl.size())), kMaxTtl);
  if (!ttl.empty() && ttl.size() <= kTtlKeywordLength)
    entry.Ttl.Is = ValueCondition::State::Unreadable;
  entry.SrcPorts = Read(values.Get(SideSource, SlotPort), kMaxPort);
  entry.DstPorts = Read(values.Get(SideDestination, SlotPort), kMaxPort);
  entry.Clean = !Unreadable(entry.Ttl) && !Unreadable(entry.SrcPorts) &&
                !Unreadable(entry.DstPorts) && AddressFitsMask(record.SrcAddr, record.SrcMask) &&
                AddressFitsMask(record.DstAddr, record.DstMask);
}

void CompiledEntries::CompileToS(CompiledEntry& entry, const OptionValues& values) {
  std::string unread;  // the texts that are no condition with a number in range
  auto add = [&](Slot slot, auto read) {
    const std::string& text = values.Get(SideNone, slot);
    if (text.empty()) return;
    const std::optional<ByteMatch> match = read(text);
    const std::optional<ByteMatch> both = match ? BothMatch(entry.Tos, *match) : std::nullopt;
    if (both) {
      entry.Tos = *both;
    } else {
      unread += text;
      unread += '\n';
    }
  };
  add(SlotPrecedence, PrecedenceMatch);
  add(SlotDscp, DscpMatch);
  add(SlotTos, TosMatch);
  const std::string& option = values.Get(SideNone, SlotOption);
  if (!option.empty()) unread += option;
  if (unread.empty()) return;
  const std::uint32_t id = texts_.Id(unread) + 1;
  entry.TextKey = id < kUnkeyedText ? static_cast<std::uint16_t>(id) : kUnkeyedText;
}

std::span<const ValueRange> CompiledEntries::Ranges(const ValueCondition& condition) const {
  return std::span<const ValueRange>(ranges_).subspan(condition.First, condition.Count);
}

bool CompiledEntries::AllInsideSeveral(const ValueCondition& inner,
                                       const ValueCondition& outer) const {
  const std::span<const ValueRange> outerRanges = Ranges(outer);
  auto at = outerRanges.begin();
  for (const ValueRange& range : Ranges(inner)) {
    // Both lists are sorted and apart: the first outer range that does not
    // end before the range is the only one that can hold it.
    at = FirstEndingAtOrAfter(at, outerRanges.end(), range.Lo);
    if (at == outerRanges.end() || at->Lo > range.Lo || at->Hi < range.Hi) return false;
  }
  return true;
}

bool CompiledEntries::PortsCovered(const ValueCondition& rule, const ValueCondition& subject,
                                   const CoverQuery& query, bool& incomplete) const {
  if (!query.PartialPorts) return AllInside(subject, rule);
  // Worked on in locals and written back once: the analysis asks this for
  // every pair, and a flag behind a reference is reloaded at every step.
  const bool anyOverlap = query.AnyOverlap;
  bool partial = incomplete;
  bool anyCovered = false;
  const std::span<const ValueRange> ruleRanges = Ranges(rule);
  for (const ValueRange& range : Ranges(subject)) {
    // Rule ranges ending before the range neither hold nor touch it.
    auto at = ruleRanges.begin();
    while (at != ruleRanges.end() && at->Hi < range.Lo) ++at;
    bool covered = at != ruleRanges.end() && at->Lo <= range.Lo && range.Hi <= at->Hi;
    if (!covered) {
      partial = true;
      // Without AnyOverlap a rule range strictly inside the range does not
      // count as covering part of it.
      for (; at != ruleRanges.end() && at->Lo <= range.Hi; ++at) {
        if (anyOverlap || at->Lo <= range.Lo || at->Hi >= range.Hi) {
          covered = true;
          break;
        }
      }
    }
    if (covered) {
      anyCovered = true;
      if (partial) break;
    }
  }
  incomplete = partial;
  return !(partial && !anyCovered);
}

// The steps on protocols and masks that come before the addresses.
static CoverStep ProtocolAndMaskStep(const CompiledEntry& rule, const CompiledEntry& subject,
                                     const CoverQuery& query) {
  const EntryTraffic& r = rule.Traffic;
  const EntryTraffic& s = subject.Traffic;
  if (r.Protocol != 0 ? s.Protocol != r.Protocol
                      : (s.Protocol != 0 && subject.Family() == ProtocolFamily::Icmp &&
                         query.IgnoreIcmp && query.PartialAddresses)) {
    return CoverStep::ProtocolApart;
  }
  if (rule.Clean && subject.Clean) return CoverStep::Covered;
  if (!AddressFitsMask(r.SrcAddr, r.SrcMask)) return CoverStep::RuleSourceOutsideMask;
  if (!AddressFitsMask(r.DstAddr, r.DstMask)) return CoverStep::RuleDestinationOutsideMask;
  if (!AddressFitsMask(s.SrcAddr, s.SrcMask)) return CoverStep::SubjectSourceOutsideMask;
  if (!AddressFitsMask(s.DstAddr, s.DstMask)) return CoverStep::SubjectDestinationOutsideMask;
  return CoverStep::Covered;
}

CoverStep CompiledEntries::CoversTraffic(const CompiledEntry& rule, const CompiledEntry& subject,
                                         const CoverQuery& query) {
  if (const CoverStep step = ProtocolAndMaskStep(rule, subject, query);
      step != CoverStep::Covered) {
    return step;
  }
  const EntryTraffic& r = rule.Traffic;
  const EntryTraffic& s = subject.Traffic;
  if (!query.PartialAddresses && !(AddrSetInside(s.SrcAddr, s.SrcMask, r.SrcAddr, r.SrcMask) &&
                                   AddrSetInside(s.DstAddr, s.DstMask, r.DstAddr, r.DstMask))) {
    return CoverStep::AddressesOutside;
  }
  return CoverStep::Covered;
}

Cover CompiledEntries::Covers(const CompiledEntry& rule, const CompiledEntry& subject,
                              const CoverQuery& query) const {
  auto stop = [](CoverStep step) { return Cover{.Step = step}; };
  if (const CoverStep step = ProtocolAndMaskStep(rule, subject, query);
      step != CoverStep::Covered) {
    return stop(step);
  }
  const EntryTraffic& r = rule.Traffic;
  const EntryTraffic& s = subject.Traffic;
  const bool sourceInside = AddrSetInside(s.SrcAddr, s.SrcMask, r.SrcAddr, r.SrcMask);
  const bool destinationInside = AddrSetInside(s.DstAddr, s.DstMask, r.DstAddr, r.DstMask);
  if (!query.PartialAddresses && !(sourceInside && destinationInside)) {
    return stop(CoverStep::AddressesOutside);
  }
  Cover cover;
  cover.Step = CoversOptions(rule, subject, query, cover.PortsIncomplete);
  if (cover.Step != CoverStep::Covered) return Cover{.Step = cover.Step};

  if (query.PartialAddresses) {
    if ((!sourceInside && !AddressSetsMeet(r.SrcAddr, r.SrcMask, s.SrcAddr, s.SrcMask)) ||
        (!destinationInside && !AddressSetsMeet(r.DstAddr, r.DstMask, s.DstAddr, s.DstMask))) {
      return stop(CoverStep::AddressesApart);
    }
    cover.AddressesPartial = !(sourceInside && destinationInside);
  }
  return cover;
}

CoverStep CompiledEntries::CoversOptions(const CompiledEntry& rule, const CompiledEntry& subject,
                                         const CoverQuery& query, bool& incomplete) const {
  if (!ByteMatchInside(subject.Tos, rule.Tos)) return CoverStep::PrecedenceApart;
  if (rule.TextKey != 0 && (rule.TextKey != subject.TextKey || rule.TextKey == kUnkeyedText)) {
    return CoverStep::OptionsApart;
  }
  if (rule.Fragments && !subject.Fragments) return CoverStep::OptionsApart;
  if (rule.Ttl.Is != ValueCondition::State::Absent) {
    if (subject.Ttl.Is == ValueCondition::State::Absent) return CoverStep::TtlOutside;
    if (Unreadable(rule.Ttl)) return CoverStep::RuleTtlUnreadable;
    if (Unreadable(subject.Ttl)) return CoverStep::SubjectTtlUnreadable;
    if (!AllInside(subject.Ttl, rule.Ttl)) return CoverStep::TtlOutside;
  }

  if (rule.Traffic.Protocol != 0 && subject.Traffic.Protocol != 0) {
    if (CarriesPorts(subject)) {
      CoverStep step =
          PortStep(rule.SrcPorts, subject.SrcPorts, CoverStep::RuleSourcePortsUnreadable,
                   CoverStep::SubjectSourcePortsUnreadable, query, incomplete);
      if (step == CoverStep::Covered) {
        step = PortStep(rule.DstPorts, subject.DstPorts, CoverStep::RuleDestinationPortsUnreadable,
                        CoverStep::SubjectDestinationPortsUnreadable, query, incomplete);
      }
      if (step != CoverStep::Covered) return step;
    }
    if ((subject.TcpFlags & ~rule.TcpFlags) != 0) return CoverStep::OptionsApart;
    // ICMP and IGMP messages (a changed template may give other protocols
    // one too: it narrows them just the same).
    if (!IcmpMessageCovered(rule, subject)) {
      return CoverStep::OptionsApart;
    }
  }
  return CoverStep::Covered;
}

// Both lists are sorted and apart, so one walk along both finds a shared
// value if there is one.
bool CompiledEntries::RangesMeet(const ValueCondition& x, const ValueCondition& y) const {
  if (x.Count == 0 || y.Count == 0) return true;  // absent, unreadable or empty: limits nothing
  const std::span<const ValueRange> xs = Ranges(x);
  const std::span<const ValueRange> ys = Ranges(y);
  auto a = xs.begin();
  auto b = ys.begin();
  while (a != xs.end() && b != ys.end()) {
    if (a->Hi < b->Lo) {
      ++a;
    } else if (b->Hi < a->Lo) {
      ++b;
    } else {
      return true;
    }
  }
  return false;
}

// A packet can carry several IP options and be a fragment or not, so the
// option and `fragments` never keep two entries apart; nor do texts that are
// not read. TCP flags keep them apart when no flag byte passes both.
bool CompiledEntries::OptionsMeet(const CompiledEntry& a, const CompiledEntry& b) const {
  if (!ByteMatchesMeet(a.Tos, b.Tos)) return false;
  if ((a.TcpFlags & b.TcpFlags) == 0) return false;
  if (!RangesMeet(a.Ttl, b.Ttl)) return false;
  const std::int32_t messageA = KnownIcmpMessage(a);
  const std::int32_t messageB = KnownIcmpMessage(b);
  if (messageA >= 0 && messageB >= 0 && !IcmpMessagesMeet(messageA, messageB)) return false;
  // Ports limit only tcp, udp and sctp entries; two such entries that got this
  // far carry the same protocol.
  if (!CarriesPorts(a) || !CarriesPorts(b)) return true;
  return RangesMeet(a.SrcPorts, b.SrcPorts) && RangesMeet(a.DstPorts, b.DstPorts);
}

}  // namespace kerbwise
