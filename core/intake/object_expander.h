#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "intake/object_error.h"
#include "intake/object_list.h"
#include "intake/used_objects.h"
#include "rules/check_options.h"

namespace kerbwise {

struct LineExpansion {
  enum class Outcome { NoReference, Expanded, Failed };
  Outcome outcome = Outcome::NoReference;
  std::vector<std::string> Lines;  // Expanded: the entries, blanks collapsed
  ObjectError Failure;             // Failed
};

// Replaces the object-group references of list entries by the members of the
// groups, and records every group it used. One expander serves one
// normalisation run: it keeps the object list, its header index and the
// used-object data of that run.
class ObjectExpander {
 public:
  ObjectExpander(const std::vector<std::string>& objectPane, MaskForm maskType);
  ObjectExpander(const ObjectExpander&) = delete;
  ObjectExpander& operator=(const ObjectExpander&) = delete;

  // Expands every reference of one trimmed entry. Address-group references go
  // first, then network and service groups, then port groups; the result is
  // ordered by the members of the first reference, then of the next.
  LineExpansion ExpandLine(std::string_view line);

  // Whether the objects define a service group called `name`.
  bool DefinesServiceGroup(std::string_view name);

  // Whether a group member was put into an entry; a group of descriptions
  // alone puts none.
  bool MembersExpanded() const { return membersExpanded_; }
  const UsedObjects& Used() const { return used_; }
  // Hands over the used-object data at the end of a run.
  UsedObjects TakeUsed() { return std::move(used_); }

 private:
  // An entry split around one reference: Before ends before the blank that
  // opens it, After starts right after the group's name.
  struct SplitEntry {
    std::string Before;
    std::string Name;
    std::string After;
  };

  struct FoundReference {
    GroupFamily family;
    SplitEntry split;
  };

  // An entry waiting in ExpandLine's queue, and how many expansions made it.
  struct QueuedEntry {
    std::string text;
    std::size_t passes;
  };

  // What ExpandObjGroup gives back for one network or service group.
  struct GroupLines {
    std::vector<std::string> Lines;
    bool Found = false;
    std::optional<ObjectError> Failure;  // a failure that ends the run at once
  };

  static std::optional<FoundReference> FindFirstReference(const std::string& entry);
  std::optional<ObjectError> ExpandSimpleGroup(GroupFamily family, const SplitEntry& entry,
                                               std::vector<std::string>& out);
  std::optional<ObjectError> ExpandTopObjectGroup(const SplitEntry& entry,
                                                  std::vector<std::string>& out);
  GroupLines ExpandObjGroup(const SplitEntry& entry);
  bool ReadNetworkGroup(const SplitEntry& entry, std::size_t headerLine, GroupLines& result,
                        std::vector<std::string>& definition);
  bool ReadServiceGroup(const SplitEntry& entry, std::size_t headerLine, GroupLines& result,
                        std::vector<std::string>& definition);
  // A "group-object" member: false when reading must stop.
  bool ExpandNestedGroup(const SplitEntry& entry, std::string_view member, GroupLines& result);

  std::vector<std::string> objects_;
  GroupHeaderIndex index_;
  MaskForm maskType_;
  bool membersExpanded_ = false;
  unsigned recursion_ = 0;  // group-object lines met in the current reference
  UsedObjects used_;
};

}  // namespace kerbwise
