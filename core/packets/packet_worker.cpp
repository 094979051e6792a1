#include "packets/packet_worker.h"

#include <algorithm>
#include <climits>
#include <string>

#include "packets/buddy.h"
#include "packets/packet_set.h"
#include "packets/packet_store.h"

namespace kerbwise {

namespace {

// Set by the library's error hook, read after each operation. Only the
// worker's thread touches the library.
int lastError = 0;
bool failed = false;  // an error was signalled since the store was opened

void RecordError(int code) {
  if (lastError == 0) lastError = code;
}

// A million nodes (about 20 MB) to start with: most jobs never grow it, and
// each growth costs a collection and a rehash of every node.
constexpr int kInitialNodes = 1 << 20;
constexpr int kCacheSize = 1 << 18;
// A table grown past this many nodes is given back after the job.
constexpr int kKeptNodes = 1 << 22;

}  // namespace

void OpenStore(std::size_t maxNodes) {
  lastError = 0;
  failed = false;
  const int cap = static_cast<int>(std::min<std::size_t>(maxNodes, INT_MAX / 2));
  bdd_init(std::min(kInitialNodes, std::max(cap, 1024)), kCacheSize);
  bdd_error_hook(RecordError);
  bdd_gbc_hook(nullptr);  // the default prints every collection
  bdd_setcacheratio(8);   // caches grow with the node table
  bdd_setmaxincrease(1 << 22);
  bdd_setvarnum(static_cast<int>(kPacketVariables));
  bdd_setmaxnodenum(std::max(cap, 1024));
  // An error here stays recorded and ends the job at its first operation.
}

void CloseStore() {
  bdd_done();
  lastError = 0;
}

bool StoreNeedsReset() { return failed || lastError != 0 || bdd_getallocnum() > kKeptNodes; }

void ThrowIfStoreFailed() {
  if (lastError == 0) return;
  const int code = lastError;
  lastError = 0;
  failed = true;
  if (code == BDD_NODENUM || code == BDD_MEMORY || code == BDD_NODES) {
    throw PacketSetTooLarge("the packet diagrams reached their size limit");
  }
  throw std::runtime_error(std::string("packet diagrams: ") + bdd_errstring(code));
}

PacketWorker& PacketWorker::Shared() {
  static PacketWorker worker;
  return worker;
}

PacketWorker::PacketWorker() : thread_([this] { Loop(); }) {}

PacketWorker::~PacketWorker() {
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
  }
  wake_.notify_one();
  thread_.join();
}

void PacketWorker::SetMaxNodes(std::size_t nodes) {
  const std::lock_guard<std::mutex> lock(mutex_);
  maxNodes_ = nodes;
}

std::size_t PacketWorker::MaxNodes() const {
  const std::lock_guard<std::mutex> lock(mutex_);
  return maxNodes_;
}

void PacketWorker::Post(std::function<void()> job) {
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    jobs_.push_back(std::move(job));
  }
  wake_.notify_one();
}

void PacketWorker::Loop() {
  bool open = false;
  std::size_t openCap = 0;
  for (;;) {
    std::function<void()> job;
    std::size_t maxNodes = 0;
    {
      std::unique_lock<std::mutex> lock(mutex_);
      wake_.wait(lock, [this] { return stopping_ || !jobs_.empty(); });
      if (jobs_.empty()) {
        if (open) CloseStore();
        return;
      }
      job = std::move(jobs_.front());
      jobs_.pop_front();
      maxNodes = maxNodes_;
    }
    // The store outlives a job, whose sets are all gone when it ends, so
    // that short jobs do not pay for a fresh table; it starts afresh after
    // an error, for a new cap, or to give back a grown table. The packaged
    // task keeps the job's exception for its future.
    if (open && maxNodes != openCap) {
      CloseStore();
      open = false;
    }
    if (!open) {
      OpenStore(maxNodes);
      open = true;
      openCap = maxNodes;
    }
    job();
    if (StoreNeedsReset()) {
      CloseStore();
      open = false;
    }
  }
}

}  // namespace kerbwise
