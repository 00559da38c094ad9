// The game's file and score windows as the program uses them: the save and load dialogs and the
// high-score window, each created when first needed and then kept. The game window's File and
// Information menus, the title window's Load, the autosave at the end of a turn and the end of a
// won game reach them here.
#pragma once

#include <QPointer>
#include <functional>
#include <string>

class QWidget;

namespace zarnath {

// A window shown just now is painted only once the desktop has put it on the screen: waits for
// that (at most a second), handling no input meanwhile, so that a repaint then shows it.
void WaitUntilOnScreen(QWidget* w);

class Game;
class HighScoreWindow;
class LoadGameDialog;
class SaveGameDialog;

class GameDialogs {
 public:
  GameDialogs() = default;
  ~GameDialogs();
  GameDialogs(const GameDialogs&) = delete;
  GameDialogs& operator=(const GameDialogs&) = delete;

  // The game the windows save, load and score (set once the game exists).
  void Attach(Game& game) { game_ = &game; }

  // File, "Save Game" (Ctrl+S): the save dialog with the name box as it was left, not waited for.
  void mnuFileSave_Click();
  // File, "Load Game": the load dialog with an empty name box, over the running game.
  void mnuFileLoad_Click();
  // The title window's Load: the load dialog as it was left (empty on its first showing).
  void ShowLoadDialog();
  // The autosave: the save dialog with an empty name box, not waited for.
  void OfferAutoSave();
  // Hides the save and load dialogs where they are open (a network game's window minimised).
  void HideFileDialogs();

  // A won game's result: ranked into the table in the program folder's "Score130", the file
  // written back when it entered, the window shown and repainted, then a pause of 2000 ms. A
  // file that cannot be read or written is reported with its reason.
  void HighScore(const std::string& name, float rating, float ships, float production, float worlds,
                 float classSum);
  // Information, "Show High Scores": the stored table without the extra line.
  void mnuInfoHigh_Click();
  // The end of a won game: the high-score window goes; the next use creates it afresh.
  void DiscardHighScores();

  // Shows the title window again (the load dialog's Cancel with no game).
  std::function<void()> showTitle;

  // The windows, created on first use.
  SaveGameDialog& saveDialog();
  LoadGameDialog& loadDialog();
  HighScoreWindow& highScores();
  bool hasHighScores() const { return !highScores_.isNull(); }

 private:
  Game* game_ = nullptr;
  QPointer<SaveGameDialog> save_;
  QPointer<LoadGameDialog> load_;
  QPointer<HighScoreWindow> highScores_;
};

}  // namespace zarnath
