#include "intake/used_objects.h"

#include <gtest/gtest.h>

#include "intake/acl_header.h"

namespace kerbwise {
namespace {

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
  EXPECT_EQ(used.UsdObjList()[1].StartPos, 25 + 2 + 13 + 2 + 2);
  EXPECT_EQ(used.TextLength(), std::size_t{(27 + 15) + 2 + (28 + 15) + 2 + (27 + 15)});

  const ObjectListing listing = BuildObjectListing(used);
  EXPECT_EQ(listing.Names, std::vector<std::string>({"Alpha", "beta", "zeta"}));
  const TUsdObj& alpha = listing.Records[0];
  const TUsdObj& beta = listing.Records[1];
  const TUsdObj& zeta = listing.Records[2];
  EXPECT_EQ(zeta.EndPos, alpha.StartPos - 1);
  EXPECT_EQ(alpha.EndPos, beta.StartPos - 1);
  EXPECT_EQ(beta.EndPos, static_cast<std::int32_t>(used.TextLength()));
}

TEST(ObjectListing, EqualKeysFollowTheSelectionSort) {
  // Selection by exchange moves the first "B" behind the second.
  const ObjectListing listing = BuildObjectListing(Record({"B", "b", "A"}));
  EXPECT_EQ(listing.Names, std::vector<std::string>({"A", "b", "B"}));
}

TEST(ObjectListing, HeadersAreMatchedWithoutCase) {
  const UsedObjects used = Record({"Web"});
  EXPECT_TRUE(used.HasHeader("OBJECT-GROUP NETWORK WEB"));
  EXPECT_FALSE(used.HasHeader("object-group network Web2"));
}

TEST(NameCopy, CommandsInBothLanguages) {
  const auto english = NameCopyCommands("WEB-IN", false);
  EXPECT_EQ(english[0].Text, "WEB-IN");
  EXPECT_EQ(english[1].Text, "ip access-list WEB-IN");
  EXPECT_EQ(english[2].Text, "ip access-list extended WEB-IN");
  EXPECT_EQ(english[2].Caption, "Copy \"ip access-list extended WEB-IN\"");
  EXPECT_EQ(NameCopyCommands("WEB-IN", true)[0].Caption, "Скопировать \"WEB-IN\"");
}

}  // namespace
}  // namespace kerbwise
