// Entries no packet reaches and entries that can go: the known cases, and on
// generated lists the removable set held against the brute-force oracle.
#include "packets/shadowed.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "list_oracle.h"
#include "packets/packet_worker.h"
#include "packets/removable.h"

namespace kerbwise {
namespace {

using Lines = std::vector<std::string>;

Lines Numbered(const Lines& entries) {
  Lines lines;
  for (std::size_t k = 0; k < entries.size(); ++k) {
    lines.push_back(std::to_string((k + 1) * 10) + " " + entries[k]);
  }
  return lines;
}

ShadowReport Shadowed(const Lines& entries) {
  ShadowReport report = FindShadowed(Numbered(entries), {});
  EXPECT_FALSE(report.Error) << *report.Error;
  return report;
}

RemovableReport Removable(const Lines& entries) {
  RemovableReport report = FindRemovable(Numbered(entries), {});
  EXPECT_FALSE(report.Error) << *report.Error;
  return report;
}

using Indexes = std::vector<std::size_t>;
// A report's rows as "entry: state", a shadowed one with its covering
// entries in the report's order and "!" for a conflict.
Lines Rows(const ShadowReport& report) {
  Lines rows;
  for (const ShadowRow& row : report.Rows) {
    std::string text = std::to_string(row.Index) + ": ";
    if (row.State == Reach::Reachable) text += "reached";
    if (row.State == Reach::MatchesNothing) text += "nothing";
    if (row.State == Reach::Shadowed) text += "by";
    for (std::size_t cover : row.CoveredBy) text += " " + std::to_string(cover);
    rows.push_back(text + (row.Conflict ? " !" : ""));
  }
  return rows;
}

TEST(FindShadowed, KnownCases) {
  // The third entry is taken only by the first two together; 10.0.1.x gets
  // through the fourth.
  EXPECT_EQ(
      Rows(Shadowed({"permit tcp 10.0.0.0 0.0.0.127 any", "permit tcp 10.0.0.128 0.0.0.127 any",
                     "deny tcp 10.0.0.0 0.0.0.255 any eq 80",
                     "deny tcp 10.0.0.0 0.0.1.255 any eq 80"})),
      Lines({"0: reached", "1: reached", "2: by 0 1 !", "3: reached"}));
  // The deny alone holds the third entry; remarks get no row; identical
  // entries of the same action are no conflict.
  EXPECT_EQ(Rows(Shadowed({"permit udp any any eq 53", "deny udp host 10.0.0.1 any",
                           "permit udp host 10.0.0.1 any range 1 1000", "remark one exception",
                           "permit tcp any any", "permit tcp any host 10.9.9.9 eq 80",
                           "permit tcp any host 10.9.9.9 eq 80"})),
            Lines({"0: reached", "1: reached", "2: by 1 !", "4: reached", "5: by 4", "6: by 4"}));
  // An entry that matches nothing (every TTL excluded).
  std::string everyTtl = "permit ip any any ttl neq";
  for (int ttl = 0; ttl <= 255; ++ttl) everyTtl += " " + std::to_string(ttl);
  EXPECT_EQ(Rows(Shadowed({"deny ip host 10.0.0.1 any", everyTtl})),
            Lines({"0: reached", "1: nothing"}));
}

// The one entry that holds it all is not of the opposite action, yet an
// earlier exception decides some packets otherwise: both are named.
TEST(FindShadowed, AConflictNamesTheOppositeEntryBesideTheLargestCover) {
  std::vector<int> percents;
  const ShadowReport report = FindShadowed(
      Numbered({"permit tcp host 10.0.0.1 any eq 80", "deny tcp 10.0.0.0 0.0.0.255 any",
                "deny tcp 10.0.0.0 0.0.0.255 any eq 80"}),
      {}, [&percents](int percent) { percents.push_back(percent); });
  EXPECT_EQ(Rows(report), Lines({"0: reached", "1: reached", "2: by 1 0 !"}));
  ASSERT_FALSE(percents.empty());
  EXPECT_TRUE(std::is_sorted(percents.begin(), percents.end()));
  EXPECT_EQ(percents.back(), 100);
}

TEST(FindShadowed, TheFirstLineThatCannotBeReadEndsTheRun) {
  const Lines lines = {"10 permit ip any any", "20 permit tcp any any eq 99999",
                       "30 this is no entry"};
  const ShadowReport report = FindShadowed(lines, {});
  ASSERT_TRUE(report.Error);
  EXPECT_TRUE(report.Error->starts_with("Line: 20 permit tcp any any eq 99999: ")) << *report.Error;
  EXPECT_TRUE(report.Rows.empty());
  CheckOptions russian;
  russian.TextLanguage = Language::Russian;
  EXPECT_EQ(FindRemovable({"30 this is no entry"}, russian).Error,
            "Строка: 30 this is no entry: ACL не опознан");
}

TEST(FindShadowed, TheSizeCapEndsTheRunWithAMessage) {
  PacketWorker& worker = PacketWorker::Shared();
  const std::size_t saved = worker.MaxNodes();
  worker.SetMaxNodes(2000);
  // The last entry is taken from piece by piece, each piece leaving a new
  // corner in the diagram of what is left.
  Lines entries;
  for (int k = 0; k < 128; ++k) {
    entries.push_back("permit tcp host 10.0." + std::to_string(k) + ".1 any eq " +
                      std::to_string(k + 1));
  }
  entries.push_back("permit tcp 10.0.0.0 0.0.255.255 any");
  entries.push_back("deny tcp 10.0.0.0 0.0.127.255 any");
  const ShadowReport report = FindShadowed(Numbered(entries), {});
  worker.SetMaxNodes(saved);
  EXPECT_EQ(report.Error, "The packet sets grew past 2000 diagram nodes; the run was stopped");
}

TEST(FindRemovable, KnownCases) {
  // Of identical entries one stays; an entry a later one of the same action
  // takes over goes, unless an entry between decides otherwise; the closing
  // deny stays.
  const RemovableReport report = Removable({
      "permit tcp host 10.0.0.1 any eq 80",  // 0: 2 takes it over
      "permit tcp host 10.0.0.2 any eq 22",  // 1: 3 stands between it and 4
      "permit tcp 10.0.0.0 0.0.0.1 any",     // 2
      "deny tcp any any eq 22",              // 3
      "permit tcp 10.0.0.0 0.0.0.255 any",   // 4
      "permit tcp 10.0.0.0 0.0.0.255 any",   // 5: identical to 4
      "deny udp any any",                    // 6: the closing deny does the same
      "deny ip any any log",                 // 7
  });
  EXPECT_EQ(report.Indexes, (Indexes{0, 5, 6}));
  EXPECT_EQ(report.Commands,
            (Lines{"no permit tcp host 10.0.0.1 any eq 80", "no permit tcp 10.0.0.0 0.0.0.255 any",
                   "no deny udp any any"}));
  EXPECT_FALSE(report.ZeroNumberedSkipped);
  // A permit whose packets would fall to the implicit deny stays; a deny
  // whose packets would goes.
  EXPECT_TRUE(Removable({"permit ip any any", "deny ip any any"}).Indexes.empty());
  EXPECT_EQ(Removable({"permit tcp any any eq 80", "deny tcp host 10.0.0.1 any eq 22"}).Indexes,
            (Indexes{1}));
  // A lone closing deny is never offered, even shadowed.
  EXPECT_EQ(Removable({"deny ip any any", "deny ip any any"}).Indexes, (Indexes{0}));
}

TEST(FindRemovable, EntriesFromAnObjectGroupLineGetNoCommand) {
  const RemovableReport report =
      FindRemovable({"10 permit tcp any any", "020 permit tcp host 10.0.0.1 any",
                     "020 permit tcp host 10.0.0.2 any", "30 permit tcp host 10.0.0.3 any"},
                    {});
  EXPECT_EQ(report.Indexes, (Indexes{3}));
  EXPECT_EQ(report.Commands, (Lines{"no permit tcp host 10.0.0.3 any"}));
  EXPECT_TRUE(report.ZeroNumberedSkipped);
}

// On generated lists: the list without the removable entries decides every
// packet as before, and every entry no packet reaches is among them unless it
// is the closing deny.
TEST(FindRemovable, TheListWithoutThemDoesTheSameOnGeneratedLists) {
  std::mt19937 random(31);
  int compared = 0, removed = 0;
  for (int round = 0; round < 1000; ++round) {
    const Lines lines = testing::SmallList(random, 2 + random() % 7);
    const RemovableReport report = FindRemovable(lines, {});
    const auto list = testing::ReadOracleList(lines);
    // Both refuse a line they cannot read.
    ASSERT_EQ(report.Error.has_value(), !list) << ::testing::PrintToString(lines);
    if (!list) continue;
    Lines kept;
    for (std::size_t k = 0; k < lines.size(); ++k) {
      if (!std::binary_search(report.Indexes.begin(), report.Indexes.end(), k)) {
        kept.push_back(lines[k]);
      }
    }
    const auto rest = testing::ReadOracleList(kept);
    ASSERT_TRUE(rest);
    const auto packets = testing::CellPackets({&*list});
    if (!packets) continue;
    ++compared;
    removed += static_cast<int>(report.Indexes.size());
    for (const testing::OraclePacket& packet : *packets) {
      ASSERT_EQ(testing::Permits(*list, packet), testing::Permits(*rest, packet))
          << ::testing::PrintToString(lines);
    }
    const std::vector<bool> reachable = testing::ReachableLines(*list, lines.size(), *packets);
    for (std::size_t k = 0; k + 1 < lines.size(); ++k) {
      if (reachable[k]) continue;
      EXPECT_TRUE(std::binary_search(report.Indexes.begin(), report.Indexes.end(), k))
          << k << ::testing::PrintToString(lines);
    }
  }
  EXPECT_GT(compared, 900);
  EXPECT_GT(removed, 700);
}

}  // namespace
}  // namespace kerbwise
