#include "reorder/traffic_overlap.h"

#include "rules/line_recognizer.h"
#include "rules/list_entry.h"
#include "run/progress_pacer.h"

namespace kerbwise {

TrafficTable::TrafficTable(const std::vector<std::string>& listLines, const CheckOptions& options,
                           LineRecognizer& recognizer, ProgressPacer* pacer) {
  entries_.Reserve(listLines.size());
  for (const std::string& line : listLines) {
    if (pacer != nullptr) pacer->Tick();
    // Lines the check or the sort has seen come from the recognizer's cache.
    // A line left half read by a parameter error keeps the status it got,
    // so the order check judges what was read rather than lose the entry.
    entries_.Add(*recognizer.Recognize(ListEntryText(line), options));
  }
}

}  // namespace kerbwise
