#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "rules/check_options.h"
#include "run/run_hooks.h"

namespace kerbwise {

struct RemovableReport {
  // 0-based positions in the list lines of the entries that can go together:
  // the list without all of them does the same to every packet. A closing
  // `deny ip any any` is never among them; of identical entries one stays;
  // an entry made from an object-group line (numbered with a leading "0") is
  // never among them, since it cannot be deleted alone.
  std::vector<std::size_t> Indexes;
  // The "no " commands that delete them on the router, one per entry, as
  // the analysis report copies them.
  std::vector<std::string> Commands;
  // Some entry made from an object-group line could have gone too (the
  // front end shows the notice the analysis report shows).
  bool ZeroNumberedSkipped = false;
  std::optional<std::string> Error;  // as ShadowReport's; the rest empty then
};

// The entries of the normalised list that can be removed without changing
// what the list does: shadowed entries, and entries a later entry of the
// same action takes over with nothing between deciding otherwise. Inputs,
// threads and progress as FindShadowed.
RemovableReport FindRemovable(const std::vector<std::string>& listLines,
                              const CheckOptions& options, const ProgressCallback& progress = {});

}  // namespace kerbwise
