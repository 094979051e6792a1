// A condition and a short list through the direct or the reverse check. The
// first byte picks the direction and the options; the first line is the
// condition, the others the list. Beyond not crashing, the report must be
// consistent: a first match inside the list, a verdict exactly when there
// was no error, and one number-pane line per examined list line.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "check/check_condition.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kerbwise;
  if (size == 0) return 0;
  const std::uint8_t flags = data[0];
  CheckOptions options;
  options.MaskType = flags & 0x01u ? MaskForm::Netmask : MaskForm::Wildcard;
  options.PartialAddresses = flags & 0x02u;
  options.PartialPortsOption = flags & 0x04u;
  options.IgnoreIcmp = flags & 0x08u;
  options.Russian = flags & 0x10u;
  const CheckDirection direction = flags & 0x20u ? CheckDirection::Reverse : CheckDirection::Direct;

  std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
  std::vector<std::string> lines;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    lines.emplace_back(text.substr(0, end));
    text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
  }
  if (lines.empty()) return 0;
  const std::string condition = lines.front();
  lines.erase(lines.begin());

  LineRecognizer recognizer;
  const CheckReport report = CheckCondition(lines, condition, direction, options, recognizer);
  if (report.FirstMatch && (*report.FirstMatch == 0 || *report.FirstMatch > lines.size())) {
    std::abort();
  }
  if (report.Error != report.Verdict.empty()) std::abort();
  if (!report.Error && report.NumberPane.size() != lines.size()) std::abort();
  return 0;
}
