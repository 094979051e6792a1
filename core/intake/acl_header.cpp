#include "intake/acl_header.h"

#include <array>

#include "rules/primitives.h"

namespace kerbwise {

namespace {

constexpr std::size_t kMaxNameLength = 255;
constexpr std::size_t kWholeCaptionWidth = 32;
constexpr std::size_t kCutCaptionWidth = 30;
constexpr std::size_t kMaxKindWords = 3;

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

std::string_view Slice(std::string_view text, std::size_t start, std::size_t count) {
  if (start >= text.size()) return {};
  return text.substr(start, count);
}

std::string_view FirstWord(std::string_view text) { return text.substr(0, text.find(' ')); }

// Where the name starts and what kind of list the words before it announce.
struct HeaderShape {
  std::size_t nameStart = 0;
  ListKind kind = ListKind::Extended;
  std::string kindText;
};

// The second word of "ip access-list WORD ...": a kind, a command that opens
// no list, or (when it is the name itself) nothing.
std::optional<HeaderShape> ConfigurationShape(std::string_view line) {
  constexpr std::size_t kAfterCommand = 15;  // "ip access-list "
  const std::string_view rest = line.substr(kAfterCommand);
  const std::string_view word = FirstWord(rest);
  if (word.size() == rest.size())
    return HeaderShape{kAfterCommand, ListKind::Extended, {}};  // the name alone
  static constexpr std::array<std::string_view, 6> kCommands = {
      "resequence", "logging", "log-update", "persistent", "match-local-traffic", "counters"};
  for (std::string_view command : kCommands) {
    if (word == command) return std::nullopt;
  }
  const std::size_t afterWord = kAfterCommand + word.size() + 1;
  if (word == "extended") return HeaderShape{afterWord, ListKind::Extended, {}};
  if (word == "standard") return HeaderShape{afterWord, ListKind::Standard, {}};
  if (word == "fqdn") return HeaderShape{afterWord, ListKind::Unread, "FQDN"};
  if (word == "role-based") return HeaderShape{afterWord, ListKind::Unread, "role-based"};
  return HeaderShape{kAfterCommand, ListKind::Extended, {}};
}

// "ipv6 access-list NAME", "mac access-list extended NAME", ...: lists of
// other protocols, named by the protocol.
std::optional<HeaderShape> OtherProtocolShape(std::string_view line) {
  const std::string_view protocol = FirstWord(line);
  if (protocol.empty() || protocol.size() == line.size()) return std::nullopt;
  for (char c : protocol) {
    if (!((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))) return std::nullopt;
  }
  constexpr std::string_view kCommand = " access-list ";
  if (line.substr(protocol.size(), kCommand.size()) != kCommand) return std::nullopt;
  std::size_t start = protocol.size() + kCommand.size();
  const std::string_view kindWord = FirstWord(line.substr(start));
  if ((kindWord == "extended" || kindWord == "standard") && start + kindWord.size() < line.size()) {
    start += kindWord.size() + 1;
  }
  static constexpr std::array<std::pair<std::string_view, std::string_view>, 4> kShown = {
      {{"ipv6", "IPv6"}, {"mac", "MAC"}, {"arp", "ARP"}, {"ipx", "IPX"}}};
  std::string kindText(protocol);
  for (const auto& [word, shown] : kShown) {
    if (word == protocol) kindText = shown;
  }
  return HeaderShape{start, ListKind::Unread, kindText};
}

// "<Kind words> access list NAME" as show output heads a list.
std::optional<HeaderShape> ShowShape(std::string_view line) {
  if (StartsWith(line, "Extended IP access list ")) return HeaderShape{24, ListKind::Extended, {}};
  if (StartsWith(line, "Standard IP access list ")) return HeaderShape{24, ListKind::Standard, {}};
  if (StartsWith(line, "IP access list ")) return HeaderShape{15, ListKind::Extended, {}};
  constexpr std::string_view kWords = " access list ";
  const std::size_t at = line.find(kWords);
  if (at == std::string_view::npos || at == 0 || line[0] < 'A' || line[0] > 'Z')
    return std::nullopt;
  const std::string_view kind = line.substr(0, at);
  std::size_t words = 1;
  for (char c : kind) words += c == ' ';
  if (words > kMaxKindWords) return std::nullopt;
  return HeaderShape{at + kWords.size(), ListKind::Unread, std::string(kind)};
}

std::optional<HeaderShape> ShapeOf(std::string_view line) {
  if (StartsWith(line, "ip access-list ")) return ConfigurationShape(line);
  if (std::optional<HeaderShape> shape = ShowShape(line)) return shape;
  return OtherProtocolShape(line);
}

}  // namespace

std::optional<AclHeader> ReadAclHeader(std::string_view line) {
  const std::optional<HeaderShape> shape = ShapeOf(line);
  if (!shape) return std::nullopt;
  const std::size_t start = shape->nameStart;

  AclHeader header;
  header.Kind = shape->kind;
  header.KindText = shape->kindText;
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
