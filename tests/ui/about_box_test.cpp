// The About box: its texts and place, OK hiding it, and its button's faces and sound rule.
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <cstdlib>

#include "shell/about_box.h"
#include "shell/game_program.h"
#include "ui_fixture.h"

namespace zarnath::testing {

namespace {

// Pauses that show what was drawn and then tell the test, without waiting.
struct PausePlatform : DesktopPlatform {
  std::function<void(int)> onPause;
  void Pause(int ms) override {
    DesktopPlatform::Pause(0);
    if (onPause) onPause(ms);
  }
};

// Counts the paintings of any About box.
struct AboutPaints : QObject {
  AboutPaints() { qApp->installEventFilter(this); }
  bool eventFilter(QObject* watched, QEvent* e) override {
    count += e->type() == QEvent::Paint && qobject_cast<AboutBox*>(watched) != nullptr;
    return false;
  }
  int count = 0;
};

}  // namespace

class AboutBoxTest : public QObject {
  Q_OBJECT

 private slots:
  void showsItsTextsAndOkHidesIt() {
    RegisterDisplayFonts();
    UiGame ui;
    AboutBox box(ui.game);
    box.show();
    QCOMPARE(box.windowTitle(), QStringLiteral("About Zarnath"));
    QCOMPARE(box.size(), QSize(312, 321));
    QCOMPARE(box.minimumSize(), box.maximumSize());
    QCOMPARE(box.grab().toImage().pixelColor(4, 300), QColor(Qt::black));
    QCOMPARE(box.Label1()->text() + "|" + box.Label2()->text(), QStringLiteral("Zarnath|Version 1.40.0144"));
    QCOMPARE(box.Label2()->palette().color(QPalette::WindowText), QColor(255, 224, 192));
    QCOMPARE(box.ImgOk()->geometry(), QRect(120, 272, 75, 35));
    const QImage before = box.grab().toImage();
    QTest::mouseClick(box.ImgOk(), Qt::LeftButton, {}, QPoint(30, 15));
    QVERIFY(!box.isVisible());
    box.show();  // it comes back unchanged
    QCOMPARE(box.grab().toImage(), before);
  }

  // Help, About: the box is on the screen and painted when the menu's 3-second wait begins.
  void paintedBeforeTheMenusWait() {
    ProgramFolderCopy folder;
    PausePlatform platform;
    platform.scripted = platform.muted = true;
    GameProgram program{platform};
    AboutPaints paints;
    int waited = 0, paintedBefore = -1;
    platform.onPause = [&](int ms) {
      waited = ms;
      paintedBefore = paints.count;
    };
    program.menuBar.item("mnuHelpAbout")->trigger();
    QCOMPARE(waited, 3000);
    QVERIFY(program.about && program.about->isVisible());
    QVERIFY(paintedBefore > 0);
  }

  // Opened from the game window's Help menu, the box stands centred over that window; Escape is
  // OK.
  void opensCentredOverTheGameWindowAndEscapeHidesIt() {
    ProgramFolderCopy folder;
    PausePlatform platform;
    platform.scripted = platform.muted = true;
    GameProgram program{platform};
    program.window.ShowGameWindow();
    program.window.move(100, 40);
    program.menuBar.item("mnuHelpAbout")->trigger();
    QVERIFY(program.about && program.about->isVisible());
    const QPoint offset = program.about->frameGeometry().center() - program.window.frameGeometry().center();
    QVERIFY2(std::abs(offset.x()) <= 2 && std::abs(offset.y()) <= 2,
             qPrintable(QStringLiteral("%1, %2").arg(offset.x()).arg(offset.y())));
    QTest::keyClick(program.about.get(), Qt::Key_Escape);
    QVERIFY(!program.about->isVisible());
  }

  // Every line shows whole in the game's typeface: no top, bottom or end cut off.
  void everyLineShowsWhole() {
    RegisterDisplayFonts();
    UiGame ui;
    AboutBox box(ui.game);
    const QStringList cut = CutLabels(&box);
    QVERIFY2(cut.isEmpty(), qPrintable(cut.join(QStringLiteral("; "))));
    // The lines stay above the OK button.
    for (const QLabel* label : box.findChildren<QLabel*>())
      QVERIFY2(label->geometry().bottom() < box.ImgOk()->y(), qPrintable(label->text()));
  }

  // Any mouse button shows the pressed face; silent with the sound off; only a left click acts.
  void okFacesAndItsClickFollowTheSoundOption() {
    for (bool soundOff : {false, true}) {
      UiGame ui;
      ui.game.SoundOff = soundOff;
      AboutBox box(ui.game);
      box.show();
      QTest::mousePress(box.ImgOk(), Qt::RightButton, {}, QPoint(30, 15));
      QCOMPARE(box.ImgOk()->picture(), QStringLiteral("ddentbutt20.jpg"));
      QCOMPARE(ui.platform.sounds,
               soundOff ? std::vector<std::string>{} : std::vector<std::string>{"click1.wav"});
      QTest::mouseRelease(box.ImgOk(), Qt::RightButton, {}, QPoint(30, 15));
      QCOMPARE(box.ImgOk()->picture(), QStringLiteral("butt20.jpg"));
      QVERIFY(box.isVisible());
      QCOMPARE(ui.platform.sounds.size(), size_t{!soundOff});
    }
  }
};
ZARNATH_UI_SUITE(AboutBoxTest, {"about", 1024, 96});

}  // namespace zarnath::testing

#include "about_box_test.moc"
