// Helpers shared by the fuzz targets: splitting the input into lines,
// answering questions from fuzz bits, and stopping on a broken invariant.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "intake/normalize_acl.h"

namespace kerbwise::fuzz {

// The input as text lines, split at line feeds; a final line feed adds no
// empty line.
inline std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    lines.emplace_back(text.substr(0, end));
    text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
  }
  return lines;
}

inline std::string_view AsText(const std::uint8_t* data, std::size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

// Prints what was broken and aborts, so the fuzzer keeps the input.
[[noreturn]] inline void Broken(const char* what, std::string_view detail = {}) {
  std::fprintf(stderr, "invariant broken: %s\n%.*s\n", what, static_cast<int>(detail.size()),
               detail.data());
  std::abort();
}

inline void Require(bool holds, const char* what, std::string_view detail = {}) {
  if (!holds) Broken(what, detail);
}

// Answers each question with the next bit of a fuzz byte, lowest first.
class BitAnswers final : public AnswerSource {
 public:
  explicit BitAnswers(std::uint8_t bits) : bits_(bits) {}
  bool Ask(const YesNoQuestion&) override {
    const bool yes = bits_ & 1u;
    bits_ = static_cast<std::uint8_t>(bits_ >> 1);
    ++asked_;
    return yes;
  }
  int Asked() const { return asked_; }

 private:
  std::uint8_t bits_;
  int asked_ = 0;
};

}  // namespace kerbwise::fuzz
