#include "reorder/traffic_overlap.h"

#include <string_view>

#include "rules/integer_reader.h"
#include "rules/limits.h"
#include "rules/line_recognizer.h"
#include "rules/list_entry.h"
#include "rules/rule_record.h"
#include "rules/text_ids.h"

namespace kerbwise {
namespace {

constexpr std::int32_t kTypeCount = kIcmpTypeCount;
constexpr std::string_view kTtlKeyword = "ttl ";

// Whether two ICMP messages (a type, or a type with its code) share a packet.
bool MessagesMeet(std::int32_t x, std::int32_t y) {
  if (x == y) return true;
  if (x < kTypeCount && y >= kTypeCount) return y / kTypeCount == x;
  if (y < kTypeCount && x >= kTypeCount) return x / kTypeCount == y;
  return false;
}

}  // namespace

TrafficTable::TrafficTable(const std::vector<std::string>& listLines, const CheckOptions& options,
                           LineRecognizer& recognizer) {
  TextIds protocols;
  protocols.Id("ip");  // ip takes 1 here and is stored as 0
  TextIds precedences;
  entries_.resize(listLines.size());
  for (std::size_t k = 0; k < listLines.size(); ++k) {
    const RecordPtr expr = recognizer.Recognize(ListEntryText(listLines[k]), options);
    const RuleRecord& e = *expr;
    Entry& entry = entries_[k];
    entry.isRule = e.Status == StatusPermit || e.Status == StatusDeny;
    if (!entry.isRule) continue;
    entry.permits = e.Status == StatusPermit;
    const std::string& protocol = e.Values.Get(SideNone, SlotProtocol);
    entry.coarse = {.Protocol = protocol == "ip" ? 0 : protocols.Id(protocol),
                    .SrcAddr = e.SrcAddr,
                    .SrcMask = e.SrcMask,
                    .DstAddr = e.DstAddr,
                    .DstMask = e.DstMask};

    if (protocol == "6" || protocol == "17") {  // tcp or udp
      entry.srcPorts = ReadRanges(e.Values.Get(SideSource, SlotPort), kMaxPort);
      entry.dstPorts = ReadRanges(e.Values.Get(SideDestination, SlotPort), kMaxPort);
    }
    if (protocol == "1") {
      const std::int32_t message = ReadIntDefault(e.Values.Get(SideNone, SlotPort), -1);
      if (message <= kMaxIcmpMessage) entry.icmpMessage = message;
    }
    entry.precedence = precedences.Id(e.Values.Get(SideNone, SlotPrecedence));
    const std::string& ttl = e.Values.Get(SideNone, SlotTtl);
    if (ttl.starts_with(kTtlKeyword)) {
      entry.ttl = ReadRanges(ttl.substr(kTtlKeyword.size()), kMaxTtl);
    }
    entry.hasOptions = entry.srcPorts.known || entry.dstPorts.known || entry.icmpMessage >= 0 ||
                       entry.precedence != 0 || entry.ttl.known;
  }
}

TrafficTable::Ranges TrafficTable::ReadRanges(const std::string& condition,
                                              std::uint16_t maxValue) {
  Ranges ranges;
  if (condition.empty()) return ranges;
  const RangeList list = ValuesToRanges(condition, maxValue, Language::English);
  if (!list.Ok() || list.Ranges.empty()) return ranges;
  ranges.first = static_cast<std::uint32_t>(ranges_.size());
  ranges.count = static_cast<std::uint32_t>(list.Ranges.size());
  ranges.known = true;
  ranges_.insert(ranges_.end(), list.Ranges.begin(), list.Ranges.end());
  return ranges;
}

// Both lists are sorted and apart, so one walk along both finds a shared
// value if there is one.
bool TrafficTable::RangesMeet(Ranges x, Ranges y) const {
  if (!x.known || !y.known) return true;
  const ValueRange* a = ranges_.data() + x.first;
  const ValueRange* aEnd = a + x.count;
  const ValueRange* b = ranges_.data() + y.first;
  const ValueRange* bEnd = b + y.count;
  while (a != aEnd && b != bEnd) {
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

// `established` never keeps two entries apart: the first packet of a
// connection is not established, but every later one is.
bool TrafficTable::OptionsMeet(std::size_t a, std::size_t b) const {
  const Entry& x = entries_[a];
  const Entry& y = entries_[b];
  if (!x.hasOptions || !y.hasOptions) return true;
  if (x.precedence != 0 && y.precedence != 0 && x.precedence != y.precedence) return false;
  if (!RangesMeet(x.ttl, y.ttl)) return false;
  if (x.icmpMessage >= 0 && y.icmpMessage >= 0 && !MessagesMeet(x.icmpMessage, y.icmpMessage)) {
    return false;
  }
  // Port conditions exist only on tcp and udp entries, and two such entries
  // that got this far carry the same protocol.
  return RangesMeet(x.srcPorts, y.srcPorts) && RangesMeet(x.dstPorts, y.dstPorts);
}

}  // namespace kerbwise
