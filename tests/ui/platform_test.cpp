// The desktop platform: wave files, sounds without an audio output, message boxes, pauses,
// timers and missing files.
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "shell/missing_files.h"
#include "shell/wave_player.h"
#include "ui_fixture.h"
#include "ui_tests.h"

namespace zarnath::testing {

namespace {
QByteArray Le32(uint32_t v) {
  QByteArray b;
  for (int i = 0; i < 4; ++i) b.append(static_cast<char>((v >> (8 * i)) & 0xff));
  return b;
}
QByteArray Le16(uint16_t v) {
  return Le32(v).left(2);
}

QByteArray Wave(uint16_t format, uint16_t channels, uint32_t rate, uint16_t bits, const QByteArray& data,
                const QByteArray& extraChunk = {}, uint32_t declaredData = 0) {
  QByteArray fmt = Le16(format) + Le16(channels) + Le32(rate) + Le32(rate * channels * bits / 8) +
                   Le16(static_cast<uint16_t>(channels * bits / 8)) + Le16(bits);
  QByteArray body = "WAVE" + QByteArray("fmt ") + Le32(16) + fmt + extraChunk + "data" +
                    Le32(declaredData ? declaredData : static_cast<uint32_t>(data.size())) + data;
  return "RIFF" + Le32(static_cast<uint32_t>(body.size())) + body;
}

class PaintCounter : public QWidget {
 public:
  int paints = 0;

 protected:
  void paintEvent(QPaintEvent*) override { ++paints; }
};
}  // namespace

class PlatformTest : public QObject {
  Q_OBJECT

 private slots:
  void everyGameSoundIsAPlayableWave() {
    const char* names[] = {"gamestart", "click1",     "click2",   "turn",           "battlestart",
                           "battlewon", "battlelost", "bomb",     "reinforcements", "pulse",
                           "pulsegot",  "scout",      "gameinfo", "timer",          "message"};
    for (const char* name : names) {
      QFile f(QDir(BuiltProgramFolder()).filePath(QString::fromLatin1(name) + ".wav"));
      QVERIFY2(f.open(QIODevice::ReadOnly), name);
      const auto sound = ParseWave(f.readAll());
      QVERIFY2(sound.has_value(), name);
      QCOMPARE(sound->format.sampleRate(), 22050);
      QCOMPARE(sound->format.channelCount(), 1);
      QVERIFY(sound->durationMs > 0 && sound->durationMs < 3000);
    }
  }

  void wavesAreReadWithCare() {
    const QByteArray second(22050 * 2, '\0');
    auto ok = ParseWave(Wave(1, 1, 22050, 16, second));
    QVERIFY(ok);
    QCOMPARE(ok->durationMs, qint64{1000});
    QCOMPARE(ok->format.sampleFormat(), QAudioFormat::Int16);
    // Stereo 8-bit, after an odd-sized chunk padded to an even size.
    auto padded = ParseWave(Wave(1, 2, 8000, 8, QByteArray(16000, '\x80'), "LIST" + Le32(3) + "abc" + '\0'));
    QVERIFY(padded);
    QCOMPARE(padded->durationMs, qint64{1000});
    QCOMPARE(padded->format.sampleFormat(), QAudioFormat::UInt8);
    // A data chunk that claims more than the file holds keeps the whole frames there are.
    auto cut = ParseWave(Wave(1, 1, 22050, 16, QByteArray(4411, '\0'), {}, 1000000));
    QVERIFY(cut);
    QCOMPARE(cut->samples.size(), qsizetype{4410});
    // Refused: not a wave, compressed or floating samples, 24-bit samples, no channels, no data.
    QVERIFY(!ParseWave("RIFF"));
    QVERIFY(!ParseWave(QByteArray("RIFF") + Le32(4) + "AVI "));
    QVERIFY(!ParseWave(Wave(3, 1, 22050, 32, second)));
    QVERIFY(!ParseWave(Wave(1, 1, 22050, 24, second)));
    QVERIFY(!ParseWave(Wave(1, 0, 22050, 16, second)));
    QByteArray noData = Wave(1, 1, 22050, 16, {});
    noData.chop(8);
    QVERIFY(!ParseWave(noData));
  }

  // Where the desktop has no audio output the sound is silent and returns; the names are
  // still noted in order.
  void soundsNeverStall() {
    UiGame ui;
    ui.platform.muted = false;
    ui.platform.PlaySound("gamestart.wav");
    ui.platform.PlaySound("bomb.wav");
    QCOMPARE(ui.platform.sounds, (std::vector<std::string>{"gamestart.wav", "bomb.wav"}));
    QVERIFY(ui.platform.boxes.empty());
  }

  void aMissingSoundIsSilentAndNamedOnce() {
    ProgramFolderCopy folder({QStringLiteral("turn.wav"), QStringLiteral("scout.wav")});
    UiGame ui;
    ui.platform.muted = false;
    ui.platform.PlaySound("turn.wav");
    ui.platform.PlaySound("turn.wav");
    ui.platform.PlaySound("scout.wav");
    QCOMPARE(ui.platform.boxes.size(), size_t{1});
    QCOMPARE(ui.platform.boxes[0].title, std::string("Zarnath Error"));
    QCOMPARE(ui.platform.boxes[0].text, MissingFileText(QStringLiteral("turn.wav")));
    QVERIFY(ui.platform.boxes[0].text.find("\"turn.wav\"") != std::string::npos);
  }

  void aBrokenSoundIsSilentToo() {
    ProgramFolderCopy folder;
    QFile broken(folder.file(QStringLiteral("click1.wav")));
    QVERIFY(broken.open(QIODevice::WriteOnly | QIODevice::Truncate));
    broken.write("RIFF....WAVEjunk");
    broken.close();
    UiGame ui;
    ui.platform.muted = false;
    ui.platform.PlaySound("click1.wav");
    QCOMPARE(ui.platform.boxes.size(), size_t{1});
  }

  void aMissingPictureIsBlack() {
    ProgramFolderCopy folder({QStringLiteral("butt20.jpg")});
    UiGame ui;
    const QPixmap picture = LoadPicture(QStringLiteral("butt20.jpg"), QSize(75, 35));
    QCOMPARE(picture.size(), QSize(75, 35));
    QCOMPARE(picture.toImage().pixelColor(40, 20), QColor(Qt::black));
    QVERIFY(MissingFileReported());
    QCOMPARE(ui.platform.boxes.size(), size_t{1});
    QVERIFY(!LoadPicture(QStringLiteral("butt19.jpg"), QSize(75, 35)).isNull());
    LoadPicture(QStringLiteral("nothing.jpg"), QSize(10, 10));
    QCOMPARE(ui.platform.boxes.size(), size_t{1});
  }

  void scriptedBoxesAreAnsweredInOrder() {
    UiGame ui;
    ui.platform.answers = {Answer::kNo};
    QVERIFY(ui.platform.MessageBox("Are You Sure You Want To Quit?", "", Buttons::kYesNo) == Answer::kNo);
    QVERIFY(ui.platform.MessageBox("Again?", "Zarnath", Buttons::kYesNo) == Answer::kYes);
    QVERIFY(ui.platform.MessageBox("Done", "Zarnath Error", Buttons::kOk) == Answer::kOk);
    QCOMPARE(ui.platform.boxes.size(), size_t{3});
    QCOMPARE(ui.platform.boxes[0].title, std::string("Zarnath"));  // a box without a title
    QCOMPARE(ui.platform.boxes[2].title, std::string("Zarnath Error"));
  }

  void realBoxesShowTheirTitleTextAndButtons() {
    UiGame ui;
    ui.platform.scripted = false;
    QString title, text;
    int buttons = 0;
    QTimer::singleShot(0, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      QVERIFY(box);
      title = box->windowTitle();
      text = box->text();
      buttons = static_cast<int>(box->buttons().size());
      box->button(QMessageBox::No)->click();
    });
    const Answer answer = ui.platform.MessageBox("Line One\r\nLine Two", "Zarnath Warning", Buttons::kYesNo);
    QVERIFY(answer == Answer::kNo);
    QCOMPARE(title, QStringLiteral("Zarnath Warning"));
    QCOMPARE(text, QStringLiteral("Line One\nLine Two"));
    QCOMPARE(buttons, 2);
    QVERIFY(ui.platform.boxes.empty());
  }

  // A pause paints what was only scheduled for painting, without running the event loop.
  void pauseShowsWhatWasDrawn() {
    UiGame ui;
    PaintCounter w;
    w.resize(50, 50);
    w.show();
    QCoreApplication::processEvents();
    const int before = w.paints;
    w.update();
    bool timerRan = false;
    QTimer::singleShot(0, [&] { timerRan = true; });
    ui.platform.Pause(20);
    QVERIFY(w.paints > before);
    QVERIFY(!timerRan);
    ui.platform.Yield();
    QVERIFY(timerRan);
  }

  void timersTickTheirHandlersUntilStopped() {
    UiGame ui;
    int ticks = 0;
    ui.platform.SetTimerHandler(GameTimer::kAI, [&] { ++ticks; });
    ui.platform.SetTimer(GameTimer::kAI, 10, true);
    QVERIFY(ui.platform.TimerEnabled(GameTimer::kAI));
    QTRY_VERIFY(ticks > 0);
    ui.platform.SetTimer(GameTimer::kAI, 10, false);
    QVERIFY(!ui.platform.TimerEnabled(GameTimer::kAI));
    const int stoppedAt = ticks;
    QTest::qWait(40);
    QCOMPARE(ticks, stoppedAt);
    QVERIFY(!ui.platform.TimerEnabled(GameTimer::kTurn));
  }
};

int RunPlatformTests(int argc, char** argv) {
  PlatformTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace zarnath::testing

#include "platform_test.moc"
