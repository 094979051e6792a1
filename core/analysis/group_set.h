#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <iterator>
#include <vector>

namespace kerbwise {

// A set of group numbers held as sorted runs of consecutive numbers. A line
// mostly belongs to one or two groups; where it belongs to many, they tend to
// be consecutive (repeated entries each join every later repeat's group), and
// a run holds any number of them in eight bytes.
class GroupSet {
 public:
  // The numbers First..Last; runs neither overlap nor touch.
  struct Run {
    std::uint32_t First = 0;
    std::uint32_t Last = 0;
    bool operator==(const Run&) const = default;
  };

  // Walks the numbers in ascending order.
  class Iterator {
   public:
    using iterator_category = std::input_iterator_tag;
    using value_type = std::uint32_t;
    using difference_type = std::ptrdiff_t;
    using pointer = const std::uint32_t*;
    using reference = std::uint32_t;

    Iterator(const Run* run, const Run* end)
        : run_(run), end_(end), value_(run != end ? run->First : 0) {}
    std::uint32_t operator*() const { return value_; }
    Iterator& operator++();
    Iterator operator++(int) {
      Iterator before = *this;
      ++*this;
      return before;
    }
    bool operator==(const Iterator& other) const {
      return run_ == other.run_ && value_ == other.value_;
    }

   private:
    const Run* run_;
    const Run* end_;
    std::uint32_t value_;
  };

  GroupSet() = default;
  GroupSet(std::initializer_list<std::uint32_t> groups);

  bool Empty() const { return runs_.empty(); }
  std::size_t Count() const;
  bool Contains(std::uint32_t group) const;
  void Add(std::uint32_t group);
  void Remove(std::uint32_t group);
  bool SharesAnyWith(const GroupSet& other) const;
  // Removes `group` and moves every larger number down by one, as when the
  // group leaves and the later ones are renumbered.
  void RemoveAndCloseGap(std::uint32_t group);

  // Calls `visit` with each number in ascending order: quicker than the
  // iterator where every number counts.
  template <typename Visit>
  void ForEach(Visit visit) const {
    for (const Run& run : runs_) {
      for (std::uint64_t group = run.First; group <= run.Last; ++group) {
        visit(static_cast<std::uint32_t>(group));
      }
    }
  }

  const std::vector<Run>& Runs() const { return runs_; }
  Iterator begin() const { return {runs_.data(), runs_.data() + runs_.size()}; }
  Iterator end() const { return {runs_.data() + runs_.size(), runs_.data() + runs_.size()}; }

  bool operator==(const GroupSet&) const = default;

 private:
  std::vector<Run> runs_;
};

}  // namespace kerbwise
