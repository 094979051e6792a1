#include "packets/shadowed.h"

namespace kerbwise {

ShadowReport FindShadowed(const std::vector<std::string>&, const CheckOptions&,
                          const ProgressCallback&) {
  ShadowReport report;
  report.Error = "not built yet";
  return report;
}

}  // namespace kerbwise
