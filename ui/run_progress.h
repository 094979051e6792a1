#pragma once

#include "run/run_hooks.h"

class QProgressBar;

namespace kerbwise::ui {

// The progress callback of a run on the window's thread: it moves `bar`, when
// one is given, and lets the windows handle their pending messages once the
// run has kept them waiting kProgressInterval. The run paces its calls
// (ProgressPacer) at least that often, so that messages wait at most about
// twice that however long a share takes.
ProgressCallback HandleMessagesDuringRun(QProgressBar* bar = nullptr);

}  // namespace kerbwise::ui
