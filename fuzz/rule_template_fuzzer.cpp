// The first lines of the input are a rule template (up to an empty line), the
// rest are lines to recognise with it: a malformed template must give a
// template error or no match, never a crash or a hang.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "rules/line_recognizer.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kerbwise;
  std::string_view text(reinterpret_cast<const char*>(data), size);
  std::vector<std::string> templateLines;
  std::vector<std::string> inputs;
  bool inTemplate = true;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    const std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
    if (inTemplate && line.empty()) {
      inTemplate = false;
      continue;
    }
    (inTemplate ? templateLines : inputs).emplace_back(line);
  }
  LineRecognizer recognizer(templateLines);
  const CheckOptions options;
  for (const std::string& input : inputs) recognizer.Recognize(input, options);
  return 0;
}
