#include "packets_report.h"

#include <nlohmann/json.hpp>
#include <ostream>

#include "command.h"
#include "rules/list_entry.h"
#include "rules/primitives.h"

namespace kerbwise::cli {

std::string ListedText(const std::string& line) { return EscapeForLine(TrimControls(line)); }

std::string IndexedLine(std::size_t index, const std::vector<std::string>& lines) {
  std::string number = std::to_string(index + 1);
  const std::size_t width = std::to_string(lines.size()).size();
  if (number.size() < width) number.insert(0, width - number.size(), '0');
  return number + ": " + ListedText(lines[index]);
}

Json EntryJson(std::size_t index, const std::vector<std::string>& lines) {
  const ListLineParts parts = SplitListLine(lines[index]);
  return Json{
      {"entry", index + 1},
      {"sequence", parts.Number ? Json(*parts.Number) : Json(nullptr)},
      {"text", std::string(TrimControls(lines[index]))},
      {"action", !parts.Entry.empty() && (parts.Entry[0] | 0x20) == 'p' ? "permit" : "deny"}};
}

void WriteRunError(std::ostream& err, const std::string& message) {
  err << kProgramName << ": ";
  std::size_t from = 0;
  for (std::size_t at; (at = message.find("\r\n", from)) != std::string::npos; from = at + 2) {
    err << EscapeForLine(std::string_view(message).substr(from, at - from)) << "\n  ";
  }
  err << EscapeForLine(std::string_view(message).substr(from)) << '\n';
}

}  // namespace kerbwise::cli
