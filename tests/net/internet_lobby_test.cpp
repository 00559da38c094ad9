// The internet lobby against real services on 127.0.0.1: the shared clock from a daytime server,
// and the day's server list on an FTP master server (pyftpdlib).

#include "net/internet_lobby.h"

#include <QLocale>
#include <chrono>
#include <cstdlib>

#include "net/lobby.h"
#include "net/lobby_servers.h"

namespace zarnath {
namespace {

using testing::DaytimeServer;
using testing::DaytimeText;
using testing::MasterServer;
using testing::NetGame;
using testing::WaitFor;
using testing::WriteCiphered;

std::time_t Now() {
  return std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
}

// A lobby for one game, with what it told the player and whether it left online mode.
struct Lobby {
  HeadlessPorts ports;
  Game game{ports.ports()};
  InternetLobby lobby{game};
  QStringList messages;
  bool left = false;
  std::optional<ServerList> list;
  bool ready = false;

  explicit Lobby(const QString& folder) {
    ports.recording = false;
    lobby.folder = folder;
    lobby.onMessage = [this](const QString& m) { messages << m; };
    lobby.onLeftOnline = [this] { left = true; };
    lobby.onList = [this](const ServerList& l) { list = l; };
    game.setup.chkOnline = 1;
    game.setup.txtPL[0] = "Ann";
  }
  bool Prepare() {
    ready = false;
    lobby.Prepare([this] { ready = true; });
    return WaitFor([this] { return ready || left; }, 20000) && ready;
  }
};

struct ClockTest : ::testing::Test {
  QTemporaryDir folder;
  DaytimeServer daytime;
  void SetUp() override {
    setenv("TZ", "UTC", 1);
    tzset();
  }
  void TimeCfg(int pairs, const char* key = "*") {
    std::vector<std::string> lines;
    for (int i = 0; i < pairs; ++i) lines.insert(lines.end(), {"127.0.0.1", key});
    WriteCiphered(folder.filePath("time.cfg"), lines);
  }
};

TEST_F(ClockTest, OffsetsOfSevenAndZeroAreMeasuredAndTheSplitReplyIsJoined) {
  struct Case {
    int offset;
    bool split;
  } cases[] = {{7, false}, {0, false}, {-3600, true}};
  for (const Case& c : cases) {
    Lobby l(folder.path());
    WriteCiphered(folder.filePath("servers.cfg"), {"ftp://127.0.0.1:9/", "u", "p"});
    TimeCfg(2);
    const QByteArray text = "61014 *" + DaytimeText(Now() + c.offset) + " 00 0 0 50.0 UTC(NIST) *\r\n";
    daytime.connections = 0;
    daytime.scripts = {
        c.split ? std::vector<QByteArray>{text.left(12), text.mid(12)} : std::vector<QByteArray>{text},
        {"*99-99-99 99:99:99"}};
    ASSERT_TRUE(l.Prepare()) << c.offset << " " << l.messages.join("|").toStdString();
    EXPECT_NEAR(l.game.TimeBias, c.offset, 1.0) << c.offset;
    EXPECT_EQ(daytime.connections, 1) << "the first answer ends the search";
    EXPECT_FALSE(l.left);
  }
}

TEST_F(ClockTest, EveryServerFailingShowsTheMessageAndLeavesOnlineMode) {
  Lobby l(folder.path());
  WriteCiphered(folder.filePath("servers.cfg"), {"ftp://127.0.0.1:9/", "u", "p"});
  TimeCfg(3);
  l.game.TimeBias = 0;
  // An unreadable date, a reply cut short, a server that says nothing.
  daytime.scripts = {{"*26-1x-05 14:13:27\r\n"}, {"*26-12-05 14"}, {}};
  EXPECT_FALSE(l.Prepare());
  EXPECT_EQ(daytime.connections, 3);
  EXPECT_EQ(l.game.TimeBias, -1.0);
  EXPECT_TRUE(l.left);
  EXPECT_EQ(l.game.setup.chkOnline, 0);
  ASSERT_EQ(l.messages.size(), 1);
  EXPECT_EQ(l.messages[0], "Problem Connecting To Time Server. Please Try Again Later");
}

TEST_F(ClockTest, MissingOrShortAccessFilesLeaveOnlineModeWithAMessage) {
  Lobby l(folder.path());
  EXPECT_FALSE(l.Prepare());  // no "servers.cfg"
  EXPECT_TRUE(l.left);
  EXPECT_EQ(l.game.setup.chkOnline, 0);
  EXPECT_TRUE(l.messages.value(0).contains("servers.cfg"));

  Lobby s(folder.path());
  WriteCiphered(folder.filePath("servers.cfg"), {"ftp://127.0.0.1:9/"});
  EXPECT_FALSE(s.Prepare());
  EXPECT_TRUE(s.messages.value(0).contains("incomplete"));

  Lobby t(folder.path());
  WriteCiphered(folder.filePath("servers.cfg"), {"ftp://127.0.0.1:9/", "u", "p"});
  EXPECT_FALSE(t.Prepare());  // no "time.cfg"
  EXPECT_TRUE(t.messages.value(0).contains("time.cfg"));
  EXPECT_EQ(daytime.connections, 0);
}

// ---- the master server ----

struct MasterTest : ::testing::Test {
  MasterServer master;
  DaytimeServer daytime;
  void SetUp() override {
    setenv("TZ", "UTC", 1);
    tzset();
    ASSERT_NE(master.port, 0);
    WriteCiphered(master.program.filePath("time.cfg"), {"127.0.0.1", "*"});
    for (int i = 0; i < 20; ++i) daytime.scripts.push_back({"*" + DaytimeText(Now()) + "\r\n"});
  }
  QString DayFile(Lobby& l) { return master.File(QString::fromStdString(l.lobby.DayFile())); }
  // The master server's address names a loopback port that nothing listens on any more.
  void PointAtAClosedPort(const std::string& statusPage = "") {
    QTcpServer closed;
    ASSERT_TRUE(closed.listen(QHostAddress::LocalHost, 0));
    const uint16_t port = closed.serverPort();
    closed.close();
    master.WriteAccess("ftp://127.0.0.1:" + std::to_string(port) + "/", statusPage);
  }
};

TEST_F(MasterTest, HostingCreatesTheDaysFileWithElevenCrLfLinesAndRepublishingAppends) {
  Lobby l(master.program.path());
  ASSERT_TRUE(l.Prepare());
  bool published = false;
  l.lobby.Publish("10.0.0.5", [&] { published = true; });
  ASSERT_TRUE(WaitFor([&] { return published || l.left; }));
  ASSERT_TRUE(published) << l.messages.join("|").toStdString();
  const QByteArray text = testing::ReadAll(DayFile(l));
  EXPECT_EQ(text.count("\r\n"), 11);
  EXPECT_EQ(text.count('\n'), 11);
  EXPECT_TRUE(text.startsWith("10.0.0.5\r\nAnn\r\n")) << text.toStdString();
  // The fourth line is the host's country as its locale names it, never Qt's "Default".
  const QList<QByteArray> lines = text.split('\n');
  ASSERT_GE(lines.size(), 4);
  EXPECT_EQ(lines[3].toStdString(), InternetLobby::Country() + "\r");
  EXPECT_NE(lines[3], "Default\r");

  // Republishing adds a fresh record each time; none is rewritten.
  for (int i = 0; i < 2; ++i) {
    published = false;
    l.lobby.Publish("10.0.0.5", [&] { published = true; });
    ASSERT_TRUE(WaitFor([&] { return published || l.left; }));
  }
  EXPECT_EQ(testing::ReadAll(DayFile(l)).count("\r\n"), 33);
  EXPECT_FALSE(l.left);
  // The list then holds this host once per publication.
  l.lobby.Download();
  ASSERT_TRUE(WaitFor([&] { return l.list.has_value(); }));
  ASSERT_GE(l.list->rows.size(), 3u);
  EXPECT_EQ(l.list->rows[0].cells[0], " * Ann");
}

TEST(HostCountry, ALocaleWithoutACountryReadsUnknown) {
  EXPECT_EQ(InternetLobby::CountryOf(QLocale::c()), "Unknown");
  EXPECT_EQ(InternetLobby::CountryOf(QLocale(QLocale::English)), "United States");
  EXPECT_EQ(InternetLobby::CountryOf(QLocale(QLocale::German, QLocale::Austria)), "Austria");
}

TEST_F(MasterTest, TheListShowsFreshRecordsMarksPrivateOnesAndHidesExcludedOnes) {
  Lobby l(master.program.path());
  ASSERT_TRUE(l.Prepare());
  // A day without a list: a joining player sees the notice, a host its own row.
  l.lobby.Download();
  ASSERT_TRUE(WaitFor([&] { return l.list.has_value() || l.left; }));
  ASSERT_TRUE(l.list.has_value()) << l.messages.join("|").toStdString();
  const ServerTable none = TableFor(*l.list, false, l.game.setup, "X");
  ASSERT_EQ(none.rows.size(), 1u);
  EXPECT_EQ(none.rows[0].cells[0], "- No Servers Found -");
  EXPECT_FALSE(none.enabled);
  EXPECT_EQ(TableFor(*l.list, true, l.game.setup, "X").rows[0].cells[0], " Ann");

  const std::tm now = SharedWallClock(Now(), l.game.TimeBias);
  std::tm old = now;
  old.tm_min -= 10;
  timegm(&old);
  auto record = [&](const char* address, const char* name, const std::tm& when) {
    return WriteServerListRecord(
        {address, name, StampText(when), "Freedonia", "Offensive", "20", "None", "No", "15", "8", "On"});
  };
  QFile f(DayFile(l));
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write((record("1.2.3.4", "Old", old) + record("192.168.0.7", "Bo", now) + record("5.6.7.8", "Cy", now) +
           record("5.6.7.9", "Dee", now))
              .c_str());
  f.close();
  l.game.ServerExcluded[0] = " Cy Freedonia Offensive 20 None No 15 8 On";
  l.list.reset();
  l.lobby.Download();
  ASSERT_TRUE(WaitFor([&] { return l.list.has_value(); }));
  ASSERT_EQ(l.list->rows.size(), 2u);
  EXPECT_EQ(l.list->rows[0].cells[0], " * Bo");
  EXPECT_EQ(l.list->rows[1].cells[0], " Dee");
  EXPECT_EQ(l.game.ServerRowIP[1], "5.6.7.9");
}

TEST_F(MasterTest, TwoHostsPublishingAtOnceKeepBothRecords) {
  Lobby a(master.program.path()), b(master.program.path());
  b.game.setup.txtPL[0] = "Bob";
  ASSERT_TRUE(a.Prepare());
  ASSERT_TRUE(b.Prepare());
  int done = 0;
  a.lobby.Publish("1.2.3.4", [&] { ++done; });
  b.lobby.Publish("5.6.7.8", [&] { ++done; });
  ASSERT_TRUE(WaitFor([&] { return done == 2 || a.left || b.left; }));
  const QByteArray text = testing::ReadAll(DayFile(a));
  EXPECT_EQ(text.count("\r\n"), 22);
  EXPECT_TRUE(text.contains("\r\nAnn\r\n"));
  EXPECT_TRUE(text.contains("\r\nBob\r\n"));
}

TEST_F(MasterTest, AnUnreachableMasterServerGivesItsMessageAndLeavesOnlineMode) {
  ASSERT_NO_FATAL_FAILURE(PointAtAClosedPort());
  Lobby l(master.program.path());
  ASSERT_TRUE(l.Prepare());
  // "servers.cfg" names no status page: there is none to offer.
  int asked = 0;
  l.lobby.onMasterUnreachable = [&](const std::string&) { ++asked; };
  l.lobby.Download();
  ASSERT_TRUE(WaitFor([&] { return l.left; }));
  EXPECT_EQ(l.game.setup.chkOnline, 0);
  EXPECT_EQ(l.messages.value(0), "Problem Connecting To Master Server");
  EXPECT_EQ(asked, 0);
  EXPECT_FALSE(l.list.has_value());
}

TEST_F(MasterTest, AFailedGameLogLineIsSilentAndAnUnreachableServerAsksAboutItsStatus) {
  ASSERT_NO_FATAL_FAILURE(PointAtAClosedPort("http://127.0.0.1:8080/status"));
  Lobby l(master.program.path());
  ASSERT_TRUE(l.Prepare());
  std::vector<std::string> asked;
  l.lobby.onMasterUnreachable = [&](const std::string& page) { asked.push_back(page); };
  // The game has started: the log line that cannot be added is not told over the first turn.
  bool logged = false;
  l.lobby.AppendGameLog("ZQ v1.40.0143 Game Start: ...", [&] { logged = true; });
  ASSERT_TRUE(WaitFor([&] { return logged; }));
  EXPECT_TRUE(l.messages.isEmpty());
  EXPECT_FALSE(l.left);
  EXPECT_EQ(l.game.setup.chkOnline, 1);
  // A list that cannot be fetched asks about the master server's status instead of a plain box.
  l.lobby.Download();
  ASSERT_TRUE(WaitFor([&] { return l.left; }));
  // The page is the one "servers.cfg" names.
  EXPECT_EQ(asked, std::vector<std::string>{"http://127.0.0.1:8080/status"});
  EXPECT_TRUE(l.messages.isEmpty());
}

TEST_F(MasterTest, AnOnlineGamesStartAddsItsLogLineAndSocketsRunDuringTransfers) {
  NetGame host(true), bob(false);
  Game& h = host.game;
  InternetLobby lobby(h);
  lobby.folder = master.program.path();
  bool ready = false;
  lobby.Prepare([&] { ready = true; });
  ASSERT_TRUE(WaitFor([&] { return ready; }));
  int logged = 0;
  host.net.onAppendGameLog = [&](const std::string& line) { lobby.AppendGameLog(line, [&] { ++logged; }); };

  h.setup.txtPL[0] = "Ann", bob.game.setup.txtPL[0] = "Bob";
  const uint16_t port = host.Listen();
  // A client that asks to join while a transfer runs is answered all the same.
  lobby.Download();
  ASSERT_TRUE(lobby.Busy());
  bob.Join(port);
  ASSERT_TRUE(WaitFor([&] { return h.setup.txtPL[1] == "Bob"; }));

  h.setup.chkOnline = 1;
  h.setup.chkLan = 0;
  h.random.Seed(3);
  imgStart_Click(h);
  ASSERT_TRUE(WaitFor([&] { return logged == 1; }));
  const QByteArray log = testing::ReadAll(master.File("gamelog.txt"));
  EXPECT_TRUE(log.startsWith("ZQ v1.40.0143 Game Start: ")) << log.toStdString();
  EXPECT_TRUE(log.contains(", Players: Ann Bob  , Planets: ")) << log.toStdString();
  EXPECT_TRUE(log.endsWith("\r\n"));
  EXPECT_EQ(log.count('\n'), 1);
}

}  // namespace
}  // namespace zarnath
