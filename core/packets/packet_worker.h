#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <exception>
#include <functional>
#include <future>
#include <memory>
#include <mutex>
#include <thread>
#include <type_traits>

namespace kerbwise {

// The one thread on which the diagram library lives. Jobs run one after
// another; each may build PacketSets, which must not outlive it (no set of an
// earlier job is left when a job starts). A job that grows the store past MaxNodes ends
// with PacketSetTooLarge in its future; any exception a job throws reaches
// its future. Callers may wait on the future from any thread but the
// worker's own.
class PacketWorker {
 public:
  // About 20 bytes a node and a cache entry for every eighth node in each of
  // the library's six operation caches: 8M nodes stay near 300 MB, under a
  // gigabyte even while the table is reallocated.
  static constexpr std::size_t kDefaultMaxNodes = std::size_t{1} << 23;

  // The process's worker, started on first use. The diagram library allows
  // one instance per process, so there is no other.
  static PacketWorker& Shared();

  // Takes effect from the next job.
  void SetMaxNodes(std::size_t nodes);
  std::size_t MaxNodes() const;

  template <class Job>
  auto Run(Job job) -> std::future<std::invoke_result_t<Job&>> {
    using Result = std::invoke_result_t<Job&>;
    auto task = std::make_shared<std::packaged_task<Result()>>(std::move(job));
    std::future<Result> result = task->get_future();
    Post([task] { (*task)(); });
    return result;
  }

  PacketWorker(const PacketWorker&) = delete;
  PacketWorker& operator=(const PacketWorker&) = delete;
  ~PacketWorker();

 private:
  PacketWorker();
  void Post(std::function<void()> job);
  void Loop();

  mutable std::mutex mutex_;
  std::condition_variable wake_;
  std::deque<std::function<void()>> jobs_;
  std::size_t maxNodes_ = kDefaultMaxNodes;
  bool stopping_ = false;
  std::thread thread_;
};

}  // namespace kerbwise
