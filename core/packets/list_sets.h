#pragma once

#include <cstddef>
#include <exception>
#include <future>
#include <optional>
#include <string>
#include <vector>

#include "packets/meeting_index.h"
#include "packets/packet_set.h"
#include "packets/packet_worker.h"
#include "rules/check_options.h"
#include "rules/compiled_entry.h"

// What the analyses over sets of packets share: the list read and compiled,
// the index of meeting entries, and the entries' sets, made once each.
// Internal to the packets library.
namespace kerbwise {

// The list read on the caller's thread: every line compiled, the first
// problem that keeps it from being read exactly named as the analysis names
// it ("Line: ...").
struct ReadList {
  std::vector<std::string> Lines;
  CompiledEntries Entries;  // one per line
  std::vector<bool> Rule;   // per line: a permit or deny entry
  std::optional<std::string> Error;
};

ReadList ReadForSets(const std::vector<std::string>& listLines, const CheckOptions& options);

// The sets of the entries of a read list, made when first asked for. Lives
// inside one PacketWorker job.
class ListSets {
 public:
  explicit ListSets(const ReadList& list);

  const ReadList& List() const { return list_; }
  bool Permits(std::size_t k) const { return list_.Entries[k].Permits; }
  const PacketSet& Of(std::size_t k);
  // The rule entries whose packets can meet entry k's, ascending.
  std::vector<std::size_t> Meeting(std::size_t k) const { return index_.Meeting(k); }

  // A few packets of `set` spread over it, for quick answers before any
  // diagram is combined: the lowest corner and some picked at random.
  static std::vector<Packet> Witnesses(const PacketSet& set);

  // The first of `entries` (ascending, skipping `skip`) whose set holds the
  // packet; nullopt when none does.
  std::optional<std::size_t> FirstHolding(const std::vector<std::size_t>& entries,
                                          const Packet& packet,
                                          const std::vector<bool>* skip = nullptr);

 private:
  const ReadList& list_;
  MeetingIndex index_;
  std::vector<std::optional<PacketSet>> sets_;
};

// The text of an error that ended a job, in the run's language.
std::string JobErrorText(const std::exception& error, const CheckOptions& options);

// Reads the list, runs `job(ListSets&)` on the shared worker and waits for
// it; a list that cannot be read, or a job that fails, gives a Report with
// only its Error set.
template <class Report, class Job>
inline Report RunOnList(const std::vector<std::string>& listLines, const CheckOptions& options,
                        Job job) {
  Report report;
  const ReadList list = ReadForSets(listLines, options);
  if (list.Error) {
    report.Error = list.Error;
    return report;
  }
  std::future<Report> done = PacketWorker::Shared().Run([&list, &options, &job] {
    try {
      ListSets sets(list);
      return job(sets);
    } catch (const std::exception& error) {
      Report failed;
      failed.Error = JobErrorText(error, options);
      return failed;
    }
  });
  return done.get();
}

}  // namespace kerbwise
