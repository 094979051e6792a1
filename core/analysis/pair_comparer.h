#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "check/check_for_match.h"
#include "rules/value_ranges.h"
#include "rules/check_options.h"

namespace kerbwise {

// The outcome of one comparison without its message: what the analysis needs
// for every pair. The message of an error is asked for separately, once.
struct PairOutcome {
  std::uint8_t Outcome = NoMatch;  // a MatchOutcome
  bool PortsIncomplete = false;
};

// Compares the lines of one list pairwise with the result CheckForMatch gives,
// but from records prepared once per line: protocols and option texts turned
// into small numbers, port and TTL conditions into ranges. A pair that could
// end in an error on a value (an address outside its mask, an unreadable port
// or TTL condition) is handed to CheckForMatch itself, so the order in which
// its steps report problems is kept. Const member functions may run on
// several threads at once.
class PairComparer {
 public:
  // `lines` are the recognised entries (numbers removed, blanks collapsed).
  // The options must have PartialAddresses off.
  PairComparer(std::vector<RecognisedLine> lines, const MatchSettings& settings,
               const CheckOptions& options);

  std::size_t size() const { return prepared_.size(); }

  // Line `rule` (0-based) as rule, line `subject` as subject.
  PairOutcome Compare(std::size_t rule, std::size_t subject) const;

  // The two tests the analysis makes for lines `earlier` < `later`: first
  // the later line as rule, then, only when that found no match and no error,
  // the earlier one. The second is NoMatch when it was not made.
  struct PairTests {
    PairOutcome first;
    PairOutcome second;
  };
  PairTests ComparePair(std::size_t earlier, std::size_t later) const;

  // The full result of the same comparison, message included.
  MatchResult Explain(std::size_t rule, std::size_t subject) const;

 private:
  enum class LineState : std::uint8_t { Rule, Remark, Unusable };

  // A stretch of ranges_: a condition's ranges without a pointer of its own,
  // so that the records of a long list stay small and close together.
  struct Ranges {
    std::uint32_t first = 0;
    std::uint32_t count = 0;
  };

  struct PreparedLine {
    LineState state = LineState::Unusable;
    bool permits = false;
    // A value of the line can end a comparison in an error.
    bool needsFullCheck = false;
    std::uint32_t protocol = 0;  // 0 for ip, otherwise an id of the protocol text
    std::uint8_t family = 0;     // see the constants in the source file
    std::uint32_t srcAddr = 0, srcMask = 0, dstAddr = 0, dstMask = 0;
    std::uint32_t precedence = 0;  // 0 when absent, otherwise an id of its text
    bool hasTtl = false;
    bool hasSrcPorts = false;
    bool hasDstPorts = false;
    bool established = false;
    std::uint32_t icmpMessage = 0;  // 0 when absent, otherwise an id of its text
    std::int32_t icmpValue = -1;
    Ranges ttl, srcPorts, dstPorts;
  };

  PairOutcome ComparePrepared(const PreparedLine& rule, const PreparedLine& subject) const;
  bool PortPairFits(bool ruleHas, Ranges rulePorts, bool subjectHas, Ranges subjectPorts,
                    bool& incomplete) const;
  // Whether every range of `inner` lies inside one range of `outer`.
  bool AllInside(Ranges inner, Ranges outer) const;
  bool Inside(const ValueRange& range, Ranges outer) const;
  bool ReadRanges(const std::string& text, std::uint16_t maxValue, Ranges& ranges);

  std::vector<RecognisedLine> lines_;
  std::vector<PreparedLine> prepared_;
  std::vector<ValueRange> ranges_;
  MatchSettings settings_;
  CheckOptions options_;
};

}  // namespace kerbwise
