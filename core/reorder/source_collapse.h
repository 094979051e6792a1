#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "intake/normalize_acl.h"

namespace kerbwise {

// The source entries collapsing reads. A source pane that holds the chosen
// list alone is taken as it is. One that holds the whole paste (other lists,
// object-group definitions) would let another list's entry of the same number
// stand for an entry of this one: the entries of list `listName` are taken
// from it instead, numbered as normalisation numbered them. `progress`
// hears the share of the source read.
std::vector<std::string> CollapseSourceOf(const LineList& sourceLines, const std::string& listName,
                                          Numbering numberedAs,
                                          const ProgressCallback& progress = {});

// One line of the source pane: its sequence number and the entry from its
// action keyword on. A line without a readable whole number in front of its
// first 'd', 'p' or 'r' (either case) has no number and is never matched.
struct SourceEntry {
  std::optional<std::int32_t> Number;
  std::string Text;
};

SourceEntry ReadSourceEntry(std::string_view line);

// One line of the sorted output. A derived line ("030 permit ...") carries
// the number of its source entry (30).
struct SortedEntry {
  enum class Kind : std::uint8_t {
    Separator,   // an empty line between groups
    Numbered,    // a line whose sequence number was read
    Unreadable,  // a line whose number cannot be read; kept as it is
  };
  Kind Type = Kind::Separator;
  std::int32_t Number = 0;
  // How close the line lies to the other lines with its number: the sum over
  // those lines of the line count minus the distance. 0 for a lone line.
  std::uint64_t Score = 0;
  // The best score of the line's group; 0 for a lone line. The group's
  // representative is the line whose Score exceeds its GroupScore.
  std::uint64_t GroupScore = 0;
};

SortedEntry ReadSortedEntry(std::string_view line);

// Reads the sorted lines and fills in the scores. The scores of a group are
// computed from the positions of its lines with prefix sums, so the work is
// linear in the group's size. The representative of a group is its line of
// highest score, the earliest on ties; it gets Score = GroupScore + 1.
std::vector<SortedEntry> ScoreSortedLines(const LineList& sortedLines);

// Puts each source entry back, once, in the place of the best-placed line
// derived from it: lone lines and representatives become "N text" (or the
// text alone without numbers), other members of a group disappear, a number
// with no source entry becomes "ACE N not found", a line whose number cannot
// be read stays as it is, and runs of separators shrink to one empty line
// (none at the top). When `placement` is given, it receives for each sorted
// line the 1-based position, among the output lines that are not empty, of
// the line that stands for it; 0 for a separator.
std::vector<std::string> CollapseToSource(const LineList& sortedLines,
                                          const std::vector<std::string>& sourceLines,
                                          bool withNumbers,
                                          std::vector<std::size_t>* placement = nullptr);

}  // namespace kerbwise
