#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "text/language.h"

namespace kerbwise {

// Outcome of recognising one line.
enum RecordStatus : std::uint8_t {
  StatusTemplateError = 0,  // malformed template; also an empty line
  StatusUnrecognised = 1,   // no template line consumed the whole input
  StatusPermit = 2,
  StatusDeny = 3,
  StatusRemark = 4,
};

// Name of a status as generated text shows it ("not recognized", "remark"...).
std::string_view StatusName(std::uint8_t status, Language language);

// Sides of the option table.
enum Side : std::uint8_t { SideNone = 0, SideSource = 1, SideDestination = 2 };
inline constexpr int kSideCount = 3;
inline constexpr int kSlotCount = 32;

// The slots the built-in template fills.
enum Slot : std::uint8_t {
  SlotProtocol = 0,     // [none]: "ip" or the protocol number
  SlotPort = 1,         // [source]/[destination]: port condition; [none]: ICMP message
  SlotEstablished = 2,  // [none]
  SlotPrecedence = 3,   // [none]
  SlotTtl = 4,          // [none]
  SlotTimeRange = 5,    // [none]
  SlotLog = 6,          // [none]
  SlotDscp = 7,         // [none]: "dscp N"
  SlotTos = 8,          // [none]: "tos N"
  SlotTcpFlags = 9,     // [none]: flag words ("syn ack", "match-all +syn -ack")
  SlotFragments = 10,   // [none]: "fragments"
  SlotOption = 11,      // [none]: "option N"
  SlotReflect = 12,     // [none]: "reflect NAME" or "evaluate NAME"
  SlotLogUpdate = 13,   // [none]: "log-update"
  SlotTimeout = 14,     // [none]: "timeout N" of a reflect
  SlotRangeState = 15,  // [none]: never filled ("(active)" after a time-range is read, not kept)
  SlotThreshold = 16,   // [none]: "threshold N" of a log-update
};

// The 3 x 32 option texts of a recognised line. Almost all are empty, so only
// the filled ones are stored, kept in (side, slot) order.
class OptionValues {
 public:
  struct Entry {
    std::uint8_t side;
    std::uint8_t slot;
    std::string text;
    bool operator==(const Entry&) const = default;
  };

  // The text at [side][slot]; empty when unset or out of range.
  const std::string& Get(int side, int slot) const;
  void Set(int side, int slot, std::string_view text);
  // Old text, a blank and `word`, with leading blanks removed.
  void Append(int side, int slot, std::string_view word);
  void Clear() { entries_.clear(); }

  // The non-empty texts in (side, slot) order.
  const std::vector<Entry>& Entries() const { return entries_; }

  bool operator==(const OptionValues&) const = default;

 private:
  std::string* Find(int side, int slot);

  std::vector<Entry> entries_;
};

// One recognised line: action, addresses with masks in netmask form (1-bits
// must match; host is all ones, any is zero) and the option texts in
// canonical form (names replaced by numbers, no leading zeros).
struct RuleRecord {
  std::uint8_t Status = StatusTemplateError;
  std::uint32_t SrcAddr = 0;
  std::uint32_t SrcMask = 0;
  std::uint32_t DstAddr = 0;
  std::uint32_t DstMask = 0;
  OptionValues Values;

  bool operator==(const RuleRecord&) const = default;
};

}  // namespace kerbwise
