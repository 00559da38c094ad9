// The desktop platform: wave files, sounds, message boxes, pauses, timers and missing files.
#include <QTimer>

#include "shell/wave_player.h"
#include "ui_fixture.h"

namespace zarnath::testing {
namespace {

QByteArray Le(uint32_t v, int bytes = 4) {
  return QByteArray(reinterpret_cast<const char*>(&v), bytes);  // the machine is little-endian
}
// A PCM wave file (format 1 unless given) whose data chunk declares `declared` bytes, if given.
QByteArray Wave(int channels, int rate, int bits, const QByteArray& data, const QByteArray& extra = {},
                uint32_t declared = 0, int format = 1) {
  const QByteArray body = "WAVEfmt " + Le(16) + Le(format, 2) + Le(channels, 2) + Le(rate) +
                          Le(rate * channels * bits / 8) + Le(channels * bits / 8, 2) + Le(bits, 2) + extra +
                          "data" + Le(declared ? declared : data.size()) + data;
  return "RIFF" + Le(body.size()) + body;
}

}  // namespace

class PlatformTest : public QObject {
  Q_OBJECT

 private slots:
  // 8- and 16-bit PCM, mono or stereo, after odd chunks padded to even; a data chunk claiming more
  // than the file holds keeps its whole frames; anything else is refused.
  void wavesAreReadWithCare() {
    const QByteArray second(22050 * 2, '\0');
    QCOMPARE(ParseWave(Wave(1, 22050, 16, second))->durationMs, qint64{1000});
    const auto padded = ParseWave(Wave(2, 8000, 8, QByteArray(16000, '\x80'), "LIST" + Le(3) + "abc" + '\0'));
    QVERIFY(padded);
    QCOMPARE(padded->durationMs, qint64{1000});
    QCOMPARE(padded->format.sampleFormat(), QAudioFormat::UInt8);
    QCOMPARE(ParseWave(Wave(1, 22050, 16, QByteArray(4411, '\0'), {}, 1000000))->samples.size(), 4410);
    QByteArray noData = Wave(1, 22050, 16, {});
    noData.chop(8);
    for (const QByteArray& bad :
         {QByteArray("RIFF"), "RIFF" + Le(4) + "AVI ", Wave(1, 22050, 32, second, {}, 0, 3),
          Wave(1, 22050, 24, second), Wave(0, 22050, 16, second), noData})
      QVERIFY(!ParseWave(bad));
  }

  // Without an audio output, or its file, a sound is silent; a missing picture is black; the first
  // missing file is named once.
  void missingFilesAreSilentOrBlack() {
    ProgramFolderCopy folder({"turn.wav", "scout.wav", "butt20.jpg"});
    QFile broken(folder.file("click1.wav"));
    QVERIFY(broken.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QVERIFY(broken.write("RIFF....WAVEjunk") > 0);
    broken.close();
    UiGame ui;
    ui.platform.muted = false;
    for (const char* sound : {"gamestart.wav", "turn.wav", "turn.wav", "scout.wav"})
      ui.platform.PlaySound(sound);
    const QPixmap picture = LoadPicture("butt20.jpg", QSize(75, 35));
    QCOMPARE(picture.size(), QSize(75, 35));
    QCOMPARE(picture.toImage().pixelColor(40, 20), QColor(Qt::black));
    QCOMPARE(ui.platform.sounds.size(), size_t{4});
    QVERIFY(!LoadPicture("butt19.jpg", QSize(75, 35)).isNull());
    QCOMPARE(ui.platform.boxes.size(), size_t{1});
    QCOMPARE(ui.platform.boxes[0].title, std::string("Zarnath Error"));
    QCOMPARE(ui.platform.boxes[0].text, MissingFileText("turn.wav"));
    QVERIFY(ui.platform.boxes[0].text.find("\"turn.wav\"") != std::string::npos);
    ResetMissingFileReport();
    ui.platform.PlaySound("click1.wav");
    QCOMPARE(ui.platform.boxes.size(), size_t{2});
  }

  // Untitled boxes get the program's title. A pause paints what was scheduled, and only that,
  // without running the event loop; a yield runs it. Timers tick until stopped.
  void boxesPausesYieldsAndTimers() {
    UiGame ui;
    ui.platform.answers = {Answer::kNo};
    QVERIFY(ui.platform.MessageBox("Are You Sure You Want To Quit?", "", Buttons::kYesNo) == Answer::kNo);
    QCOMPARE(ui.platform.boxes[0].title, std::string("Zarnath"));
    QWidget w;
    EventCount paints(&w, QEvent::Paint);
    w.show();
    QCoreApplication::processEvents();
    const int before = paints.count;
    bool ran = false;
    QTimer::singleShot(0, [&] { ran = true; });
    w.update();
    ui.platform.Pause(20);
    QVERIFY(paints.count > before);
    QVERIFY(!ran);
    // A window with nothing scheduled stays as it is: an animation's pauses cost it nothing.
    const int scheduled = paints.count;
    for (int k = 0; k < 5; ++k) ui.platform.Pause(1);
    QCOMPARE(paints.count, scheduled);
    ui.platform.Yield();
    QVERIFY(ran);
    int ticks = 0;
    ui.platform.SetTimerHandler(GameTimer::kAI, [&] { ++ticks; });
    ui.platform.SetTimer(GameTimer::kAI, 10, true);
    QVERIFY(ui.platform.TimerEnabled(GameTimer::kAI));
    QTRY_VERIFY(ticks > 0);
    ui.platform.SetTimer(GameTimer::kAI, 10, false);
    const int stoppedAt = ticks;
    QTest::qWait(40);
    QCOMPARE(ticks, stoppedAt);
    QVERIFY(!ui.platform.TimerEnabled(GameTimer::kAI));
  }
};
ZARNATH_UI_SUITE(PlatformTest, {"platform", 1024, 96});

}  // namespace zarnath::testing

#include "platform_test.moc"
