// The internet lobby in the program: two programs in one process find each other through a master
// server (pyftpdlib) and a daytime server on 127.0.0.1, the second joins the first from the server
// table, and the online game's start adds its line to the master server's game log.
#include <QCheckBox>
#include <QFile>
#include <QListWidget>
#include <QProcess>
#include <QRadioButton>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <chrono>
#include <memory>

#include "engine/game_start.h"
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

struct Player {
  ProgramFolderCopy folder;
  DesktopPlatform platform;
  std::unique_ptr<GameProgram> program;
  Game& g() { return program->game; }
  SetupWindow& window() { return *program->setupWindows.window(); }

  Player(const char* name, const QString& servers, const QString& time) {
    platform.scripted = platform.muted = true;
    program = std::make_unique<GameProgram>(platform);
    g().programFolder = folder.dir.path().toStdString();
    QFile::remove(folder.dir.filePath("servers.cfg"));
    QFile::remove(folder.dir.filePath("time.cfg"));
    QFile::copy(servers, folder.dir.filePath("servers.cfg"));
    QFile::copy(time, folder.dir.filePath("time.cfg"));
    program->setupWindows.Show();
    window().txtPL[0]->setText(QString::fromLatin1(name));
    g().setup.txtPL[0] = name;
  }
};

}  // namespace

class OnlineLobbyTest : public QObject {
  Q_OBJECT

 private slots:
  void twoProgramsFindEachOtherThroughTheMasterServer() {
    // The master server and the shared clock.
    QTemporaryDir served, cfg;
    QProcess ftp;
    ftp.start("/usr/bin/python3",
              {QStringLiteral(ZARNATH_FIXTURES_DIR "/ftp_server.py"), served.path(), "player", "s3cret"});
    QVERIFY(ftp.waitForStarted(10000));
    QTRY_VERIFY_WITH_TIMEOUT(ftp.canReadLine(), 15000);
    const int ftpPort = ftp.readLine().trimmed().mid(5).toInt();
    QVERIFY(ftpPort > 0);
    QTcpServer daytime;
    QVERIFY(daytime.listen(QHostAddress::LocalHost, 0));
    connect(&daytime, &QTcpServer::newConnection, this, [&daytime] {
      while (QTcpSocket* s = daytime.nextPendingConnection()) {
        const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
        std::tm tm{};
        gmtime_r(&now, &tm);
        char text[40];
        std::strftime(text, sizeof text, "*%y-%m-%d %H:%M:%S\r\n", &tm);
        s->write(text);
        s->disconnectFromHost();
      }
    });
    qputenv("ZARNATH_DAYTIME_PORT", QByteArray::number(daytime.serverPort()));
    QTcpServer probe;  // a free game port
    QVERIFY(probe.listen(QHostAddress::LocalHost, 0));
    qputenv("ZARNATH_PORT", QByteArray::number(probe.serverPort()));
    probe.close();
    qputenv("ZARNATH_LOBBY_ADDRESS", "127.0.0.1");
    WriteCiphered(cfg.filePath("servers.cfg"),
                  {"ftp://127.0.0.1:" + std::to_string(ftpPort) + "/", "player", "s3cret"});
    WriteCiphered(cfg.filePath("time.cfg"), {"127.0.0.1", "*"});

    // Ann hosts an internet game.
    Player ann("Ann", cfg.filePath("servers.cfg"), cfg.filePath("time.cfg"));
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
    Player bob("Bob", cfg.filePath("servers.cfg"), cfg.filePath("time.cfg"));
    QTest::mouseClick(bob.window().chkOnline, Qt::LeftButton, {}, QPoint(9, 9));
    ServerTableWidget* bobTable = bob.program->online.table();
    QTRY_COMPARE_WITH_TIMEOUT(bobTable->lstServer[0]->count() > 0 && bobTable->ColumnsEnabled(), true, 20000);
    QCOMPARE(bobTable->lstServer[0]->item(0)->text(), QStringLiteral(" Ann"));
    QListWidget* names = bobTable->lstServer[0];
    const QPoint at = names->visualItemRect(names->item(0)).center();
    QTest::mouseClick(names->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(names->viewport(), Qt::LeftButton, {}, at);
    QCOMPARE(QString::fromStdString(bob.g().setup.txtIP), QStringLiteral("127.0.0.1"));
    QTRY_COMPARE_WITH_TIMEOUT(QString::fromStdString(ann.g().setup.txtPL[1]), QStringLiteral("Bob"), 20000);

    // The online game's start adds its line to the game log.
    ann.g().random.Seed(5);
    ann.window().ImgStart_Click();
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(served.filePath("gamelog.txt")), 20000);
    QFile log(served.filePath("gamelog.txt"));
    QTRY_VERIFY_WITH_TIMEOUT(log.size() > 0, 20000);
    QVERIFY(log.open(QIODevice::ReadOnly));
    const QByteArray line = log.readAll();
    QVERIFY2(line.startsWith("ZQ v1.40.0143 Game Start: ") && line.contains("Players: Ann Bob"),
             line.constData());
    QTRY_VERIFY_WITH_TIMEOUT(bob.program->window.isVisible(), 20000);

    for (const char* name : {"ZARNATH_DAYTIME_PORT", "ZARNATH_PORT", "ZARNATH_LOBBY_ADDRESS"})
      qunsetenv(name);
    ftp.kill();
    ftp.waitForFinished(5000);
  }
};

ZARNATH_UI_SUITE(OnlineLobbyTest, {"online-lobby", 1024, 96});

}  // namespace zarnath::testing

#include "online_lobby_test.moc"
