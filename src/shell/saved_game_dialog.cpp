#include "shell/saved_game_dialog.h"

#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QTimer>

#include "engine/save_load.h"
#include "model/game.h"
#include "persist/atomic_file.h"
#include "persist/saved_game_files.h"
#include "shell/display_fonts.h"
#include "view/image_button.h"

namespace zarnath {

namespace {

// How often a save or load chosen while another step runs looks again.
constexpr int kChoiceRetryMs = 10;

// Names and paths as the file system spells them, and back.
std::string Bytes(const QString& text) {
  return QFile::encodeName(text).toStdString();
}
QString Shown(const std::string& bytes) {
  return QFile::decodeName(QByteArray::fromStdString(bytes));
}

QFont ListFont() {
  QFont f(QStringLiteral("Arial"));
  f.setPointSizeF(9.75);
  return f;
}

QLabel* DialogLabel(QWidget* parent, const char* text, QRect place) {
  auto* label = new QLabel(QString::fromLatin1(text), parent);
  label->setFont(GameFont(Typeface::kVenusRising, 8.25));
  label->setGeometry(place);
  FitLabelHeight(label);
  return label;
}

constexpr int kFolderRole = Qt::UserRole;

// Whether a step of the game is under way: a turn's resolution or a computer player's turn (each
// locks the File menu and the input while it runs, also where it lets timers run outside a
// yield), or another step in whose yield or message box the event being handled came in (a
// relay, a turn's sends).
bool StepUnderWay(Game& g) {
  return g.io.platform.InsideYield() || g.TurnResolving || g.InputBusy || !g.menus.mnuFile.Enabled;
}

}  // namespace

void SavedGameNameBox::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    event->accept();
    if (onEnter) onEnter();
    return;
  }
  QLineEdit::keyPressEvent(event);
}

SavedGameDialog::SavedGameDialog(Game& game, const char* caption, const char* pressedFace,
                                 const char* releasedFace)
    : game_(game), retry_(new QTimer(this)) {
  retry_->setSingleShot(true);
  retry_->setInterval(kChoiceRetryMs);
  connect(retry_, &QTimer::timeout, this, [this] {
    // A dialog hidden since (Cancel, Escape, a minimised network game) took the choice back.
    if (isVisible()) CarryOut();
  });
  setWindowTitle(QString::fromLatin1(caption));
  setFixedSize(438, 300);

  Label1 = DialogLabel(this, "Directory:", QRect(16, 10, 200, 17));
  Label2 = DialogLabel(this, "Filename:", QRect(232, 10, 190, 17));
  Label3 = DialogLabel(this, "Filename:", QRect(232, 186, 190, 17));

  Dir1 = new QListWidget(this);
  Dir1->setGeometry(16, 30, 200, 200);
  Dir1->setFont(ListFont());
  // A double-click or Enter on a folder opens it.
  connect(Dir1, &QListWidget::itemActivated, this,
          [this](QListWidgetItem* item) { SetFolder(item->data(kFolderRole).toString()); });

  File1 = new QListWidget(this);
  File1->setGeometry(232, 30, 190, 150);
  File1->setFont(ListFont());
  connect(File1, &QListWidget::itemClicked, this,
          [this](QListWidgetItem* item) { File1_Click(File1->row(item)); });
  connect(File1, &QListWidget::currentRowChanged, this, &SavedGameDialog::File1_Click);
  connect(File1, &QListWidget::itemDoubleClicked, this,
          [this](QListWidgetItem* item) { File1_DblClick(File1->row(item)); });

  Text1 = new SavedGameNameBox(this);
  Text1->setGeometry(232, 206, 190, 24);
  Text1->setFont(ListFont());
  Text1->onEnter = [this] { Accept(); };
  // The name box takes the keys when the dialog comes up.
  Text1->setFocus();

  imgAccept_ = new ImageButton(this, game,
                               ButtonFaces{QString::fromLatin1(pressedFace),
                                           QString::fromLatin1(releasedFace), ClickSound::kUnlessSoundOff},
                               QPoint(137, 250));
  imgCancel_ = new ImageButton(this, game,
                               ButtonFaces{QStringLiteral("ddentbutt19.jpg"), QStringLiteral("butt19.jpg"),
                                           ClickSound::kUnlessSoundOff},
                               QPoint(232, 250));
  connect(imgAccept_, &ImageButton::clicked, this, [this] { Accept(); });
  connect(imgCancel_, &ImageButton::clicked, this, [this] { ImgCancel_Click(); });

  // The first showing finds the program's own folder.
  SetFolder(QFileInfo(Shown(game.programFolder)).absoluteFilePath());
}

void SavedGameDialog::SetFolder(const QString& path) {
  folder_ = QDir::cleanPath(path);
  ShowFolders();
  RefreshFiles();
}

// The folder list: the folders from the root down to the dialog's folder, then the folders
// inside it, each indented by its depth.
void SavedGameDialog::ShowFolders() {
  Dir1->clear();
  QStringList chain;
  for (QDir d(folder_);;) {
    chain.prepend(d.absolutePath());
    if (!d.cdUp()) break;
  }
  auto add = [this](const QString& path, const QString& name, int depth) {
    auto* item = new QListWidgetItem(QString(depth * 2, QLatin1Char(' ')) + name, Dir1);
    item->setData(kFolderRole, path);
    return item;
  };
  for (int depth = 0; depth < chain.size(); ++depth) {
    const QString& path = chain[depth];
    QListWidgetItem* item = add(path, depth == 0 ? path : QFileInfo(path).fileName(), depth);
    if (depth == chain.size() - 1) Dir1->setCurrentItem(item);
  }
  for (const std::string& name : ListSubfolders(Bytes(folder_)))
    add(QDir(folder_).filePath(Shown(name)), Shown(name), static_cast<int>(chain.size()));
}

void SavedGameDialog::RefreshFiles() {
  const QSignalBlocker quiet(File1);
  File1->clear();
  for (const std::string& name : ListSavedGames(Bytes(folder_))) {
    // A name the desktop cannot spell back would never be found again: it is not offered.
    if (Bytes(Shown(name)) == name) File1->addItem(Shown(name));
  }
}

void SavedGameDialog::File1_Click(int row) {
  if (QListWidgetItem* item = File1->item(row)) Text1->setText(item->text());
}

void SavedGameDialog::File1_DblClick(int row) {
  if (!File1->item(row)) return;
  File1_Click(row);
  Accept();
}

void SavedGameDialog::ImgCancel_Click() {
  hide();
}

void SavedGameDialog::closeEvent(QCloseEvent* event) {
  // Closing the window is Cancel: the dialog is kept for its next showing.
  event->ignore();
  ImgCancel_Click();
}

void SavedGameDialog::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    ImgCancel_Click();
    return;
  }
  QWidget::keyPressEvent(event);
}

void SavedGameDialog::showEvent(QShowEvent* event) {
  RefreshFiles();
  QWidget::showEvent(event);
}

std::string SavedGameDialog::CompleteName() {
  const std::string name = CompleteSavedGameName(Bytes(Text1->text()));
  if (!name.empty() && Shown(name) != Text1->text()) Text1->setText(Shown(name));
  return name;
}

std::string SavedGameDialog::PathOf(const std::string& name) const {
  return JoinPath(Bytes(folder_), name);
}

void SavedGameDialog::Accept() {
  // One choice waits at a time: a second press while it waits chooses again.
  StopWaiting();
  const std::string name = CompleteName();
  if (name.empty()) return;
  chosenPath_ = PathOf(name);
  chosenFor_ = game_.GameNumber;
  CarryOut();
}

void SavedGameDialog::WaitForStep() {
  retry_->start();
}

void SavedGameDialog::StopWaiting() {
  retry_->stop();
}

bool SavedGameDialog::ChoiceWaiting() const {
  return retry_->isActive();
}

// --- the save dialog ---

SaveGameDialog::SaveGameDialog(Game& game)
    : SavedGameDialog(game, "Save Game", "ddentbutt16.jpg", "butt16.jpg") {}

void SaveGameDialog::CarryOut() {
  // Chosen in the yield of a step: nothing, not even a box, comes in the middle of that step.
  if (game_.io.platform.InsideYield()) {
    WaitForStep();
    return;
  }
  // A host's state still coming locks the window until it opens, and the game it brings is not
  // the one the save was chosen for: the save says at once why it writes nothing.
  if (game_.StateComing) {
    SaveRefused(game_);
    return;
  }
  // Never in the middle of a turn's resolution or a computer's turn: the file holds one whole
  // state, the one that step leaves.
  if (StepUnderWay(game_)) {
    WaitForStep();
    return;
  }
  game_.io.platform.Pause(500);
  // A refusal or a failure was shown with its reason; the dialog stays for another name or folder.
  if (!SaveGame(game_, chosenPath_, chosenFor_)) return;
  hide();
}

// --- the load dialog ---

LoadGameDialog::LoadGameDialog(Game& game)
    : SavedGameDialog(game, "Load Game", "ddentbutt17.jpg", "butt17.jpg") {
  Text1->clear();
}

void LoadGameDialog::CarryOut() {
  // Chosen in the yield of a step: nothing, not even a box, comes in the middle of that step.
  if (game_.io.platform.InsideYield()) {
    WaitForStep();
    return;
  }
  // A network client's game comes from its host: it loads none of its own, now or later. As
  // after a file refused, the dialog stays with an empty name box.
  if (LoadRefused(game_)) {
    Text1->clear();
    return;
  }
  if (StepUnderWay(game_)) {
    // The game must not change under that step, which would carry on with the loaded game
    // (resolve the rest of a turn, send the rest of what it was sending). The load is carried
    // out once the step is done, as if chosen then.
    WaitForStep();
    return;
  }
  hide();
  switch (LoadSavedGame(game_, chosenPath_)) {
    case LoadOutcome::kLoaded:
    case LoadOutcome::kProgramEnded:
      return;
    case LoadOutcome::kNotFound:
    case LoadOutcome::kRefused:
      // The reason was shown; the running game is as it was.
      Text1->clear();
      show();
      return;
  }
}

void LoadGameDialog::ImgCancel_Click() {
  hide();
  if (game_.PlayerName[0].empty() && showTitle) showTitle();
}

}  // namespace zarnath
