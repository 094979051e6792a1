#include "analysis/pair_rows.h"

#include <condition_variable>
#include <mutex>
#include <system_error>
#include <thread>

namespace kerbwise {
namespace {

bool IsMatch(std::uint8_t outcome) { return outcome == MatchPermit || outcome == MatchDeny; }

// Rows computed ahead of the one being consumed, at most; bounds the memory
// the findings of a list full of relations can take.
constexpr std::size_t kRowsAhead = 64;

// Shares the rows out to worker threads and gives them back in order.
class RowPipeline {
 public:
  RowPipeline(const PairComparer& comparer, const PairIndex* index, std::size_t rows)
      : comparer_(comparer),
        index_(index),
        rows_(rows),
        slots_(kRowsAhead),
        ready_(kRowsAhead, false) {}

  void Work() {
    RowComparer rowComparer(comparer_, index_);
    for (;;) {
      std::size_t row;
      {
        std::unique_lock lock(mutex_);
        workCv_.wait(lock,
                     [&] { return stop_ || next_ >= rows_ || next_ < consumed_ + kRowsAhead; });
        if (stop_ || next_ >= rows_) return;
        row = next_++;
      }
      PairRow result = rowComparer.Row(row);
      const bool failed = result.Error.has_value();
      {
        std::lock_guard lock(mutex_);
        slots_[row % kRowsAhead] = std::move(result);
        ready_[row % kRowsAhead] = true;
        // Later rows no longer matter: this one ends the analysis, if no
        // earlier one does.
        if (failed && row < lastUseful_) lastUseful_ = row;
        if (next_ > lastUseful_) next_ = rows_;
      }
      doneCv_.notify_all();
    }
  }

  // The next row in order; blocks until it is computed.
  PairRow Take(std::size_t row) {
    PairRow result;
    {
      std::unique_lock lock(mutex_);
      doneCv_.wait(lock, [&] { return ready_[row % kRowsAhead]; });
      result = std::move(slots_[row % kRowsAhead]);
      ready_[row % kRowsAhead] = false;
      consumed_ = row + 1;
    }
    workCv_.notify_all();
    return result;
  }

  void Stop() {
    {
      std::lock_guard lock(mutex_);
      stop_ = true;
    }
    workCv_.notify_all();
  }

 private:
  const PairComparer& comparer_;
  const PairIndex* index_;
  const std::size_t rows_;
  std::mutex mutex_;
  std::condition_variable workCv_;
  std::condition_variable doneCv_;
  std::vector<PairRow> slots_;
  std::vector<bool> ready_;
  std::size_t next_ = 0;
  std::size_t consumed_ = 0;
  std::size_t lastUseful_ = static_cast<std::size_t>(-1);
  bool stop_ = false;
};

}  // namespace

RowComparer::RowComparer(const PairComparer& comparer, const PairIndex* index)
    : comparer_(comparer), index_(index), scratch_(index ? comparer.size() : 0) {}

bool RowComparer::Pair(std::size_t row, std::size_t later, PairRow& result) const {
  const PairComparer::PairTests tests = comparer_.ComparePair(row, later);
  if (IsMatch(tests.first.Outcome)) {
    result.Findings.push_back({later, true, tests.first.PortsIncomplete});
  } else if (tests.first.Outcome == MatchError) {
    result.Error = PairError{later, row};
  } else if (IsMatch(tests.second.Outcome)) {
    result.Findings.push_back({later, false, tests.second.PortsIncomplete});
  } else if (tests.second.Outcome == MatchError) {
    result.Error = PairError{row, later};
  }
  return !result.Error;
}

PairRow RowComparer::Row(std::size_t row) {
  PairRow result;
  if (index_ && index_->Later(row, scratch_, later_)) {
    for (const std::uint32_t later : later_) {
      if (!Pair(row, later, result)) break;
    }
    return result;
  }
  for (std::size_t later = row + 1; later < comparer_.size(); ++later) {
    if (!Pair(row, later, result)) break;
  }
  return result;
}

void ForEachRow(const PairComparer& comparer, const PairIndex* index, unsigned threads,
                const std::function<bool(std::size_t row, PairRow& result)>& consume) {
  const std::size_t rows = comparer.size() < 2 ? 0 : comparer.size() - 1;
  auto sequential = [&] {
    RowComparer rowComparer(comparer, index);
    for (std::size_t row = 0; row < rows; ++row) {
      PairRow result = rowComparer.Row(row);
      const bool failed = result.Error.has_value();
      if (!consume(row, result) || failed) return;
    }
  };
  if (threads <= 1 || rows < 2) return sequential();

  RowPipeline pipeline(comparer, index, rows);
  std::vector<std::jthread> workers;
  workers.reserve(threads);
  try {
    for (unsigned k = 0; k < threads; ++k) workers.emplace_back([&pipeline] { pipeline.Work(); });
  } catch (const std::system_error&) {
    // Fewer threads than asked for still do the work; none at all leaves it
    // to this one.
    if (workers.empty()) return sequential();
  }
  // Stops the workers before they are joined, also when `consume` throws.
  struct StopOnExit {
    RowPipeline& pipeline;
    ~StopOnExit() { pipeline.Stop(); }
  } stopOnExit{pipeline};
  for (std::size_t row = 0; row < rows; ++row) {
    PairRow result = pipeline.Take(row);
    const bool failed = result.Error.has_value();
    if (!consume(row, result) || failed) break;
  }
}

}  // namespace kerbwise
