// The save dialog `frmSaveGame` ("Save Game") and the load dialog `frmLoadGame` ("Load Game"):
// twins with a folder list, a file list of the saved games in its folder, a name box and two
// image buttons. Each is created once and afterwards only hidden and shown, so its folder and its
// name box keep their state between uses. A name typed without the extension ".zq" gets it; the
// file list shows exactly the files a load uses unchanged.
#pragma once

#include <QLineEdit>
#include <QWidget>
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
  // Save or Load.
  virtual void Accept() = 0;
  // `ImgCancel_Click`.
  virtual void ImgCancel_Click();

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

  Game& game_;

 private:
  void ShowFolders();

  QString folder_;
  ImageButton* imgAccept_;
  ImageButton* imgCancel_;
};

// `frmSaveGame`: Save writes the running game under the name in the box.
class SaveGameDialog : public SavedGameDialog {
  Q_OBJECT

 public:
  explicit SaveGameDialog(Game& game);
  // `ImgSave_Click`: nothing with an empty box; else the name made complete, a pause of 500 ms,
  // the game written and the dialog hidden. A file that cannot be written is reported with its
  // reason, the dialog stays and a file that was there stays whole.
  void Accept() override;
};

// `frmLoadGame`: Load reads the saved game named in the box into the running game.
class LoadGameDialog : public SavedGameDialog {
  Q_OBJECT

 public:
  explicit LoadGameDialog(Game& game);
  // `ImgLoad_Click`: nothing with an empty box or on a network client; else the name made
  // complete, the dialog hidden and the game loaded. Chosen while another step runs (a turn's
  // resolution, a computer player's turn, a step that yields), the load waits until that step is
  // done and is then carried out as if chosen then. A missing or refused file is reported, the box
  // is emptied and the dialog comes back; the running game stays as it was.
  void Accept() override;
  // Hides the dialog; with no game set up or loaded the title window comes back.
  void ImgCancel_Click() override;
  // Whether a load chosen while another step runs is waiting to look again. A dialog hidden
  // meanwhile (Cancel, Escape, a minimised network game) takes the choice back at that look.
  bool LoadWaiting() const;

  // Shows the title window again.
  std::function<void()> showTitle;

 private:
  QTimer* retry_;
};

}  // namespace zarnath
