// The save dialog `frmSaveGame` ("Save Game") and the load dialog `frmLoadGame` ("Load Game"):
// twins with a folder list, a file list of the saved games in its folder, a name box and two
// image buttons. Each is created once and afterwards only hidden and shown, so its folder and its
// name box keep their state between uses. A name typed without the extension ".zq" gets it; the
// file list shows exactly the files a load uses unchanged.
#pragma once

#include <QLineEdit>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <string>

class QLabel;
class QListWidget;
class QListWidgetItem;
class QTimer;

namespace zarnath {

class Game;
class ImageButton;

// The name box: Enter runs the dialog's Save or Load and goes no further; every other key
// reaches the box.
class SavedGameNameBox : public QLineEdit {
  Q_OBJECT

 public:
  using QLineEdit::QLineEdit;
  std::function<void()> onEnter;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
};

class SavedGameDialog : public QWidget {
  Q_OBJECT

 public:
  // The folder both lists show.
  QString folder() const { return folder_; }
  // `Dir1_Change`: the folder list moves to `path` and the file list follows.
  void SetFolder(const QString& path);
  // Reads the folder's saved games again.
  void RefreshFiles();

  // `File1_Click`: the file name goes into the name box. `File1_DblClick`: then Save or Load.
  void File1_Click(int row);
  void File1_DblClick(int row);
  // Save or Load, chosen now: nothing with an empty name box; else the name made complete and
  // the choice carried out.
  void Accept();
  // `ImgCancel_Click`.
  virtual void ImgCancel_Click();
  // Whether a Save or Load chosen while another step ran is waiting to look again. A dialog
  // hidden meanwhile (Cancel, Escape, a minimised network game) takes the choice back at that look.
  bool ChoiceWaiting() const;

  QListWidget* Dir1;
  QListWidget* File1;
  SavedGameNameBox* Text1;
  QLabel *Label1, *Label2, *Label3;
  ImageButton* ImgAccept() const { return imgAccept_; }
  ImageButton* ImgCancel() const { return imgCancel_; }

 protected:
  // A dialog in the program's folder: `caption`, the accept button's pressed and released faces.
  SavedGameDialog(Game& game, const char* caption, const char* pressedFace, const char* releasedFace);
  void closeEvent(QCloseEvent* event) override;
  // Escape is Cancel.
  void keyPressEvent(QKeyEvent* event) override;
  // Every showing lists the folder's saved games as they are now.
  void showEvent(QShowEvent* event) override;

  // The name box's name with the extension made complete, shown in the box; empty when the box
  // is empty. The path of that name in the dialog's folder, as the file system spells it.
  std::string CompleteName();
  std::string PathOf(const std::string& name) const;

  // The choice waits for the step under way to end: it is carried out at a later look, as if
  // chosen then. A new choice takes back the one that waits.
  void WaitForStep();
  void StopWaiting();
  // Carries out the choice made, now or at a look while the dialog is shown.
  virtual void CarryOut() = 0;

  Game& game_;
  // The file chosen, and the game that was in the records when it was chosen (GameNumber).
  std::string chosenPath_;
  uint32_t chosenFor_ = 0;

 private:
  void ShowFolders();

  QString folder_;
  ImageButton* imgAccept_;
  ImageButton* imgCancel_;
  QTimer* retry_;
};

// `frmSaveGame`: Save writes the running game under the name in the box.
class SaveGameDialog : public SavedGameDialog {
  Q_OBJECT

 public:
  explicit SaveGameDialog(Game& game);
  bool SaveWaiting() const { return ChoiceWaiting(); }

 protected:
  // `ImgSave_Click`, the name made complete: a pause of 500 ms, the game written and the dialog
  // hidden. Chosen while another step runs (a turn's resolution, a computer player's turn, a step
  // that yields), the save waits until that step is done and writes the whole game it leaves.
  // Where no whole game is here (a host's state still coming, a game ended or left part-way, or
  // one replaced while the save waited) the reason is shown and nothing is written; so is a file
  // that cannot be written. The dialog then stays, and a file that was there stays whole.
  void CarryOut() override;
};

// `frmLoadGame`: Load reads the saved game named in the box into the running game.
class LoadGameDialog : public SavedGameDialog {
  Q_OBJECT

 public:
  explicit LoadGameDialog(Game& game);
  // Hides the dialog; with no game set up or loaded the title window comes back.
  void ImgCancel_Click() override;
  bool LoadWaiting() const { return ChoiceWaiting(); }

  // Shows the title window again.
  std::function<void()> showTitle;

 protected:
  // `ImgLoad_Click`, the name made complete: the dialog hidden and the game loaded. Chosen while
  // another step runs (a turn's resolution, a computer player's turn, a step that yields), the
  // load waits until that step is done and is then carried out as if chosen then. A missing or
  // refused file is reported, the box is emptied and the dialog comes back; the running game
  // stays as it was. A network client, whose game comes from its host, loads none: it says so,
  // and the dialog stays with an empty name box, as after a refused file.
  void CarryOut() override;
};

}  // namespace zarnath
