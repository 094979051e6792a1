// Sets of packets field by field, the worker's size cap, and the set of an
// entry held against the full match on generated pairs of entries.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "check/check_for_match.h"
#include "list_oracle.h"
#include "packets/entry_set.h"
#include "packets/meeting_index.h"
#include "packets/packet_worker.h"
#include "rules/line_recognizer.h"
#include "rules/list_entry.h"
#include "synthetic_acl.h"

namespace kerbwise {
namespace {

template <class Job>
auto OnWorker(Job job) {
  return PacketWorker::Shared().Run(std::move(job)).get();
}

constexpr std::uint32_t Address(unsigned a, unsigned b, unsigned c, unsigned d) {
  return a << 24 | b << 16 | c << 8 | d;
}

TEST(PacketSet, FieldsHoldExactlyTheirValues) {
  OnWorker([] {
    // 10.x.0.y: a mask with a hole in it.
    const PacketSet source =
        FieldBits(PacketField::Source, Address(10, 0, 0, 0), Address(255, 0, 255, 0));
    Packet packet;
    packet.Source = Address(10, 77, 0, 9);
    EXPECT_TRUE(source.Holds(packet));
    packet.Source = Address(10, 77, 1, 9);
    EXPECT_FALSE(source.Holds(packet));

    const PacketSet ports = FieldRange(PacketField::DestinationPort, 1000, 2000);
    for (const auto& [port, inside] :
         {std::pair{999, false}, {1000, true}, {1500, true}, {2000, true}, {2001, false}}) {
      packet.DestinationPort = static_cast<std::uint16_t>(port);
      EXPECT_EQ(ports.Holds(packet), inside) << port;
    }
    EXPECT_EQ(ports.Size(), 1001 * std::pow(2.0, 159 - 16));
    EXPECT_TRUE(FieldRange(PacketField::Ttl, 9, 3).Empty());
    EXPECT_EQ(FieldRange(PacketField::Ttl, 0, 255), PacketSet::All());

    // Examples lie in the set; the lowest is the lowest corner.
    const PacketSet both = source & ports;
    EXPECT_EQ(both.Example()->DestinationPort, 1000);
    EXPECT_EQ(both.Example()->Source, Address(10, 0, 0, 0));
    for (std::uint64_t seed = 1; seed < 20; ++seed) EXPECT_TRUE(both.Holds(*both.Example(seed)));
    EXPECT_FALSE(PacketSet().Example());

    const PacketSet one = PacketSet::Of(packet);
    EXPECT_EQ(one.Size(), 1.0);
    EXPECT_EQ(*one.Example(), packet);
    EXPECT_TRUE((one | ports).Contains(one));
    EXPECT_TRUE((ports - one).Meets(ports));
    EXPECT_FALSE((ports - one).Meets(one));
  });
}

TEST(PacketWorker, AFailedJobEndsInItsFutureAndTheNextRuns) {
  PacketWorker& worker = PacketWorker::Shared();
  const std::size_t saved = worker.MaxNodes();
  worker.SetMaxNodes(5000);
  // Every source a host of its own, all different: thousands of nodes.
  auto many = worker.Run([] {
    PacketSet hosts;
    for (std::uint32_t k = 0; k < 2000; ++k) {
      hosts |= FieldBits(PacketField::Source, k * 2654435761u, ~0u);
    }
    return hosts.Nodes();
  });
  EXPECT_THROW(many.get(), PacketSetTooLarge);
  worker.SetMaxNodes(saved);
  // Any other exception of a job reaches its future too.
  EXPECT_THROW(worker.Run([]() -> int { throw std::invalid_argument("no"); }).get(),
               std::invalid_argument);
  EXPECT_EQ(OnWorker([] { return (PacketSet::All() - PacketSet()).Size() > 0; }), true);
}

// The lines that are readable rule entries, compiled (and, when asked,
// recognised into `kept`); the others are dropped.
CompiledEntries Compile(std::vector<std::string>& lines, LineRecognizer& recognizer,
                        std::vector<RecognisedLine>* kept = nullptr) {
  CompiledEntries all, rules;
  std::erase_if(lines, [&](const std::string& line) {
    const RecognisedLine recognised = RecogniseLine(ListEntryText(line), {}, recognizer);
    const CompiledEntry& entry = all[all.Add(*recognised.Expr, recognised.ParameterError)];
    if (entry.Kind != EntryKind::Rule || !entry.Clean) return true;
    rules.Add(*recognised.Expr, recognised.ParameterError);
    if (kept) kept->push_back(recognised);
    return false;
  });
  return rules;
}

// Where a full match says Covered the sets nest, and the other way round.
// The generators write no entry where the two may part (the sets then nest
// and the full match says no): a port or TTL condition that lets every value
// through ("range 0 65535") over an entry without one, and an entry that
// matches no packet, whose empty set lies inside every other;
// the lines come from both generators: the small pools the oracle uses and
// the realistic mixture. Entries matched against packets without diagrams
// agree with the diagrams, on packets picked from each entry.
TEST(EntrySet, NestsExactlyWhereTheFullMatchCovers) {
  std::mt19937 random(7);
  std::vector<std::string> lines = testing::SmallList(random, 160);
  for (const std::string& line : testing::SyntheticEntries(120, 3)) lines.push_back("1 " + line);
  // The options the generators leave out, each beside its neighbours.
  for (const char* line :
       {"permit tcp any any syn", "permit tcp any any match-all +syn -ack",
        "permit tcp any any match-any +syn +fin", "permit tcp any any ack",
        "permit tcp any any established", "permit ip any any dscp 46", "permit ip any any dscp 40",
        "permit ip any any tos 4", "permit ip any any precedence 5 tos 4",
        "permit udp any any fragments", "permit ip any any fragments",
        "permit igmp any any host-query", "permit igmp any any", "permit ip any any option 7",
        "permit ip any any option 7 fragments", "permit 132 any eq 80 any", "permit 132 any any"}) {
    lines.push_back(std::string("1 ") + line);
  }
  LineRecognizer recognizer;
  std::vector<RecognisedLine> recognised;
  const CompiledEntries entries = Compile(lines, recognizer, &recognised);
  ASSERT_GT(lines.size(), 270u);
  std::vector<Packet> picked;
  for (std::size_t k = 0; k < entries.size(); ++k) {
    for (std::uint64_t seed = 0; seed < 3; ++seed)
      picked.push_back(*EntryWitness(entries, entries[k], seed));
  }
  const auto inside = OnWorker([&] {
    std::vector<PacketSet> sets;
    for (std::size_t k = 0; k < entries.size(); ++k) sets.push_back(EntrySet(entries, entries[k]));
    for (std::size_t k = 0; k < entries.size(); ++k) {
      for (std::size_t p = 0; p < picked.size(); ++p) {
        EXPECT_EQ(sets[k].Holds(picked[p]), EntryMatches(entries, entries[k], picked[p]))
            << lines[k] << " against a packet of " << lines[p / 3];
        if (p / 3 == k) {
          EXPECT_TRUE(sets[k].Holds(picked[p])) << lines[k];
        }
      }
    }
    std::vector<std::vector<bool>> nested(sets.size(), std::vector<bool>(sets.size()));
    for (std::size_t r = 0; r < sets.size(); ++r) {
      for (std::size_t s = 0; s < sets.size(); ++s) nested[r][s] = sets[r].Contains(sets[s]);
    }
    return nested;
  });
  int covered = 0;
  for (std::size_t r = 0; r < lines.size(); ++r) {
    for (std::size_t s = 0; s < lines.size(); ++s) {
      const std::uint8_t outcome = CheckForMatch(recognised[r], recognised[s], {}, {}).Outcome;
      const bool matches = outcome == MatchPermit || outcome == MatchDeny;
      covered += matches ? 1 : 0;
      ASSERT_EQ(inside[r][s], matches) << lines[r] << "\n  over\n" << lines[s];
    }
  }
  EXPECT_GT(covered, 1000);
}

// The index never leaves out an entry whose packets meet the one asked
// about, whatever the prefixes and the holes in the masks.
TEST(MeetingIndex, FindsEveryEntryThatMeets) {
  std::mt19937 random(5);
  const auto address = [&random] {
    static const char* const kForms[] = {"any",
                                         "10.0.0.0 0.255.255.255",
                                         "10.1.0.0 0.0.255.255",
                                         "10.1.2.0 0.0.0.255",
                                         "host 10.1.2.3",
                                         "10.0.2.0 0.255.0.255",
                                         "0.0.0.3 255.255.255.0",
                                         "10.1.0.0 0.0.254.255",
                                         "11.0.0.0 0.255.255.255"};
    return std::string(kForms[random() % std::size(kForms)]);
  };
  std::vector<std::string> lines;
  for (int k = 0; k < 150; ++k) {
    static const char* const kProtocols[] = {"ip", "tcp", "udp", "icmp"};
    lines.push_back("1 permit " + std::string(kProtocols[random() % 4]) + " " + address() + " " +
                    address());
  }
  LineRecognizer recognizer;
  const CompiledEntries entries = Compile(lines, recognizer);
  const MeetingIndex index(entries, std::vector<bool>(entries.size(), true));
  const auto meets = OnWorker([&] {
    std::vector<PacketSet> sets;
    for (std::size_t k = 0; k < entries.size(); ++k) sets.push_back(EntrySet(entries, entries[k]));
    std::vector<std::vector<bool>> result(sets.size(), std::vector<bool>(sets.size()));
    for (std::size_t a = 0; a < sets.size(); ++a) {
      for (std::size_t b = 0; b < sets.size(); ++b) result[a][b] = a != b && sets[a].Meets(sets[b]);
    }
    return result;
  });
  for (std::size_t a = 0; a < entries.size(); ++a) {
    const std::vector<std::size_t> found = index.Meeting(a);
    for (std::size_t b = 0; b < entries.size(); ++b) {
      EXPECT_EQ(std::binary_search(found.begin(), found.end(), b), meets[a][b])
          << lines[a] << "\n  and\n"
          << lines[b];
    }
  }
}

}  // namespace
}  // namespace kerbwise
