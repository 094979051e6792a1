#include "intake/used_objects.h"

#include <gtest/gtest.h>

namespace kerbwise {
namespace {

using Lines = std::vector<std::string>;

UsedObjects Record(const std::vector<std::string>& names) {
  UsedObjects used;
  for (const std::string& name : names) {
    used.BeginGroup(name, "object-group network " + name);
    used.AppendMember("host 1.1.1.1");
  }
  return used;
}

TEST(ObjectListing, SortsByCapitalisedNameWithSpans) {
  const UsedObjects used = Record({"zeta", "Alpha", "beta"});
  // Every line counts with its CR LF: header (21 + name), member (13), separator.
  EXPECT_EQ(used.TextLength(), std::size_t{(27 + 15) + 2 + (28 + 15) + 2 + (27 + 15)});

  const ObjectListing listing = BuildObjectListing(used);
  EXPECT_EQ(listing.Names, Lines({"Alpha", "beta", "zeta"}));
  const std::vector<UsedGroup>& records = listing.Records;  // Alpha, beta, zeta
  EXPECT_EQ(records[2].EndPos, records[0].StartPos - 1);
  EXPECT_EQ(records[0].EndPos, records[1].StartPos - 1);
  EXPECT_EQ(records[1].EndPos, static_cast<std::int32_t>(used.TextLength()));
  // Selection by exchange moves the first "B" behind the second.
  EXPECT_EQ(BuildObjectListing(Record({"B", "b", "A"})).Names, Lines({"A", "b", "B"}));
  // Headers are matched without case.
  EXPECT_TRUE(used.HasHeader("OBJECT-GROUP NETWORK ALPHA"));
  EXPECT_FALSE(used.HasHeader("object-group network Alpha2"));
}

}  // namespace
}  // namespace kerbwise
