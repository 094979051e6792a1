#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "rules/check_options.h"
#include "rules/compiled_entry.h"

namespace kerbwise {

class LineRecognizer;

// The protocol and addresses of a rule entry: what keeps most pairs of
// entries apart.
using CoarseTraffic = EntryTraffic;

// The traffic of every rule entry of a list, compiled once, so that whether
// two entries can match a common packet is told in a few instructions. Where
// a field cannot be judged (an unreadable port, TTL or ICMP value) the
// entries are taken to overlap: a false alarm costs a look, a missed one a
// changed network.
class ProgressPacer;

class TrafficTable {
 public:
  // `listLines` are the normalised list, each line with its number. Reads
  // MaskType from the options. `pacer`, when given, is ticked per line.
  TrafficTable(const std::vector<std::string>& listLines, const CheckOptions& options,
               LineRecognizer& recognizer, ProgressPacer* pacer = nullptr);

  // A permit or deny entry; remarks and lines not recognised are not.
  bool IsRule(std::size_t line) const { return entries_[line].Kind == EntryKind::Rule; }
  bool Permits(std::size_t line) const { return entries_[line].Permits; }
  const CoarseTraffic& Coarse(std::size_t line) const { return entries_[line].Traffic; }

  // Whether some packet can match both rule entries, given that their
  // protocols and addresses meet (RuleColumns::MarkMeetings): the port, ICMP,
  // precedence and TTL conditions.
  bool OptionsMeet(std::size_t a, std::size_t b) const {
    return entries_.OptionsMeet(entries_[a], entries_[b]);
  }

 private:
  CompiledEntries entries_;
};

}  // namespace kerbwise
