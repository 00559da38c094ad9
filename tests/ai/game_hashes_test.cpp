// A hundred seeded whole games must play exactly as they did when the table was made: the same
// transcript, turn by turn. Any change to travel times, orders, battles or what the screen is asked
// to show changes a hash.
//
// The table is made (again) by the disabled test below:
//   zarnath_core_tests --gtest_also_run_disabled_tests --gtest_filter='GameHashes.DISABLED_PrintTable'
// and its output (the lines starting with "{") written to game_hashes.inc.
#include <gtest/gtest.h>

#include <atomic>
#include <cinttypes>
#include <cstdio>
#include <thread>
#include <utility>
#include <vector>

#include "ai/game_hashes.h"

namespace zarnath::testing {
namespace {

struct HashRow {
  int game;
  uint64_t hash;
};

constexpr HashRow kHashes[] = {
#include "ai/game_hashes.inc"
};

// Plays the chosen games on a few threads; each game is its own object.
std::vector<uint64_t> HashAll(const std::vector<int>& games) {
  std::vector<uint64_t> out(games.size());
  std::atomic<size_t> next{0};
  std::vector<std::thread> workers;
  for (int k = 0; k < 4; ++k)
    workers.emplace_back([&] {
      for (size_t i; (i = next++) < games.size();) out[i] = GameHash(HashedGame(games[i]));
    });
  for (auto& w : workers) w.join();
  return out;
}

TEST(GameHashes, SeededGamesPlayAsRecorded) {
  ASSERT_EQ(std::size(kHashes), 100u);
  std::vector<int> games;
  for (const HashRow& row : kHashes) games.push_back(row.game);
  const std::vector<uint64_t> got = HashAll(games);
  for (size_t i = 0; i < games.size(); ++i) {
    const HashRow& row = kHashes[games[i]];
    EXPECT_EQ(got[i], row.hash) << "game " << row.game << " (seed " << HashedGame(row.game).seed << ", "
                                << HashedGame(row.game).worlds << " worlds)";
  }
}

// The fingerprint sees a change anywhere: another seed, another level, another world count.
TEST(GameHashes, FingerprintTellsGamesApart) {
  MatchOptions o = HashedGame(3);
  o.maxTurns = 12;
  const uint64_t base = GameHash(o);
  EXPECT_EQ(GameHash(o), base);
  MatchOptions other = o;
  other.seed += 1;
  EXPECT_NE(GameHash(other), base);
  other = o;
  other.levels[0] = other.levels[0] % 6 + 1;
  EXPECT_NE(GameHash(other), base);
  other = o;
  other.speedGame = !other.speedGame;
  EXPECT_NE(GameHash(other), base);
}

TEST(GameHashes, DISABLED_PrintTable) {
  std::vector<int> games;
  for (int i = 0; i < 100; ++i) games.push_back(i);
  const std::vector<uint64_t> got = HashAll(games);
  for (size_t i = 0; i < got.size(); ++i) std::printf("{%zu, 0x%016" PRIx64 "ull},\n", i, got[i]);
}

}  // namespace
}  // namespace zarnath::testing
