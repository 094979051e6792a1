#include "reorder/reorder_commands.h"

#include <algorithm>
#include <cctype>
#include <limits>
#include <numeric>
#include <optional>

#include "rules/list_entry.h"

namespace kerbwise {
namespace {

constexpr std::string_view kNoName = "*****";

// Counts, for each line, the earlier lines with a smaller number, with a
// Fenwick tree over the ranks of the numbers.
std::vector<std::size_t> CountLowerBefore(const std::vector<std::uint32_t>& seqNo) {
  std::vector<std::uint32_t> values = seqNo;
  std::sort(values.begin(), values.end());
  values.erase(std::unique(values.begin(), values.end()), values.end());
  std::vector<std::size_t> tree(values.size() + 1, 0);
  std::vector<std::size_t> lowerBefore(seqNo.size(), 0);
  for (std::size_t j = 0; j < seqNo.size(); ++j) {
    // Values below seqNo[j] have the ranks 1..rank, 1-based.
    const std::size_t rank = static_cast<std::size_t>(
        std::lower_bound(values.begin(), values.end(), seqNo[j]) - values.begin());
    std::size_t count = 0;
    for (std::size_t i = rank; i > 0; i &= i - 1) count += tree[i];
    lowerBefore[j] = count;
    for (std::size_t i = rank + 1; i < tree.size(); i += i & (~i + 1)) ++tree[i];
  }
  return lowerBefore;
}

// Range maximum over line positions of the LowerBefore of the lines still
// taking part; a line that left counts as absent.
class MaxTree {
 public:
  explicit MaxTree(const std::vector<std::size_t>& values)
      : size_(values.size()), nodes_(2 * values.size(), kAbsent) {
    for (std::size_t i = 0; i < size_; ++i)
      nodes_[size_ + i] = static_cast<std::int64_t>(values[i]);
    for (std::size_t i = size_; i-- > 1;) nodes_[i] = std::max(nodes_[2 * i], nodes_[2 * i + 1]);
  }

  void Remove(std::size_t position) {
    std::size_t i = position + size_;
    nodes_[i] = kAbsent;
    for (i /= 2; i >= 1; i /= 2) nodes_[i] = std::max(nodes_[2 * i], nodes_[2 * i + 1]);
  }

  // The maximum over the positions [from, to); kAbsent when none takes part.
  std::int64_t Max(std::size_t from, std::size_t to) const {
    std::int64_t best = kAbsent;
    for (std::size_t lo = from + size_, hi = to + size_; lo < hi; lo /= 2, hi /= 2) {
      if (lo & 1) best = std::max(best, nodes_[lo++]);
      if (hi & 1) best = std::max(best, nodes_[--hi]);
    }
    return best;
  }

  static constexpr std::int64_t kAbsent = -1;

 private:
  std::size_t size_;
  std::vector<std::int64_t> nodes_;
};

std::string_view TrimLeadingBlanks(std::string_view line) {
  const std::size_t first = line.find_first_not_of(' ');
  return first == std::string_view::npos ? std::string_view() : line.substr(first);
}

// The sequence number in front of a line.
std::optional<std::uint32_t> ReadSeqNo(std::string_view line) {
  const std::optional<std::int32_t> value = SplitListLine(line).Number;
  if (!value) return std::nullopt;
  return static_cast<std::uint32_t>(*value);
}

bool IsRemark(std::string_view line) {
  const std::string_view entry = SplitListLine(line).Entry;
  constexpr std::string_view kRemark = "remark";
  if (entry.size() < kRemark.size()) return false;
  for (std::size_t i = 0; i < kRemark.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(entry[i])) != kRemark[i]) return false;
  }
  return entry.size() == kRemark.size() || entry[kRemark.size()] == ' ';
}

// The lines that move as one: an entry with the remarks above it that carry
// its own number, as running configurations write them. Each unit is the
// index of its first line; it ends where the next begins.
std::vector<std::size_t> UnitStarts(const LineList& lines,
                                    const std::vector<std::uint32_t>& seqNo) {
  std::vector<std::size_t> starts;
  for (std::size_t j = 0; j < lines.size(); ++j) {
    const bool joinsPrevious = j > 0 && seqNo[j - 1] == seqNo[j] && IsRemark(lines[j - 1]);
    if (!joinsPrevious) starts.push_back(j);
  }
  return starts;
}

// Where the moved lines stand around the staying ones, in the new order.
struct RunShape {
  std::uint64_t Staying = 0;   // lines that keep their place
  std::uint64_t Leading = 0;   // moved lines before the first staying line; all when none stays
  std::uint64_t Inner = 0;     // the longest run of moved lines between two staying lines
  std::uint64_t Trailing = 0;  // moved lines after the last staying line
};

RunShape ShapeOf(const std::vector<bool>& moved) {
  RunShape shape;
  std::uint64_t run = 0;
  for (const bool isMoved : moved) {
    if (isMoved) {
      ++run;
      continue;
    }
    if (shape.Staying == 0) {
      shape.Leading = run;
    } else {
      shape.Inner = std::max(shape.Inner, run);
    }
    ++shape.Staying;
    run = 0;
  }
  if (shape.Staying == 0) {
    shape.Leading = run;
  } else {
    shape.Trailing = run;
  }
  return shape;
}

// The resequence that makes room for the moved lines: the first staying line
// gets Start, each later one Step more. A moved line goes to the R-th free
// number before the first staying line, or after the U-th one.
struct Room {
  std::uint64_t Start;
  std::uint64_t Step;

  std::uint64_t NumberOf(std::uint64_t stayingBefore, std::uint64_t place) const {
    return stayingBefore == 0 ? place : Start + (stayingBefore - 1) * Step + place;
  }
};

// The largest number the commands carry with `room`: the resequence's own
// two, the last staying line's and those of the moved lines after it. The
// moved lines before the first staying line stay below Start.
std::uint64_t LargestNumber(const RunShape& shape, const Room& room) {
  std::uint64_t largest = std::max(room.Start, room.Step);
  if (shape.Staying > 0) largest = std::max(largest, room.NumberOf(shape.Staying, shape.Trailing));
  return largest;
}

ReorderCommands Refuse(CommandOutcome outcome, std::uint64_t number = 0) {
  ReorderCommands result;
  result.Outcome = outcome;
  result.Number = number;
  return result;
}

}  // namespace

ReorderPlan PlanReorder(const std::vector<std::uint32_t>& seqNo) {
  const std::size_t n = seqNo.size();
  ReorderPlan plan;
  plan.SeqNo = seqNo;
  plan.LowerBefore = CountLowerBefore(seqNo);
  plan.Moved.assign(n, false);

  // Candidates come in this order: highest number first, earliest on ties.
  std::vector<std::size_t> order(n);
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::stable_sort(order.begin(), order.end(),
                   [&](std::size_t a, std::size_t b) { return seqNo[a] > seqNo[b]; });

  // The lines a candidate is measured against are the later ones with a
  // smaller number before the last line kept: none of those has been
  // decided yet, and every later line with a smaller number past the last
  // line kept was moved when that line was kept. The tree holds the lines
  // whose number is below the current candidate's.
  MaxTree tree(plan.LowerBefore);
  std::size_t removed = 0;
  std::vector<bool> stays(n, false);
  std::size_t lastStay = n;  // position of the last line kept; n while none
  for (const std::size_t candidate : order) {
    const bool belowLast = lastStay == n || seqNo[candidate] < seqNo[lastStay];
    if (!belowLast || candidate > lastStay) continue;  // not a candidate, or already moved
    while (removed < n && seqNo[order[removed]] >= seqNo[candidate]) tree.Remove(order[removed++]);
    const std::int64_t rival = tree.Max(candidate + 1, lastStay);
    if (rival != MaxTree::kAbsent &&
        rival >= static_cast<std::int64_t>(plan.LowerBefore[candidate])) {
      plan.Moved[candidate] = true;
    } else {
      stays[candidate] = true;
      lastStay = candidate;
    }
  }

  // Every line after a kept line with a number below it was moved then.
  std::optional<std::uint32_t> highestKept;
  std::size_t run = 0;
  for (std::size_t k = 0; k < n; ++k) {
    if (!stays[k] && highestKept && *highestKept > seqNo[k]) plan.Moved[k] = true;
    if (stays[k]) highestKept = std::max(highestKept.value_or(0), seqNo[k]);
    run = plan.Moved[k] ? run + 1 : 0;
    plan.MaxRun = std::max(plan.MaxRun, run);
  }
  return plan;
}

ReorderCommands GenerateReorderCommands(const LineList& lines, std::size_t problemCount,
                                        std::string_view aclName, ListKind kind) {
  if (problemCount > 0) return Refuse(CommandOutcome::Problems);

  std::vector<std::uint32_t> seqNo;
  seqNo.reserve(lines.size());
  std::vector<std::string> unnumbered;
  for (const std::string_view line : lines) {
    const std::optional<std::uint32_t> number = ReadSeqNo(line);
    if (number) {
      seqNo.push_back(*number);
    } else {
      unnumbered.emplace_back(line);
    }
  }
  if (!unnumbered.empty()) {
    ReorderCommands result = Refuse(CommandOutcome::Unnumbered);
    result.Unnumbered = std::move(unnumbered);
    return result;
  }

  // Plans and numbers go by unit; a unit's number is its entry's.
  const std::vector<std::size_t> starts = UnitStarts(lines, seqNo);
  std::vector<std::uint32_t> unitNo;
  unitNo.reserve(starts.size());
  for (std::size_t u = 0; u < starts.size(); ++u) {
    const std::size_t end = u + 1 < starts.size() ? starts[u + 1] : lines.size();
    unitNo.push_back(seqNo[end - 1]);
  }

  std::vector<std::uint32_t> sorted = unitNo;
  std::sort(sorted.begin(), sorted.end());
  if (const auto shared = std::adjacent_find(sorted.begin(), sorted.end());
      shared != sorted.end()) {
    return Refuse(CommandOutcome::SharedNumbers, *shared);
  }

  const ReorderPlan plan = PlanReorder(unitNo);
  if (plan.MaxRun == 0) {
    return Refuse(CommandOutcome::Unchanged);
  }

  // Room for the longest run before every staying line alike; when that
  // reaches past the largest number, only as much as the runs need.
  const RunShape shape = ShapeOf(plan.Moved);
  const std::uint64_t evenRoom = static_cast<std::uint64_t>(plan.MaxRun) + 1;
  Room room{evenRoom, evenRoom};
  if (LargestNumber(shape, room) > kMaxSequenceNumber) room = {shape.Leading + 1, shape.Inner + 1};
  if (const std::uint64_t largest = LargestNumber(shape, room); largest > kMaxSequenceNumber) {
    return Refuse(CommandOutcome::NumbersTooLarge, largest);
  }
  // Every unit had its own number up to the largest, so the step is at least 1.
  const std::uint64_t finalStep = std::min<std::uint64_t>(10, kMaxSequenceNumber / unitNo.size());

  ReorderCommands result;
  result.Outcome = CommandOutcome::Produced;
  std::string name(aclName);
  if (name.empty()) {
    result.NameMissing = true;
    name = kNoName;
  }
  const std::string header = "ip access-list " + std::string(ConfigKindWord(kind)) + ' ' + name;
  std::vector<std::string>& out = result.Commands;
  out.push_back(header);
  for (std::size_t u = 0; u < unitNo.size(); ++u) {
    if (plan.Moved[u]) out.push_back("no " + std::to_string(unitNo[u]));
  }
  out.emplace_back();
  out.push_back("ip access-list resequence " + name + ' ' + std::to_string(room.Start) + ' ' +
                std::to_string(room.Step));
  out.emplace_back();
  out.push_back(header);
  std::uint64_t staying = 0;
  std::uint64_t place = 0;  // within the current run of moved units
  for (std::size_t u = 0; u < unitNo.size(); ++u) {
    if (!plan.Moved[u]) {
      ++staying;
      place = 0;
      continue;
    }
    ++place;
    const std::string number = std::to_string(room.NumberOf(staying, place));
    const std::size_t end = u + 1 < starts.size() ? starts[u + 1] : lines.size();
    for (std::size_t j = starts[u]; j < end; ++j) {
      const std::string_view entry = TrimLeadingBlanks(lines[j]);
      const std::size_t blank = entry.find(' ');
      const std::string_view tail = blank == std::string_view::npos ? "" : entry.substr(blank);
      out.push_back(number + std::string(tail));
    }
  }
  out.emplace_back();
  const std::string step = std::to_string(finalStep);
  out.push_back("ip access-list resequence " + name + ' ' + step + ' ' + step);
  return result;
}

}  // namespace kerbwise
