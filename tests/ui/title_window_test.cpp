// The title window at a 1024 x 768 screen of 96 dots per inch: its start-up, its buttons'
// faces and clicks, Start with the first-run marker, Load, Help and closing.
#include <QFile>
#include <QScrollBar>
#include <QTest>
#include <QTextBrowser>

#include "shell/display_fonts.h"
#include "shell/help_viewer.h"
#include "shell/image_button.h"
#include "shell/missing_files.h"
#include "shell/resolution_check.h"
#include "shell/title_window.h"
#include "ui_fixture.h"
#include "ui_tests.h"

namespace zarnath::testing {

namespace {
struct Title {
  ProgramFolderCopy folder;
  UiGame ui;
  DesktopDisplayModes modes;
  TitleWindow window{ui.game, ui.platform, modes};
  int ended = 0;
  Title() {
    window.endProgram = [this] { ++ended; };
  }
};

// Presses and releases a button with a mouse button, noting what the button showed when its
// click sound began.
struct PressRecord {
  QString faceAtSound;
  int paintsBeforeSound = -1;
};
}  // namespace

class TitleWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void startUpShowsTheWindowThenPlaysTheStartSound() {
    Title t;
    struct PaintWatch : QObject {
      int paints = 0;
      bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint) ++paints;
        return false;
      }
    } watch;
    t.window.installEventFilter(&watch);
    bool shownAtSound = false;
    t.ui.platform.onSound = [&](const std::string& s) {
      if (s == "gamestart.wav") shownAtSound = t.window.isVisible() && watch.paints > 0;
    };
    QVERIFY(t.window.Form_Load());
    QCOMPARE(t.window.windowTitle(), QStringLiteral("Zarnath v1.40"));
    QCOMPARE(t.window.size(), QSize(397, 426));
    QCOMPARE(t.window.minimumSize(), t.window.maximumSize());
    QVERIFY(t.window.isVisible());
    QVERIFY(shownAtSound);
    QCOMPARE(t.ui.platform.sounds, std::vector<std::string>{"gamestart.wav"});
    QVERIFY(t.ui.platform.boxes.empty());
    QCOMPARE(t.ended, 0);
    const char* names[] = {"Pandora", "Phoebe", "Calypso", "Atlas", "Titan", "Hyperion"};
    for (int i = 0; i < 6; ++i)
      QCOMPARE(QString::fromStdString(t.ui.game.CpuName[i]), QString::fromLatin1(names[i]));
    QVERIFY(t.ui.game.CpuName[6].empty());
  }

  void startSoundPlaysWhateverTheSoundOptionSays() {
    Title t;
    t.ui.game.SoundOff = true;
    QVERIFY(t.window.Form_Load());
    QCOMPARE(t.ui.platform.sounds, std::vector<std::string>{"gamestart.wav"});
  }

  void fontsComeFromTheProgramFolder() {
    Title t;
    QVERIFY(t.window.Form_Load());
    QCOMPARE(FontFamily(Typeface::kVenusRising), QStringLiteral("Ferrite Core DX"));
    QCOMPARE(FontFamily(Typeface::kNasalization), QStringLiteral("Comfortaa"));
    // Loading again (the title's load removes and adds them) keeps them usable.
    RegisterDisplayFonts();
    QCOMPARE(FontFamily(Typeface::kVenusRising), QStringLiteral("Ferrite Core DX"));
    QCOMPARE(GameFont(Typeface::kVenusRising, 21.75).pixelSize(), 29);
    QCOMPARE(GameFont(Typeface::kVenusRising, 14.25).pixelSize(), 19);
  }

  void theTitlePictureIsDrawn() {
    Title t;
    QVERIFY(t.window.Form_Load());
    const QImage shot = t.window.grab().toImage();
    const QImage picture(t.folder.file(QStringLiteral("startup.jpg")));
    QCOMPARE(shot.size(), picture.size());
    // The drawn Start face lies under the Start button.
    QCOMPARE(shot.pixelColor(57, 392), picture.pixelColor(57, 392));
    QCOMPARE(shot.pixelColor(200, 100), picture.pixelColor(200, 100));
  }

  void buttonsLieOverTheDrawnFaces() {
    Title t;
    QCOMPARE(t.window.ImgStart()->geometry(), QRect(20, 375, 75, 35));
    QCOMPARE(t.window.ImgLoad()->geometry(), QRect(115, 375, 75, 35));
    QCOMPARE(t.window.ImgHelp()->geometry(), QRect(210, 375, 75, 35));
    QVERIFY(t.window.ImgStart()->picture().isEmpty());
  }

  // Any mouse button shows the pressed face, painted before the click, and clicks even with
  // the sound off; the release takes the face away again.
  void pressedFacesAndClicks_data() {
    QTest::addColumn<int>("button");
    QTest::addColumn<bool>("soundOff");
    QTest::newRow("left") << int(Qt::LeftButton) << false;
    QTest::newRow("right") << int(Qt::RightButton) << false;
    QTest::newRow("middle") << int(Qt::MiddleButton) << false;
    QTest::newRow("left, sound off") << int(Qt::LeftButton) << true;
  }
  void pressedFacesAndClicks() {
    QFETCH(int, button);
    QFETCH(bool, soundOff);
    Title t;
    QVERIFY(t.window.Form_Load());
    t.ui.game.SoundOff = soundOff;
    const std::pair<ImageButton*, QString> buttons[] = {{t.window.ImgStart(), "ddentbutt8.jpg"},
                                                        {t.window.ImgLoad(), "ddentbutt9.jpg"},
                                                        {t.window.ImgHelp(), "ddentbutt10.jpg"}};
    for (const auto& [b, pressedFace] : buttons) {
      t.ui.platform.sounds.clear();
      PressRecord seen;
      const int paintsBefore = b->paintCount();
      t.ui.platform.onSound = [&](const std::string&) {
        seen.faceAtSound = b->picture();
        seen.paintsBeforeSound = b->paintCount() - paintsBefore;
      };
      QTest::mousePress(b, Qt::MouseButton(button), {}, QPoint(30, 15));
      QCOMPARE(b->picture(), pressedFace);
      QCOMPARE(seen.faceAtSound, pressedFace);
      QVERIFY(seen.paintsBeforeSound >= 1);
      QCOMPARE(t.ui.platform.sounds, std::vector<std::string>{"click1.wav"});
      // The pressed face is drawn over the title picture.
      QCOMPARE(b->grab().toImage().pixelColor(30, 15), QImage(t.folder.file(pressedFace)).pixelColor(30, 15));
      // Releasing away from the button takes the face away and runs no action.
      QTest::mouseRelease(b, Qt::MouseButton(button), {}, QPoint(200, 200));
      QVERIFY(b->picture().isEmpty());
      QCOMPARE(t.ui.platform.sounds.size(), size_t{1});
      QVERIFY(t.window.isVisible());
    }
  }

  void firstStartOpensTheHelpOnceAndRemovesTheMarker() {
    Title t;
    QVERIFY(t.window.Form_Load());
    QFile marker(t.folder.file(QStringLiteral("FirstTime")));
    QVERIFY(marker.open(QIODevice::WriteOnly));
    marker.close();
    t.ui.game.TimeBias = 12.5;

    QTest::mouseClick(t.window.ImgStart(), Qt::LeftButton, {}, QPoint(10, 10));
    QVERIFY(!t.window.isVisible());
    QCOMPARE(t.ui.platform.helpShown, 1);
    QVERIFY(t.ui.platform.helpViewer() && t.ui.platform.helpViewer()->isVisible());
    QCOMPARE(t.ui.platform.helpViewer()->windowTitle(), QStringLiteral("Zarnath"));
    QVERIFY(!QFile::exists(t.folder.file(QStringLiteral("FirstTime"))));
    QCOMPARE(t.ui.game.TimeBias, -1.0);
    QCOMPARE(t.ui.pending.Count("ShowSetupWindow"), 1);
    QVERIFY(t.ui.platform.boxes.empty());

    t.ui.platform.helpViewer()->hide();
    t.window.show();
    t.window.ImgStart_Click();
    QCOMPARE(t.ui.platform.helpShown, 1);
    QVERIFY(!t.ui.platform.helpViewer()->isVisible());
    QCOMPARE(t.ui.pending.Count("ShowSetupWindow"), 2);
  }

  void loadEmptiesTheFirstNameAndOpensTheLoadDialog() {
    Title t;
    QVERIFY(t.window.Form_Load());
    int dialogs = 0;
    t.window.showLoadDialog = [&] {
      QVERIFY(t.ui.game.PlayerName[0].empty());
      ++dialogs;
    };
    t.ui.game.PlayerName[0] = "Vega";
    t.ui.game.PlayerName[1] = "Rigel";
    t.window.ImgLoad_Click();
    QCOMPARE(dialogs, 1);
    QVERIFY(!t.window.isVisible());
    QCOMPARE(t.ui.game.PlayerName[1], std::string("Rigel"));
    QCOMPARE(t.ui.pending.Count("ShowSetupWindow"), 0);
  }

  void helpOpensTheContentsAndTheTitleStays() {
    Title t;
    QVERIFY(t.window.Form_Load());
    t.window.ImgHelp_Click();
    QVERIFY(t.window.isVisible());
    HelpViewer* viewer = t.ui.platform.helpViewer();
    QVERIFY(viewer && viewer->isVisible());
    QCOMPARE(viewer->windowTitle(), QStringLiteral("Zarnath"));
    const QString text = viewer->text()->toPlainText();
    QVERIFY(text.contains(QStringLiteral("Contents")));
    QVERIFY(text.contains(QStringLiteral("The network game")));
    QVERIFY(text.contains(QStringLiteral("Battles")));
    // A topic followed from the contents, and back to them.
    viewer->text()->setSource(QUrl(QStringLiteral("#network")));
    QVERIFY(viewer->text()->verticalScrollBar()->value() > 0);
    viewer->ShowContents();
    QCOMPARE(viewer->text()->verticalScrollBar()->value(), 0);
    QVERIFY(t.ui.platform.boxes.empty());
  }

  void closingTheTitleEndsTheProgram() {
    Title t;
    QVERIFY(t.window.Form_Load());
    t.window.close();
    QCOMPARE(t.ended, 1);
    QCOMPARE(t.ui.pending.Count("ShowSetupWindow"), 0);
  }

  // Without its files the program still starts: the title shows black, the start sound stays
  // silent, and the first missing file is named once.
  void missingFilesNeverStopTheProgram() {
    ProgramFolderCopy empty(QDir(BuiltProgramFolder()).entryList(QDir::Files));
    UiGame ui;
    DesktopDisplayModes modes;
    TitleWindow window(ui.game, ui.platform, modes);
    window.endProgram = [] {};
    QVERIFY(window.Form_Load());
    QVERIFY(window.isVisible());
    QCOMPARE(window.grab().toImage().pixelColor(200, 100), QColor(Qt::black));
    QCOMPARE(ui.platform.sounds, std::vector<std::string>{"gamestart.wav"});
    QCOMPARE(ui.platform.boxes.size(), size_t{1});
    QCOMPARE(ui.platform.boxes[0].title, std::string("Zarnath Error"));
    QVERIFY(ui.platform.boxes[0].text.find("\"venusris.ttf\"") != std::string::npos);
    QCOMPARE(FontFamily(Typeface::kVenusRising), QGuiApplication::font().family());

    QTest::mousePress(window.ImgStart(), Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(window.ImgStart()->grab().toImage().pixelColor(5, 5), QColor(Qt::black));
    QTest::mouseRelease(window.ImgStart(), Qt::LeftButton, {}, QPoint(5, 5));
    window.show();
    window.ImgHelp_Click();
    QVERIFY(!ui.platform.helpViewer() || !ui.platform.helpViewer()->isVisible());
    QCOMPARE(ui.platform.boxes.size(), size_t{1});
  }
};

int RunTitleWindowTests(int argc, char** argv) {
  TitleWindowTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace zarnath::testing

#include "title_window_test.moc"
