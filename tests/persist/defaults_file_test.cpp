#include "persist/defaults_file.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "engine/save_load.h"
#include "fixtures/file_faults.h"
#include "model/setup_state.h"
#include "persist/high_scores.h"
#include "persist_fixture.h"

namespace zarnath {
namespace {

using namespace testing;

TEST(DefaultsFile, WrittenReadBackReadUpToABadLineAndNeverHalfWritten) {
  ScratchFolder folder;
  const std::string path = folder.File(kDefaultsFile);
  SetupState s, t;
  s.txtPL[0] = "M\xFCller";
  s.chkShield = 1;
  s.txtOp[2] = "5";
  auto read = [&](const std::string& bytes) {
    WriteBytes(path, bytes);
    ReadDefaults(folder.path(), t);
    return std::make_tuple(t.txtPL[0], t.chkShield, t.chkMode, t.txtOp[2]);
  };
  ASSERT_TRUE(WriteDefaults(folder.path(), s));
  EXPECT_EQ(read(ReadBytes(path)), std::make_tuple("M\xFCller", 1, 0, "5"));
  EXPECT_EQ(ReadBytes(path), "M\xFCller\r\n1\r\n0\r\n5\r\n");
  ASSERT_TRUE(WriteDefaultsName(folder.path(), "Ulla"));  // a client's join keeps only the name
  EXPECT_EQ(ReadBytes(path), "Ulla\r\n");
  t = SetupState();  // a value its box cannot take ends the reading; "*" and "_" leave the name
  EXPECT_EQ(read("Bo*b_\n 1\n7\n2\n"), std::make_tuple("Bob", 1, 0, "3"));
  EXPECT_EQ(read("A\r\n0\r\n1\r\n 4.4\r\n"), std::make_tuple("A", 0, 1, "4"));
  // Every file is written through a temporary file: when the text cannot be written (as on a full
  // disk), the failure is reported, the old file stays whole and no temporary file is left.
  TestGame game;
  MakeMidGame(game, false);  // a whole game, which only the full disk keeps from its file
  game.ports.Clear();
  for (const char* name : {"game.zq", kHighScoreFile, kDefaultsFile}) WriteBytes(folder.File(name), "old");
  {
    FileWritesFail full;
    EXPECT_FALSE(SaveGame(game.g(), folder.File("game.zq")));
    const HighScoreView view = RecordHighScore(folder.path(), {"x", 9, 1, 1, 1, 1}, 2.0f, {"d", "d"});
    EXPECT_TRUE(view.inserted && !view.fileWritten && view.error.find("Score130") != std::string::npos);
    EXPECT_FALSE(WriteDefaults(folder.path(), SetupState()));
  }
  EXPECT_EQ(game.ports.calls.at(0).rfind("MessageBox Zarnath Error: The game was not saved.\r", 0), 0u);
  EXPECT_NE(game.ports.calls.at(0).find("game.zq"), std::string::npos) << game.ports.calls.at(0);
  for (const char* name : {"game.zq", kHighScoreFile, kDefaultsFile})
    EXPECT_EQ(ReadBytes(folder.File(name)), "old");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 3);
}

}  // namespace
}  // namespace zarnath
