#include "analysis/group_set.h"

#include <algorithm>

namespace kerbwise {
namespace {

// The first run that ends at or after `group`.
template <typename Runs>
auto RunFrom(Runs& runs, std::uint32_t group) {
  return std::lower_bound(runs.begin(), runs.end(), group,
                          [](const GroupSet::Run& run, std::uint32_t g) { return run.Last < g; });
}

}  // namespace

GroupSet::Iterator& GroupSet::Iterator::operator++() {
  if (value_ != run_->Last) {
    ++value_;
    return *this;
  }
  ++run_;
  value_ = run_ != end_ ? run_->First : 0;
  return *this;
}

GroupSet::GroupSet(std::initializer_list<std::uint32_t> groups) {
  for (const std::uint32_t group : groups) Add(group);
}

std::size_t GroupSet::Count() const {
  std::size_t count = 0;
  for (const Run& run : runs_) count += std::size_t{run.Last} - run.First + 1;
  return count;
}

bool GroupSet::Contains(std::uint32_t group) const {
  const auto at = RunFrom(runs_, group);
  return at != runs_.end() && at->First <= group;
}

void GroupSet::Add(std::uint32_t group) {
  // Groups are mostly formed, and joined, in ascending order.
  if (runs_.empty() || runs_.back().Last + 1 < group) {
    runs_.push_back({group, group});
    return;
  }
  if (runs_.back().Last + 1 == group) {
    runs_.back().Last = group;
    return;
  }
  const auto at = RunFrom(runs_, group);
  if (at->First <= group) return;
  const bool joinsPrevious = at != runs_.begin() && std::prev(at)->Last + 1 == group;
  if (at->First == group + 1) {
    at->First = group;
    if (joinsPrevious) {
      std::prev(at)->Last = at->Last;
      runs_.erase(at);
    }
  } else if (joinsPrevious) {
    std::prev(at)->Last = group;
  } else {
    runs_.insert(at, {group, group});
  }
}

void GroupSet::Remove(std::uint32_t group) {
  const auto at = RunFrom(runs_, group);
  if (at == runs_.end() || at->First > group) return;
  if (at->First == at->Last) {
    runs_.erase(at);
  } else if (at->First == group) {
    ++at->First;
  } else if (at->Last == group) {
    --at->Last;
  } else {
    const Run upper{group + 1, at->Last};
    at->Last = group - 1;
    runs_.insert(std::next(at), upper);
  }
}

bool GroupSet::SharesAnyWith(const GroupSet& other) const {
  auto a = runs_.begin();
  auto b = other.runs_.begin();
  while (a != runs_.end() && b != other.runs_.end()) {
    if (a->First <= b->Last && b->First <= a->Last) return true;
    if (a->Last < b->Last) {
      ++a;
    } else {
      ++b;
    }
  }
  return false;
}

void GroupSet::RemoveAndCloseGap(std::uint32_t group) {
  Remove(group);
  std::vector<Run> closed;
  closed.reserve(runs_.size());
  for (Run run : runs_) {
    if (run.First > group) {
      --run.First;
      --run.Last;
    }
    // The runs on either side of the gap may now touch.
    if (!closed.empty() && closed.back().Last + 1 == run.First) {
      closed.back().Last = run.Last;
    } else {
      closed.push_back(run);
    }
  }
  runs_ = std::move(closed);
}

}  // namespace kerbwise
