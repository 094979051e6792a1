#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace kerbwise {

// Marks line numbers in any order and hands them back ascending, without
// sorting: one bit per line, and one bit per word of those that says whether
// the word holds any, so that taking them skips the empty stretches of a
// long list 4096 lines at a time.
class AscendingMarks {
 public:
  explicit AscendingMarks(std::size_t lines)
      : words_(lines / 64 + 1), summary_(words_.size() / 64 + 1) {}

  void Mark(std::size_t line) {
    words_[line / 64] |= std::uint64_t{1} << (line % 64);
    summary_[line / 4096] |= std::uint64_t{1} << (line / 64 % 64);
  }

  // Appends the marked lines to `out` in ascending order and clears them.
  void TakeAll(std::vector<std::uint32_t>& out) {
    for (std::size_t s = 0; s < summary_.size(); ++s) {
      for (std::uint64_t busy = summary_[s]; busy != 0; busy &= busy - 1) {
        const std::size_t w = s * 64 + static_cast<std::size_t>(std::countr_zero(busy));
        for (std::uint64_t bits = words_[w]; bits != 0; bits &= bits - 1) {
          const auto bit = static_cast<std::size_t>(std::countr_zero(bits));
          out.push_back(static_cast<std::uint32_t>(w * 64 + bit));
        }
        words_[w] = 0;
      }
      summary_[s] = 0;
    }
  }

 private:
  std::vector<std::uint64_t> words_;
  std::vector<std::uint64_t> summary_;
};

}  // namespace kerbwise
