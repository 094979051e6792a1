#include "exact_results_source.h"

#include <QThreadPool>
#include <exception>
#include <memory>
#include <utility>

namespace kerbwise::ui {
namespace {

// Runs `job` on a thread of the application's pool, which waits there for
// the packet worker; an exception it throws becomes the answer `failed`
// makes of its text. The application waits for the pool before it ends, so
// no run outlives what it reads; runs dropped before they begin cost nothing.
template <typename T, typename Job, typename Failed>
PendingRun<T> RunAside(Job job, Failed failed) {
  auto promise = std::make_shared<std::promise<T>>();
  PendingRun<T> run{promise->get_future()};
  QThreadPool::globalInstance()->start(
      [promise, dropped = run.Dropped, job = std::move(job), failed] {
        try {
          promise->set_value(dropped->load() ? T{} : job());
        } catch (const std::exception& error) {
          promise->set_value(failed(error.what()));
        }
      });
  return run;
}

}  // namespace

PendingRun<ExactResults> StartExactResults(std::vector<std::string> listLines,
                                           const CheckOptions& options) {
  return RunAside<ExactResults>(
      [lines = std::move(listLines), options] {
        return ExactResults{FindShadowed(lines, options), FindRemovable(lines, options)};
      },
      [](const std::string& error) {
        ExactResults failed;
        failed.Shadowed.Error = error;
        return failed;
      });
}

PendingRun<ListDiff> StartListDiff(std::vector<std::string> oldLines,
                                   std::vector<std::string> newLines, const CheckOptions& options) {
  return RunAside<ListDiff>([oldLines = std::move(oldLines), newLines = std::move(newLines),
                             options] { return DiffLists(oldLines, newLines, options); },
                            [](const std::string& error) {
                              ListDiff failed;
                              failed.Same = false;
                              failed.Error = error;
                              return failed;
                            });
}

}  // namespace kerbwise::ui
