#include "persist/saved_game_files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "persist_fixture.h"

namespace zarnath {
namespace {

using namespace testing;

TEST(SavedGameNames, TypedNamesGetTheExtensionUnlessTheyEndInItExactly) {
  const struct {
    const char* typed;
    const char* name;
  } cases[] = {
      {"", ""},
      {"game", "game.zq"},
      {"game.zq", "game.zq"},
      {"game.ZQ", "game.ZQ.zq"},
      {"game.Zq", "game.Zq.zq"},
      {"game.zq ", "game.zq .zq"},
      {"zq", "zq.zq"},
      {".zq", ".zq"},
      {"old/game", "old/game.zq"},
      {"J\xF6rg", "J\xF6rg.zq"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CompleteSavedGameName(c.typed), c.name) << c.typed;
    // A listed name is loaded unchanged, a name that is not listed never is.
    EXPECT_EQ(IsSavedGameName(c.typed), std::string(c.typed) == c.name && *c.typed) << c.typed;
  }
}

TEST(SavedGameNames, TheFileListShowsExactlyTheFilesALoadUsesUnchanged) {
  ScratchFolder folder;
  for (const char* name : {"b.zq", "A.zq", "c.ZQ", "d.zq.bak", "e.Zq", "a.zq", "notes.txt"})
    WriteBytes(folder.File(name), "x");
  ASSERT_EQ(::mkdir(folder.File("saves.zq").c_str(), 0700), 0);  // a folder is no saved game
  ASSERT_EQ(::mkdir(folder.File("Saves").c_str(), 0700), 0);
  ASSERT_EQ(::mkdir(folder.File(".hidden").c_str(), 0700), 0);
  ASSERT_EQ(::symlink("b.zq", folder.File("link.zq").c_str()), 0);
  ASSERT_EQ(::symlink("missing", folder.File("dangling.zq").c_str()), 0);
  const Lines listed = ListSavedGames(folder.path());
  EXPECT_EQ(listed, (Lines{"A.zq", "a.zq", "b.zq", "link.zq"}));
  for (const std::string& name : listed) EXPECT_EQ(CompleteSavedGameName(name), name);
  EXPECT_EQ(ListSubfolders(folder.path()), (Lines{"Saves", "saves.zq"}));
  EXPECT_TRUE(ListSavedGames(folder.File("nothing")).empty());
  EXPECT_TRUE(ListSubfolders(folder.File("a.zq")).empty());
}

}  // namespace
}  // namespace zarnath
