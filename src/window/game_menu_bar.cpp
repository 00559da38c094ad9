#include "window/game_menu_bar.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>

#include "model/game.h"
#include "view/widget_values.h"

namespace zarnath {

namespace {

QKeySequence CtrlKey(char letter) {
  return QKeySequence(QKeyCombination(Qt::ControlModifier, static_cast<Qt::Key>(Qt::Key_A + (letter - 'A'))));
}

}  // namespace

GameMenuBar::GameMenuBar(QWidget* window, Game& game) : QMenuBar(window), game_(game) {
  setNativeMenuBar(false);
  Build();
  Sync();
  // Dark like the window. The bar stands in the galaxy's empty top-left corner under the seats'
  // status captions, as wide as its four titles; the window's other controls lie over it.
  setStyleSheet(
      QStringLiteral("QMenuBar { background: black; color: white; }"
                     "QMenuBar::item:selected { background: #404040; }"
                     "QMenuBar::item:disabled { color: gray; }"));
  setGeometry(QRect(QPoint(0, kMenuBarTop), sizeHint()));
  lower();
  qApp->installEventFilter(this);
}

bool GameMenuBar::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
    // Escape closes the open menu and leaves the bar as a click elsewhere would: no title lit and
    // no keyboard hold on the bar, so the next press on a title opens its menu.
    auto* menu = qobject_cast<QMenu*>(watched);
    if (menu && menu->isVisible() && IsBarMenu(menu)) {
      menu->hide();
      return true;
    }
  }
  if (event->type() == QEvent::MouseButtonPress && watched->isWidgetType()) {
    // A press elsewhere in the window ends a keyboard hold on the bar (after Alt), as a press that
    // takes the keyboard focus would.
    auto* pressed = static_cast<QWidget*>(watched);
    const QAction* lit = activeAction();
    const bool open = lit && lit->menu() && lit->menu()->isVisible();
    if (lit && !open && pressed != this && !isAncestorOf(pressed) && pressed->window() == window())
      LeaveKeyboard();
  }
  return QMenuBar::eventFilter(watched, event);
}

bool GameMenuBar::IsBarMenu(const QMenu* menu) const {
  for (const auto& [name, m] : menus_)
    if (m == menu) return true;
  return false;
}

void GameMenuBar::LeaveKeyboard() {
  // The bar's own Escape: no title lit, and the keyboard focus back where it was.
  QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
  QMenuBar::keyPressEvent(&escape);
  if (hasFocus()) clearFocus();
}

void GameMenuBar::Build() {
  for (const MenuBarEntry& bar : MenuBar()) {
    QMenu* menu = addMenu(Latin1((game_.menus.*bar.title).Caption));
    menus_[bar.name] = menu;
    for (const MenuEntry& entry : bar.items) {
      if (!entry.item) {
        menu->addSeparator()->setObjectName(QString::fromLatin1(entry.name));
        continue;
      }
      QAction* action = menu->addAction(QString());
      action->setObjectName(QString::fromLatin1(entry.name));
      if (entry.shortcut) action->setShortcut(CtrlKey(entry.shortcut));
      const MenuCommand command = entry.command;
      connect(action, &QAction::triggered, this, [this, command] { Run(command); });
      items_[entry.name] = action;
    }
  }
  // The Command menu belongs to the window but is never shown on the bar: its items are the
  // travel options popup's commands.
  command_ = addMenu(Latin1(game_.menus.mnuCommand.Caption));
  menus_["mnuCommand"] = command_;
  command_->menuAction()->setVisible(false);
  for (const CommandEntry& entry : CommandMenu()) {
    if (entry.code == 0) {
      command_->addSeparator()->setObjectName(QString::fromLatin1(entry.name));
      continue;
    }
    QAction* action = command_->addAction(QString::fromLatin1(entry.caption));
    action->setObjectName(QString::fromLatin1(entry.name));
    const int code = entry.code;
    connect(action, &QAction::triggered, this, [this, code] {
      if (onCommand) onCommand(code);
    });
    items_[entry.name] = action;
  }
}

void GameMenuBar::Show(QAction* action, const MenuItem& item) {
  const QString caption = Latin1(item.Caption);
  if (action->text() != caption) action->setText(caption);
  // Only a checked item carries a check box, so the other items show no empty one.
  action->setCheckable(item.Checked);
  action->setChecked(item.Checked);
  action->setEnabled(item.Enabled);
  action->setVisible(item.Visible);
}

void GameMenuBar::Sync() {
  for (const MenuBarEntry& bar : MenuBar()) {
    Show(menus_[bar.name]->menuAction(), game_.menus.*bar.title);
    for (const MenuEntry& entry : bar.items)
      if (entry.item) Show(items_[entry.name], game_.menus.*entry.item);
  }
  command_->menuAction()->setVisible(false);
}

void GameMenuBar::Run(MenuCommand command) {
  RunMenuCommand(game_, command, hooks);
  Sync();
}

QAction* GameMenuBar::item(const std::string& name) const {
  const auto it = items_.find(name);
  return it == items_.end() ? nullptr : it->second;
}

QMenu* GameMenuBar::menu(const std::string& name) const {
  const auto it = menus_.find(name);
  return it == menus_.end() ? nullptr : it->second;
}

}  // namespace zarnath
