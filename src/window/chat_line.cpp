#include "window/chat_line.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>

#include "commands/chat_commands.h"
#include "model/game.h"
#include "view/image_button.h"
#include "view/widget_values.h"
#include "window/latin1_box.h"

namespace zarnath {

namespace {

std::string ToLatin1(const QString& text) {
  return text.toLatin1().toStdString();
}

QFont ChatFont() {
  QFont f(QStringLiteral("Arial"));
  f.setPointSizeF(8.25);
  return f;
}

void Colours(QWidget* w) {
  QPalette pal = w->palette();
  pal.setColor(QPalette::Text, QColor(0, 255, 255));  // cyan on black
  pal.setColor(QPalette::Base, Qt::black);
  w->setPalette(pal);
}

}  // namespace

ChatLine::ChatLine(QWidget* window, Game& game) : QObject(window), game_(game) {
  txtChat_ = new QPlainTextEdit(window);
  txtChat_->setGeometry(kChatLeft, kChatTop, kChatWidth, kChatHeight);
  txtChat_->setReadOnly(true);
  txtChat_->setFont(ChatFont());
  txtChat_->setFocusPolicy(Qt::NoFocus);
  Colours(txtChat_);
  chatView_ = std::make_unique<ChatBoxView>(txtChat_);

  txtMessage_ = new QLineEdit(window);
  txtMessage_->setGeometry(kChatLeft, kChatEntryTop, kChatEntryWidth, kChatEntryHeight);
  txtMessage_->setFont(ChatFont());
  Colours(txtMessage_);
  KeepToLatin1(txtMessage_);
  txtMessage_->setMaxLength(static_cast<int>(kChatLongest));
  txtMessage_->installEventFilter(this);
  // Pasted text keeps its "*" here; the send removes it. The game's copy follows every edit.
  connect(txtMessage_, &QLineEdit::textChanged, this,
          [this](const QString& text) { game_.window.txtMessage.Text = ToLatin1(text); });
}

bool ChatLine::eventFilter(QObject* watched, QEvent* event) {
  if (watched != txtMessage_ || event->type() != QEvent::KeyPress)
    return QObject::eventFilter(watched, event);
  auto* key = static_cast<QKeyEvent*>(event);
  if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
    if (txtMessage_KeyPress(game_, kKeyEnter) == 0) Sync();
    return true;
  }
  const QString text = key->text();
  if (key->matches(QKeySequence::Paste)) return false;       // a paste is no typing
  if (text.size() != 1 || !text[0].isPrint()) return false;  // editing keys go to the box
  const int code = text[0].unicode();
  if (code > 0xff) {
    ShowLatin1Notice(txtMessage_);
    return true;
  }
  if (txtMessage_KeyPress(game_, code) == 0) return true;
  // Typing stops at its limit; the box's own limit leaves room for a longer paste.
  if (txtMessage_->text().size() >= static_cast<qsizetype>(kChatTypedLimit) &&
      !txtMessage_->hasSelectedText())
    return true;
  return false;
}

void ChatLine::ImgSend_Click() {
  zarnath::ImgSend_Click(game_);
  Sync();
}

void ChatLine::tmrMessage_Timer() {
  zarnath::ChatLockEnds(game_);
  Sync();
}

void ChatLine::FocusEntry() {
  if (txtMessage_->isVisible()) txtMessage_->setFocus();
}

void ChatLine::Sync() {
  const GameWindowState& w = game_.window;
  chatView_->Show(w.txtChat);
  const QString entry = Latin1(w.txtMessage.Text);
  if (txtMessage_->text() != entry) txtMessage_->setText(entry);
  if (sendButton) sendButton->setLocked(!w.ImgSendEnabled);
  const bool shown = game_.WorldCount > 0 && w.WorldLabelsVisible;
  txtChat_->setVisible(shown);
  txtMessage_->setVisible(game_.WorldCount > 0);
}

}  // namespace zarnath
