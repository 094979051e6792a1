#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "rules/value_ranges.h"
#include "rules/check_options.h"

namespace kerbwise {

class LineRecognizer;

// The protocol and addresses of a rule entry: what keeps most pairs of
// entries apart.
struct CoarseTraffic {
  std::uint32_t Protocol = 0;  // 0 for ip, which carries every protocol
  std::uint32_t SrcAddr = 0, SrcMask = 0, DstAddr = 0, DstMask = 0;
};

// The traffic of every rule entry of a list, read once, so that whether two
// entries can match a common packet is told in a few instructions. Where a
// field cannot be judged (an unreadable port, TTL or ICMP value, an option
// this table does not know) the entries are taken to overlap: a false alarm
// costs a look, a missed one a changed network.
class TrafficTable {
 public:
  // `listLines` are the normalised list, each line with its number. Reads
  // MaskType from the options.
  TrafficTable(const std::vector<std::string>& listLines, const CheckOptions& options,
               LineRecognizer& recognizer);

  // A permit or deny entry; remarks and lines not recognised are not.
  bool IsRule(std::size_t line) const { return entries_[line].isRule; }
  bool Permits(std::size_t line) const { return entries_[line].permits; }
  const CoarseTraffic& Coarse(std::size_t line) const { return entries_[line].coarse; }

  // Whether some packet can match both rule entries, given that their
  // protocols and addresses meet (RuleColumns::MarkMeetings): the port, ICMP,
  // precedence and TTL conditions.
  bool OptionsMeet(std::size_t a, std::size_t b) const;

 private:
  // A stretch of ranges_; `known` is false when the condition is absent or
  // cannot be read, and then it limits nothing.
  struct Ranges {
    std::uint32_t first = 0;
    std::uint32_t count = 0;
    bool known = false;
  };

  struct Entry {
    CoarseTraffic coarse;  // protocols other than ip by an id of their text
    bool isRule = false;
    bool permits = false;
    bool hasOptions = false;        // any of the conditions below
    std::uint32_t precedence = 0;   // 0 when absent, otherwise an id of its text
    std::int32_t icmpMessage = -1;  // -1 when absent or unreadable
    Ranges srcPorts, dstPorts, ttl;
  };

  bool RangesMeet(Ranges x, Ranges y) const;
  Ranges ReadRanges(const std::string& condition, std::uint16_t maxValue);

  std::vector<Entry> entries_;
  std::vector<ValueRange> ranges_;
};

}  // namespace kerbwise
