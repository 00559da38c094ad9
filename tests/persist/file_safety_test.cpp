#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <functional>
#include <thread>

#include <sys/stat.h>
#include <unistd.h>

#include "persist/atomic_file.h"
#include "engine/save_load.h"
#include "persist/saved_game.h"
#include "persist_fixture.h"

namespace zarnath {
namespace {

using namespace testing;
namespace fs = std::filesystem;

// Whatever stands at the path is no saved game: the loader says why in one message box and the
// game in progress stays as it was.
TEST(SavedGameFiles, TheLoaderNamesWhyAFileCannotBeRead) {
  ScratchFolder folder;
  TestGame victim;
  MakeMidGame(victim, false);
  const std::string before = SavedGameText(victim.g().state());
  const std::string file = folder.File("game.zq");
  WriteBytes(file, "whatever");
  // What stands at the path, the path, and the start of the message.
  const std::tuple<std::function<void(const std::string&)>, std::string, std::string> cases[] = {
      {[](const std::string&) {}, folder.File("nothing.zq"), "   File Not Found!   "},
      {[](const std::string&) {}, file + "/inside.zq", "   File Not Found!   "},  // a file on the way
      {[](const std::string& p) { fs::create_directory(p); }, folder.File("folder.zq"),
       "Error #  75\r\"" + folder.File("folder.zq") + "\" is a folder"},
      {[](const std::string& p) { ASSERT_EQ(::mkfifo(p.c_str(), 0644), 0); }, folder.File("pipe.zq"),
       "Error #  75\r\"" + folder.File("pipe.zq") + "\" is not a regular file"},  // and no wait for a writer
      {[](const std::string&) {}, "/dev/zero", "Error #  75\r\"/dev/zero\" is not a regular file"},
      {[](const std::string& p) { fs::create_symlink(p, p); }, folder.File("loop.zq"),
       "Error #  75\r\"" + folder.File("loop.zq") + "\" cannot be read: Too many levels of symbolic links"},
      {[](const std::string& p) { fs::resize_file((WriteBytes(p, "x"), p), kMostFileBytes + 1); },
       folder.File("huge.zq"),
       "Error #  75\r\"" + folder.File("huge.zq") + "\" holds more than 67108864 bytes"},
  };
  for (const auto& [make, path, message] : cases) {
    make(path);
    victim.ports.Clear();
    const LoadOutcome outcome = LoadSavedGame(victim.g(), path);
    EXPECT_EQ(outcome, message[0] == ' ' ? LoadOutcome::kNotFound : LoadOutcome::kRefused) << path;
    ASSERT_EQ(victim.ports.calls.size(), 1u) << path;
    EXPECT_EQ(victim.ports.calls[0].rfind("MessageBox Zarnath Error: " + message, 0), 0u)
        << victim.ports.calls[0];
    EXPECT_EQ(SavedGameText(victim.g().state()), before) << path;
  }
  if (::geteuid() != 0) {  // the superuser enters every folder
    const std::string locked = folder.File("locked");
    fs::create_directory(locked);
    WriteBytes(locked + "/game.zq", "whatever");
    fs::permissions(locked, fs::perms::none);
    victim.ports.Clear();
    EXPECT_EQ(LoadSavedGame(victim.g(), locked + "/game.zq"), LoadOutcome::kRefused);
    EXPECT_EQ(victim.ports.calls.at(0), "MessageBox Zarnath Error: Error #  75\rA folder on the way to \"" +
                                            locked + "/game.zq\" cannot be entered.");
    fs::permissions(locked, fs::perms::owner_all);
  }
}

// The names in a folder other than the given ones: temporary files left behind.
std::vector<std::string> Others(const std::string& folder, std::initializer_list<std::string> known) {
  std::vector<std::string> others;
  for (const auto& entry : fs::directory_iterator(folder)) {
    const std::string name = entry.path().filename().string();
    if (std::find(known.begin(), known.end(), name) == known.end()) others.push_back(name);
  }
  return others;
}

// A save replaces a file in one step: it keeps the file's permissions, writes through a symbolic
// link to the file it names, and never replaces what is not a regular file.
TEST(SavedGameFiles, SavesReplaceOnlyRegularFilesKeepTheirPermissionsAndFollowLinks) {
  ScratchFolder folder;
  const std::string dir = folder.path();
  fs::create_directory(dir + "/sub");
  WriteBytes(dir + "/sub/target.zq", "old");
  fs::permissions(dir + "/sub/target.zq",
                  fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  fs::create_symlink("sub/target.zq", dir + "/link.zq");
  fs::create_symlink("link.zq", dir + "/chain.zq");
  fs::create_symlink("sub/new.zq", dir + "/dangling.zq");
  fs::create_directory(dir + "/folder.zq");
  fs::create_symlink("folder.zq", dir + "/to-folder.zq");
  ASSERT_EQ(::mkfifo((dir + "/pipe.zq").c_str(), 0644), 0);
  const std::initializer_list<std::string> names = {"sub",       "link.zq",      "chain.zq", "dangling.zq",
                                                    "folder.zq", "to-folder.zq", "pipe.zq"};
  // The path saved to, whether the save goes through, and the file that then holds the text.
  const std::tuple<std::string, bool, std::string> cases[] = {
      {"sub/target.zq", true, "sub/target.zq"},
      {"link.zq", true, "sub/target.zq"},
      {"chain.zq", true, "sub/target.zq"},
      {"dangling.zq", true, "sub/new.zq"},
      {"folder.zq", false, ""},
      {"to-folder.zq", false, ""},
      {"pipe.zq", false, ""},
  };
  int round = 0;
  for (const auto& [name, saved, holder] : cases) {
    const std::string text = "text " + std::to_string(++round);
    std::string error;
    EXPECT_EQ(WriteFileAtomically(dir + "/" + name, text, &error), saved) << name << ": " << error;
    if (saved) {
      EXPECT_EQ(ReadBytes(dir + "/" + holder), text) << name;
    } else {
      EXPECT_NE(error.find("Cannot save over \"" + dir + "/" + name + "\": it is "), std::string::npos)
          << error;
    }
    EXPECT_EQ(Others(dir, names), std::vector<std::string>()) << name;
    EXPECT_EQ(Others(dir + "/sub", {"target.zq", "new.zq"}), std::vector<std::string>()) << name;
  }
  EXPECT_EQ(fs::status(dir + "/sub/target.zq").permissions(),
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  for (const char* link : {"link.zq", "chain.zq", "dangling.zq", "to-folder.zq"})
    EXPECT_TRUE(fs::is_symlink(dir + "/" + link)) << link;
  EXPECT_TRUE(fs::is_directory(dir + "/folder.zq") && fs::is_fifo(dir + "/pipe.zq"));
}

// Two saves to one file at the same moment each use a temporary file of their own: whoever reads
// the file meanwhile finds one of the two texts whole, never an empty or mixed file.
TEST(SavedGameFiles, TwoSavesAtOnceLeaveOneWholeText) {
  ScratchFolder folder;
  const std::string path = folder.File("game.zq");
  const std::string texts[2] = {std::string(200000, 'a'), std::string(150000, 'b')};
  WriteBytes(path, texts[0]);
  std::atomic<int> failed{0}, writing{2};
  auto save = [&](int which) {
    for (int i = 0; i < 60; ++i)
      if (!WriteFileAtomically(path, texts[which])) ++failed;
    --writing;
  };
  std::thread first(save, 0), second(save, 1);
  int reads = 0, torn = 0;
  while (writing > 0) {
    const std::string now = ReadBytes(path);
    torn += now != texts[0] && now != texts[1] ? 1 : 0;
    ++reads;
  }
  first.join();
  second.join();
  EXPECT_EQ(failed, 0);
  EXPECT_EQ(torn, 0) << "of " << reads << " reads";
  EXPECT_EQ(Others(folder.path(), {"game.zq"}), std::vector<std::string>());
}

}  // namespace
}  // namespace zarnath
