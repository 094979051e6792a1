#include "text/phrase.h"

#include <cstddef>
#include <vector>

namespace kerbwise {

std::string Fill(std::string_view pattern, std::initializer_list<std::string_view> arguments) {
  const std::vector<std::string_view> values(arguments);
  std::string result;
  result.reserve(pattern.size());
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    const char next = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
    if (pattern[i] == '%' && next >= '1' && next <= '9') {
      const std::size_t index = static_cast<std::size_t>(next - '1');
      if (index < values.size()) {
        result += values[index];
        ++i;
        continue;
      }
    }
    result += pattern[i];
  }
  return result;
}

}  // namespace kerbwise
