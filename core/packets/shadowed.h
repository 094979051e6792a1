#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "rules/check_options.h"
#include "run/run_hooks.h"

namespace kerbwise {

enum class Reach : std::uint8_t {
  Reachable,       // some packet is decided by this entry
  Shadowed,        // every packet it matches is taken by earlier entries
  MatchesNothing,  // no packet matches it at all
};

// One rule entry of the list. Indexes are 0-based positions in the list
// lines as given (remarks and all), so that a front end can point at them.
struct ShadowRow {
  std::size_t Index = 0;
  Reach State = Reach::Reachable;
  // Shadowed: a small set of earlier entries that together take every packet
  // of this one, the largest overlap with it first (not in list order); when
  // an earlier entry of the opposite action decides some of its packets, one
  // is among them.
  std::vector<std::size_t> CoveredBy{};
  // Shadowed: some packet of this entry is decided by the earlier entries
  // with the opposite action, so the list does not do what the entry says.
  bool Conflict = false;
};

struct ShadowReport {
  std::vector<ShadowRow> Rows;  // one per rule entry, in list order
  // The first problem that ended the run ("Line: ..." as the analysis says
  // it, or the diagram size cap); Rows are empty then.
  std::optional<std::string> Error;
};

// Which entries of the normalised list (lines as the list pane holds them,
// each with its entry number) no packet reaches. Reads MaskType and
// TextLanguage; matching is the full match, whatever the partial options
// say. Runs on the PacketWorker and waits for it, so a front end calls it
// off its event thread; `progress` (0-100) is called on the worker's thread.
ShadowReport FindShadowed(const std::vector<std::string>& listLines, const CheckOptions& options,
                          const ProgressCallback& progress = {});

}  // namespace kerbwise
