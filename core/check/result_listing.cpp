#include "check/result_listing.h"

#include <array>
#include <string_view>

#include "rules/integer_reader.h"

namespace kerbwise {
namespace {

struct LegendLine {
  char Marker;
  std::string_view English;
  std::string_view Russian;
};

constexpr std::array<LegendLine, 5> kLegend{{
    {'+', "+ permit", "+ permit"},
    {'-', "- deny", "- deny"},
    {'?', "? partial match of IP addresses", "? частичное совпадение IP адресов"},
    {'^', "^ incomplete set of ports", "^ совпадение неполным набором портов"},
    {'.', ". partial match of IP addresses, incomplete set of ports",
     ". частичное совпадение адресов, неполный набор портов"},
}};

}  // namespace

std::vector<std::string> ResultListing(const std::vector<std::string>& markerList,
                                       const std::vector<std::string>& listLines) {
  std::vector<std::string> lines;
  lines.reserve(markerList.size());
  for (const std::string& entry : markerList) {
    if (entry.empty()) continue;
    std::string line{entry.front(), ' '};
    const std::optional<std::int32_t> index = ReadInteger(std::string_view(entry).substr(1));
    if (index && *index >= 1 && static_cast<std::size_t>(*index) <= listLines.size()) {
      line += listLines[static_cast<std::size_t>(*index) - 1];
    }
    lines.push_back(std::move(line));
  }
  return lines;
}

std::vector<std::string> ResultLegend(const std::vector<std::string>& markerList, bool russian) {
  std::vector<std::string> lines{"", "----------------------"};
  for (const LegendLine& legend : kLegend) {
    for (const std::string& entry : markerList) {
      if (!entry.empty() && entry.front() == legend.Marker) {
        lines.emplace_back(russian ? legend.Russian : legend.English);
        break;
      }
    }
  }
  return lines;
}

}  // namespace kerbwise
