// The game window's menu bar: File, Information, Options and Help built from the menu table, with
// their Ctrl shortcuts, and the Command menu, which is never on the bar. Every caption, check mark
// and enabled state is the game's; Sync shows them after each change, whoever made it. Choosing an
// item runs its command through the rules, then shows the menus as the command left them.
#pragma once

#include <QMenuBar>
#include <functional>
#include <map>
#include <string>

#include "commands/menu_commands.h"

class QAction;
class QMenu;

namespace zarnath {

class Game;

inline constexpr int kMenuBarTop = 20;  // under the status captions

class GameMenuBar : public QMenuBar {
 public:
  GameMenuBar(QWidget* window, Game& game);

  // What only the window can do for an item (save and load dialogs, help, About, addresses).
  MenuHooks hooks;
  // The Command menu's items: the travel options popup's command of this code.
  std::function<void(int code)> onCommand;

  // The menus and items show the game's captions, check marks, enabled and visible states.
  void Sync();
  // Runs an item's command as choosing it does.
  void Run(MenuCommand command);

  // For tests and tools: an item or a menu by its name ("mnuFileAutoSave", "mnuFile").
  QAction* item(const std::string& name) const;
  QMenu* menu(const std::string& name) const;

 protected:
  // Escape on an open menu closes it with no title left lit; a press elsewhere in the window ends
  // a keyboard hold on the bar.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool IsBarMenu(const QMenu* menu) const;
  void LeaveKeyboard();
  void Build();
  void Show(QAction* action, const MenuItem& item);

  Game& game_;
  std::map<std::string, QAction*> items_;
  std::map<std::string, QMenu*> menus_;
  QMenu* command_ = nullptr;
};

}  // namespace zarnath
