#pragma once

#include <vector>

#include "packets/list_sets.h"
#include "packets/shadowed.h"
#include "run/run_hooks.h"

namespace kerbwise {

// The rows of FindShadowed, inside a job. Internal to the packets library.
std::vector<ShadowRow> ShadowRows(ListSets& sets, const ProgressCallback& progress);

}  // namespace kerbwise
