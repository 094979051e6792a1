#pragma once

#include <cstddef>
#include <initializer_list>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

namespace kerbwise {

// Text lines held in one buffer with one end offset per line: a list of a
// million entries costs its characters and eight bytes a line, where a
// vector of strings costs a string header and a heap block for each. Reads
// like a vector of lines whose elements are views into the buffer; a view
// stays valid until the list is changed.
class LineList {
 public:
  class const_iterator {
   public:
    using iterator_category = std::random_access_iterator_tag;
    using value_type = std::string_view;
    using difference_type = std::ptrdiff_t;
    using pointer = void;
    using reference = std::string_view;

    const_iterator() = default;
    const_iterator(const LineList* list, std::size_t index) : list_(list), index_(index) {}

    std::string_view operator*() const { return (*list_)[index_]; }
    std::string_view operator[](difference_type n) const {
      return (*list_)[index_ + static_cast<std::size_t>(n)];
    }
    const_iterator& operator++() { return ++index_, *this; }
    const_iterator operator++(int) { return {list_, index_++}; }
    const_iterator& operator--() { return --index_, *this; }
    const_iterator operator--(int) { return {list_, index_--}; }
    const_iterator& operator+=(difference_type n) {
      index_ += static_cast<std::size_t>(n);
      return *this;
    }
    const_iterator& operator-=(difference_type n) { return *this += -n; }
    friend const_iterator operator+(const_iterator it, difference_type n) { return it += n; }
    friend const_iterator operator+(difference_type n, const_iterator it) { return it += n; }
    friend const_iterator operator-(const_iterator it, difference_type n) { return it -= n; }
    friend difference_type operator-(const const_iterator& a, const const_iterator& b) {
      return static_cast<difference_type>(a.index_) - static_cast<difference_type>(b.index_);
    }
    friend bool operator==(const const_iterator& a, const const_iterator& b) {
      return a.index_ == b.index_;
    }
    friend auto operator<=>(const const_iterator& a, const const_iterator& b) {
      return a.index_ <=> b.index_;
    }

   private:
    const LineList* list_ = nullptr;
    std::size_t index_ = 0;
  };
  using iterator = const_iterator;
  using value_type = std::string_view;
  using size_type = std::size_t;

  LineList() = default;
  LineList(std::initializer_list<std::string_view> lines);
  // Implicit, so that callers holding a few lines as strings (the desktop's
  // panes, tests) hand them over as they are; a copy.
  LineList(const std::vector<std::string>& lines);  // NOLINT(google-explicit-constructor)

  // The lines of `text` split at "\r\n", "\r" and "\n" as SplitLines splits
  // them, kept in the text's own storage.
  static LineList FromText(std::string text);

  // Makes room for `lines` more lines of `characters` characters in all, so
  // that appending them allocates nothing more.
  void Reserve(std::size_t lines, std::size_t characters);
  void push_back(std::string_view line);
  // Inserts a line before the line at `at` (at the end when `at` is size()).
  void Insert(std::size_t at, std::string_view line);
  // Removes every line and gives the storage back.
  void clear();

  std::size_t size() const { return ends_.size(); }
  bool empty() const { return ends_.empty(); }
  std::string_view operator[](std::size_t i) const {
    const std::size_t begin = i == 0 ? 0 : ends_[i - 1];
    return std::string_view(text_).substr(begin, ends_[i] - begin);
  }
  std::string_view front() const { return (*this)[0]; }
  std::string_view back() const { return (*this)[size() - 1]; }
  const_iterator begin() const { return {this, 0}; }
  const_iterator end() const { return {this, size()}; }

  // The characters of every line together.
  std::size_t CharacterCount() const { return text_.size(); }

  // A copy as separate strings, for code that wants them so.
  std::vector<std::string> ToStrings() const;

  bool operator==(const LineList& other) const {
    return text_ == other.text_ && ends_ == other.ends_;
  }
  friend bool operator==(const LineList& list, const std::vector<std::string>& lines);

 private:
  std::string text_;               // the lines one after the other, no separators
  std::vector<std::size_t> ends_;  // where each line ends in text_
};

}  // namespace kerbwise
