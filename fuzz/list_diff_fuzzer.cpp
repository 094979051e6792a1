// The packet-set engine against the brute-force oracle. The input seeds the
// generator of small lists: an old list and a new one (an edit of it, or
// another list), and the engine's reachable entries and difference must be
// what the oracle finds packet by packet.
#include <cstddef>
#include <cstdint>
#include <random>
#include <stdexcept>
#include <vector>

#include "engine_agreement.h"
#include "fuzz_support.h"
#include "list_oracle.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const std::vector<std::uint32_t> seeds(data + 2, data + size);
  std::seed_seq sequence(seeds.begin(), seeds.end());
  std::mt19937 random(sequence);
  using namespace kerbwise;
  const auto oldLines = testing::SmallList(random, 1 + data[0] % 8);
  const auto newLines = data[1] % 4 == 0 ? testing::SmallList(random, 1 + data[1] / 4 % 8)
                                         : testing::EditedList(random, oldLines);
  try {
    testing::CheckEngineAgainstOracle(oldLines, newLines);
  } catch (const std::logic_error& disagreement) {
    fuzz::Broken("the packet-set engine disagrees with the oracle", disagreement.what());
  }
  return 0;
}
