#include "persist/defaults_file.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "model/setup_state.h"
#include "persist/save_load.h"
#include "persist_fixture.h"

namespace zarnath {
namespace {

using testing::ReadBytes;
using testing::ScratchFolder;
using testing::WriteBytes;

TEST(DefaultsFile, WrittenAndReadBack) {
  ScratchFolder folder;
  SetupState written;
  written.txtPL[0] = "M\xFCller";
  written.chkShield = 1;
  written.chkMode = 0;
  written.txtOp[2] = "5";
  ASSERT_TRUE(WriteDefaults(folder.path(), written));
  EXPECT_EQ(ReadBytes(folder.File(kDefaultsFile)), "M\xFCller\r\n1\r\n0\r\n5\r\n");

  SetupState read;
  ReadDefaults(folder.path(), read);
  EXPECT_EQ(read.txtPL[0], "M\xFCller");
  EXPECT_EQ(read.chkShield, 1);
  EXPECT_EQ(read.chkMode, 0);
  EXPECT_EQ(read.txtOp[2], "5");
}

TEST(DefaultsFile, MissingShortOrBadFilesStopAtTheirLine) {
  ScratchFolder folder;
  const SetupState first;
  SetupState s;
  ReadDefaults(folder.path(), s);  // no file: nothing changes
  EXPECT_EQ(s.txtPL[0], "");
  EXPECT_EQ(s.txtOp[2], "3");

  ASSERT_TRUE(WriteDefaultsName(folder.path(), "Ulla"));  // a client's join keeps only the name
  EXPECT_EQ(ReadBytes(folder.File(kDefaultsFile)), "Ulla\r\n");
  ReadDefaults(folder.path(), s);
  EXPECT_EQ(s.txtPL[0], "Ulla");
  EXPECT_EQ(s.chkShield, first.chkShield);

  // A value its box cannot take ends the reading there: the name and shield are read, the
  // battle mode and the turns keep their values.
  WriteBytes(folder.File(kDefaultsFile), "Bo*b_\n 1\n7\n2\n");
  SetupState t;
  ReadDefaults(folder.path(), t);
  EXPECT_EQ(t.txtPL[0], "Bob");
  EXPECT_EQ(t.chkShield, 1);
  EXPECT_EQ(t.chkMode, 0);
  EXPECT_EQ(t.txtOp[2], "3");

  // Gather/scout turns outside 1 to 5 leave the box as it was; inside, it shows plain digits.
  WriteBytes(folder.File(kDefaultsFile), "A\r\n0\r\n1\r\n9\r\n");
  SetupState u;
  ReadDefaults(folder.path(), u);
  EXPECT_EQ(u.chkMode, 1);
  EXPECT_EQ(u.txtOp[2], "3");
  WriteBytes(folder.File(kDefaultsFile), "A\r\n0\r\n1\r\n 4.4\r\n");
  ReadDefaults(folder.path(), u);
  EXPECT_EQ(u.txtOp[2], "4");
}

TEST(FileWriting, AFailedSaveIsReportedAndTheOldFileStaysWhole) {
  ScratchFolder folder;
  testing::TestGame t;
  const std::string path = folder.File("game.zq");
  WriteBytes(path, "old game");
  std::filesystem::create_directory(path + ".tmp");  // the temporary file cannot be made
  EXPECT_FALSE(SaveGame(t.g(), path));
  ASSERT_EQ(t.ports.calls.size(), 1u);
  EXPECT_EQ(t.ports.calls[0].rfind("MessageBox Zarnath Error: The game was not saved.\r", 0), 0u)
      << t.ports.calls[0];
  EXPECT_EQ(ReadBytes(path), "old game");

  SetupState s;
  s.txtPL[0] = "x";
  EXPECT_FALSE(WriteDefaults(folder.path() + "/no/such/folder", s));
  EXPECT_FALSE(std::filesystem::exists(folder.path() + "/no"));
}

}  // namespace
}  // namespace zarnath
