#include "bench_lists.h"

#include <random>

#include "synthetic_acl.h"

namespace kerbwise::bench {

std::vector<std::string> Numbered(const std::vector<std::string>& entries) {
  std::vector<std::string> lines;
  lines.reserve(entries.size());
  for (std::size_t i = 0; i < entries.size(); ++i) {
    lines.push_back(std::to_string((i + 1) * 10) + " " + entries[i]);
  }
  return lines;
}

std::vector<std::string> RealisticList(std::size_t count) {
  std::vector<std::string> entries = testing::SyntheticEntries(count);
  std::mt19937 random(5);
  for (std::size_t i = 39; i < count; i += 40) {
    const std::string block = "10." + std::to_string((i >> 16) & 0xFF) + "." +
                              std::to_string((i >> 8) & 0xFF) + ".0 0.0.0.255";
    switch (random() % 4) {
      case 0:
        entries[i] = "permit tcp " + block + " any";
        break;
      case 1:
        entries[i] = "deny udp " + block + " any";
        break;
      case 2:
        entries[i] = "permit ip " + block + " host 10.200.0.1";
        break;
      default:
        entries[i] = entries[random() % i];
        break;
    }
  }
  if (!entries.empty()) entries.back() = "deny ip any any";
  return Numbered(entries);
}

namespace {

std::string Dotted(std::uint32_t value) {
  return std::to_string(value >> 24) + "." + std::to_string((value >> 16) & 0xFF) + "." +
         std::to_string((value >> 8) & 0xFF) + "." + std::to_string(value & 0xFF);
}

// A /16 to /32 at random, written with a wildcard mask; one in thirty with
// one octet of the fixed part opened, a mask with a hole in it.
std::string RandomAddress(std::mt19937& random) {
  const auto length = static_cast<unsigned>(16 + random() % 17);
  std::uint32_t wildcard = length == 32 ? 0u : ~0u >> length;
  if (random() % 30 == 0) wildcard |= 0xFFu << 16;  // the second octet left open
  const std::uint32_t address = static_cast<std::uint32_t>(random()) & ~wildcard;
  if (wildcard == 0) return "host " + Dotted(address);
  return Dotted(address) + " " + Dotted(wildcard);
}

}  // namespace

std::vector<std::string> RandomAddressList(std::size_t count, unsigned seed) {
  std::mt19937 random(seed);
  std::vector<std::string> entries;
  entries.reserve(count);
  for (std::size_t i = 0; i + 1 < count; ++i) {
    const std::string action = random() % 3 == 0 ? "deny " : "permit ";
    const std::string source = RandomAddress(random);
    const std::string destination = RandomAddress(random);
    switch (random() % 4) {
      case 0:
        entries.push_back(action + "tcp " + source + " " + destination + " eq " +
                          std::to_string(1 + random() % 1024));
        break;
      case 1:
        entries.push_back(action + "udp " + source + " " + destination + " range 1000 " +
                          std::to_string(1000 + random() % 5000));
        break;
      case 2:
        entries.push_back(action + "icmp " + source + " " + destination + " echo");
        break;
      default:
        entries.push_back(action + "ip " + source + " " + destination);
        break;
    }
  }
  if (count > 0) entries.push_back("deny ip any any");
  return Numbered(entries);
}

}  // namespace kerbwise::bench
