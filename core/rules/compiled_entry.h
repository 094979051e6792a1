#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "rules/rule_record.h"
#include "rules/text_ids.h"
#include "rules/value_ranges.h"

namespace kerbwise {

// What a recognised line is, for comparing it with others.
enum class EntryKind : std::uint8_t { Rule, Remark, TemplateError, Unrecognised };

// The protocols whose options a comparison looks at.
enum class ProtocolFamily : std::uint8_t { Any, Tcp, Udp, Icmp, Other };

// A port or TTL condition, read into ranges kept by the entry list.
// Ranges never touch, so a condition holds at most 32768 of them: the count
// fits 16 bits, which keeps a compiled entry within 64 bytes (the analysis
// streams through millions of entry pairs).
struct ValueCondition {
  enum class State : std::uint8_t { Absent, Read, Unreadable };
  std::uint32_t First = 0;  // index of the first range in the list's store
  std::uint16_t Count = 0;
  State Is = State::Absent;
};

// The protocol and addresses of an entry: what keeps most pairs apart.
struct EntryTraffic {
  // 0 for ip, which carries every protocol; otherwise a key that is equal for
  // two entries exactly when their protocol texts are equal.
  std::uint32_t Protocol = 0;
  std::uint32_t SrcAddr = 0, SrcMask = 0, DstAddr = 0, DstMask = 0;
};

// Fixed bits of the IP ToS byte: a packet matches when (tos & Mask) == Value.
// precedence p fixes the top 3 bits (Mask 0xE0, Value p << 5), dscp d the top
// 6 (0xFC, d << 2), tos t bits 4..1 (0x1E, t << 1); conditions given
// together combine. Mask 0: no condition.
struct ByteMatch {
  std::uint8_t Mask = 0, Value = 0;
  bool operator==(const ByteMatch&) const = default;
};

// The TCP flag byte's six flags as bits of a flag combination.
inline constexpr unsigned kTcpFin = 1, kTcpSyn = 2, kTcpRst = 4, kTcpPsh = 8, kTcpAck = 16,
                          kTcpUrg = 32;
// Every combination allowed: no flag condition.
inline constexpr std::uint64_t kAnyTcpFlags = ~0ull;

// The protocol number of an entry whose protocol a changed template gives by
// a text, or by a number outside 0..255: only Traffic.Protocol tells such
// protocols apart.
inline constexpr std::int16_t kUnnumberedProtocol = -2;
// The TextKey of texts that could not get a key of their own: never taken as
// equal to another key, not even to itself.
inline constexpr std::uint16_t kUnkeyedText = 0xFFFF;

// One entry turned into numbers once, so that it can be compared with many
// others cheaply. Texts that only need to be told equal (ICMP and IGMP
// message, IP option) become keys that are equal exactly when the texts are.
// Filled for every rule entry, from whatever the template read.
// The entry is kept within 64 bytes (the analysis streams through millions of
// entry pairs): the protocol family and the message as a number are worked
// out from the fields rather than stored (Family(), IcmpValue()), and the
// flags are bit-fields.
struct CompiledEntry {
  // The set of allowed TCP flag combinations: bit i set = the flag byte i
  // (of the six flags above) is allowed. `established` allows those with ack
  // or rst, `syn` those with syn, `match-all +syn -ack` those with syn and
  // without ack, `match-any +syn +fin` those with either. kAnyTcpFlags when
  // the entry sets no flag condition or is not tcp.
  std::uint64_t TcpFlags = kAnyTcpFlags;
  EntryTraffic Traffic;
  std::uint32_t IcmpMessage = 0;  // ICMP or IGMP message key; 0 when absent
  ValueCondition Ttl, SrcPorts, DstPorts;
  EntryKind Kind = EntryKind::Unrecognised;
  bool Permits : 1 = false;
  // No comparison step can end in an error on this entry: its addresses fit
  // their masks and its port and TTL conditions are readable.
  bool Clean : 1 = false;
  bool Fragments : 1 = false;  // matches only non-initial fragments
  // -1 for ip (every protocol), else 0..255 (tcp 6, udp 17, icmp 1, igmp 2,
  // ...); kUnnumberedProtocol for a protocol a changed template names.
  std::int16_t ProtocolNumber = -1;
  ByteMatch Tos;
  // The texts that narrow the entry but are only compared for equality, as
  // one key: the IP option (`option N`), and a precedence, dscp or tos text
  // that is no number (only a changed template gives one) or that fixes a
  // bit another one fixes differently. 0 when none.
  std::uint16_t TextKey = 0;

  ProtocolFamily Family() const {
    switch (ProtocolNumber) {
      case -1:
        return ProtocolFamily::Any;
      case 6:
        return ProtocolFamily::Tcp;
      case 17:
        return ProtocolFamily::Udp;
      case 1:
        return ProtocolFamily::Icmp;
      default:
        return ProtocolFamily::Other;
    }
  }
  // The ICMP or IGMP message as a number (a type, or type * 256 + code); -1
  // when absent or not a number.
  std::int32_t IcmpValue() const {
    constexpr std::uint32_t kLastNumberKey = 1u << 20;
    return IcmpMessage != 0 && IcmpMessage <= kLastNumberKey
               ? static_cast<std::int32_t>(IcmpMessage - 1)
               : -1;
  }
};

// How a cover question is asked.
struct CoverQuery {
  bool PartialAddresses = false;  // addresses that are shared in part still count
  bool IgnoreIcmp = false;        // with PartialAddresses: an ip rule does not cover ICMP
  bool PartialPorts = false;      // a port range covered in part still counts, marked incomplete
  bool AnyOverlap = false;        // with PartialPorts: any overlap counts as partial cover
};

// Where a cover question was decided: Covered, or the first step that fails,
// in the order the steps are taken. The steps named Unreadable or
// OutsideMask are errors in an entry's values rather than answers.
enum class CoverStep : std::uint8_t {
  Covered,
  ProtocolApart,
  RuleSourceOutsideMask,
  RuleDestinationOutsideMask,
  SubjectSourceOutsideMask,
  SubjectDestinationOutsideMask,
  AddressesOutside,
  PrecedenceApart,
  RuleTtlUnreadable,
  SubjectTtlUnreadable,
  TtlOutside,
  RuleSourcePortsUnreadable,
  SubjectSourcePortsUnreadable,
  RuleDestinationPortsUnreadable,
  SubjectDestinationPortsUnreadable,
  PortsOutside,
  OptionsApart,
  AddressesApart,
};

// Whether a step is an error in an entry's values. Asked for every pair the
// analysis compares, so it stays a test of one bit.
constexpr bool IsValueError(CoverStep step) {
  constexpr auto bit = [](CoverStep s) { return 1u << static_cast<unsigned>(s); };
  constexpr unsigned kValueErrors =
      bit(CoverStep::RuleSourceOutsideMask) | bit(CoverStep::RuleDestinationOutsideMask) |
      bit(CoverStep::SubjectSourceOutsideMask) | bit(CoverStep::SubjectDestinationOutsideMask) |
      bit(CoverStep::RuleTtlUnreadable) | bit(CoverStep::SubjectTtlUnreadable) |
      bit(CoverStep::RuleSourcePortsUnreadable) | bit(CoverStep::SubjectSourcePortsUnreadable) |
      bit(CoverStep::RuleDestinationPortsUnreadable) |
      bit(CoverStep::SubjectDestinationPortsUnreadable);
  return (kValueErrors & bit(step)) != 0;
}

struct Cover {
  CoverStep Step = CoverStep::Covered;
  bool PortsIncomplete = false;   // with PartialPorts: some port range is covered only in part
  bool AddressesPartial = false;  // with PartialAddresses: a side is shared only in part
};

// The entries of one list (or any set of lines) compiled once, their port
// and TTL ranges in one shared store so that the entries stay small and close
// together. Const member functions may run on several threads at once.
class CompiledEntries {
 public:
  void Reserve(std::size_t entries) { entries_.reserve(entries); }
  // Forgets every entry but keeps the memory, for reuse.
  void Clear();
  // Compiles a recognised record and gives its index. A record the
  // recognizer left with a parameter error counts as not recognised.
  std::size_t Add(const RuleRecord& record, bool parameterError = false);

  std::size_t size() const { return entries_.size(); }
  const CompiledEntry& operator[](std::size_t index) const { return entries_[index]; }
  std::span<const ValueRange> Ranges(const ValueCondition& condition) const;

  // Whether all the traffic of `subject` falls under `rule`, and if not, why
  // not. Both must be of kind Rule and fully compiled.
  Cover Covers(const CompiledEntry& rule, const CompiledEntry& subject,
               const CoverQuery& query) const;

  // The steps of Covers after protocols and addresses: precedence, TTL,
  // ports, established and the ICMP message, for callers that have taken the
  // first steps themselves; `portsIncomplete` is set as Cover's is. (A step
  // and a flag rather than a Cover: the analysis asks this for every pair,
  // and a small structure returned through memory stalls each call.)
  CoverStep CoversOptions(const CompiledEntry& rule, const CompiledEntry& subject,
                          const CoverQuery& query, bool& portsIncomplete) const;

  // The first steps of Covers, which look at protocols and addresses only
  // (what CompileTraffic gives); Covered when they pass.
  static CoverStep CoversTraffic(const CompiledEntry& rule, const CompiledEntry& subject,
                                 const CoverQuery& query);

  // Whether some packet can match both rule entries, given that their
  // protocols and addresses meet: the port, ICMP, precedence and TTL
  // conditions. A condition that cannot be read limits nothing.
  bool OptionsMeet(const CompiledEntry& a, const CompiledEntry& b) const;

 private:
  void CompileOptions(CompiledEntry& entry, const RuleRecord& record);
  // Tos and TextKey from the precedence, dscp, tos and option texts.
  void CompileToS(CompiledEntry& entry, const OptionValues& values);
  ValueCondition Read(const std::string& text, std::uint16_t maxValue);
  // The key of a message text: its number + 1 when it is a plain number.
  std::uint32_t Key(const std::string& text, TextIds& ids);
  bool AllInside(const ValueCondition& inner, const ValueCondition& outer) const {
    if (outer.Count != 1) return AllInsideSeveral(inner, outer);
    // The usual TTL or port condition: one range.
    const ValueRange& only = ranges_[outer.First];
    for (const ValueRange& range : Ranges(inner)) {
      if (range.Lo < only.Lo || range.Hi > only.Hi) return false;
    }
    return true;
  }
  bool AllInsideSeveral(const ValueCondition& inner, const ValueCondition& outer) const;
  // One side's port conditions; `incomplete` is shared by both sides.
  CoverStep PortStep(const ValueCondition& rule, const ValueCondition& subject,
                     CoverStep ruleUnreadable, CoverStep subjectUnreadable, const CoverQuery& query,
                     bool& incomplete) const {
    using State = ValueCondition::State;
    if (rule.Is == State::Absent) return CoverStep::Covered;
    if (subject.Is == State::Absent) return CoverStep::PortsOutside;
    if (rule.Is == State::Unreadable) return ruleUnreadable;
    if (subject.Is == State::Unreadable) return subjectUnreadable;
    return PortsCovered(rule, subject, query, incomplete) ? CoverStep::Covered
                                                          : CoverStep::PortsOutside;
  }
  bool PortsCovered(const ValueCondition& rule, const ValueCondition& subject,
                    const CoverQuery& query, bool& incomplete) const;
  bool RangesMeet(const ValueCondition& x, const ValueCondition& y) const;

  std::vector<CompiledEntry> entries_;
  std::vector<ValueRange> ranges_;
  TextIds texts_, messages_;
};

// The kind, protocol and addresses of a record, without a store: enough for
// CompiledEntries::CoversTraffic, which parts most pairs.
CompiledEntry CompileTraffic(const RuleRecord& record, bool parameterError = false);

}  // namespace kerbwise
