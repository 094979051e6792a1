// The packet-set engine against the brute-force oracle on thousands of small
// generated lists: which entries some packet reaches, and what a second list
// (an edit of the first, or another list) does differently.
#include <gtest/gtest.h>

#include <random>
#include <stdexcept>

#include "engine_agreement.h"
#include "list_oracle.h"

namespace kerbwise {
namespace {

TEST(OracleAgreement, ReachAndDiffOnGeneratedSmallLists) {
  std::mt19937 random(20);
  int compared = 0;
  for (int round = 0; round < 2000; ++round) {
    const auto oldLines = testing::SmallList(random, 1 + random() % 6);
    const auto newLines = random() % 4 == 0 ? testing::SmallList(random, 1 + random() % 6)
                                            : testing::EditedList(random, oldLines);
    try {
      compared += testing::CheckEngineAgainstOracle(oldLines, newLines) ==
                  testing::Agreement::Agrees;
    } catch (const std::logic_error& disagreement) {
      FAIL() << disagreement.what();
    }
  }
  // The generator keeps almost every pair within the oracle's reach.
  EXPECT_GT(compared, 1900);
}

}  // namespace
}  // namespace kerbwise
