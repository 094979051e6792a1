#include "check/result_listing.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kerbwise {
namespace {

using Lines = std::vector<std::string>;

const Lines kList{" 10 permit ip any any", " 20 deny tcp any any", " 30 permit udp any any",
                  " 40 deny ip any any", " 50 permit icmp any any"};

TEST(ResultListing, MarkerThenTheListLineUnchanged) {
  EXPECT_EQ(ResultListing({"+2", "-5"}, kList),
            (Lines{"+  20 deny tcp any any", "-  50 permit icmp any any"}));
}

TEST(ResultListing, AnIndexOutsideTheListKeepsItsMarker) {
  EXPECT_EQ(ResultListing({"+0", "?9", "^x"}, kList), (Lines{"+ ", "? ", "^ "}));
}

TEST(ResultLegend, OnlyTheMarkersThatOccurInFixedOrder) {
  EXPECT_EQ(ResultLegend({"?3", "+1", "?4"}, false),
            (Lines{"", "----------------------", "+ permit", "? partial match of IP addresses"}));
  EXPECT_EQ(ResultLegend({".1", "^2", "-3"}, true),
            (Lines{"", "----------------------", "- deny", "^ совпадение неполным набором портов",
                   ". частичное совпадение адресов, неполный набор портов"}));
}

}  // namespace
}  // namespace kerbwise
