#include "window/proximity_window.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>

#include "model/game.h"
#include "view/image_button.h"
#include "view/widget_values.h"

namespace zarnath {

ProximityWindow::ProximityWindow(Game& game, ProximityDialog& dialog, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      game_(game),
      dialog_(dialog) {
  setWindowTitle(QString::fromLatin1(ProximityDialog::kCaption));
  setModal(false);
  QFont font(QStringLiteral("Arial"));
  font.setPointSizeF(8.25);
  font.setBold(true);
  setFont(font);

  label1_ = new QLabel(QString::fromLatin1(ProximityDialog::kLabel), this);
  label1_->setGeometry(8, 8, 184, 16);
  text1_ = new QLineEdit(this);
  text1_->setGeometry(40, 30, 64, 22);
  // No length limit of the box itself: what the game writes into it (" 1500") is shown whole;
  // only typing stops at four characters (the key filter below).
  text1_->installEventFilter(this);
  vscroll1_ = new QScrollBar(Qt::Vertical, this);
  vscroll1_->setGeometry(106, 26, 17, 30);
  // The count's top end stands at the bar's top, where a scroll bar has its lowest position: the
  // bar's position is the count turned upside down (lowest + highest - count), so the up arrow, a
  // click in the track above the thumb, the wheel turned up, the Up key and a drag upwards all
  // raise the count.
  vscroll1_->setRange(std::min(dialog_.bottom, dialog_.top), std::max(dialog_.bottom, dialog_.top));
  vscroll1_->setPageStep(ProximityDialog::kLargeChange);
  imgSet_ = new ImageButton(this, game_,
                            ButtonFaces{QStringLiteral("ddentbutt18.jpg"), QStringLiteral("butt18.jpg"),
                                        ClickSound::kUnlessSoundOff},
                            QPoint(130, 60));
  setFixedSize(212, 100);

  connect(text1_, &QLineEdit::textEdited, this, [this](const QString& text) {
    if (!syncing_) dialog_.text = text.toLatin1().toStdString();
  });
  connect(vscroll1_, &QScrollBar::valueChanged, this, [this](int position) {
    if (syncing_) return;
    dialog_.SetValue(vscroll1_->minimum() + vscroll1_->maximum() - position);
    Sync();
  });
  connect(imgSet_, &ImageButton::clicked, this, &ProximityWindow::Set);
}

void ProximityWindow::Set() {
  const SendOutcome outcome = dialog_.ImgSet_Click(game_);
  Sync();
  if (onSet) onSet(outcome);
}

bool ProximityWindow::Shortcut(const QKeyEvent* key) {
  // Escape does what the close box does; Enter presses Set.
  switch (key->key()) {
    case Qt::Key_Escape:
      close();
      return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      Set();
      return true;
    default:
      return false;
  }
}

void ProximityWindow::keyPressEvent(QKeyEvent* event) {
  if (!Shortcut(event)) QDialog::keyPressEvent(event);
}

void ProximityWindow::Sync() {
  syncing_ = true;
  vscroll1_->setRange(std::min(dialog_.bottom, dialog_.top), std::max(dialog_.bottom, dialog_.top));
  vscroll1_->setSingleStep(dialog_.smallChange);
  vscroll1_->setValue(vscroll1_->minimum() + vscroll1_->maximum() - dialog_.value);
  const QString text = Latin1(dialog_.text);
  if (text1_->text() != text) text1_->setText(text);
  syncing_ = false;
  const bool open = game_.window.ProximityDialogVisible;
  if (open && (!isVisible() || openings_ != dialog_.openings)) {
    openings_ = dialog_.openings;
    show();
    raise();
    // The dialog takes the keyboard (also where no window manager hands it over), with the preset
    // count selected so that typing replaces it.
    activateWindow();
    text1_->setFocus(Qt::OtherFocusReason);
    text1_->selectAll();
  } else if (!open && isVisible()) {
    hide();
  }
}

bool ProximityWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == text1_ && event->type() == QEvent::KeyPress) {
    // Only the digits pass as typed characters, and only while the box would then hold at most
    // four (a digit typed over a selection replaces it); keys without a character (Delete, the
    // arrows) edit the box as usual.
    const auto* key = static_cast<QKeyEvent*>(event);
    if (Shortcut(key)) return true;
    const QString typed = key->text();
    if (key->key() != Qt::Key_Delete && !typed.isEmpty()) {
      if (typed.size() != 1 || ProximityDialog::Text1_KeyPress(typed[0].unicode()) == 0) return true;
      if (text1_->text().size() - text1_->selectedText().size() >= ProximityDialog::kMaxTyped) return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void ProximityWindow::closeEvent(QCloseEvent* event) {
  // The close box hides the dialog as Set does, without sending.
  game_.window.ProximityDialogVisible = false;
  game_.ProxFrom = game_.ProxTo = -1;
  QDialog::closeEvent(event);
}

}  // namespace zarnath
