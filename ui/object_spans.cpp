#include "object_spans.h"

#include <QString>
#include <QTextBlock>
#include <QTextDocument>
#include <algorithm>
#include <cstddef>

#include "intake/used_objects.h"

namespace kerbwise::ui {
namespace {

bool IsContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// Where a byte offset falls: its line and the bytes before it in that line.
struct LinePoint {
  std::size_t Line = 0;
  std::size_t Bytes = 0;
};

LinePoint ToLinePoint(const std::vector<std::string>& lines, std::int64_t offset) {
  offset = std::max<std::int64_t>(offset, 0);
  std::int64_t lineStart = 0;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const auto lineBytes = static_cast<std::int64_t>(lines[i].size());
    const std::int64_t next = lineStart + lineBytes + std::int64_t{UsedObjects::kLineBreakLength};
    if (offset < next || i + 1 == lines.size()) {
      return {i, static_cast<std::size_t>(std::min(offset - lineStart, lineBytes))};
    }
    lineStart = next;
  }
  return {};
}

int ToPanePosition(const QTextDocument& document, const std::vector<std::string>& lines,
                   std::int64_t offset) {
  if (lines.empty()) return 0;
  const LinePoint point = ToLinePoint(lines, offset);
  const QTextBlock block = document.findBlockByNumber(static_cast<int>(point.Line));
  if (!block.isValid()) return std::max(0, document.characterCount() - 1);
  const std::string& line = lines[point.Line];
  std::size_t bytes = point.Bytes;
  while (bytes > 0 && bytes < line.size() && IsContinuationByte(line[bytes])) --bytes;
  const QString before = QString::fromUtf8(line.data(), static_cast<qsizetype>(bytes));
  return block.position() +
         static_cast<int>(std::min<qsizetype>(before.size(), block.length() - 1));
}

}  // namespace

PaneSpan ToPaneSpan(const QTextDocument& document, const std::vector<std::string>& lines,
                    std::int64_t start, std::int64_t end) {
  PaneSpan span{ToPanePosition(document, lines, start), ToPanePosition(document, lines, end)};
  span.End = std::max(span.End, span.Start);
  return span;
}

}  // namespace kerbwise::ui
