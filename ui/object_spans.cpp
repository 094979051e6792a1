#include "object_spans.h"

#include <QString>
#include <algorithm>

#include "intake/used_objects.h"

namespace kerbwise::ui {
namespace {

bool IsContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

int PaneLength(const std::string& line, std::size_t bytes) {
  while (bytes > 0 && bytes < line.size() && IsContinuationByte(line[bytes])) --bytes;
  return static_cast<int>(QString::fromUtf8(line.data(), static_cast<qsizetype>(bytes)).size());
}

int ToPanePosition(const std::vector<std::string>& lines, std::int64_t offset) {
  offset = std::max<std::int64_t>(offset, 0);
  std::int64_t lineStart = 0;
  int panePosition = 0;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    const auto lineBytes = static_cast<std::int64_t>(line.size());
    const std::int64_t next = lineStart + lineBytes + std::int64_t{UsedObjects::kLineBreakLength};
    if (offset < next || i + 1 == lines.size()) {
      const auto inLine = static_cast<std::size_t>(std::min(offset - lineStart, lineBytes));
      return panePosition + PaneLength(line, inLine);
    }
    panePosition += PaneLength(line, line.size()) + 1;
    lineStart = next;
  }
  return panePosition;
}

}  // namespace

PaneSpan ToPaneSpan(const std::vector<std::string>& lines, std::int64_t start, std::int64_t end) {
  PaneSpan span{ToPanePosition(lines, start), ToPanePosition(lines, end)};
  span.End = std::max(span.End, span.Start);
  return span;
}

}  // namespace kerbwise::ui
