#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "rules/rule_record.h"

namespace kerbwise {

// A recognised line. Records of cached lines are shared, so handing one out
// costs no copy; each stays valid for as long as someone holds it.
using RecordPtr = std::shared_ptr<const RuleRecord>;

// The records of recognised lines, by line text. A check looks up every line
// of the list, so a lookup must touch as little memory as it can: an open-
// addressed table of hashes and positions, probed linearly, points into the
// entries, and only a likely hit reads an entry's text.
class RecordCache {
 public:
  // Empties the cache and makes room for `expected` lines without regrowing.
  void Reset(std::size_t expected);

  // The record of `line`, or null when it is not cached.
  const RecordPtr* Find(std::string_view line) const;

  // Adds a line that is not cached yet.
  void Insert(std::string_view line, RecordPtr record);

  std::size_t size() const { return entries_.size(); }

 private:
  struct Slot {
    std::uint32_t hashBits = 0;
    std::uint32_t position = 0;  // entry index + 1; 0 for a free slot
  };
  struct Entry {
    std::string line;
    RecordPtr record;
  };

  static std::size_t Hash(std::string_view line);
  void Grow();
  void Place(std::size_t hash, std::uint32_t position);

  std::vector<Slot> slots_;  // a power of two long, at most half full
  std::vector<Entry> entries_;
};

}  // namespace kerbwise
