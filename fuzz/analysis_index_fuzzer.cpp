// Lists of up to 200 entries built from the input, through the analysis with
// the index of the lines' addresses and with every pair compared: the two
// results must be equal, errors included.
//
// The first byte picks the options, the answer to the conflict question and
// the number of threads; then every five bytes make one entry: action,
// protocol and what else it carries; source address and mask; destination
// address and mask; ports. The addresses lie in a small space so that many
// entries meet, and masks of every kind occur: any, prefixes of every
// length, a host, holes.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "analysis/analyse_list.h"
#include "fuzz_support.h"
#include "rules/primitives.h"

namespace {

using namespace kerbwise;

constexpr std::size_t kEntryBytes = 5;
constexpr std::size_t kMaxEntries = 200;

std::string Dotted(std::uint32_t value) {
  return std::to_string(value >> 24) + "." + std::to_string(value >> 16 & 0xFF) + "." +
         std::to_string(value >> 8 & 0xFF) + "." + std::to_string(value & 0xFF);
}

// An address and wildcard mask from one byte: the top three bits pick the
// mask, the rest the address within 10.0.0.0/8. `fit` off leaves the address
// bits the mask frees, which makes the entry fail its comparisons.
std::string Address(std::uint8_t byte, bool fit) {
  static constexpr std::uint32_t kMasks[] = {0,          0xFF000000, 0xFFFF0000, 0xFFFFFF00,
                                             0xFFFFFF80, 0xFFFFFFFF, 0xFF00FF00, 0xFFFFF0FF};
  const std::uint32_t mask = kMasks[byte >> 5];
  if (mask == 0) return "any";
  const std::uint32_t address =
      0x0A000000u | (byte & 0x03u) << 16 | (byte >> 2 & 0x03u) << 8 | (byte & 0x1Cu) << 1;
  return Dotted(fit ? address & mask : address | ~mask) + " " + Dotted(~mask);
}

std::string Entry(const std::uint8_t* b) {
  static const char* const kProtocols[] = {"ip", "tcp", "udp", "icmp", "esp", "gre", "tcp", "udp"};
  static const char* const kPorts[] = {"",        " eq 80",   " range 70 90", " gt 1023",
                                       " neq 22", " lt 1024", " eq 80 443",   " range 80 100"};
  const unsigned extra = b[0] >> 4;
  if (extra == 15) return "remark " + std::to_string(b[1]);
  if (extra == 14 && b[4] == 0xFF) return "permit unrecognised " + std::to_string(b[1]);
  const bool fit = !(extra == 13 && b[4] == 0xFF);
  const std::string protocol = kProtocols[b[0] >> 1 & 0x07u];
  const bool ports = protocol == "tcp" || protocol == "udp";
  std::string entry = std::string(b[0] & 1u ? "permit " : "deny ") + protocol + " ";
  entry += Address(b[1], fit) + (ports ? kPorts[b[4] & 0x07u] : "") + " ";
  entry += Address(b[2], true) + (ports ? kPorts[b[4] >> 3 & 0x07u] : "");
  if (protocol == "icmp" && extra < 8) entry += extra < 4 ? " echo" : " echo-reply";
  if (extra == 12) entry += " precedence " + std::to_string(b[3] & 0x07u);
  if (extra == 11) entry += " ttl gt " + std::to_string(b[3]);
  if (extra == 10) entry += " established";
  return entry;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::uint8_t flags = data[0];
  CheckOptions options;
  options.PortsInSet = flags & 0x01u;
  options.AnyPortOverlap = flags & 0x02u;
  const bool showConflictsOnly = flags & 0x04u;
  const unsigned threads = flags & 0x08u ? 2 : 1;

  std::vector<std::string> lines;
  for (std::size_t at = 1; at + kEntryBytes <= size && lines.size() < kMaxEntries;
       at += kEntryBytes) {
    lines.push_back(std::to_string((lines.size() + 1) * 10) + " " + Entry(data + at));
  }

  static LineRecognizer recognizer;
  AnalysisResult results[2];
  for (const bool indexed : {false, true}) {
    recognizer.EmptyCache();
    fuzz::BitAnswers answers(showConflictsOnly ? 0xFF : 0x00);
    results[indexed] = AnalyseList(lines, options, recognizer, answers, {},
                                   {.Threads = threads, .Indexed = indexed});
  }
  if (results[1] == results[0]) return 0;
  std::string list;
  for (const std::string& line : lines) list += line + "\n";
  fuzz::Broken("the indexed analysis differs from comparing every pair", list);
}
