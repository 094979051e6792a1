// Two address sets, rule and subject (address and netmask form, 16 bytes;
// a 17th byte, when present, lets the rule share the subject's upper half so
// that small scan intervals are common). The overlap MeasureAddrOverlap and
// AddrPartMatch report must equal what a plain scan over every candidate
// address finds, wherever that interval is small enough to scan.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "fuzz_support.h"
#include "rules/address_sets.h"
#include "rules/primitives.h"
#include "text/rules_texts.h"

namespace {

std::uint32_t Read32(const std::uint8_t* data) {
  return static_cast<std::uint32_t>(data[0]) << 24 | static_cast<std::uint32_t>(data[1]) << 16 |
         static_cast<std::uint32_t>(data[2]) << 8 | data[3];
}

constexpr std::uint64_t kMaxScan = 1u << 18;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kerbwise;
  if (size < 16) return 0;
  std::uint32_t ruleAddr = Read32(data);
  std::uint32_t ruleMask = Read32(data + 4);
  const std::uint32_t subjectAddr = Read32(data + 8);
  const std::uint32_t subjectMask = Read32(data + 12);
  if (size > 16 && (data[16] & 1u)) {
    ruleAddr = (subjectAddr & 0xFFFF0000u) | (ruleAddr & 0xFFFFu);
    ruleMask |= 0xFFFF0000u;
  }
  const Language language = size > 16 && (data[16] & 2u) ? Language::Russian : Language::English;

  // The candidates: every member of both sets lies in [start, end].
  const std::uint32_t start = subjectMask == 0 ? ruleAddr : (subjectAddr & ruleAddr);
  const std::uint32_t end = (~subjectMask | subjectAddr) & (~ruleMask | ruleAddr);
  if (start <= end && std::uint64_t{end} - start >= kMaxScan) return 0;

  AddrOverlap expected;
  bool inside = false;
  if (start <= end) {
    for (std::uint64_t x = start; x <= end; ++x) {
      const auto value = static_cast<std::uint32_t>(x);
      const bool member = (value & ruleMask) == ruleAddr && (value & subjectMask) == subjectAddr;
      if (member) {
        if (expected.Count == 0) expected.Smallest = value;
        expected.Largest = value;
        ++expected.Count;
        if (!inside) ++expected.Runs;
      }
      inside = member;
    }
  }
  const AddrOverlap measured = MeasureAddrOverlap(ruleAddr, ruleMask, subjectAddr, subjectMask);
  const std::string detail = ValToIP(ruleAddr) + " " + ValToIP(ruleMask) + " / " +
                             ValToIP(subjectAddr) + " " + ValToIP(subjectMask);
  fuzz::Require(measured == expected, "the overlap differs from the scan", detail);

  std::string text;
  if (expected.Count > 0) {
    text = Fill(
        texts::kSharedHosts.In(language),
        {std::to_string(expected.Count), ValToIP(expected.Smallest), ValToIP(expected.Largest)});
    if (expected.Runs > 1) {
      text += Fill(texts::kSharedSubnets.In(language),
                   {std::to_string(expected.Runs), std::to_string(expected.Count / expected.Runs)});
    }
  }
  fuzz::Require(AddrPartMatch(ruleAddr, ruleMask, subjectAddr, subjectMask, language) == text,
                "the partial-match text differs from the scan", detail);
  return 0;
}
