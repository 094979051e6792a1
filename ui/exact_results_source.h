#pragma once

#include <future>
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

// What the analysis window's exact section shows for one list.
struct ExactResults {
  ShadowReport Shadowed;
  RemovableReport Removable;
};

// The entries no packet reaches and the entries that can go, for the list
// pane's lines `listLines`.
std::future<ExactResults> StartExactResults(std::vector<std::string> listLines,
                                            const CheckOptions& options);

// What `newLines` does differently from `oldLines` (both normalised lists).
std::future<ListDiff> StartListDiff(std::vector<std::string> oldLines,
                                    std::vector<std::string> newLines, const CheckOptions& options);

}  // namespace kerbwise::ui
