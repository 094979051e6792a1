// The packet-set engine against the brute-force oracle on thousands of small
// generated lists: which entries some packet reaches, and what a second list
// (an edit of the first, or another list) does differently.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "packet_oracle.h"
#include "packets/list_diff.h"
#include "packets/shadowed.h"

namespace kerbwise {
namespace {

using testing::OracleList;
using testing::OraclePacket;

OraclePacket AsOraclePacket(const Packet& packet) {
  return {packet.Protocol,   packet.Source,   packet.Destination,
          packet.SourcePort, packet.DestinationPort,
          packet.IcmpType,   packet.IcmpCode, static_cast<std::uint8_t>(packet.Tos >> 5),
          packet.Ttl,        (packet.TcpFlags & 0x14) != 0};
}

std::string Listing(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += "\n  " + line;
  return text;
}

void ExpectReachAgrees(const std::vector<std::string>& lines, const OracleList& list,
                       const std::vector<OraclePacket>& packets) {
  const ShadowReport report = FindShadowed(lines, {});
  ASSERT_FALSE(report.Error) << *report.Error;
  const std::vector<bool> reachable = testing::ReachableLines(list, lines.size(), packets);
  ASSERT_EQ(report.Rows.size(), list.size());
  for (const ShadowRow& row : report.Rows) {
    const bool matchesSome = std::any_of(packets.begin(), packets.end(), [&](const auto& packet) {
      return testing::EntryMatches(list[&row - report.Rows.data()].Record, packet);
    });
    const Reach expected = reachable[row.Index] ? Reach::Reachable
                           : matchesSome        ? Reach::Shadowed
                                                : Reach::MatchesNothing;
    EXPECT_EQ(row.State, expected) << "line " << row.Index << Listing(lines);
  }
}

void ExpectDiffAgrees(const std::vector<std::string>& oldLines,
                      const std::vector<std::string>& newLines, const OracleList& oldList,
                      const OracleList& newList, const std::vector<OraclePacket>& packets) {
  const ListDiff diff = DiffLists(oldLines, newLines, {});
  ASSERT_FALSE(diff.Error) << *diff.Error;
  const std::vector<OraclePacket> differing = testing::DifferingPackets(oldList, newList, packets);
  const std::string lists = Listing(oldLines) + "\nagainst" + Listing(newLines);
  ASSERT_EQ(diff.Same, differing.empty()) << lists;
  for (const OraclePacket& packet : differing) {
    const auto oldLine = testing::DecidingLine(oldList, packet);
    const auto newLine = testing::DecidingLine(newList, packet);
    if (!oldLine || !newLine) continue;
    const DecidingPair pair{*oldLine, *newLine};
    ASSERT_NE(std::find(diff.Pairs.begin(), diff.Pairs.end(), pair), diff.Pairs.end())
        << "pair " << *oldLine << ", " << *newLine << lists;
  }
  for (const auto* examples : {&diff.NewlyPermitted, &diff.NewlyDenied}) {
    for (const ExamplePacket& example : *examples) {
      const OraclePacket packet = AsOraclePacket(example.Raw);
      EXPECT_EQ(testing::DecidingLine(oldList, packet), example.OldEntry) << lists;
      EXPECT_EQ(testing::DecidingLine(newList, packet), example.NewEntry) << lists;
      EXPECT_EQ(testing::Permits(newList, packet), example.NewPermits) << lists;
      EXPECT_NE(example.OldPermits, example.NewPermits);
    }
  }
}

TEST(OracleAgreement, ReachAndDiffOnGeneratedSmallLists) {
  std::mt19937 random(20);
  int compared = 0;
  for (int round = 0; round < 2000; ++round) {
    const std::vector<std::string> oldLines = testing::SmallList(random, 1 + random() % 6);
    const std::vector<std::string> newLines = random() % 4 == 0
                                                  ? testing::SmallList(random, 1 + random() % 6)
                                                  : testing::EditedList(random, oldLines);
    const auto oldList = testing::ReadOracleList(oldLines);
    const auto newList = testing::ReadOracleList(newLines);
    ASSERT_TRUE(oldList && newList) << Listing(oldLines) << Listing(newLines);
    const auto packets = testing::CellPackets({&*oldList, &*newList});
    if (!packets) continue;
    ++compared;
    ExpectReachAgrees(oldLines, *oldList, *packets);
    ExpectDiffAgrees(oldLines, newLines, *oldList, *newList, *packets);
    if (HasFatalFailure() || HasFailure()) return;
  }
  // The generator keeps almost every pair within the oracle's reach.
  EXPECT_GT(compared, 1900);
}

}  // namespace
}  // namespace kerbwise
