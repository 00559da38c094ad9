#include "shell/setup_window.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTimer>

#include "engine/chat.h"
#include "engine/game_start.h"
#include "engine/setup_load.h"
#include "model/game.h"
#include "model/setup_rules.h"
#include "net/lobby.h"
#include "shell/display_fonts.h"
#include "view/image_button.h"
#include "view/widget_values.h"
#include "window/latin1_box.h"

namespace zarnath {

namespace {

constexpr QSize kWindowSize(560, 540);
constexpr int kSlotTop = 32, kSlotStep = 30;
constexpr int kNetworkTop = 160;
constexpr int kOptionsTop = 298, kOptionStep = 26;
constexpr int kControlX = 330;  // the option boxes' column
const QColor kLabelColour(255, 224, 192);
const QColor kBoxColour(64, 64, 64);
constexpr const char* kHelpText =
    "Enter name at left.\n\nFor computer opponents, click the 'AI' button next to the name.\n\n"
    "Select game options and then click the 'Start' button";

std::string Bytes(const QString& text) {
  const QByteArray bytes = text.toLatin1();
  return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

// A colour as the game stores it: red + 256 green + 65536 blue.
QColor GameColour(double value) {
  const auto v = static_cast<unsigned long>(value);
  return QColor(static_cast<int>(v & 0xff), static_cast<int>((v >> 8) & 0xff),
                static_cast<int>((v >> 16) & 0xff));
}

QLabel* Caption(QWidget* parent, const char* text, QRect place, Qt::Alignment align = Qt::AlignLeft) {
  auto* label = new QLabel(QString::fromLatin1(text), parent);
  label->setGeometry(place);
  FitLabelHeight(label);
  label->setAlignment(align | Qt::AlignVCenter);
  return label;
}

QLineEdit* NumberBox(QWidget* parent, QRect place, bool locked) {
  auto* box = new QLineEdit(parent);
  box->setGeometry(place);
  box->setAlignment(Qt::AlignCenter);
  box->setReadOnly(locked);
  box->setMaxLength(2);
  return box;
}

// A bar's arrows are drawn in the text colour, which the window sets to its light peach: on the
// bar's light buttons they are dark instead, so that a player can see them.
void DarkArrows(QScrollBar* bar) {
  QPalette palette = bar->palette();
  for (auto group : {QPalette::Active, QPalette::Inactive})
    for (auto role : {QPalette::WindowText, QPalette::ButtonText}) palette.setColor(group, role, Qt::black);
  bar->setPalette(palette);
}

// A spinner's bar. Up raises the number: the bar runs over the negated range.
QScrollBar* SpinBar(QWidget* parent, QPoint at, int lo, int hi) {
  auto* bar = new QScrollBar(Qt::Vertical, parent);
  DarkArrows(bar);
  bar->setGeometry(QRect(at, QSize(17, 24)));
  bar->setRange(-hi, -lo);
  bar->setSingleStep(1);
  bar->setPageStep(5);
  return bar;
}
int SpinValue(const QScrollBar* bar) {
  return -bar->value();
}
void ShowSpin(QScrollBar* bar, int lo, int hi, int value) {
  const QSignalBlocker block(bar);
  bar->setRange(-hi, -lo);
  bar->setValue(-value);
}

void ShowText(QLineEdit* box, const std::string& text) {
  const QString shown = Latin1(text);
  if (box->text() != shown) box->setText(shown);
}

void ShowCheck(QCheckBox* box, int value) {
  const QSignalBlocker block(box);
  box->setCheckState(value == 1 ? Qt::Checked : value == 2 ? Qt::PartiallyChecked : Qt::Unchecked);
}

}  // namespace

NameBox::NameBox(QWidget* parent, Game& game, int slot) : QLineEdit(parent), game_(game), slot_(slot) {}

void NameBox::mousePressEvent(QMouseEvent* event) {
  QLineEdit::mousePressEvent(event);
  if (auto* window = qobject_cast<SetupWindow*>(this->window())) window->txtPL_Click(slot_);
}

void AddressBox::keyPressEvent(QKeyEvent* event) {
  const QByteArray typed = event->text().toLatin1();
  const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
  if (!enter && !typed.isEmpty() && !AddressKeyPasses(static_cast<unsigned char>(typed[0]))) {
    event->accept();
    return;
  }
  QLineEdit::keyPressEvent(event);
}

void NameBox::keyPressEvent(QKeyEvent* event) {
  const QByteArray typed = event->text().toLatin1();
  if (!typed.isEmpty()) {
    const bool passes = txtPL_KeyPress(game_, slot_, static_cast<unsigned char>(typed[0]));
    if (auto* window = qobject_cast<SetupWindow*>(this->window())) window->ShowState();
    if (!passes) {
      event->accept();
      return;
    }
  }
  QLineEdit::keyPressEvent(event);
}

SetupWindow::SetupWindow(Game& game) : game_(game) {
  setWindowTitle(QStringLiteral("Zarnath Game Setup"));
  setFixedSize(kWindowSize);
  setAutoFillBackground(true);
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, Qt::black);
  for (auto group : {QPalette::Active, QPalette::Inactive}) {
    palette.setColor(group, QPalette::WindowText, kLabelColour);
    palette.setColor(group, QPalette::Text, Qt::white);
  }
  palette.setColor(QPalette::Disabled, QPalette::WindowText, QColor(110, 110, 110));
  palette.setColor(QPalette::Disabled, QPalette::Text, QColor(150, 150, 150));
  palette.setColor(QPalette::Base, kBoxColour);
  palette.setColor(QPalette::Disabled, QPalette::Base, QColor(40, 40, 40));
  setPalette(palette);
  setFont(GameFont(Typeface::kVenusRising, 8.25));

  BuildSlots();
  BuildNetworkBoxes();
  BuildOptions();
  BuildChat();
  imgStart_ = new ImageButton(this, game, ButtonFaces{"ddentbutt12.jpg", "butt12.jpg", ClickSound::kAlways},
                              QPoint(320, 200));
  connect(imgStart_, &ImageButton::clicked, this, &SetupWindow::ImgStart_Click);
  ShowState();
}

void SetupWindow::BuildSlots() {
  Label1 = Caption(this, "Players:", QRect(16, 8, 128, 20));
  Label6 = Caption(this, "AI:", QRect(148, 8, 30, 20));
  // Wide enough for "Level: 6 - Hardest"; it never shows together with the help heading.
  Label5 = Caption(this, "Status:", QRect(180, 8, 164, 20));
  Label7 = Caption(this, "help:", QRect(kControlX, 8, 214, 20));
  Label8 = Caption(this, kHelpText, QRect(kControlX, kSlotTop, 214, 156));
  Label8->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  Label8->setWordWrap(true);
  for (int k = 0; k < 4; ++k) {
    const int y = kSlotTop + kSlotStep * k;
    txtPL[k] = new NameBox(this, game_, k);
    txtPL[k]->setGeometry(16, y, 128, 24);
    KeepToLatin1(txtPL[k]);
    connect(txtPL[k], &QLineEdit::textEdited, this,
            [this, k](const QString& text) { Apply([&] { EditSeatName(game_, k, Bytes(text)); }); });
    chkAI[k] = new QCheckBox(this);
    chkAI[k]->setGeometry(152, y + 3, 18, 18);
    connect(chkAI[k], &QCheckBox::clicked, this,
            [this, k](bool ticked) { Apply([&] { SetComputerBox(game_, k, ticked ? 1 : 0); }); });
    // The level box shows the bar's level; only the bar sets it.
    txtAI[k] = NumberBox(this, QRect(180, y, 24, 24), true);
    HScrollAI[k] = new QScrollBar(Qt::Horizontal, this);
    DarkArrows(HScrollAI[k]);
    HScrollAI[k]->setGeometry(208, y + 3, 100, 18);
    HScrollAI[k]->setRange(kLevelMin, kLevelMax);
    HScrollAI[k]->setSingleStep(1);
    HScrollAI[k]->setPageStep(1);
    connect(HScrollAI[k], &QScrollBar::valueChanged, this,
            [this, k](int level) { Apply([&] { SetLevelBar(game_, k, level); }); });
    // The lobby's status runs on over the help column, which a lobby hides.
    lblStatus[k] = Caption(this, "", QRect(180, y, kWindowSize.width() - 16 - 180, 24));
  }
}

void SetupWindow::BuildNetworkBoxes() {
  // A column of boxes under the slots, left of the Start button; the internet box stays off.
  auto row = [](int i) { return kNetworkTop + 24 * i; };
  chkLan = new QCheckBox(this);
  chkLan->setGeometry(16, row(0) + 2, 18, 18);
  Caption(this, "Network/LAN Game", QRect(38, row(0), 200, 22));
  connect(chkLan, &QCheckBox::clicked, this, [this](bool on) {
    Apply([&] {
      game_.setup.chkLan = on ? 1 : 0;
      chkLan_Click(game_);
    });
  });
  chkOnline = new QCheckBox(this);
  chkOnline->setGeometry(16, row(1) + 2, 18, 18);
  Caption(this, "Internet Game", QRect(38, row(1), 200, 22));
  const char* const choices[] = {"Host A New Game", "Connect to Game"};
  for (int i = 0; i < 2; ++i) {
    OptServerClient[i] = new QRadioButton(this);
    OptServerClient[i]->setGeometry(38, row(2 + i) + 2, 18, 18);
    optionCaptions_[i] = Caption(this, choices[i], QRect(60, row(2 + i), 200, 22));
    connect(OptServerClient[i], &QRadioButton::clicked, this, [this, i] {
      Apply([&] {
        game_.setup.OptServerClient0 = i == 0;
        OptServerClient_Click(game_, i);
      });
    });
  }
  Label26 = Caption(this, "IP ADDRESS:", QRect(16, row(4) + 4, 100, 22));
  txtIP = new AddressBox(this);
  txtIP->setGeometry(120, row(4) + 4, 180, 22);
  KeepToLatin1(txtIP);
  connect(txtIP, &QLineEdit::textEdited, this,
          [this](const QString& text) { game_.setup.txtIP = text.toLatin1().toStdString(); });
  connect(txtIP, &QLineEdit::returnPressed, this, [this] { Apply([&] { JoinHost(game_); }); });
  chkOnline->setEnabled(false);
  Label9 = Caption(this, "", QRect(16, kSlotTop + kSlotStep * 4 - 4, 300, 16));
  Label9->setFont(QFont(QStringLiteral("Liberation Sans"), 8));
}

void SetupWindow::BuildChat() {
  Label10 = Caption(this, "Player Chat", QRect(16, kOptionsTop, 300, 22));
  txtChat = new QPlainTextEdit(this);
  txtChat->setGeometry(16, kOptionsTop + 26, kWindowSize.width() - 32, 170);
  txtChat->setReadOnly(true);
  chatView_ = std::make_unique<ChatBoxView>(txtChat);
  txtMessage = new QLineEdit(this);
  txtMessage->setGeometry(16, kOptionsTop + 202, kWindowSize.width() - 32, 24);
  KeepToLatin1(txtMessage);
  txtMessage->setMaxLength(static_cast<int>(kChatLongest));
  connect(txtMessage, &QLineEdit::textEdited, this,
          [this](const QString& text) { game_.setup.txtMessage = Bytes(text); });
  connect(txtMessage, &QLineEdit::returnPressed, this, [this] { Apply([&] { txtMessage_Enter(game_); }); });
  for (QWidget* w : {static_cast<QWidget*>(txtChat), static_cast<QWidget*>(txtMessage)}) {
    QFont font(QStringLiteral("Liberation Sans"), 9);
    w->setFont(font);
  }
}

void SetupWindow::BuildOptions() {
  picOptions = new QWidget(this);
  picOptions->setGeometry(0, kOptionsTop, kWindowSize.width(), kWindowSize.height() - kOptionsTop);
  QWidget* p = picOptions;
  Caption(p, "Game Options:", QRect(16, 0, 300, 22));
  auto row = [](int i) { return 28 + kOptionStep * i; };
  auto label = [&](int i, const char* text) { return Caption(p, text, QRect(16, row(i), 300, 22)); };

  label(0, "Total Number of Worlds:");
  txtPlanets = NumberBox(p, QRect(kControlX, row(0), 40, 22), true);
  VScroll1 = SpinBar(p, QPoint(kControlX + 42, row(0) - 1), kWorldsMin, kWorldsMax);
  connect(VScroll1, &QScrollBar::valueChanged, this,
          [this] { Apply([&] { SetWorldBar(game_, SpinValue(VScroll1)); }); });

  label(1, "Ships Travel with Shields");
  chkShield = new QCheckBox(p);
  chkShield->setGeometry(kControlX + 11, row(1) + 2, 18, 18);
  connect(chkShield, &QCheckBox::clicked, this,
          [this](bool on) { Apply([&] { TickShieldBox(game_, on ? 1 : 0); }); });
  label(2, "Defensive Battle Mode");
  chkMode = new QCheckBox(p);
  chkMode->setGeometry(kControlX + 11, row(2) + 2, 18, 18);
  connect(chkMode, &QCheckBox::clicked, this,
          [this](bool on) { Apply([&] { SetModeBox(game_, on ? 1 : 0); }); });

  chkTruce = new QCheckBox(p);
  chkTruce->setGeometry(16, row(3) + 2, 18, 18);
  connect(chkTruce, &QCheckBox::clicked, this,
          [this](bool on) { Apply([&] { TickTruceBox(game_, on ? 1 : 0); }); });
  Label13 = Caption(p, "Battle Truce Until Turn:", QRect(38, row(3), 280, 22));
  txtTruce = NumberBox(p, QRect(kControlX, row(3), 40, 22), true);
  VScroll2 = SpinBar(p, QPoint(kControlX + 42, row(3) - 1), kTruceMin, kTruceMax);
  connect(VScroll2, &QScrollBar::valueChanged, this,
          [this] { Apply([&] { SetTruceBar(game_, SpinValue(VScroll2)); }); });

  const char* const options[] = {
      "Maximum World Production:", "Number of World Treasures:", "Max. Turns To Gather Ships:"};
  for (int k = 0; k < 3; ++k) {
    label(4 + k, options[k]);
    txtOp[k] = NumberBox(p, QRect(kControlX, row(4 + k), 40, 22), false);
    connect(txtOp[k], &QLineEdit::textEdited, this,
            [this, k](const QString& text) { Apply([&] { OptionTyped(game_, k, Bytes(text)); }); });
    connect(txtOp[k], &QLineEdit::editingFinished, this,
            [this] { Apply([&] { SettleOptionTexts(game_); }); });
    VScrollOp[k] =
        SpinBar(p, QPoint(kControlX + 42, row(4 + k) - 1), OptionMin(k), OptionMax(game_.setup, k));
    connect(VScrollOp[k], &QScrollBar::valueChanged, this,
            [this, k] { Apply([&] { SetOptionBar(game_, k, SpinValue(VScrollOp[k])); }); });
  }

  label(7, "Home World Radar:");
  const char* const radar[] = {"On", "Off", "Unlimited"};
  for (int k = 0; k < 3; ++k) {
    const int x = 230 + 70 * k;
    OptRadar[k] = new QRadioButton(p);
    OptRadar[k]->setGeometry(x, row(7) + 2, 18, 18);
    connect(OptRadar[k], &QRadioButton::clicked, this, [this, k] { Apply([&] { SetRadar(game_, k); }); });
    Caption(p, radar[k], QRect(x + 20, row(7), 90, 22));
  }
}

void SetupWindow::Apply(const std::function<void()>& rule) {
  rule();
  ShowState();
}

void SetupWindow::ShowState() {
  const SetupState& s = game_.setup;
  for (int k = 0; k < 4; ++k) {
    const size_t i = static_cast<size_t>(k);
    NameBox* name = txtPL[i];
    ShowText(name, s.txtPL[i]);
    name->setReadOnly(s.txtPLLocked[i]);
    // Setting the length limit sets the text again, which loses the caret and the selection.
    const int limit = static_cast<int>(NameLimit(s));
    if (name->maxLength() != limit) name->setMaxLength(limit);
    QPalette colours = name->palette();
    colours.setColor(QPalette::Text, GameColour(game_.PlayerColor[i + 1]));
    colours.setColor(QPalette::Base, kBoxColour);
    name->setPalette(colours);
    ShowCheck(chkAI[i], s.chkAI[i]);
    chkAI[i]->setEnabled(s.chkAIEnabled[i]);
    ShowText(txtAI[i], s.txtAI[i]);
    txtAI[i]->setEnabled(s.txtAIEnabled[i]);
    txtAI[i]->setVisible(s.levelVisible[i]);
    {
      const QSignalBlocker block(HScrollAI[i]);
      HScrollAI[i]->setValue(s.HScrollAI[i]);
    }
    HScrollAI[i]->setVisible(s.levelVisible[i]);
    lblStatus[i]->setText(Latin1(s.lblStatus[i]));
    lblStatus[i]->setVisible(s.lblStatusVisible[i]);
  }
  Label5->setText(Latin1(s.Label5));
  Label5->setVisible(s.Label5Visible);
  Label7->setVisible(s.helpVisible);
  Label8->setVisible(s.helpVisible);

  // A lobby fixes the options; join mode frees the world-count bar alone.
  for (QWidget* option : picOptions->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
    option->setEnabled(option == VScroll1 ? s.optionsEnabled || s.worldBarEnabled : s.optionsEnabled);
  ShowText(txtPlanets, s.txtPlanets);
  ShowSpin(VScroll1, kWorldsMin, kWorldsMax, s.VScroll1);
  ShowCheck(chkShield, s.chkShield);
  ShowCheck(chkMode, s.chkMode);
  ShowCheck(chkTruce, s.chkTruce);
  ShowText(txtTruce, s.txtTruce);
  ShowSpin(VScroll2, kTruceMin, kTruceMax, s.VScroll2);
  for (QWidget* w : {static_cast<QWidget*>(chkTruce), static_cast<QWidget*>(Label13),
                     static_cast<QWidget*>(txtTruce), static_cast<QWidget*>(VScroll2)})
    w->setEnabled(s.truceEnabled && s.optionsEnabled);
  for (int k = 0; k < 3; ++k) {
    const size_t i = static_cast<size_t>(k);
    ShowText(txtOp[i], s.txtOp[i]);
    ShowSpin(VScrollOp[i], OptionMin(k), OptionMax(s, k), s.VScrollOp[i]);
    const QSignalBlocker block(OptRadar[i]);
    OptRadar[i]->setChecked(s.OptRadar[i]);
  }
  ShowCheck(chkLan, s.chkLan);
  ShowCheck(chkOnline, s.chkOnline);
  OptServerClient[0]->setChecked(s.OptServerClient0);
  OptServerClient[1]->setChecked(!s.OptServerClient0);
  for (int i = 0; i < 2; ++i) {
    OptServerClient[i]->setEnabled(s.OptServerClientEnabled);
    optionCaptions_[i]->setEnabled(s.OptServerClientEnabled);
  }
  ShowText(txtIP, s.txtIP);
  txtIP->setEnabled(s.txtIPEnabled);
  txtIP->setReadOnly(s.txtIPLocked);
  Label26->setEnabled(s.txtIPEnabled);
  Label9->setText(Latin1(s.Label9));
  // The hint over the seats belongs to a network lobby; the internet lobby shows it over its table.
  Label9->setVisible((s.chkLan == 1 || s.chkOnline == 1) && !s.lobbyLayout);

  // The lobby: the chat area in place of the options, which a lobby fixes.
  picOptions->setVisible(!s.chatVisible);
  Label10->setText(Latin1(s.Label10));
  Label10->setVisible(s.chatVisible);
  txtChat->setVisible(s.chatVisible);
  txtMessage->setVisible(s.chatVisible);
  chatView_->Show(s.txtChat);
  ShowText(txtMessage, s.txtMessage);
  imgStart_->setVisible(s.ImgStartVisible);
  imgStart_->setEnabled(s.ImgStartVisible);
  if (onShowState) onShowState();
}

void SetupWindow::txtPL_Click(int slot) {
  // After the click has been handled: the question box must not open inside the press.
  QTimer::singleShot(0, this, [this, slot] { Apply([&] { zarnath::txtPL_Click(game_, slot); }); });
}

void SetupWindow::ImgStart_Click() {
  Apply([&] {
    SettleOptionTexts(game_);
    imgStart_Click(game_);
  });
}

void SetupWindow::closeEvent(QCloseEvent* event) {
  event->accept();
  CloseSetupWindow(game_);
  hide();
  if (onClosed) onClosed();
}

}  // namespace zarnath
