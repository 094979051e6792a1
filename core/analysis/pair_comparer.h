#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "check/check_for_match.h"
#include "rules/check_options.h"
#include "rules/compiled_entry.h"

namespace kerbwise {

// The outcome of one comparison without its message: what the analysis needs
// for every pair. The message of an error is asked for separately, once.
struct PairOutcome {
  std::uint8_t Outcome = NoMatch;  // a MatchOutcome
  bool PortsIncomplete = false;
};

// Compares the lines of one list pairwise with the result CheckForMatch gives,
// from entries compiled once per line; only a message is asked of
// CheckForMatch itself. Const member functions may run on several threads at
// once.
class PairComparer {
 public:
  // `lines` are the recognised entries (numbers removed, blanks collapsed).
  // The options must have PartialAddresses off. `eachLine`, when given, is
  // called as each line is compiled (a long list takes a while).
  PairComparer(std::vector<RecognisedLine> lines, const MatchSettings& settings,
               const CheckOptions& options, const std::function<void()>& eachLine = {});

  std::size_t size() const { return entries_.size(); }
  const CompiledEntries& Entries() const { return entries_; }

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
  PairOutcome CompareRules(const CompiledEntry& rule, const CompiledEntry& subject) const;
  PairOutcome CompareCleanInside(const CompiledEntry& rule, const CompiledEntry& subject) const;
  static PairOutcome Outcome(const CompiledEntry& rule, const Cover& cover);

  std::vector<RecognisedLine> lines_;
  CompiledEntries entries_;
  CoverQuery query_;
  MatchSettings settings_;
  CheckOptions options_;
};

}  // namespace kerbwise
