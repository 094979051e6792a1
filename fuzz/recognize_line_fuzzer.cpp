// Any bytes, split into lines, recognised with the built-in template under
// both mask types. Recognition must never crash, a line recognised again from
// the cache must give the record it gave the first time, the cache must give
// what a recognition from scratch gives, and letter case must not matter
// (beyond the case of a time-range, reflect or evaluate name, which is kept).
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_support.h"
#include "rules/line_recognizer.h"
#include "rules/primitives.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kerbwise;
  static LineRecognizer cached;  // keeps its cache across the lines of one input
  static LineRecognizer fresh;   // emptied before every line
  cached.EmptyCache();
  for (const std::string& raw : fuzz::SplitLines(fuzz::AsText(data, size))) {
    const std::string line = SpaceCompress(raw);
    for (const MaskForm maskType : {MaskForm::Wildcard, MaskForm::Netmask}) {
      CheckOptions options;
      options.MaskType = maskType;
      const RecordPtr first = cached.Recognize(line, options);
      const RecordPtr again = cached.Recognize(line, options);
      fuzz::Require(*first == *again, "a repeated line gives another record", line);
      fresh.EmptyCache();
      const RecordPtr scratch = fresh.Recognize(line, options);
      fuzz::Require(*first == *scratch, "the cache gives another record than recognition", line);
      fuzz::Require(first->Status <= StatusRemark, "status out of range", line);
      // Keywords and names are read without regard to letter case; only a
      // time-range, reflect or evaluate name keeps the case it was typed in.
      const std::string upper = ToUpperAscii(line);
      const RecordPtr shouted = fresh.Recognize(upper, options);
      fuzz::Require(shouted->Status == first->Status, "letter case changes the status", line);
      const std::string lower = ToLowerAscii(line);
      if (lower.find("time-range") == std::string::npos &&
          lower.find("reflect") == std::string::npos &&
          lower.find("evaluate") == std::string::npos && first->Status != StatusUnrecognised) {
        fuzz::Require(*shouted == *first, "letter case changes the record", line);
      }
    }
  }
  return 0;
}
