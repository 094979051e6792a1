#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace kerbwise {

// The object pane made ready for lookups: every line trimmed, and the line
// numbers of the router's show output removed. A numbered line keeps at most
// 256 characters after its number; a line of digits alone becomes empty. An
// empty pane gives one empty line.
std::vector<std::string> PrepareObjectList(const std::vector<std::string>& objectPane);

// The three kinds of object-group reference, each searched for among its own
// header lines. Network and service groups share one family: the reference
// " object-group NAME" names either.
enum class GroupFamily { Address, Port, NetworkService };

enum class GroupKind { Address, Port, Network, Service };

struct GroupHeader {
  std::size_t line = 0;  // index in the object list
  GroupKind kind = GroupKind::Address;
};

// Finds group definitions in an object list. The header lines of each family
// are indexed by name as the list is read, and the list is read only as far
// as a search needs, so a long object list is scanned once however many
// references search it.
// The name a group header line defines (in any of the four families, in
// configuration or show form); nullopt for a line that is no group header.
std::optional<std::string> GroupHeaderName(std::string_view line);

class GroupHeaderIndex {
 public:
  explicit GroupHeaderIndex(const std::vector<std::string>& objectList);

  // The first header of a `family` group called `name` below line `after`
  // (from the top when `after` is empty). Header lines are compared with
  // their blanks collapsed; names are compared exactly.
  std::optional<GroupHeader> Next(GroupFamily family, std::string_view name,
                                  std::optional<std::size_t> after);

 private:
  struct FamilyIndex {
    std::unordered_map<std::string, std::vector<GroupHeader>> byName;
    std::size_t scanned = 0;  // lines below this were read
  };

  const std::vector<std::string>& lines_;
  FamilyIndex families_[3];
};

}  // namespace kerbwise
