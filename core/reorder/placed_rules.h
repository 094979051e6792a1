#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "reorder/traffic_overlap.h"

namespace kerbwise {

// The rules of one action in list order, with their places in the new order
// and their protocols and addresses, column by column: the scan over pairs
// runs along plain arrays, which the compiler turns into vector code.
struct RuleColumns {
  std::vector<std::size_t> Line;
  std::vector<std::uint32_t> Position, Protocol, SrcAddr, SrcMask, DstAddr, DstMask;

  std::size_t size() const { return Line.size(); }

  void Add(std::size_t line, std::size_t position, const CoarseTraffic& traffic);

  // The first rule at or after list line `line`.
  std::size_t FirstFrom(std::size_t line) const;

  // Sets hits[t] for the rule from + t, t < count, when it comes before
  // `place` in the new order and its protocol and addresses meet `x`:
  // protocols equal or one of them ip, and on each side no bit that both
  // masks fix set differently (contiguous masks or not). Written without
  // branches, since most pairs fail in no foreseeable pattern.
  void MarkMeetings(std::size_t from, std::size_t count, std::uint32_t place,
                    const CoarseTraffic& x, std::uint8_t* hits) const;
};

// The rules of one action three ways: all of them, and split by the top 24
// bits of the source, or of the destination, address where the mask fixes
// those bits. A rule whose mask fixes them on a side shares traffic only with
// the rules of its own bucket on that side and with the rules whose mask
// leaves the bits open, so a scan for it can pass over every other bucket.
class PlacedRules {
 public:
  void Add(std::size_t line, std::size_t position, const CoarseTraffic& traffic);

  // What a scan for a rule with `traffic` must cover: every rule, or a
  // bucket and the open rules of one side, whichever holds fewer rules.
  // Unused places are null.
  std::array<const RuleColumns*, 2> Candidates(const CoarseTraffic& traffic) const;

 private:
  struct Split {
    std::unordered_map<std::uint32_t, RuleColumns> Buckets;
    RuleColumns Open;
  };

  RuleColumns all_;
  Split bySource_;
  Split byDestination_;
};

}  // namespace kerbwise
