#include "rules/primitives.h"

#include "rules/integer_reader.h"

namespace kerbwise {

namespace {

// Four octets of plain decimal digits, the form nearly every address takes.
// Nullopt for anything else, which the general reading then decides.
std::optional<std::uint32_t> ReadPlainDottedQuad(std::string_view text) {
  std::uint32_t value = 0;
  std::size_t i = 0;
  for (int octet = 0; octet < 4; ++octet) {
    if (octet > 0) {
      if (i >= text.size() || text[i] != '.') return std::nullopt;
      ++i;
    }
    std::uint32_t part = 0;
    std::size_t digits = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i, ++digits) {
      part = part * 10 + static_cast<std::uint32_t>(text[i] - '0');
      if (digits == 3) return std::nullopt;
    }
    if (digits == 0 || part > 255) return std::nullopt;
    value = (value << 8) | part;
  }
  if (i != text.size()) return std::nullopt;
  return value;
}

// `text` with the 26 letters from `from` on moved to those from `to` on.
std::string ShiftAsciiLetters(std::string_view text, char from, char to) {
  std::string result(text);
  for (char& c : result) {
    if (c >= from && c < from + 26) c = static_cast<char>(c - from + to);
  }
  return result;
}

}  // namespace

std::optional<std::uint32_t> IPToVal(std::string_view text) {
  if (auto plain = ReadPlainDottedQuad(text)) return plain;
  std::uint32_t value = 0;
  std::size_t start = 0;
  for (int octet = 0; octet < 4; ++octet) {
    // The text is read as if ". " followed it, so the fourth octet ends at a
    // dot of its own and exactly one blank must remain after it.
    const std::size_t dot = text.find('.', start);
    const std::size_t end = dot == std::string_view::npos ? text.size() : dot;
    if (octet < 3 && dot == std::string_view::npos) return std::nullopt;
    const std::size_t width = end - start;
    if (width < 1 || width > 3) return std::nullopt;
    const std::int32_t part = ReadIntDefault(text.substr(start, width), 256);
    if (part < 0 || part > 255) return std::nullopt;
    value = (value << 8) | static_cast<std::uint32_t>(part);
    if (octet == 3 && end != text.size()) return std::nullopt;  // a fifth part
    start = end + 1;
  }
  return value;
}

std::string ValToIP(std::uint32_t value) {
  std::string text;
  text.reserve(15);
  for (int shift = 24; shift >= 0; shift -= 8) {
    if (shift != 24) text += '.';
    text += std::to_string((value >> shift) & 0xFFu);
  }
  return text;
}

std::uint32_t CorrectAddr(std::uint32_t address, std::uint32_t mask) { return address & mask; }

std::uint32_t CorrectMask(std::uint32_t address, std::uint32_t mask, MaskForm maskType) {
  const std::uint32_t widened = address | mask;
  return maskType == MaskForm::Wildcard ? ~widened : widened;
}

std::string SpaceCompress(std::string_view text) {
  std::string result;
  result.reserve(text.size());
  bool lastWasBlank = false;
  for (char c : text) {
    const bool blank = c == ' ';
    if (!(blank && lastWasBlank)) result += c;
    lastWasBlank = blank;
  }
  return result;
}

std::string ToLowerAscii(std::string_view text) { return ShiftAsciiLetters(text, 'A', 'a'); }

std::string ToUpperAscii(std::string_view text) { return ShiftAsciiLetters(text, 'a', 'A'); }

std::string_view TrimControls(std::string_view text) {
  auto isControl = [](char c) { return static_cast<unsigned char>(c) <= 32; };
  while (!text.empty() && isControl(text.front())) text.remove_prefix(1);
  while (!text.empty() && isControl(text.back())) text.remove_suffix(1);
  return text;
}

std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) {
      lines.emplace_back(text.substr(start));
      break;
    }
    lines.emplace_back(text.substr(start, end - start));
    start = end + 1;
    if (text[end] == '\r' && start < text.size() && text[start] == '\n') ++start;
  }
  return lines;
}

std::vector<std::string> SplitAtLineBreaks(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find("\r\n", start)) != std::string_view::npos;
       start = end + 2) {
    lines.emplace_back(text.substr(start, end - start));
  }
  lines.emplace_back(text.substr(start));
  return lines;
}

std::size_t DecimalDigits(std::size_t value) {
  std::size_t digits = 1;
  for (; value >= 10; value /= 10) ++digits;
  return digits;
}

std::string PaddedIndex(std::size_t index, std::size_t width) {
  std::string text = std::to_string(index);
  if (text.size() < width) text.insert(0, width - text.size(), '0');
  return text;
}

}  // namespace kerbwise
