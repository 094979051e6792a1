#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "text/language.h"

namespace kerbwise {

// A closed range of port or TTL values.
struct ValueRange {
  std::uint16_t Lo = 0;
  std::uint16_t Hi = 0;
  bool operator==(const ValueRange&) const = default;
};

// A port or TTL condition as sorted closed ranges that never touch or
// overlap: two ranges are always separated by a value in neither.
struct RangeList {
  std::vector<ValueRange> Ranges;
  std::string Error;  // empty on success; otherwise why the condition was refused

  bool Ok() const { return Error.empty(); }
  std::size_t Count() const { return Ranges.size(); }
};

// Turns a condition as the recognizer stores it ("eq 80 443", "neq 21",
// "gt 1023", "lt 1024", "range 1000 2000"; TTL conditions without their
// leading "ttl ") into ranges within 0..maxValue. Any number of values is
// accepted. Values are read by the integer reader; one that is no number or
// lies above maxValue, a wrong number of values or an unknown operator is
// refused with a message, as are "gt maxValue" and "lt 0".
RangeList ValuesToRanges(std::string_view condition, std::uint16_t maxValue, Language language);

}  // namespace kerbwise
