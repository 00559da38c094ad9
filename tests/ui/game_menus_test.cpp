// The game window's menu bar, the pointer's feedback over the galaxy and the chat line on the
// offscreen platform, driven by real widget events: a hot-seat game of Ann and Bob at one computer.
#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextDocument>
#include <QToolTip>

#include "commands/hover_feedback.h"
#include "engine/chat.h"
#include "engine/game_start.h"
#include "engine/menu_state.h"
#include "net/lobby.h"
#include "shell/game_program.h"
#include "ui_fixture.h"
#include "window/chat_box.h"
#include "window/latin1_box.h"

namespace zarnath::testing {

namespace {

struct Table {
  Table() {
    platform.scripted = platform.muted = true;
    program.window.onEndProgram = [this] { ++ended; };
    program.menuBar.hooks.openAddress = [this](const std::string& a) { addresses.push_back(a); };
    g.programFolder = folder.dir.path().toStdString();
    g.random.Seed(11);
    g.cosmetic.Seed(5);
    g.setup.txtPL = {"Ann", "Bob", "", ""};
    g.setup.chkAI = {0, 0, 0, 0};
    g.setup.txtPlanets = "12";
    imgStart_Click(g);
    SetSwitch(g, Switch::kSpeed, true);
  }
  ~Table() {
    platform.SetTimer(GameTimer::kAI, 0, false);
    platform.SetTimer(GameTimer::kTurn, 0, false);
    platform.SetTimer(GameTimer::kChatLock, 0, false);
  }
  GameMenuBar& bar() { return program.menuBar; }
  // The window shown and active, so its shortcuts take the keys typed on it.
  bool ShowActive() {
    program.window.ShowGameWindow();
    program.window.activateWindow();
    return QTest::qWaitForWindowActive(&program.window);
  }
  QAction* item(const char* name) { return program.menuBar.item(name); }
  // The pointer moved to (x, y) over the window, at exactly that place.
  void Move(double x, double y) {
    QMouseEvent move(QEvent::MouseMove, QPointF(x, y), program.window.mapToGlobal(QPointF(x, y)),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&program.window, &move);
  }
  // A world's centre as the pointer's rules find it.
  QPointF Centre(int w) const {
    const double r = g.WorldRadius[w], a = g.WorldAngle[w];
    return {static_cast<float>(g.GalaxyCenterX + r * std::cos(a) * g.GalaxyScaleX),
            static_cast<float>(g.GalaxyCenterY + r * std::sin(a) * g.GalaxyScaleY)};
  }
  // A world with no other world within 40 px, so it alone is found near it.
  int Lonely() const {
    for (int w = 0; w < g.WorldCount; ++w) {
      bool alone = Centre(w).y() < 380;
      for (int o = 0; o < g.WorldCount && alone; ++o)
        if (o != w && QLineF(Centre(w), Centre(o)).length() < 40) alone = false;
      if (alone) return w;
    }
    return -1;
  }

  ProgramFolderCopy folder;
  DesktopPlatform platform;
  GameProgram program{platform};
  Game& g = program.game;
  int ended = 0;
  std::vector<std::string> addresses;
};

}  // namespace

class GameMenusTest : public QObject {
  Q_OBJECT

 private slots:
  void theBarShowsTheGameCaptionsAndHidesTheCommandMenu() {
    Table t;
    t.program.window.ShowGameWindow();
    QVERIFY(t.bar().isVisible());
    QStringList titles;
    for (QAction* a : t.bar().actions())
      if (a->isVisible()) titles << a->text();
    QCOMPARE(titles, (QStringList{"&File", "&Information", "&Options", "&Help"}));
    QVERIFY(!t.bar().menu("mnuCommand")->menuAction()->isVisible());
    QCOMPARE(t.bar().menu("mnuCommand")->actions().size(), 14);
    QCOMPARE(t.item("mnuFileSave")->shortcut(), QKeySequence(QStringLiteral("Ctrl+S")));
    QCOMPARE(t.item("mnuOptionsPause")->shortcut(), QKeySequence(QStringLiteral("Ctrl+P")));
    QVERIFY(t.item("mnuFileNew")->shortcut().isEmpty());
    // The game-setting items show what the game start wrote.
    QCOMPARE(t.item("mnuOptionsTreas")->text().toStdString(), t.g.menus.mnuOptionsTreas.Caption);
    QCOMPARE(t.item("mnuFileAutoSave")->text(), QStringLiteral("AutoSave Off"));
    QVERIFY(!t.item("mnuFileAutoSave")->isChecked());
  }

  void theHiddenCommandMenuRunsThePopupsCommands() {
    Table t;
    t.program.window.ShowGameWindow();
    t.g.SelectedFrom = kHomeWorld0;
    t.g.SelectedTo = kHomeWorld0 + 1;
    t.g.window.lblPlanet.Caption.clear();
    t.item("mnuComCalc")->trigger();  // the travel distance between the pair, reported
    QVERIFY(!t.g.window.lblPlanet.Caption.empty());
    QCOMPARE(t.g.SelectedFrom, -1);  // the calculator's end clears the pair
  }

  void choosingItemsRunsTheirCommandsAndShowsTheirCaptions() {
    Table t;
    QVERIFY(t.ShowActive());
    t.item("mnuFileAutoSave")->trigger();
    QCOMPARE(t.item("mnuFileAutoSave")->text(), QStringLiteral("AutoSave On"));
    QVERIFY(t.item("mnuFileAutoSave")->isChecked());
    QCOMPARE(t.g.AutoSaveYear, t.g.GameYear);
    QTest::keyClick(&t.program.window, Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(t.item("mnuFileAutoSave")->text(), QStringLiteral("AutoSave Off"));
    QVERIFY(!t.item("mnuFileAutoSave")->isChecked());
    QCOMPARE(t.g.AutoSaveYear, 0.0f);

    t.item("mnuOptionsSound")->trigger();
    QVERIFY(t.g.SoundOff);
    QCOMPARE(t.item("mnuOptionsSound")->text(), QStringLiteral("Turn Sound On"));
    QCOMPARE(t.program.window.txtGame()->text(), QStringLiteral("- Game Sounds Now Off -"));
    // The speed game is on: choosing the item switches it off, and again on.
    t.item("mnuOptionsSpeed")->trigger();
    QVERIFY(!t.g.SpeedGame);
    QCOMPARE(t.item("mnuOptionsSpeed")->text(), QStringLiteral("Turn Speed Game On"));
    t.item("mnuOptionsSpeed")->trigger();
    QVERIFY(t.g.SpeedGame);
    QCOMPARE(t.item("mnuOptionsSpeed")->text(), QStringLiteral("Turn Speed Game Off"));
    // A shortcut typed on the window runs its item.
    QTest::keyClick(&t.program.window, Qt::Key_W, Qt::ControlModifier);
    QCOMPARE(t.item("mnuOptionsLabels")->text(), QStringLiteral("Turn World Labels On"));

    // The web and mail items open their addresses; Exit asks first.
    t.item("mnuHelpFAQ")->trigger();
    t.item("mnuHelpBug")->trigger();
    QCOMPARE(t.addresses.size(), size_t{2});
    QCOMPARE(t.addresses[0], HelpAddress(MenuCommand::kHelpFAQ));
    QVERIFY(QString::fromStdString(t.addresses[1]).startsWith("mailto:"));
    t.platform.answers = {Answer::kNo, Answer::kYes};
    t.item("mnuFileExit")->trigger();
    QCOMPARE(t.ended, 0);
    t.item("mnuFileExit")->trigger();
    QCOMPARE(t.ended, 1);
  }

  // A menu closed with Escape leaves no title lit and no keyboard hold on the bar; after a press
  // on the galaxy (which still acts on the map) the next press on a title opens its menu.
  void escapeThenAPressOnTheGalaxyLeavesNoTitleLit() {
    Table t;
    QVERIFY(t.ShowActive());
    t.program.window.GalaxyDraw();
    QMenu* file = t.bar().menu("mnuFile");
    const QPoint fileTitle = t.bar().actionGeometry(file->menuAction()).center();
    QTest::mouseClick(&t.bar(), Qt::LeftButton, {}, fileTitle);
    QTRY_VERIFY(file->isVisible());
    QTest::keyClick(file, Qt::Key_Escape);
    QTRY_VERIFY(!file->isVisible());
    QVERIFY(t.bar().activeAction() == nullptr && !t.bar().hasFocus());
    t.program.window.DrawWorldLabel(kHomeWorld0);
    QVERIFY(t.program.window.lblName(30)->isVisible());
    // Through the window, as the pointer gives them.
    QWindow* window = t.program.window.windowHandle();
    QTest::mouseClick(window, Qt::LeftButton, {}, QPoint(60, 380));
    QVERIFY(t.bar().activeAction() == nullptr && !t.bar().hasFocus());
    QVERIFY(!t.program.window.lblName(30)->isVisible());
    QTest::mouseClick(window, Qt::LeftButton, {}, t.bar().mapTo(&t.program.window, fileTitle));
    QTRY_VERIFY(file->isVisible());
    QTest::keyClick(file, Qt::Key_Escape);
    QTRY_VERIFY(!file->isVisible());
    // Alt lights the first title for the keyboard; a press on the galaxy ends that too.
    QTest::keyClick(window, Qt::Key_Alt);
    QCOMPARE(t.bar().activeAction(), file->menuAction());
    QTest::mouseClick(window, Qt::LeftButton, {}, QPoint(60, 380));
    QVERIFY(t.bar().activeAction() == nullptr && !t.bar().hasFocus());
    QTest::mouseClick(window, Qt::LeftButton, {}, t.bar().mapTo(&t.program.window, fileTitle));
    QTRY_VERIFY(file->isVisible());
    QTest::keyClick(file, Qt::Key_Escape);
  }

  void theMenusFollowStateTheRulesChangeWithoutAsking() {
    Table t;
    QVERIFY(t.ShowActive());
    // A turn's resolution locks the menus; the next refresh shows them locked.
    SetMenusEnabled(t.g, false);
    t.g.menus.mnuFileLoad.Enabled = false;
    t.program.window.Refresh(Control::kTxtGame);
    QVERIFY(!t.bar().menu("mnuFile")->menuAction()->isEnabled());
    QVERIFY(!t.item("mnuFileLoad")->isEnabled());
    // A shortcut of a locked menu does nothing; unlocked, it works again.
    QTest::keyClick(&t.program.window, Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(t.g.menus.mnuFileAutoSave.Caption, std::string("AutoSave Off"));
    SetMenusEnabled(t.g, true);
    t.program.window.Refresh(Control::kTxtGame);
    QVERIFY(t.bar().menu("mnuFile")->menuAction()->isEnabled());
    QTest::keyClick(&t.program.window, Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(t.g.menus.mnuFileAutoSave.Caption, std::string("AutoSave On"));
  }

  void theHoverLabelAtEightPixelsOnlyWhileThePanelIsHidden() {
    Table t;
    t.program.window.ShowGameWindow();
    t.program.window.GalaxyDraw();
    const int w = t.Lonely();
    QVERIFY(w >= 0);
    const QPointF c = t.Centre(w);
    QLabel* hover = t.program.window.lblName(30);
    t.Move(c.x() + 8, c.y());
    QVERIFY(hover->isVisible());
    QCOMPARE(hover->text().toStdString(), t.g.WorldName[w]);
    t.Move(c.x() + 9, c.y());
    QVERIFY(!hover->isVisible());
    // With the world panel up the pointer must come nearer than 8 px.
    const int other = w == kHomeWorld0 ? kHomeWorld0 + 1 : kHomeWorld0;
    t.program.controls.WorldInfoShow(other);
    QVERIFY(t.g.window.lstInfoVisible);
    t.Move(c.x() + 8, c.y());
    QVERIFY(!hover->isVisible());
  }

  void aLowPopupStaysATallerOneClosesAndClearsTheSelection() {
    for (const int height : {48, 49}) {
      Table t;
      t.program.window.ShowGameWindow();
      t.g.SelectedFrom = kHomeWorld0;
      t.g.SelectedTo = kHomeWorld0 + 1;
      TravelPopup popup;
      popup.rows = {{" WORLD TRAVEL OPTIONS ", kMenuInert}};
      popup.left = 600, popup.top = 100, popup.height = height;
      t.program.controls.ShowMenu(popup);
      t.g.window.lstMenuVisible = true;
      t.Move(100, 380);  // far from the popup and from every world
      const bool kept = height == 48;
      QCOMPARE(t.g.window.lstMenuVisible, kept);
      QCOMPARE(t.program.controls.lstMenu()->isVisible(), kept);
      QCOMPARE(t.g.SelectedFrom, kept ? kHomeWorld0 : -1);
      QCOMPARE(t.g.SelectedTo, kept ? kHomeWorld0 + 1 : -1);
    }
  }

  void noRubberBandBelowTheGalaxy() {
    Table t;
    t.program.window.ShowGameWindow();
    t.program.window.GalaxyDraw();
    t.g.SelectedFrom = kHomeWorld0;
    const QImage before = t.program.window.canvas().image().copy();
    t.Move(30, 408);
    QCOMPARE(t.program.window.canvas().image(), before);
    t.Move(30, 407.5);
    QVERIFY(t.program.window.canvas().image() != before);
    // The dotted line runs from the source towards the pointer.
    const QPointF s = t.Centre(kHomeWorld0);
    const QPointF mid = (s + QPointF(30, 407.5)) / 2;
    bool drawn = false;
    for (int dx = -2; dx <= 2 && !drawn; ++dx)
      for (int dy = -2; dy <= 2 && !drawn; ++dy)
        drawn = t.program.window.canvas().image().pixel(mid.toPoint() + QPoint(dx, dy)) !=
                before.pixel(mid.toPoint() + QPoint(dx, dy));
    QVERIFY(drawn);
  }

  // The rubber band's dots have radius 3: outlined in olive while the line ends at the pointer,
  // in black once it ends on a world, which gets its owner's colour inside.
  void theRubberBandsDots() {
    Table t;
    t.program.window.ShowGameWindow();
    t.program.window.GalaxyDraw();
    t.g.SelectedFrom = kHomeWorld0;
    const QImage& image = t.program.window.canvas().image();
    // Whether the colour lies within a pixel of each of the four points 3 px from (x, y).
    auto ringOf = [&](QPointF c, const QColor& colour) {
      for (QPointF d : {QPointF(3, 0), QPointF(-3, 0), QPointF(0, 3), QPointF(0, -3)}) {
        bool found = false;
        for (int dx = -1; dx <= 1; ++dx)
          for (int dy = -1; dy <= 1; ++dy)
            found = found || image.pixelColor((c + d).toPoint() + QPoint(dx, dy)) == colour;
        if (!found) return false;
      }
      return true;
    };
    const QPointF s = t.Centre(kHomeWorld0);
    t.Move(30, 380);
    QVERIFY(ringOf(s, QColor(64, 64, 0)));
    const int w = t.Lonely();
    QVERIFY(w >= 0 && w != kHomeWorld0);
    t.Move(t.Centre(w).x() + 2, t.Centre(w).y());
    QVERIFY(ringOf(s, Qt::black) && ringOf(t.Centre(w), Qt::black));
    QVERIFY(!ringOf(s, QColor(64, 64, 0)));
    QCOMPARE(image.pixelColor(t.Centre(w).toPoint()), GameColour(t.g.PlayerColor[t.g.WorldOwner[w]]));
    // The target's dot is filled out to 2 px from its centre: its outline lies further out.
    for (QPoint d : {QPoint(2, 0), QPoint(-2, 0), QPoint(0, 2), QPoint(0, -2)})
      QCOMPARE(image.pixelColor(t.Centre(w).toPoint() + d), GameColour(t.g.PlayerColor[t.g.WorldOwner[w]]));
  }

  void theNewsLineComesFromTheCosmeticSource() {
    Table t;
    t.program.window.ShowGameWindow();
    t.g.TurnMinutesLeft = 5;
    // A seed whose first draw gives news, and the news that seed tells.
    uint64_t seed = 1;
    std::string news;
    for (; seed < 200000 && news.empty(); ++seed) {
      RandomSource probe(seed);
      news = NewsRoll(t.g, probe);
    }
    QVERIFY(!news.empty());
    const uint64_t state = RandomSource(seed - 1).State();
    t.g.cosmetic.SetState(state);
    const uint64_t gameDraws = t.g.random.State();
    t.Move(60, 380);  // on no world, nothing selected
    QCOMPARE(t.program.window.txtGame()->text().toStdString(), news);
    QCOMPARE(t.g.random.State(), gameDraws);  // the game's own source is not drawn from
    // A seed with no news leaves the line as it was.
    t.g.window.txtGame.Text = "kept";
    t.g.cosmetic.Seed(5);
    RandomSource probe(5);
    if (NewsRoll(t.g, probe).empty()) {
      t.Move(61, 380);
      QCOMPARE(t.g.window.txtGame.Text, std::string("kept"));
    }
  }

  void chatWrapsLocksAndSendsOnEnter() {
    Table t;
    // This machine hosts a network game, so its own lines show at once.
    t.g.NetworkGame = true;
    t.g.Role = NetRole::kHost;
    t.program.window.ShowGameWindow();
    t.program.window.Refresh(Control::kWindow);
    QLineEdit* entry = t.program.chat.txtMessage();
    QVERIFY(entry->isVisible());
    entry->setFocus();
    const QString typed = QStringLiteral("aaaa bbbb cccc dddd eeee ffff gggg hhhh iiii jjjj*kkkk llll mmmm");
    QTest::keyClicks(entry, typed);
    QCOMPARE(entry->text(), QString(typed).remove('*'));  // "*" never enters the box
    QTest::keyClick(entry, Qt::Key_Return);
    const std::string line = " Ann: " + WrapChatText(QString(typed).remove('*').toStdString());
    QCOMPARE(t.g.window.txtChat.Text, line + "\r\n");
    QVERIFY(t.g.window.txtChat.Text.find("\r\n\t") != std::string::npos);
    QVERIFY(t.program.chat.txtChat()->toPlainText().contains(QStringLiteral("\n\t")));
    QVERIFY(entry->text().isEmpty());
    // Locked for two seconds: Enter keeps the next line in the box.
    QVERIFY(!t.g.window.ImgSendEnabled);
    QVERIFY(t.platform.TimerEnabled(GameTimer::kChatLock));
    QTest::keyClicks(entry, QStringLiteral("again"));
    QTest::keyClick(entry, Qt::Key_Return);
    QCOMPARE(entry->text(), QStringLiteral("again"));
    // Send pressed meanwhile neither dents nor clicks, and the press reaches nothing beneath it.
    ImageButton* send = t.program.controls.button(MainButton::kSend);
    t.platform.sounds.clear();
    t.g.SelectedFrom = kHomeWorld0;
    QTest::mousePress(send, Qt::LeftButton, {}, QPoint(5, 5));
    QVERIFY(send->picture().isEmpty() && !send->isPressed());
    QTest::mouseRelease(send, Qt::LeftButton, {}, QPoint(5, 5));
    QVERIFY(t.platform.sounds.empty());
    QCOMPARE(entry->text(), QStringLiteral("again"));
    QCOMPARE(t.g.SelectedFrom, kHomeWorld0);
    t.g.SelectedFrom = -1;
    // The lock's end: Send works again, by Enter as by the button.
    t.program.chat.tmrMessage_Timer();
    QVERIFY(t.g.window.ImgSendEnabled);
    QTest::mouseClick(t.program.controls.button(MainButton::kSend), Qt::LeftButton, {}, QPoint(5, 5));
    QVERIFY(entry->text().isEmpty());
    QCOMPARE(t.g.window.txtChat.Text, line + "\r\n Ann: again\r\n");
    // Typing stops at 200 characters.
    QTest::keyClicks(entry, QString(205, QLatin1Char('x')));
    QCOMPARE(entry->text().size(), qsizetype{200});
    QCOMPARE(t.g.window.txtMessage.Text, std::string(200, 'x'));
    // A paste goes on to the chat's longest text and is cut there; so much is sent, whole.
    QGuiApplication::clipboard()->setText(QString(1500, QLatin1Char('y')));
    QTest::keyClick(entry, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(entry->text().size(), static_cast<qsizetype>(kChatLongest));
    QCOMPARE(t.g.window.txtMessage.Text, std::string(200, 'x') + std::string(kChatLongest - 200, 'y'));
    t.program.chat.tmrMessage_Timer();
    QTest::keyClick(entry, Qt::Key_Return);
    QVERIFY(t.g.window.txtChat.Text.ends_with(
        " Ann: " + WrapChatText(std::string(200, 'x') + std::string(kChatLongest - 200, 'y')) + "\r\n"));
  }

  // The box drops its oldest lines beyond its limit, never a part of a message: the rest of a
  // long message whose first lines went goes with them.
  void chatBoxNeverBeginsInsideAMessage() {
    Table t;
    t.g.NetworkGame = true;
    t.g.Role = NetRole::kHost;
    t.program.window.ShowGameWindow();
    QPlainTextEdit* box = t.program.chat.txtChat();
    ChatMessageArrives(t.g, " Cy: " + WrapChatText(std::string(2000, 'z')));  // forty lines
    for (int i = 0; i < kChatBoxLines - 20; ++i) ChatMessageArrives(t.g, " Bob: line " + std::to_string(i));
    t.program.chat.Sync();
    QCOMPARE(box->document()->firstBlock().text(), QStringLiteral(" Bob: line 0"));
    QCOMPARE(box->document()->lastBlock().text(), QStringLiteral(" Bob: line %1").arg(kChatBoxLines - 21));
  }

  // A character outside Latin-1, typed or pasted, never enters the chat line (and never turns
  // into "?"): the line says so beside itself; Latin-1 letters go in.
  void chatRefusesCharactersOutsideLatin1() {
    Table t;
    t.g.NetworkGame = true;
    t.program.window.ShowGameWindow();
    t.program.window.Refresh(Control::kWindow);
    QLineEdit* entry = t.program.chat.txtMessage();
    entry->setFocus();
    TypeText(entry, QStringLiteral("Gr\u00fc\u00dfe \u0141\u00f3d\u017a"));
    QCOMPARE(entry->text(), QStringLiteral("Gr\u00fc\u00dfe \u00f3d"));
    QCOMPARE(t.g.window.txtMessage.Text,
             "Gr\xfc\xdf"
             "e \xf3"
             "d");
    const QLabel* notice = t.program.window.findChild<QLabel*>(QStringLiteral("latin1Notice"));
    QVERIFY(notice && notice->isVisible());
    QCOMPARE(notice->text(), QString::fromLatin1(kLatin1OnlyNotice));
    QGuiApplication::clipboard()->setText(QStringLiteral(" \u4f60\u597d!"));
    QTest::keyClick(entry, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(t.g.window.txtMessage.Text,
             "Gr\xfc\xdf"
             "e \xf3"
             "d !");
  }

  // A long chat: each line is appended to the box, not the whole chat set again, and the box
  // keeps its newest lines only.
  void chatBoxAppendsEachLineAndKeepsABoundedHistory() {
    Table t;
    t.g.NetworkGame = true;
    t.g.Role = NetRole::kHost;
    t.program.window.ShowGameWindow();
    QPlainTextEdit* box = t.program.chat.txtChat();
    for (int i = 0; i < 2000; ++i) ChatMessageArrives(t.g, " Bob: line " + std::to_string(i));
    QVERIFY(box->document()->blockCount() <= kChatBoxLines);
    QCOMPARE(box->document()->lastBlock().text(), QStringLiteral(" Bob: line 1999"));
    QVERIFY(box->document()->firstBlock().text().startsWith(QStringLiteral(" Bob: line ")));
    int added = 0;
    connect(box->document(), &QTextDocument::contentsChange, [&](int, int, int n) { added += n; });
    ChatMessageArrives(t.g, " Bob: one more");
    QVERIFY(added > 0);
    QVERIFY2(added <= 20, qPrintable(QString::number(added)));
    QCOMPARE(box->document()->lastBlock().text(), QStringLiteral(" Bob: one more"));
    // A new game empties the box.
    t.g.window.txtChat.Renew();
    t.program.chat.Sync();
    QVERIFY(box->toPlainText().isEmpty());
  }
};

ZARNATH_UI_SUITE(GameMenusTest, {"game-menus", 1024, 96});

}  // namespace zarnath::testing

#include "game_menus_test.moc"
