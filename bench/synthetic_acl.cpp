#include "synthetic_acl.h"

#include <random>

namespace kerbwise::bench {
namespace {

std::string Address(std::mt19937& random, std::size_t index) {
  // The index keeps every line distinct; the rest varies the shape.
  const std::string host = "10." + std::to_string((index >> 16) & 0xFF) + "." +
                           std::to_string((index >> 8) & 0xFF) + "." + std::to_string(index & 0xFF);
  switch (random() % 4) {
    case 0:
      return "host " + host;
    case 1:
      return "192.168." + std::to_string(random() % 256) + ".0 0.0.0.255";
    case 2:
      return "172.16." + std::to_string(random() % 256) + ".0/24";
    default:
      return "any";
  }
}

std::string Ports(std::mt19937& random) {
  static const char* const kForms[] = {"eq www", "eq 443 8443", "range 1000 2000", "gt 1023",
                                       "neq 21", "lt 1024", ""};
  return kForms[random() % 7];
}

std::string Options(std::mt19937& random) {
  static const char* const kForms[] = {"", "", "log", "ttl eq 14", "precedence critical",
                                       "time-range WorkHours log-input"};
  return kForms[random() % 6];
}

}  // namespace

std::vector<std::string> SyntheticEntries(std::size_t count, unsigned seed) {
  std::mt19937 random(seed);
  std::vector<std::string> lines;
  lines.reserve(count);
  for (std::size_t i = 0; i < count; ++i) {
    const std::string action = random() % 3 == 0 ? "deny " : "permit ";
    const std::string source = Address(random, i);
    std::string line;
    switch (random() % 5) {
      case 0:
      case 1:
        line = action + "tcp " + source + " " + Address(random, i + 7) + " " + Ports(random);
        if (random() % 4 == 0) line += " established";
        break;
      case 2:
        line = action + "udp " + source + " " + Address(random, i + 3) + " " + Ports(random);
        break;
      case 3:
        line = action + "icmp " + source + " any echo-reply";
        break;
      default:
        line = action + "ip " + source + " " + Address(random, i + 5);
        break;
    }
    const std::string options = Options(random);
    if (!options.empty()) line += " " + options;
    if (line.back() == ' ') line.pop_back();
    lines.push_back(std::move(line));
  }
  return lines;
}

}  // namespace kerbwise::bench
