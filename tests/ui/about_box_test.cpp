// The About box: its texts and place, its OK button's faces and the sound rule, hiding and
// showing again.
#include <QLabel>
#include <QTest>

#include "shell/about_box.h"
#include "shell/display_fonts.h"
#include "shell/image_button.h"
#include "ui_fixture.h"
#include "ui_tests.h"

namespace zarnath::testing {

class AboutBoxTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { RegisterDisplayFonts(); }

  void showsTheNameAndVersion() {
    UiGame ui;
    AboutBox box(ui.game);
    box.show();
    QCOMPARE(box.windowTitle(), QStringLiteral("About Zarnath"));
    QCOMPARE(box.size(), QSize(312, 321));
    QCOMPARE(box.minimumSize(), box.maximumSize());
    QCOMPARE(box.grab().toImage().pixelColor(4, 300), QColor(Qt::black));
    QCOMPARE(box.Label1()->text(), QStringLiteral("Zarnath"));
    QCOMPARE(box.Label1()->geometry(), QRect(8, 16, 297, 33));
    QCOMPARE(box.Label1()->font().pixelSize(), 29);
    QCOMPARE(box.Label1()->font().family(), FontFamily(Typeface::kVenusRising));
    QCOMPARE(box.Label2()->text(), QStringLiteral("Version 1.40.0144"));
    QCOMPARE(box.Label2()->geometry(), QRect(8, 64, 297, 17));
    QCOMPARE(box.Label2()->font().pixelSize(), 19);
    QCOMPARE(box.Label2()->palette().color(QPalette::WindowText), QColor(255, 224, 192));
    QCOMPARE(box.ImgOk()->geometry(), QRect(120, 272, 75, 35));
    QCOMPARE(box.ImgOk()->picture(), QStringLiteral("butt20.jpg"));
  }

  void okHidesTheBoxAndItComesBackUnchanged() {
    UiGame ui;
    AboutBox box(ui.game);
    box.show();
    const QImage before = box.grab().toImage();
    QTest::mouseClick(box.ImgOk(), Qt::LeftButton, {}, QPoint(30, 15));
    QVERIFY(!box.isVisible());
    box.show();
    QCOMPARE(box.Label1()->text(), QStringLiteral("Zarnath"));
    QCOMPARE(box.ImgOk()->picture(), QStringLiteral("butt20.jpg"));
    QCOMPARE(box.grab().toImage(), before);
  }

  void okFacesAndItsClickFollowTheSoundOption_data() {
    QTest::addColumn<bool>("soundOff");
    QTest::addColumn<int>("clicks");
    QTest::newRow("sound on") << false << 1;
    QTest::newRow("sound off") << true << 0;
  }
  void okFacesAndItsClickFollowTheSoundOption() {
    QFETCH(bool, soundOff);
    QFETCH(int, clicks);
    UiGame ui;
    ui.game.SoundOff = soundOff;
    AboutBox box(ui.game);
    box.show();
    QTest::mousePress(box.ImgOk(), Qt::RightButton, {}, QPoint(30, 15));
    QCOMPARE(box.ImgOk()->picture(), QStringLiteral("ddentbutt20.jpg"));
    QCOMPARE(static_cast<int>(ui.platform.sounds.size()), clicks);
    if (clicks) QCOMPARE(ui.platform.sounds[0], std::string("click1.wav"));
    QTest::mouseRelease(box.ImgOk(), Qt::RightButton, {}, QPoint(30, 15));
    QCOMPARE(box.ImgOk()->picture(), QStringLiteral("butt20.jpg"));
    // Only a left click is the button's action; the release itself is silent.
    QVERIFY(box.isVisible());
    QCOMPARE(static_cast<int>(ui.platform.sounds.size()), clicks);
  }
};

int RunAboutBoxTests(int argc, char** argv) {
  AboutBoxTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace zarnath::testing

#include "about_box_test.moc"
