#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>

namespace kerbwise {

// Gives each distinct text a number from 1 up; the empty text is 0. Option
// texts turned into numbers compare in one instruction when many pairs of
// lines are compared.
class TextIds {
 public:
  std::uint32_t Id(const std::string& text) {
    if (text.empty()) return 0;
    const auto [at, added] = ids_.try_emplace(text, static_cast<std::uint32_t>(ids_.size() + 1));
    return at->second;
  }

  std::size_t size() const { return ids_.size(); }

  void Clear() {
    if (!ids_.empty()) ids_.clear();
  }

 private:
  std::unordered_map<std::string, std::uint32_t> ids_;
};

}  // namespace kerbwise
