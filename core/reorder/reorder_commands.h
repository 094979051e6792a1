#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "intake/found_lists.h"
#include "rules/line_list.h"

namespace kerbwise {

// Which lines of a new order must be deleted and entered again so that the
// others can keep their place. All counters are wide enough for any list.
struct ReorderPlan {
  std::vector<std::uint32_t> SeqNo;      // each line's current sequence number
  std::vector<std::size_t> LowerBefore;  // earlier lines with a smaller number
  std::vector<bool> Moved;               // deleted and entered again
  std::size_t MaxRun = 0;                // longest run of consecutive moved lines
};

// Chooses the lines that stay, from the highest number down: a candidate (the
// highest number not yet decided below the last line kept, the earliest on
// ties) is moved when a later line not moved has a smaller number and at
// least as many smaller numbers before it; otherwise it stays and every later
// line with a smaller number is moved. Runs in O(n log n).
ReorderPlan PlanReorder(const std::vector<std::uint32_t>& seqNo);

// Why commands were or were not produced.
enum class CommandOutcome : std::uint8_t {
  Produced,         // the command text is ready (Message may say the name is missing)
  Problems,         // the list holds lines that are not rules
  Unnumbered,       // lines without a sequence number, such as "ACE N not found"
  SharedNumbers,    // several lines carry the same sequence number
  Unchanged,        // no line has to move
  NumbersTooLarge,  // the commands would need sequence numbers a router refuses
};

struct ReorderCommands {
  CommandOutcome Outcome = CommandOutcome::Unchanged;
  std::vector<std::string> Commands;    // one command a line; empty unless Produced
  bool NameMissing = false;             // Produced for the list "*****"
  std::vector<std::string> Unnumbered;  // the lines without a number (Unnumbered)
  // SharedNumbers: the smallest number several lines carry; NumbersTooLarge:
  // the largest number the commands would need.
  std::uint64_t Number = 0;
};

// The largest sequence number a router takes.
inline constexpr std::uint32_t kMaxSequenceNumber = 2'147'483'647;

// The device commands that give the list the order of `lines` (the sort's
// main output with numbers shown and no group separators): delete the moved
// lines, resequence the rest with room between them, enter the moved lines
// in the gaps, and resequence to 10, 10. Nothing is produced while there are
// problem lines (`problemCount`), while a line has no sequence number or
// shares its number with another line, or when no line moves. An empty
// `aclName` gives the name "*****" (NameMissing). The list is entered as
// `kind` says: "ip access-list standard NAME" or "ip access-list extended NAME".
//
// Remarks are lines like any other: each moves with its own number. A remark
// that carries the number of the line after it (as running configurations
// write them) moves with that line as one: one "no", and both entered again
// under the one new number.
//
// No command carries a number above kMaxSequenceNumber. The room left before
// and between the staying lines is the longest run of moved lines, plus one;
// when that numbering would go past the largest number, the room shrinks to
// what the runs around each staying line need (the first resequence then has
// a start apart from its step), and when even that does not fit, nothing is
// produced (NumbersTooLarge). The final resequence keeps 10 10 unless ten
// times the line count is past the largest number; it then takes the largest
// step that still fits, so the list ends evenly numbered all the same.
ReorderCommands GenerateReorderCommands(const LineList& lines, std::size_t problemCount,
                                        std::string_view aclName,
                                        ListKind kind = ListKind::Extended);

}  // namespace kerbwise
