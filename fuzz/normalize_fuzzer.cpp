// A pasted list and an object pane through the normaliser. The first byte
// picks the mask type and the answers to the numbering questions; the rest is
// the list, then, after a form feed, the object pane. Beyond not crashing, a
// run that neither failed nor was cancelled must give every cleaned entry at
// least one list line.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "intake/normalize_acl.h"

namespace {

std::vector<std::string> Lines(std::string_view text) {
  std::vector<std::string> lines;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    lines.emplace_back(text.substr(0, end));
    text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
  }
  return lines;
}

class BitAnswers final : public kerbwise::AnswerSource {
 public:
  explicit BitAnswers(std::uint8_t bits) : bits_(bits) {}
  bool Ask(const kerbwise::YesNoQuestion&) override {
    const bool yes = bits_ & 1u;
    bits_ = static_cast<std::uint8_t>(bits_ >> 1);
    return yes;
  }

 private:
  std::uint8_t bits_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kerbwise;
  if (size == 0) return 0;
  CheckOptions options;
  options.MaskType = data[0] & 0x80u ? MaskForm::Netmask : MaskForm::Wildcard;
  options.Russian = data[0] & 0x40u;
  BitAnswers answers(data[0]);
  const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
  const std::size_t split = text.find('\f');
  const std::string_view source = text.substr(0, split);
  const std::string_view objects =
      split == std::string_view::npos ? std::string_view{} : text.substr(split + 1);

  const NormalizeResult result = NormalizeACL(Lines(source), Lines(objects), options, answers);
  // An empty list gets its header line back into the source.
  const std::size_t entries =
      result.SourceLines.size() - (result.ListLines.empty() && !result.HeaderLine.empty());
  if (result.Ran && !result.Cancelled && result.ErrorText.empty() &&
      result.ListLines.size() < entries) {
    std::abort();  // an entry was lost
  }
  return 0;
}
