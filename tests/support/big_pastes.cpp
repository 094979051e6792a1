#include "big_pastes.h"

namespace kerbwise::testing {

// Router `show` output of at least `bytes` bytes: a header, numbered entries
// with match counters, and a final deny.
std::string ShowOutput(std::size_t bytes) {
  std::string text = "Extended IP access list BIG\n";
  for (int i = 1; text.size() < bytes; ++i) {
    text += "    " + std::to_string(i * 10) + " permit udp 10." + std::to_string((i >> 8) & 255) +
            "." + std::to_string(i & 255) + ".0 0.0.0.255 any eq " + std::to_string(1 + i % 65535) +
            " (" + std::to_string(i) + " matches)\n";
  }
  return text + "    999999990 deny ip any any\n";
}

// `count` unnumbered entries, the last one a deny.
std::string Unnumbered(int count) {
  std::string text;
  for (int i = 1; i < count; ++i) {
    text += "permit tcp host 10." + std::to_string((i >> 16) & 255) + "." +
            std::to_string((i >> 8) & 255) + "." + std::to_string(i & 255) + " any eq " +
            std::to_string(1 + i % 65535) + "\n";
  }
  return text + "deny ip any any\n";
}

}  // namespace kerbwise::testing
