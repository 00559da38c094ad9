#include "window/chat_box.h"

#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <string_view>

#include "model/chat_history.h"
#include "view/widget_values.h"

namespace zarnath {
namespace {

// Chat text as the box shows it: Latin-1, lines broken at LF.
QString Shown(std::string_view text) {
  QString s = Latin1(text);
  s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return s;
}

}  // namespace

ChatBoxView::ChatBoxView(QPlainTextEdit* box) : box_(box) {
  box_->setMaximumBlockCount(kChatBoxLines);
}

void ChatBoxView::DropCutMessage() {
  // The box drops its oldest lines beyond its limit: what is left of a message cut that way (its
  // lines that begin with a tab) goes too, unless that message is all the box holds.
  QTextDocument* doc = box_->document();
  QTextBlock first = doc->firstBlock();
  while (first.isValid() && first.text().startsWith(QLatin1Char('\t'))) first = first.next();
  if (!first.isValid() || first == doc->firstBlock()) return;
  QTextCursor cut(doc);
  cut.setPosition(first.position(), QTextCursor::KeepAnchor);
  cut.removeSelectedText();
}

bool ChatBoxView::Show(const ChatHistory& chat) {
  const uint64_t fresh = chat.Appended - appended_;
  if (chat.Renewals != renewals_ || chat.Appended < appended_ || fresh > chat.Text.size()) {
    QString all = Shown(chat.Text);
    lineEndDue_ = all.endsWith(QLatin1Char('\n'));
    if (lineEndDue_) all.chop(1);
    box_->setPlainText(all);
  } else if (fresh > 0) {
    QString more = Shown(std::string_view(chat.Text).substr(chat.Text.size() - fresh));
    if (lineEndDue_) more.prepend(QLatin1Char('\n'));
    lineEndDue_ = more.endsWith(QLatin1Char('\n'));
    if (lineEndDue_) more.chop(1);
    QTextCursor end(box_->document());
    end.movePosition(QTextCursor::End);
    end.insertText(more);
  } else {
    return false;
  }
  DropCutMessage();
  renewals_ = chat.Renewals;
  appended_ = chat.Appended;
  box_->moveCursor(QTextCursor::End);
  box_->verticalScrollBar()->setValue(box_->verticalScrollBar()->maximum());
  return true;
}

}  // namespace zarnath
