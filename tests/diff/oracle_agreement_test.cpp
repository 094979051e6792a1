// The packet-set engine against the brute-force oracle on thousands of small
// generated lists: which entries some packet reaches, and what a second list
// (an edit of the first, or another list) does differently.
#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>
#include <stdexcept>

#include "engine_agreement.h"
#include "list_oracle.h"
#include "packets/exact_order.h"
#include "rules/line_recognizer.h"

namespace kerbwise {
namespace {

TEST(OracleAgreement, ReachAndDiffOnGeneratedSmallLists) {
  std::mt19937 random(20);
  int compared = 0;
  for (int round = 0; round < 800; ++round) {
    const auto oldLines = testing::SmallList(random, 1 + random() % 6);
    const auto newLines = random() % 4 == 0 ? testing::SmallList(random, 1 + random() % 6)
                                            : testing::EditedList(random, oldLines);
    try {
      compared +=
          testing::CheckEngineAgainstOracle(oldLines, newLines) == testing::Agreement::Agrees;
    } catch (const std::logic_error& disagreement) {
      FAIL() << disagreement.what();
    }
  }
  // The generator keeps almost every pair within the oracle's reach.
  EXPECT_GT(compared, 760);
}

// The exact order check warns exactly when a shuffled list decides some
// packet differently.
TEST(OracleAgreement, ExactOrderCheckOnShuffledLists) {
  std::mt19937 random(5);
  LineRecognizer recognizer;
  for (int round = 0; round < 200; ++round) {
    const auto lines = testing::SmallList(random, 2 + random() % 5);
    std::vector<std::size_t> order(lines.size());
    std::iota(order.begin(), order.end(), 0);
    std::shuffle(order.begin(), order.end(), random);
    std::vector<std::size_t> newPosition(lines.size());
    std::vector<std::string> shuffled;
    for (std::size_t place = 0; place < order.size(); ++place) {
      newPosition[order[place]] = place + 1;
      shuffled.push_back(lines[order[place]]);
    }
    const auto oldList = testing::ReadOracleList(lines);
    const auto newList = testing::ReadOracleList(shuffled);
    const auto packets = testing::CellPackets({&*oldList, &*newList});
    if (!packets) continue;
    const bool differs = !testing::DifferingPackets(*oldList, *newList, *packets).empty();
    const OrderChanges changes = FindExactOrderChanges(lines, newPosition, {}, recognizer);
    ASSERT_EQ(changes.Count > 0, differs) << ::testing::PrintToString(shuffled);
  }
}

}  // namespace
}  // namespace kerbwise
