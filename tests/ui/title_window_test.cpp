// The title window at a 1024 x 768 screen of 96 dots per inch.
#include <QTextBrowser>

#include "shell/help_viewer.h"
#include "ui_fixture.h"

namespace zarnath::testing {

class TitleWindowTest : public QObject {
  Q_OBJECT

 private slots:
  // Shown and painted before the start sound, which plays whatever the sound option says; the
  // fonts come from the program folder, the computer players get names, the picture is drawn.
  void startUp() {
    Title t(false);
    EventCount paints(&t.window, QEvent::Paint);
    bool shownAtSound = false;
    t.ui.platform.onSound = [&](const std::string&) { shownAtSound = t.window.isVisible() && paints.count; };
    t.ui.game.SoundOff = true;
    QVERIFY(t.window.Form_Load());
    QVERIFY(shownAtSound);
    QVERIFY(t.ui.platform.boxes.empty());
    QCOMPARE(t.window.windowTitle(), QStringLiteral("Zarnath v1.40"));
    QCOMPARE(t.window.size(), QSize(397, 426));
    QCOMPARE(t.window.minimumSize(), t.window.maximumSize());
    QCOMPARE(t.ui.platform.sounds, std::vector<std::string>{"gamestart.wav"});
    const std::array<std::string, 7> names{"Pandora", "Phoebe", "Calypso", "Atlas", "Titan", "Hyperion", ""};
    QVERIFY(std::equal(names.begin(), names.end(), t.ui.game.CpuName.begin()));
    QCOMPARE(FontFamily(Typeface::kVenusRising), QStringLiteral("Ferrite Core DX"));
    QCOMPARE(FontFamily(Typeface::kNasalization), QStringLiteral("Comfortaa"));
    const QImage shot = t.window.grab().toImage(), picture(t.folder.file("startup.jpg"));
    QCOMPARE(shot.size(), picture.size());
    QCOMPARE(shot.pixelColor(200, 100), picture.pixelColor(200, 100));
    QCOMPARE(t.window.ImgHelp()->geometry(), QRect(210, 375, 75, 35));
    QVERIFY(t.window.ImgStart()->picture().isEmpty());
  }

  // Any mouse button shows the pressed face, painted before the click, which sounds even with
  // the sound off; releasing away from the button takes the face away and runs no action.
  void pressedFacesAndClicks() {
    for (auto [button, soundOff] : {std::pair{Qt::LeftButton, false}, std::pair{Qt::RightButton, true}}) {
      Title t;
      t.ui.game.SoundOff = soundOff;
      const std::pair<ImageButton*, QString> buttons[] = {
          {t.window.ImgStart(), "8"}, {t.window.ImgLoad(), "9"}, {t.window.ImgHelp(), "10"}};
      for (const auto& [b, number] : buttons) {
        const QString face = "ddentbutt" + number + ".jpg";
        QString faceAtSound;
        const int paintsBefore = b->paintCount();
        t.ui.platform.sounds.clear();
        t.ui.platform.onSound = [&](auto&) {
          faceAtSound = b->paintCount() > paintsBefore ? b->picture() : "";
        };
        QTest::mousePress(b, button, {}, QPoint(30, 15));
        QCOMPARE(faceAtSound, face);
        QCOMPARE(t.ui.platform.sounds, std::vector<std::string>{"click1.wav"});
        QCOMPARE(b->grab().toImage().pixelColor(30, 15), QImage(t.folder.file(face)).pixelColor(30, 15));
        QTest::mouseRelease(b, button, {}, QPoint(200, 200));
        QVERIFY(b->picture().isEmpty());
        QVERIFY(t.window.isVisible());
        QCOMPARE(t.ui.platform.sounds.size(), size_t{1});
      }
    }
  }

  // Start: the first-run marker opens the help once and is removed. Load empties the first name
  // before its dialog. Help opens and the title stays. Closing the title ends the program.
  void startLoadHelpAndClose() {
    Title t;
    QFile(t.folder.file("FirstTime")).open(QIODevice::WriteOnly);
    t.ui.game.TimeBias = 12.5;
    QTest::mouseClick(t.window.ImgStart(), Qt::LeftButton, {}, QPoint(10, 10));
    QVERIFY(!t.window.isVisible());
    QVERIFY(t.ui.platform.helpViewer()->isVisible());
    QCOMPARE(t.ui.platform.helpShown, 1);
    QVERIFY(!QFile::exists(t.folder.file("FirstTime")));
    QCOMPARE(t.ui.game.TimeBias, -1.0);
    t.ui.platform.helpViewer()->hide(), t.window.show(), t.window.ImgStart_Click();
    QCOMPARE(t.ui.platform.helpShown, 1);
    QCOMPARE(t.ui.pending.Count("ShowSetupWindow"), 2);
    t.window.showLoadDialog = [&] { t.loadDialogs += t.ui.game.PlayerName[0].empty(); };
    t.ui.game.PlayerName = {"Vega", "Rigel", "", ""};
    t.window.show(), t.window.ImgLoad_Click();
    QCOMPARE(t.loadDialogs, 1);
    QVERIFY(!t.window.isVisible());
    QCOMPARE(t.ui.game.PlayerName[1], std::string("Rigel"));
    t.window.show(), t.window.ImgHelp_Click();
    HelpViewer* viewer = t.ui.platform.helpViewer();
    QVERIFY(t.window.isVisible());
    QVERIFY(viewer->isVisible());
    QCOMPARE(viewer->windowTitle(), QStringLiteral("Zarnath"));
    QVERIFY(viewer->text()->toPlainText().contains("The network game"));
    t.window.close();
    QCOMPARE(t.ended, 1);
    QCOMPARE(t.ui.pending.Count("ShowSetupWindow"), 2);
  }

  // Without its files the program still starts: the title and the pressed faces show black,
  // the start sound stays silent, help does not open, and the first missing file is named once.
  void missingFilesNeverStopTheProgram() {
    Title t(true, QDir(BuiltProgramFolder()).entryList(QDir::Files));
    QVERIFY(t.loaded);
    QVERIFY(t.window.isVisible());
    QCOMPARE(t.window.grab().toImage().pixelColor(200, 100), QColor(Qt::black));
    QCOMPARE(t.ui.platform.sounds, std::vector<std::string>{"gamestart.wav"});
    QCOMPARE(FontFamily(Typeface::kVenusRising), QGuiApplication::font().family());
    QTest::mousePress(t.window.ImgStart(), Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(t.window.ImgStart()->grab().toImage().pixelColor(5, 5), QColor(Qt::black));
    QTest::mouseRelease(t.window.ImgStart(), Qt::LeftButton, {}, QPoint(5, 5));
    t.window.show();
    t.window.ImgHelp_Click();
    QVERIFY(!t.ui.platform.helpViewer() || !t.ui.platform.helpViewer()->isVisible());
    QCOMPARE(t.ui.platform.boxes.size(), size_t{1});
    QCOMPARE(t.ui.platform.boxes[0].title, std::string("Zarnath Error"));
    QVERIFY(t.ui.platform.boxes[0].text.find("\"venusris.ttf\"") != std::string::npos);
  }
};
ZARNATH_UI_SUITE(TitleWindowTest, {"title", 1024, 96});

}  // namespace zarnath::testing

#include "title_window_test.moc"
