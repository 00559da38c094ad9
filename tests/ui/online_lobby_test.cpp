// The internet lobby in the program, against a master server (pyftpdlib) and a daytime server on
// 127.0.0.1: two programs in one process find each other, the second joins the first from the
// server table, and the online game's start adds its line to the game log; the lobby's set-up,
// leaving it, the private-address question, the LAN box in the lobby, the join time-out against a
// port that does not answer and an unreachable master server, all with real mouse events.
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QProcess>
#include <QRadioButton>
#include <QScrollBar>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <memory>

#include "engine/game_start.h"
#include "net/lobby.h"
#include "net/online_setup.h"
#include "persist/text_cipher.h"
#include "shell/game_program.h"
#include "ui_fixture.h"

namespace zarnath::testing {

namespace {

void WriteCiphered(const QString& path, const std::vector<std::string>& lines) {
  QFile f(path);
  QVERIFY(f.open(QIODevice::WriteOnly));
  for (const auto& line : lines) f.write((Encrypt(line, kSavedGameKey) + "\r\n").c_str());
}

std::time_t Now() {
  return std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
}

// The shared clock's now (UTC, as the daytime server tells it).
std::tm SharedNow() {
  const std::time_t now = Now();
  std::tm tm{};
  gmtime_r(&now, &tm);
  return tm;
}

// The master server (pyftpdlib) and a daytime server on 127.0.0.1, the access files naming them,
// and a free game port; the environment is put back when it goes.
struct Services {
  QTemporaryDir served, cfg;
  QProcess ftp;
  QTcpServer daytime;
  int ftpPort = 0;

  bool Start() {
    ftp.start("/usr/bin/python3",
              {QStringLiteral(ZARNATH_FIXTURES_DIR "/ftp_server.py"), served.path(), "player", "s3cret"});
    if (!ftp.waitForStarted(10000)) return false;
    for (int i = 0; i < 150 && !ftp.canReadLine(); ++i) QTest::qWait(100);
    ftpPort = ftp.readLine().trimmed().mid(5).toInt();
    if (ftpPort <= 0 || !daytime.listen(QHostAddress::LocalHost, 0)) return false;
    QObject::connect(&daytime, &QTcpServer::newConnection, &daytime, [this] {
      while (QTcpSocket* s = daytime.nextPendingConnection()) {
        const std::tm tm = SharedNow();
        char text[40];
        std::strftime(text, sizeof text, "*%y-%m-%d %H:%M:%S\r\n", &tm);
        s->write(text);
        s->disconnectFromHost();
      }
    });
    qputenv("ZARNATH_DAYTIME_PORT", QByteArray::number(daytime.serverPort()));
    qputenv("ZARNATH_PORT", QByteArray::number(FreePort()));
    qputenv("ZARNATH_LOBBY_ADDRESS", "127.0.0.1");
    WriteAccess(ftpPort);
    WriteCiphered(cfg.filePath("time.cfg"), {"127.0.0.1", "*"});
    return true;
  }
  ~Services() {
    for (const char* name : {"ZARNATH_DAYTIME_PORT", "ZARNATH_PORT", "ZARNATH_LOBBY_ADDRESS"})
      qunsetenv(name);
    ftp.kill();
    ftp.waitForFinished(5000);
  }
  void WriteAccess(int port, const std::string& statusPage = "") {
    std::vector<std::string> lines{"ftp://127.0.0.1:" + std::to_string(port) + "/", "player", "s3cret"};
    if (!statusPage.empty()) lines.push_back(statusPage);
    WriteCiphered(cfg.filePath("servers.cfg"), lines);
  }
  static int FreePort() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
  }
  // A port that refuses every connection for as long as the test runs: bound here but never
  // listening, so that no other program (the other suites run beside this one) can take it.
  QTcpSocket deadPortHolder;
  int DeadPort() {
    if (deadPortHolder.state() != QAbstractSocket::BoundState &&
        !deadPortHolder.bind(QHostAddress::LocalHost, 0, QAbstractSocket::DontShareAddress))
      return 0;
    return deadPortHolder.localPort();
  }
  // Today's list on the master server, with a fresh record for each host named.
  void PublishedBy(std::initializer_list<const char*> hosts) {
    const std::tm now = SharedNow();
    QFile f(QDir(served.path()).filePath(QString::fromStdString(DayFileName(now))));
    QVERIFY(f.open(QIODevice::WriteOnly));
    for (const char* name : hosts)
      f.write(WriteServerListRecord({"127.0.0.1", name, StampText(now), "Freedonia", "Offensive", "20",
                                     "None", "No", "15", "8", "On"})
                  .c_str());
  }
};

struct Player {
  ProgramFolderCopy folder;
  DesktopPlatform platform;
  std::unique_ptr<GameProgram> program;
  Game& g() { return program->game; }
  SetupWindow& window() { return *program->setupWindows.window(); }
  ServerTableWidget& table() { return *program->online.table(); }

  Player(const char* name, const Services& services) {
    platform.scripted = platform.muted = true;
    program = std::make_unique<GameProgram>(platform);
    g().programFolder = folder.dir.path().toStdString();
    QFile::remove(folder.dir.filePath("servers.cfg"));
    QFile::remove(folder.dir.filePath("time.cfg"));
    QFile::copy(services.cfg.filePath("servers.cfg"), folder.dir.filePath("servers.cfg"));
    QFile::copy(services.cfg.filePath("time.cfg"), folder.dir.filePath("time.cfg"));
    program->setupWindows.Show();
    window().txtPL[0]->setText(QString::fromLatin1(name));
    g().setup.txtPL[0] = name;
  }
  void Click(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(9, 9)); }
  bool Sounded(const char* file) const { return std::ranges::count(platform.sounds, std::string(file)) > 0; }
  QStringList Boxes() const {
    QStringList out;
    for (const auto& b : platform.boxes) out << QString::fromStdString(b.text);
    return out;
  }
  // The internet box ticked; true once the day's list is shown.
  bool GoOnline() {
    Click(window().chkOnline);
    return QTest::qWaitFor([this] { return table().isVisible() && table().RowCount() > 0; }, 20000);
  }
  bool Focused(QWidget* w) {
    window().activateWindow();
    return QTest::qWaitForWindowActive(&window()) && QTest::qWaitFor([w] { return w->hasFocus(); }, 2000);
  }
};

void DoubleClickRow(ServerTableWidget& table, int row) {
  QListWidget* names = table.lstServer[0];
  const QPoint at = names->visualItemRect(names->item(row)).center();
  QTest::mouseClick(names->viewport(), Qt::LeftButton, {}, at);
  QTest::mouseDClick(names->viewport(), Qt::LeftButton, {}, at);
}

}  // namespace

class OnlineLobbyTest : public QObject {
  Q_OBJECT

 private slots:
  void twoProgramsFindEachOtherThroughTheMasterServer() {
    Services services;
    QVERIFY(services.Start());

    // Ann hosts an internet game.
    Player ann("Ann", services);
    QTest::mouseClick(ann.window().chkOnline, Qt::LeftButton, {}, QPoint(9, 9));
    QCOMPARE(ann.g().setup.chkOnline, 1);
    QTRY_VERIFY_WITH_TIMEOUT(ann.program->online.table()->isVisible(), 20000);
    QTRY_VERIFY_WITH_TIMEOUT(ann.window().OptServerClient[0]->isEnabled(), 20000);
    QTest::mouseClick(ann.window().OptServerClient[0], Qt::LeftButton, {}, QPoint(9, 9));
    QVERIFY(ann.g().setup.OptServerClient0);
    ServerTableWidget* annTable = ann.program->online.table();
    QTRY_COMPARE_WITH_TIMEOUT(annTable->lstServer[0]->count() > 0 &&
                                  annTable->lstServer[0]->item(0)->text() == QStringLiteral(" Ann"),
                              true, 20000);
    QVERIFY(ann.program->network.Listening());

    // Bob sees Ann's game in his table and joins it with a double-click.
    Player bob("Bob", services);
    QTest::mouseClick(bob.window().chkOnline, Qt::LeftButton, {}, QPoint(9, 9));
    ServerTableWidget* bobTable = bob.program->online.table();
    QTRY_COMPARE_WITH_TIMEOUT(bobTable->lstServer[0]->count() > 0 && bobTable->ColumnsEnabled(), true, 20000);
    QCOMPARE(bobTable->lstServer[0]->item(0)->text(), QStringLiteral(" Ann"));
    DoubleClickRow(*bobTable, 0);
    QCOMPARE(QString::fromStdString(bob.g().setup.txtIP), QStringLiteral("127.0.0.1"));
    QTRY_COMPARE_WITH_TIMEOUT(QString::fromStdString(ann.g().setup.txtPL[1]), QStringLiteral("Bob"), 20000);

    // The online game's start adds its line to the game log.
    ann.g().random.Seed(5);
    ann.window().ImgStart_Click();
    // The master server writes the file as its bytes come: read it once the whole line is there.
    auto gameLog = [&] {
      QFile log(services.served.filePath("gamelog.txt"));
      return log.open(QIODevice::ReadOnly) ? log.readAll() : QByteArray();
    };
    QTRY_VERIFY_WITH_TIMEOUT(gameLog().endsWith("\r\n"), 20000);
    const QByteArray line = gameLog();
    QVERIFY2(line.startsWith("ZQ v1.40.0143 Game Start: ") && line.contains("Players: Ann Bob"),
             line.constData());
    QTRY_VERIFY_WITH_TIMEOUT(bob.program->window.isVisible(), 20000);
  }

  // Ticking the box (with its click as it is pressed) sets up the lobby for people at other
  // computers in the taller window; hosting shows the host's own game with its sound; unticking
  // the box gives back the local set-up with nothing listening.
  void theLobbysSetUpAndLeavingItAfterHosting() {
    RegisterDisplayFonts();
    Services services;
    QVERIFY(services.Start());
    Player ann("Ann", services);
    SetupWindow& w = ann.window();
    const int compact = w.height();
    ann.Click(w.chkAI[2]);
    QVERIFY(ann.g().setup.chkAI[2] == 1 && !ann.g().setup.txtPL[2].empty());
    QVERIFY(ann.GoOnline());
    QVERIFY(ann.Sounded("click1.wav"));
    QVERIFY(!ann.Sounded("gameinfo.wav"));  // only the notice that no server was found
    QCOMPARE(ann.table().lstServer[0]->item(0)->text(), QStringLiteral("- No Servers Found -"));
    QCOMPARE(CutLabels(&w), QStringList{});
    QCOMPARE(CutListRows(&w), QStringList{});
    QCOMPARE(w.height(), compact + 168);
    QVERIFY(w.geometry().bottom() < 768);
    for (int k = 0; k < 4; ++k) {
      QVERIFY(!w.chkAI[k]->isChecked() && !w.chkAI[k]->isEnabled());
      QVERIFY(w.txtPL[k]->isReadOnly());
      if (k > 0) QVERIFY(w.txtPL[k]->text().isEmpty());
    }
    QVERIFY(!w.ImgStart()->isVisible() && !w.txtIP->isEnabled());
    QVERIFY(w.OptServerClient[0]->isEnabled());
    for (QLabel* caption : w.findChildren<QLabel*>())
      if (caption->text() == QStringLiteral("Internet Game")) QVERIFY(caption->isEnabled());

    ann.Click(w.OptServerClient[0]);
    // The one row of "No Servers Found" stands until the fresh list replaces it with Ann's game.
    QTRY_VERIFY_WITH_TIMEOUT(ann.table().ColumnsEnabled() && ann.table().RowCount() == 1 &&
                                 ann.table().lstServer[0]->item(0)->text() == QStringLiteral(" Ann"),
                             20000);
    QCOMPARE(CutLabels(&w), QStringList{});  // the host's lobby over its table
    QCOMPARE(CutListRows(&w), QStringList{});
    QVERIFY(ann.Sounded("gameinfo.wav"));
    QVERIFY(ann.program->network.Listening());
    QVERIFY(ann.platform.TimerEnabled(GameTimer::kServerRepublish));
    QVERIFY(!w.ImgStart()->isVisible());  // no client yet

    ann.Click(w.chkOnline);  // leaves online mode
    QCOMPARE(ann.g().setup.chkOnline, 0);
    QCOMPARE(w.height(), compact);
    QVERIFY(!ann.table().isVisible());
    QVERIFY(!ann.program->network.Listening());
    QVERIFY(!ann.platform.TimerEnabled(GameTimer::kServerRepublish));
    QVERIFY(!w.OptServerClient[0]->isChecked() && !w.OptServerClient[0]->isEnabled());
    QVERIFY(!w.txtPL[0]->isReadOnly() && w.chkAI[1]->isEnabled());
    QVERIFY(w.VScroll1->isEnabled() && w.chkShield->isEnabled() && w.txtOp[0]->isEnabled());
    QVERIFY(w.ImgStart()->isVisible());
  }

  // Yes to the question of a host on a private address: a fresh LAN set-up, join selected.
  void yesToThePrivateAddressQuestionGivesALanGame() {
    Services services;
    QVERIFY(services.Start());
    qputenv("ZARNATH_LOBBY_ADDRESS", "192.168.1.20");
    Player ann("Ann", services);
    SetupWindow& w = ann.window();
    QVERIFY(ann.GoOnline());
    ann.Click(w.OptServerClient[0]);  // the scripted answer is Yes
    QVERIFY(ann.Boxes().contains(QString::fromLatin1(kSwitchToLanQuestion)));
    QVERIFY(w.chkLan->isChecked() && !w.chkOnline->isChecked());
    QVERIFY(w.OptServerClient[1]->isChecked() && w.OptServerClient[0]->isEnabled());
    QVERIFY(!ann.program->network.Listening());
    QVERIFY(!ann.table().isVisible());
    QVERIFY(w.VScroll1->isEnabled() && w.chkShield->isEnabled() && w.txtIP->isEnabled());
    QVERIFY(ann.Focused(w.txtIP));
    QTest::qWait(300);  // no list or publication comes after it
    QVERIFY(!ann.table().isVisible());
    QVERIFY(!QFile::exists(
        QDir(services.served.path()).filePath(QString::fromStdString(DayFileName(SharedNow())))));
  }

  // Ticking the LAN box in the lobby leaves online mode: the table, the tall window and the
  // minute's refresh go, and the address box takes the focus.
  void tickingLanWhileOnlineLeavesTheLobby() {
    Services services;
    QVERIFY(services.Start());
    services.PublishedBy({"Cy"});
    Player bob("Bob", services);
    SetupWindow& w = bob.window();
    const int compact = w.height();
    QVERIFY(bob.GoOnline());
    QVERIFY(bob.Sounded("gameinfo.wav"));
    QCOMPARE(bob.platform.TimerInterval(GameTimer::kServerRefresh), 60000);
    bob.Click(w.chkLan);
    QVERIFY(w.chkLan->isChecked() && !w.chkOnline->isChecked());
    QCOMPARE(w.height(), compact);
    QVERIFY(!bob.table().isVisible());
    QVERIFY(!bob.platform.TimerEnabled(GameTimer::kServerRefresh));
    QVERIFY(bob.Focused(w.txtIP));
  }

  // A listed host whose port does not answer: the join times out, the server is left out of the
  // fresh list and the table can be used again.
  void aJoinToADeadPortTimesOutAndThatHostIsNoLongerListed() {
    Services services;
    QVERIFY(services.Start());
    services.PublishedBy({"Cy", "Dee"});
    const int dead = services.DeadPort();  // the game port: nobody answers on it
    QVERIFY(dead > 0);
    qputenv("ZARNATH_PORT", QByteArray::number(dead));
    Player bob("Bob", services);
    SetupWindow& w = bob.window();
    QVERIFY(bob.GoOnline());
    QCOMPARE(bob.table().RowCount(), 2);
    DoubleClickRow(bob.table(), 0);
    QCOMPARE(w.lblStatus[1]->text(), QStringLiteral("Looking for Server..."));
    QVERIFY(w.lblStatus[0]->isVisible() && !w.Label8->isVisible() && w.Label5->isVisible());
    QVERIFY(!bob.table().lstServer[0]->isEnabled() && !w.OptServerClient[0]->isEnabled());
    QVERIFY(!w.ImgStart()->isVisible() && !w.VScroll1->isEnabled() && w.txtPL[0]->isReadOnly());
    QCOMPARE(bob.g().PlayerName[0], std::string("Bob"));
    QVERIFY(bob.platform.TimerEnabled(GameTimer::kClientJoin));
    QCOMPARE(bob.platform.TimerInterval(GameTimer::kClientJoin), 15000);
    QVERIFY(!bob.platform.TimerEnabled(GameTimer::kServerRefresh));
    QTest::qWait(500);  // the refused connection says nothing yet
    QCOMPARE(w.lblStatus[1]->text(), QStringLiteral("Looking for Server..."));

    bob.platform.FireTimer(GameTimer::kClientJoin);  // 15 seconds on
    QVERIFY(bob.Boxes().contains(QStringLiteral("Server Has Timed Out!")));
    QCOMPARE(QString::fromStdString(bob.g().ServerExcluded[0]),
             QStringLiteral(" Cy Freedonia Offensive 20 None No 15 8 On"));
    QTRY_VERIFY_WITH_TIMEOUT(bob.table().RowCount() == 1 && bob.table().ColumnsEnabled() &&
                                 bob.table().lstServer[0]->item(0)->text() == QStringLiteral(" Dee"),
                             20000);
    QVERIFY(w.OptServerClient[0]->isEnabled());
    QVERIFY(!bob.platform.TimerEnabled(GameTimer::kClientJoin));
  }

  // A master server that cannot be reached: the question, and on OK the status page that
  // "servers.cfg" names; without a page, a plain message.
  void anUnreachableMasterServerOffersItsStatusPage() {
    struct Case {
      std::string page;
      Answer answer;
    };
    const std::string named = "http://127.0.0.1:8080/status";
    for (const auto& [page, answer] :
         {Case{named, Answer::kOk}, Case{named, Answer::kCancel}, Case{"", Answer::kOk}}) {
      Services services;
      QVERIFY(services.Start());
      const int dead = services.DeadPort();
      QVERIFY(dead > 0);
      services.WriteAccess(dead, page);
      Player bob("Bob", services);
      bob.platform.answers = {answer};
      bob.Click(bob.window().chkOnline);
      QTRY_VERIFY_WITH_TIMEOUT(!bob.window().chkOnline->isChecked(), 20000);
      QCOMPARE(bob.platform.boxes.size(), size_t{1});
      if (page.empty()) {
        QCOMPARE(bob.platform.boxes[0].text, std::string("Problem Connecting To Master Server"));
        QVERIFY(bob.platform.boxes[0].buttons == Buttons::kOk);
      } else {
        QCOMPARE(bob.platform.boxes[0].text, std::string(kMasterUnreachableText));
        QVERIFY(bob.platform.boxes[0].buttons == Buttons::kOkCancel);
      }
      QCOMPARE(bob.platform.opened, answer == Answer::kOk && !page.empty() ? std::vector<std::string>{page}
                                                                           : std::vector<std::string>{});
      QVERIFY(!bob.table().isVisible());
      QVERIFY(bob.window().ImgStart()->isVisible());
    }
  }

  // A click on "Connect to Game" while it is already chosen fetches the list again and hides no
  // server; giving up hosting hides only the host's own game, the table's last row.
  void connectingAgainHidesNoServerAndLeavingHostingHidesTheOwnGame() {
    Services services;
    QVERIFY(services.Start());
    services.PublishedBy({"Cy", "Dee"});
    Player ann("Ann", services);
    SetupWindow& w = ann.window();
    QVERIFY(ann.GoOnline());
    auto names = [&ann] {
      QStringList out;
      for (int r = 0; r < ann.table().RowCount(); ++r) out << ann.table().lstServer[0]->item(r)->text();
      return out;
    };
    auto lists = [&ann] { return std::ranges::count(ann.platform.sounds, std::string("gameinfo.wav")); };
    QCOMPARE(names(), (QStringList{" Cy", " Dee"}));
    QVERIFY(w.OptServerClient[1]->isChecked());
    for (int click = 0; click < 2; ++click) {
      const auto before = lists();
      ann.Click(w.OptServerClient[1]);
      QTRY_VERIFY_WITH_TIMEOUT(lists() > before, 20000);
      QCOMPARE(names(), (QStringList{" Cy", " Dee"}));
    }
    ann.platform.FireTimer(GameTimer::kServerRefresh);
    QTRY_VERIFY_WITH_TIMEOUT(ann.table().RowCount() == 2, 20000);
    QCOMPARE(names(), (QStringList{" Cy", " Dee"}));
    QVERIFY(ann.g().ServerExcluded[0].empty());

    ann.Click(w.OptServerClient[0]);
    QTRY_VERIFY_WITH_TIMEOUT(names() == (QStringList{" Cy", " Dee", " Ann"}), 20000);
    const auto before = lists();
    ann.Click(w.OptServerClient[1]);
    QTRY_VERIFY_WITH_TIMEOUT(lists() > before, 20000);
    QCOMPARE(names(), (QStringList{" Cy", " Dee"}));
    QVERIFY(QString::fromStdString(ann.g().ServerExcluded[0]).startsWith(QStringLiteral(" Ann ")));
  }
};

ZARNATH_UI_SUITE(OnlineLobbyTest, {"online-lobby", 1024, 96});

}  // namespace zarnath::testing

#include "online_lobby_test.moc"
