#include "synthetic_acl.h"

#include <initializer_list>
#include <random>

namespace kerbwise::testing {
namespace {

// A source that no other line has: the index is its address.
std::string UniqueSource(std::mt19937& random, std::size_t index) {
  std::string host = "10.";
  host += std::to_string((index >> 16) & 0xFF);
  host += '.';
  host += std::to_string((index >> 8) & 0xFF);
  host += '.';
  host += std::to_string(index & 0xFF);
  switch (random() % 3) {
    case 0:
      return "host " + host;
    case 1:
      return host + " 0.0.0.0";
    default:
      return host + "/32";
  }
}

std::string Destination(std::mt19937& random) {
  switch (random() % 4) {
    case 0:
      return "host 10.200." + std::to_string(random() % 256) + "." + std::to_string(random() % 256);
    case 1:
      return "192.168." + std::to_string(random() % 256) + ".0 0.0.0.255";
    case 2:
      return "172.16." + std::to_string(random() % 256) + ".0/24";
    default:
      return "any";
  }
}

std::string Ports(std::mt19937& random) {
  static const char* const kForms[] = {
      "eq www", "eq 443 8443", "range 1000 2000", "gt 1023", "neq 21", "lt 1024", ""};
  return kForms[random() % 7];
}

std::string Options(std::mt19937& random) {
  static const char* const kForms[] = {
      "", "", "log", "ttl eq 14", "precedence critical", "time-range WorkHours log-input"};
  return kForms[random() % 6];
}

// Joins the non-empty parts with single blanks, as an entry is written.
std::string Join(std::initializer_list<std::string> parts) {
  std::string line;
  for (const std::string& part : parts) {
    if (part.empty()) continue;
    if (!line.empty()) line += ' ';
    line += part;
  }
  return line;
}

}  // namespace

std::vector<std::string> SyntheticEntries(std::size_t count, unsigned seed) {
  std::mt19937 random(seed);
  std::vector<std::string> lines;
  lines.reserve(count);
  for (std::size_t i = 0; i < count; ++i) {
    const std::string action = random() % 3 == 0 ? "deny" : "permit";
    const std::string source = UniqueSource(random, i);
    std::string line;
    switch (random() % 5) {
      case 0:
      case 1: {
        const std::string destination = Destination(random);
        const std::string ports = Ports(random);
        line = Join(
            {action, "tcp", source, destination, ports, random() % 4 == 0 ? "established" : ""});
        break;
      }
      case 2: {
        const std::string destination = Destination(random);
        line = Join({action, "udp", source, destination, Ports(random)});
        break;
      }
      case 3:
        line = Join({action, "icmp", source, "any echo-reply"});
        break;
      default:
        line = Join({action, "ip", source, Destination(random)});
        break;
    }
    lines.push_back(Join({line, Options(random)}));
  }
  return lines;
}

}  // namespace kerbwise::testing
