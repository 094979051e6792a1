#include "reference/names_reference.h"

#include <algorithm>
#include <cstdint>

#include "rules/integer_reader.h"
#include "rules/primitives.h"

namespace kerbwise {
namespace {

// Narrower columns would not hold their headers.
constexpr std::size_t kMinPortWidth = 9;
constexpr std::size_t kMinIcmpNameWidth = 5;
// The type column: up to three digits and the blanks before the code.
constexpr std::size_t kTypeWidth = 5;

std::string Blanks(std::size_t count) { return std::string(count, ' '); }

// `text` followed by blanks up to `width` characters, and at least `minimum`.
std::string PadRight(std::string_view text, std::size_t width, std::size_t minimum = 0) {
  std::string padded(text);
  padded += Blanks(std::max(minimum, width > text.size() ? width - text.size() : 0));
  return padded;
}

// Name, blanks and number together `width` characters long.
std::size_t PortWidth(std::span<const NameEntry> table) {
  std::size_t width = kMinPortWidth;
  for (const NameEntry& entry : table) {
    width = std::max(width, entry.name.size() + 1 + entry.value.size());
  }
  return width;
}

void AppendPortSection(std::string_view protocol, std::span<const NameEntry> table,
                       std::vector<std::string>& lines) {
  const std::size_t width = PortWidth(table);
  std::vector<NameEntry> sorted(table.begin(), table.end());
  // A shorter name sorts before the longer names it begins, as its row's
  // blank would sort before their next letter.
  std::stable_sort(sorted.begin(), sorted.end(), [](const NameEntry& a, const NameEntry& b) {
    return ToLowerAscii(a.name) < ToLowerAscii(b.name);
  });

  lines.push_back("Alias" + Blanks(width - 4) + "Num");
  lines.push_back("----" + std::string(width, '-'));
  for (const NameEntry& entry : sorted) {
    std::string row(protocol);
    row += ' ';
    row += PadRight(entry.name, width - entry.value.size(), 1);
    row += entry.value;
    lines.push_back(std::move(row));
  }
  lines.emplace_back();
}

void AppendIcmpSection(std::span<const NameEntry> table, std::vector<std::string>& lines) {
  std::size_t width = kMinIcmpNameWidth;
  for (const NameEntry& entry : table) width = std::max(width, entry.name.size());

  lines.push_back("Alias" + Blanks(width + 1) + "Type Code");
  lines.push_back(std::string(width + 15, '-'));
  for (const NameEntry& entry : table) {
    std::string row = "ICMP ";
    row += PadRight(entry.name, width + 1);
    const std::int32_t value = ReadIntDefault(entry.value, 0);
    if (value < 256) {
      row += PadRight(entry.value, kTypeWidth);
      row += '-';
    } else {
      row += PadRight(std::to_string(value / 256), kTypeWidth);
      row += std::to_string(value % 256);
    }
    lines.push_back(std::move(row));
  }
}

}  // namespace

std::vector<std::string> NamesReference() {
  return NamesReference(TcpPortNames(), UdpPortNames(), IcmpMessageNames());
}

std::vector<std::string> NamesReference(std::span<const NameEntry> tcpPorts,
                                        std::span<const NameEntry> udpPorts,
                                        std::span<const NameEntry> icmpMessages) {
  std::vector<std::string> lines;
  lines.reserve(tcpPorts.size() + udpPorts.size() + icmpMessages.size() + 8);
  AppendPortSection("TCP", tcpPorts, lines);
  AppendPortSection("UDP", udpPorts, lines);
  AppendIcmpSection(icmpMessages, lines);
  return lines;
}

}  // namespace kerbwise
