#include "packets/removable.h"

namespace kerbwise {

RemovableReport FindRemovable(const std::vector<std::string>&, const CheckOptions&,
                              const ProgressCallback&) {
  RemovableReport report;
  report.Error = "not built yet";
  return report;
}

}  // namespace kerbwise
