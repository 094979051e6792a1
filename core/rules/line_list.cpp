#include "rules/line_list.h"

#include <algorithm>
#include <cstring>

namespace kerbwise {

LineList::LineList(std::initializer_list<std::string_view> lines) {
  std::size_t characters = 0;
  for (const std::string_view line : lines) characters += line.size();
  Reserve(lines.size(), characters);
  for (const std::string_view line : lines) push_back(line);
}

LineList::LineList(const std::vector<std::string>& lines) {
  std::size_t characters = 0;
  for (const std::string& line : lines) characters += line.size();
  Reserve(lines.size(), characters);
  for (const std::string& line : lines) push_back(line);
}

LineList LineList::FromText(std::string text) {
  LineList list;
  const auto breaks = static_cast<std::size_t>(
      std::count_if(text.begin(), text.end(), [](char c) { return c == '\n' || c == '\r'; }));
  list.ends_.reserve(breaks + 1);
  // Each line moves down over the line breaks before it, so the text is
  // rewritten in place from the front.
  std::size_t written = 0;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string::npos) end = text.size();
    if (written != start) std::memmove(text.data() + written, text.data() + start, end - start);
    written += end - start;
    list.ends_.push_back(written);
    start = end + 1;
    if (end < text.size() && text[end] == '\r' && start < text.size() && text[start] == '\n') {
      ++start;
    }
  }
  text.resize(written);
  list.text_ = std::move(text);
  return list;
}

void LineList::Reserve(std::size_t lines, std::size_t characters) {
  ends_.reserve(ends_.size() + lines);
  const std::size_t wanted = text_.size() + characters;
  if (wanted <= text_.capacity()) return;
  // std::string::reserve may double the capacity; a fresh string asked for
  // more than twice its capacity gets exactly what it asks for.
  std::string larger;
  larger.reserve(wanted);
  larger.append(text_);
  text_ = std::move(larger);
}

void LineList::push_back(std::string_view line) {
  if (text_.size() + line.size() <= text_.capacity()) {
    text_.append(line);
  } else {
    // Grows by half rather than doubling: a long list's buffer is most of
    // what a run holds. The old text goes only once the line is copied, for
    // the line may be one of this list's own.
    std::string larger;
    larger.reserve(text_.size() + std::max(line.size(), text_.capacity() / 2 + 64));
    larger.append(text_);
    larger.append(line);
    text_ = std::move(larger);
  }
  ends_.push_back(text_.size());
}

void LineList::Insert(std::size_t at, std::string_view line) {
  const std::size_t offset = at == 0 ? 0 : ends_[at - 1];
  text_.insert(offset, line);
  ends_.insert(ends_.begin() + static_cast<std::ptrdiff_t>(at), offset);
  for (std::size_t i = at; i < ends_.size(); ++i) ends_[i] += line.size();
}

void LineList::clear() {
  std::string().swap(text_);
  std::vector<std::size_t>().swap(ends_);
}

std::vector<std::string> LineList::ToStrings() const { return {begin(), end()}; }

bool operator==(const LineList& list, const std::vector<std::string>& lines) {
  return std::equal(list.begin(), list.end(), lines.begin(), lines.end());
}

}  // namespace kerbwise
