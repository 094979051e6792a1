#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace kerbwise {

// One object group used by the list: its name as referenced and the span of
// its definition in the used-object text taken as one text.
struct UsedGroup {
  std::string Name;
  std::int32_t StartPos = 0;  // where the group's header line starts
  std::int32_t EndPos = 0;    // where its definition ends; set by BuildObjectListing
};

// The definitions of every object group a normalisation run expanded, each
// group once, in the order they were recorded: an empty separator line before
// every group but the first, the header line, then each member line with one
// blank in front.
class UsedObjects {
 public:
  // Positions count the text as every line followed by CR LF.
  static constexpr std::size_t kLineBreakLength = 2;

  const std::vector<std::string>& UsdObjText() const { return text_; }
  const std::vector<UsedGroup>& UsdObjList() const { return records_; }
  std::size_t UsdObjCount() const { return records_.size(); }

  // The length of UsdObjText taken as one text.
  std::size_t TextLength() const { return textLength_; }

  // Whether `header` is already a header line of the text, compared without
  // regard to letter case.
  bool HasHeader(std::string_view header) const;

  // Starts the definition of a new group: the separator line when the text is
  // not empty, the record of `name` at the current end of the text, and the
  // header line.
  void BeginGroup(std::string_view name, std::string_view header);

  // Appends one member line of the group begun last, with one blank in front.
  void AppendMember(std::string_view member);

  void AddUsdObjN(UsedGroup record);

 private:
  void AppendLine(std::string line);

  std::vector<std::string> text_;
  std::vector<UsedGroup> records_;
  std::unordered_set<std::string> headers_;  // lower-case header lines
  std::size_t textLength_ = 0;
};

// What the Objects command shows: the records with their end positions,
// sorted by name, and the names in that order.
struct ObjectListing {
  std::vector<UsedGroup> Records;
  std::vector<std::string> Names;
};

// Sets each record's EndPos (the next record's StartPos minus 1, or the text
// length for the last one) in recording order, then orders the records by
// their names turned to capitals with a selection sort, so that records with
// equal keys come out exactly as the Objects window has always listed them.
ObjectListing BuildObjectListing(const UsedObjects& used);

}  // namespace kerbwise
