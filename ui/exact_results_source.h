#pragma once

#include <atomic>
#include <future>
#include <memory>
#include <string>
#include <vector>

#include "packets/list_diff.h"
#include "packets/removable.h"
#include "packets/shadowed.h"
#include "rules/check_options.h"

// The desktop's one door to the packet-set engine. The engine's runs wait on
// its worker thread; these start them from a thread of their own and hand
// back a future that the windows poll, so no window ever waits on a run.
// The futures never hold an exception: a run that throws reports it as its
// Error.
namespace kerbwise::ui {

// A run's answer to come, and the flag that drops the run if it has not
// begun yet (one under way goes on to its end; its answer is then unread).
template <typename T>
struct PendingRun {
  std::future<T> Answer;
  std::shared_ptr<std::atomic<bool>> Dropped = std::make_shared<std::atomic<bool>>(false);

  void Drop() const { Dropped->store(true); }
};

// What the analysis window's exact section shows for one list.
struct ExactResults {
  ShadowReport Shadowed;
  RemovableReport Removable;
};

// The entries no packet reaches and the entries that can go, for the list
// pane's lines `listLines`.
PendingRun<ExactResults> StartExactResults(std::vector<std::string> listLines,
                                           const CheckOptions& options);

// What `newLines` does differently from `oldLines` (both normalised lists).
PendingRun<ListDiff> StartListDiff(std::vector<std::string> oldLines,
                                   std::vector<std::string> newLines, const CheckOptions& options);

}  // namespace kerbwise::ui
