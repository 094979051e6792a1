#include "rules/list_entry.h"

#include "rules/integer_reader.h"
#include "rules/primitives.h"

namespace kerbwise {
namespace {

std::string_view WithoutLeadingBlanks(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  return first == std::string_view::npos ? std::string_view() : text.substr(first);
}

}  // namespace

ListLineParts SplitListLine(std::string_view line) {
  line = TrimControls(line);
  const std::size_t blank = line.find(' ');
  const std::optional<std::int32_t> number = ReadInteger(line.substr(0, blank));
  if (!number || *number < 0) return {std::nullopt, line};
  const std::string_view rest =
      blank == std::string_view::npos ? std::string_view() : line.substr(blank + 1);
  return {number, WithoutLeadingBlanks(rest)};
}

std::string ListEntryText(std::string_view line) {
  const std::string_view entry = SplitListLine(line).Entry;
  // Most entries hold no double blank: nothing to collapse.
  if (entry.find("  ") == std::string_view::npos) return std::string(entry);
  return SpaceCompress(entry);
}

}  // namespace kerbwise
