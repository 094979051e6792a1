#include "intake/object_list.h"

#include <algorithm>
#include <array>

#include "rules/primitives.h"

namespace kerbwise {

namespace {

constexpr std::size_t kMaxNumberedLineLength = 256;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string PrepareObjectLine(std::string_view raw) {
  const std::string_view line = TrimControls(raw);
  std::size_t digits = 0;
  while (digits < line.size() && IsDigit(line[digits])) ++digits;
  if (digits == 0) return std::string(line);
  if (digits == line.size()) return std::string();
  if (line[digits] != ' ') return std::string(line);
  std::size_t start = digits;
  while (start < line.size() && line[start] == ' ') ++start;
  return std::string(line.substr(start, kMaxNumberedLineLength));
}

struct HeaderForm {
  std::string_view prefix;
  GroupFamily family;
  GroupKind kind;
};

constexpr std::array<HeaderForm, 9> kHeaderForms = {{
    {"object-group ip address ", GroupFamily::Address, GroupKind::Address},
    {"IP address object group ", GroupFamily::Address, GroupKind::Address},
    {"object-group ip port ", GroupFamily::Port, GroupKind::Port},
    {"Protocol port object group ", GroupFamily::Port, GroupKind::Port},
    {"Protocol port object-group ", GroupFamily::Port, GroupKind::Port},
    {"object-group network ", GroupFamily::NetworkService, GroupKind::Network},
    {"Network object group ", GroupFamily::NetworkService, GroupKind::Network},
    {"object-group service ", GroupFamily::NetworkService, GroupKind::Service},
    {"Service object group ", GroupFamily::NetworkService, GroupKind::Service},
}};

}  // namespace

std::vector<std::string> PrepareObjectList(const std::vector<std::string>& objectPane) {
  std::vector<std::string> list;
  list.reserve(std::max<std::size_t>(objectPane.size(), 1));
  for (const std::string& line : objectPane) list.push_back(PrepareObjectLine(line));
  if (list.empty()) list.emplace_back();
  return list;
}

std::optional<std::string> GroupHeaderName(std::string_view raw) {
  // Every header form holds "object"; most lines of a paste do not.
  if (raw.find("object") == std::string_view::npos) return std::nullopt;
  const std::string line = SpaceCompress(TrimControls(raw));
  for (const HeaderForm& form : kHeaderForms) {
    if (line.size() > form.prefix.size() && line.compare(0, form.prefix.size(), form.prefix) == 0)
      return line.substr(form.prefix.size());
  }
  return std::nullopt;
}

GroupHeaderIndex::GroupHeaderIndex(const std::vector<std::string>& objectList)
    : lines_(objectList) {}

std::optional<GroupHeader> GroupHeaderIndex::Next(GroupFamily family, std::string_view name,
                                                  std::optional<std::size_t> after) {
  FamilyIndex& index = families_[static_cast<int>(family)];
  const auto below = [&](const GroupHeader& header) { return !after || header.line > *after; };

  const std::string key(name);
  if (auto known = index.byName.find(key); known != index.byName.end()) {
    const auto hit = std::find_if(known->second.begin(), known->second.end(), below);
    if (hit != known->second.end()) return *hit;
  }

  while (index.scanned < lines_.size()) {
    const std::string& raw = lines_[index.scanned++];
    if (raw.empty()) continue;
    // A router prompt is never an address-group header.
    if (family == GroupFamily::Address && raw.find('#') != std::string::npos) continue;
    const std::string line = SpaceCompress(raw);
    for (const HeaderForm& form : kHeaderForms) {
      if (form.family != family || line.compare(0, form.prefix.size(), form.prefix) != 0) {
        continue;
      }
      const GroupHeader header{index.scanned - 1, form.kind};
      const std::string headerName = line.substr(form.prefix.size());
      index.byName[headerName].push_back(header);
      if (headerName == name && below(header)) return header;
      break;
    }
  }
  return std::nullopt;
}

}  // namespace kerbwise
