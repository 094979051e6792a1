// Any bytes, split into lines, recognised with the built-in template in both
// mask types: recognition must never crash and a repeated line must give the
// record it gave the first time.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "rules/line_recognizer.h"
#include "rules/primitives.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kerbwise;
  static LineRecognizer recognizer;
  recognizer.EmptyCache();
  std::string_view text(reinterpret_cast<const char*>(data), size);
  CheckOptions options;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    const std::string line = SpaceCompress(text.substr(0, end));
    text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
    options.MaskType = line.size() % 2 ? MaskForm::Netmask : MaskForm::Wildcard;
    const ExprPtr first = recognizer.ExprCheck(line, options);
    const ExprPtr again = recognizer.ExprCheck(line, options);
    if (!(*first == *again)) std::abort();
  }
  return 0;
}
