#include "net/lobby_files.h"

#include <gtest/gtest.h>

#include <unistd.h>
#include <filesystem>
#include <fstream>

#include "model/setup_state.h"
#include "persist/text_cipher.h"

namespace zarnath {
namespace {

namespace fs = std::filesystem;

std::tm Wall(int y, int mo, int d, int h, int mi, int s) {
  std::tm tm{};
  tm.tm_year = y - 1900;
  tm.tm_mon = mo - 1;
  tm.tm_mday = d;
  tm.tm_hour = h;
  tm.tm_min = mi;
  tm.tm_sec = s;
  return tm;
}

struct TempFolder {
  fs::path dir;
  TempFolder() {
    dir = fs::temp_directory_path() / ("zarnath-lobby-" + std::to_string(::getpid()) + "-" +
                                       std::to_string(reinterpret_cast<uintptr_t>(this)));
    fs::create_directories(dir);
  }
  ~TempFolder() { fs::remove_all(dir); }
  std::string Write(const std::string& name, const std::vector<std::string>& plainLines) {
    std::ofstream out(dir / name, std::ios::binary);
    for (const auto& line : plainLines) out << Encrypt(line, kSavedGameKey) << "\r\n";
    return (dir / name).string();
  }
};

TEST(AccessFiles, ServersCfgGivesItsLinesOrARefusal) {
  TempFolder t;
  std::string error;
  auto full = ReadServersCfg(
      t.Write("servers.cfg", {"ftp://127.0.0.1:2121/", "player", "s3cret", "http://127.0.0.1/status"}),
      &error);
  ASSERT_TRUE(full);
  EXPECT_EQ(full->url, "ftp://127.0.0.1:2121/");
  EXPECT_EQ(full->user, "player");
  EXPECT_EQ(full->password, "s3cret");
  // A fourth line names the master server's status page; three lines name none.
  EXPECT_EQ(full->statusPage, "http://127.0.0.1/status");
  auto three = ReadServersCfg(t.Write("three.cfg", {"ftp://x/", "player", "s3cret"}), &error);
  ASSERT_TRUE(three);
  EXPECT_EQ(three->statusPage, "");

  EXPECT_FALSE(ReadServersCfg(t.Write("short.cfg", {"ftp://x/", "player"}), &error));
  EXPECT_NE(error.find("incomplete"), std::string::npos);
  EXPECT_FALSE(ReadServersCfg((t.dir / "none.cfg").string(), &error));
  EXPECT_NE(error.find("missing"), std::string::npos);
}

TEST(AccessFiles, TimeCfgPairsInOrderAndAnOddLastLineIsNeverTried) {
  TempFolder t;
  std::string error;
  auto servers = ReadTimeCfg(t.Write("time.cfg", {"127.0.0.1", "*", "localhost", "UTC", "orphan"}), &error);
  ASSERT_TRUE(servers);
  ASSERT_EQ(servers->size(), 2u);
  EXPECT_EQ((*servers)[0].host, "127.0.0.1");
  EXPECT_EQ((*servers)[0].key, "*");
  EXPECT_EQ((*servers)[1].key, "UTC");
  auto empty = ReadTimeCfg(t.Write("empty.cfg", {}), &error);
  ASSERT_TRUE(empty);
  EXPECT_TRUE(empty->empty());
  EXPECT_FALSE(ReadTimeCfg((t.dir / "none.cfg").string(), &error));
}

TEST(DaytimeReply, ReadsTheSeventeenCharactersAfterTheKeysFirstCharacter) {
  std::tm wall = Wall(2026, 12, 5, 14, 13, 27);
  const std::time_t when = timegm(&wall);
  struct Case {
    std::string reply, key;
    bool closed;
    DaytimeReading reading;
  } cases[] = {
      {"61014 *26-12-05 14:13:27 00 0 0 50.0 UTC(NIST) *\r\n", "*", true, DaytimeReading::kTime},
      {"xUTC26-12-05 14:13:27", "U", false, DaytimeReading::kUnreadable},  // starts inside a long key
      {"xU26-12-05 14:13:27", "U", false, DaytimeReading::kTime},
      {"61014 *26-12-05 14:1", "*", false, DaytimeReading::kIncomplete},  // more is coming
      {"61014 *26-12-05 14:1", "*", true, DaytimeReading::kUnreadable},
      {"no key here at all", "*", false, DaytimeReading::kIncomplete},
      {"no key here at all", "*", true, DaytimeReading::kNoKey},
      {"*26-13-05 14:13:27", "*", true, DaytimeReading::kUnreadable},  // month 13
      {"*2x-12-05 14:13:27", "*", true, DaytimeReading::kUnreadable},
  };
  for (const auto& c : cases) {
    const DaytimeResult r = ReadDaytimeReply(c.reply, c.key, c.closed);
    EXPECT_EQ(r.reading, c.reading) << c.reply;
    if (c.reading == DaytimeReading::kTime) {
      EXPECT_EQ(r.utc, when) << c.reply;
    }
  }
}

TEST(DaytimeReply, OffsetsCountFromTheLocalWallClock) {
  const std::time_t now = 1'800'000'000;
  EXPECT_DOUBLE_EQ(ClockOffset(now + 7, now), 7 + LocalUtcOffset(now));
  EXPECT_DOUBLE_EQ(ClockOffset(now, now), LocalUtcOffset(now));
  // The shared clock is then the server's UTC wall time.
  const std::tm shared = SharedWallClock(now, ClockOffset(now + 7, now));
  std::tm expect{};
  const std::time_t later = now + 7;
  gmtime_r(&later, &expect);
  EXPECT_EQ(StampText(shared), StampText(expect));
}

TEST(ServerList, DayFileNameAndStamp) {
  const std::tm t = Wall(2026, 3, 4, 5, 6, 7);
  EXPECT_EQ(DayFileName(t), "servers140-20260304.txt");
  EXPECT_EQ(StampText(t), "04/03/2026 05:06:07");
}

SetupState Settings() {
  SetupState s;
  s.txtPL[0] = " Ann ";
  s.txtPlanets = "20";
  s.chkTruce = 1;
  s.txtTruce = "7";
  s.chkShield = 1;
  s.chkMode = 1;
  s.txtOp = {"15", "8", "3"};
  s.OptRadar = {false, true, false};
  return s;
}

TEST(ServerList, TheHostsRecordIsElevenCrLfLines) {
  const std::tm now = Wall(2026, 12, 5, 14, 0, 0);
  const std::string text = WriteServerListRecord(HostRecord(Settings(), "10.0.0.5", now, "Freedonia"));
  EXPECT_EQ(
      text,
      "10.0.0.5\r\nAnn\r\n05/12/2026 14:00:00\r\nFreedonia\r\nDefensive\r\n20\r\nTurn 7\r\nYes\r\n15\r\n8\r\n"
      "Off\r\n");
  SetupState off = Settings();
  off.chkTruce = 0;
  off.chkShield = 0;
  off.chkMode = 0;
  off.OptRadar = {false, false, true};
  const ServerListRecord r = HostRecord(off, "1.2.3.4", now, "X");
  EXPECT_EQ(r.truce, "None");
  EXPECT_EQ(r.shields, "No");
  EXPECT_EQ(r.mode, "Offensive");
  EXPECT_EQ(r.radar, "Unlimited");
  // A line break in a name cannot shift the record's lines.
  off.txtPL[0] = "A\r\nB";
  EXPECT_EQ(WriteServerListRecord(HostRecord(off, "1.2.3.4", now, "X")).substr(9, 6), "A  B\r\n");
}

std::string Record(const std::string& address, const std::string& name, const std::string& stamp) {
  return WriteServerListRecord(
      {address, name, stamp, "Freedonia", "Offensive", "20", "None", "No", "15", "8", "On"});
}

TEST(ServerList, KeepsFreshRecordsMarksPrivateOnesAndSkipsTheRest) {
  NetState net;
  const std::tm now = Wall(2026, 12, 5, 14, 0, 0);
  const std::string text = Record("1.2.3.4", "Old", "05/12/2026 13:54:59") +     // 301 s
                           Record("10.0.0.5", "Ann", "05/12/2026 13:55:00") +    // 300 s, private
                           Record("5.6.7.8", "Bad", "5/12/2026 14:00:00") +      // unreadable stamp
                           Record("192.168.1.2", "Cy", "05.12.2026 14:05:00") +  // other separators, +300 s
                           Record("10.1.2.3", "Dee", "05/12/2026 14:05:01") +    // 301 s ahead
                           Record("10.1.2.3", "Eve", "05/12/2026 14:00:00");
  const std::string cut = "9.9.9.9\r\nCut\r\n";  // a record cut short by the end of the file
  const ServerList list = ReadServerList(text + cut, now, net);
  ASSERT_EQ(list.rows.size(), 3u);
  EXPECT_EQ(list.rows[0].cells[0], " * Ann");
  EXPECT_EQ(list.rows[1].cells[0], " * Cy");
  EXPECT_EQ(list.rows[2].cells[0], " Eve");
  EXPECT_EQ(RowKey(list.rows[0]), " * Ann Freedonia Offensive 20 None No 15 8 On");
  EXPECT_EQ(net.ServerRowIP[0], "10.0.0.5");
  EXPECT_EQ(net.ServerRowIP[2], "10.1.2.3");
  EXPECT_EQ(net.ServerRowIP[3], "");
  EXPECT_EQ(list.skippedStale, 2);
  EXPECT_EQ(list.unreadable, 1);
  // The unreadable record is excluded from now on.
  EXPECT_EQ(net.ServerExcluded[0], " Bad Freedonia Offensive 20 None No 15 8 On");

  // An excluded host stays out, even when it publishes again.
  ExcludeServerRow(net, list.rows[2]);
  const ServerList again = ReadServerList(text + Record("10.1.2.3", "Eve", "05/12/2026 14:01:00"), now, net);
  ASSERT_EQ(again.rows.size(), 2u);
  EXPECT_EQ(again.skippedExcluded, 2);
}

TEST(ServerList, AFullExclusionListAndAFullTableStopQuietly) {
  NetState net;
  for (int i = 0; i < kExcludedEntries; ++i) net.ServerExcluded[i] = "key" + std::to_string(i);
  ServerRow row;
  row.cells[0] = " New";
  ExcludeServerRow(net, row);
  EXPECT_EQ(net.ServerExcluded[kExcludedEntries], "");
  ExcludeServerRow(net, ServerRow{});  // an empty table's last row stores nothing

  NetState fresh;
  const std::tm now = Wall(2026, 12, 5, 14, 0, 0);
  std::string text;
  for (int i = 0; i < kServerRows + 20; ++i)
    text += Record("1.2.3.4", "H" + std::to_string(i), "05/12/2026 14:00:00");
  const ServerList list = ReadServerList(text, now, fresh);
  EXPECT_EQ(list.rows.size(), static_cast<size_t>(kServerRows));
  EXPECT_EQ(fresh.ServerRowIP[kServerRows - 1], "1.2.3.4");
}

TEST(ServerList, TheHostsOwnRowUsesTheWindowsSettings) {
  const ServerRow row = OwnRow(Settings(), "Freedonia");
  EXPECT_EQ(row.cells[0], "  Ann ");
  EXPECT_EQ(row.cells[3], "  20");
  EXPECT_EQ(row.cells[4], " Turn 7");
  EXPECT_EQ(row.cells[5], "    Yes");
  EXPECT_EQ(row.cells[8], " Off");
  EXPECT_TRUE(row.address.empty());
}

TEST(ServerList, JoiningFromARow) {
  NetState net;
  net.ServerRowIP[0] = "1.2.3.4";
  net.ServerRowIP[1] = "5.6.7.8";
  struct Case {
    std::string name;
    bool host, enabled, enter;
    int row;
    RowJoin result;
    std::string ip;
  } cases[] = {
      {"Ann", false, true, false, 0, RowJoin::kJoin, "1.2.3.4"},  // a double-click on the first server joins
      {"Ann", false, true, true, 0, RowJoin::kNothing, ""},       // Enter on it does not
      {"Ann", false, true, true, 1, RowJoin::kJoin, "5.6.7.8"},
      {"", false, true, false, 1, RowJoin::kNeedName, ""},
      {"", true, true, false, 1, RowJoin::kNeedName, ""},  // the name box comes first, even for a host
      {"Ann", true, true, false, 1, RowJoin::kNothing, ""},
      {"Ann", false, true, false, -1, RowJoin::kNothing, ""},
      {"Ann", false, true, false, 2, RowJoin::kNothing, ""},   // beyond the rows shown
      {"Ann", false, false, false, 0, RowJoin::kNothing, ""},  // "- No Servers Found -"
  };
  for (const Case& c : cases) {
    SetupState s;
    s.txtPL[0] = c.name;
    s.OptServerClient0 = c.host;
    EXPECT_EQ(JoinFromServerRow(s, net, c.row, 2, c.enabled, c.enter), c.result) << c.row << c.enter;
    EXPECT_EQ(s.txtIP, c.ip);
  }
}

}  // namespace
}  // namespace zarnath
