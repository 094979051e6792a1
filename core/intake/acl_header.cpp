#include "intake/acl_header.h"

#include "rules/primitives.h"

namespace kerbwise {

namespace {

constexpr std::size_t kNameStart = 15;  // after "ip access-list " or "IP access list "
constexpr std::size_t kExtendedWidth = 9;
constexpr std::size_t kMaxNameLength = 255;
constexpr std::size_t kWholeCaptionWidth = 32;
constexpr std::size_t kCutCaptionWidth = 30;

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

std::string_view Slice(std::string_view text, std::size_t start, std::size_t count) {
  if (start >= text.size()) return {};
  return text.substr(start, count);
}

}  // namespace

std::optional<AclHeader> ReadAclHeader(std::string_view line) {
  if (!StartsWith(line, "ip access-list ") && !StartsWith(line, "Extended IP access list ") &&
      !StartsWith(line, "IP access list ")) {
    return std::nullopt;
  }
  const bool extended =
      Slice(line, kNameStart - 1, 10) == " extended " || StartsWith(line, "Extended ");
  const std::size_t start = kNameStart + (extended ? kExtendedWidth : 0);

  AclHeader header;
  header.AclName = std::string(TrimControls(Slice(line, start, kMaxNameLength)));
  // Names of up to 32 characters fit the caption whole; longer ones show
  // their first 30 and "..". The measure is the rest of the line, blanks
  // before the name included.
  const std::string_view rest = Slice(line, start, std::string_view::npos);
  if (rest.size() <= kWholeCaptionWidth) {
    header.CaptionName = std::string(TrimControls(rest));
  } else {
    header.CaptionName = std::string(TrimControls(rest.substr(0, kCutCaptionWidth))) + "..";
  }
  return header;
}

}  // namespace kerbwise
