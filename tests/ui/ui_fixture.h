// A game on the desktop platform (boxes answered by a script, sounds recorded) and headless ports
// for windows still to come, on its own copy of the built program folder; the title window on it.
#pragma once

#include <QDir>
#include <QEvent>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>

#include "headless/headless_ports.h"
#include "model/game.h"
#include "shell/desktop_platform.h"
#include "shell/display_fonts.h"
#include "shell/resolution_check.h"
#include "shell/title_window.h"
#include "ui_tests.h"
#include "view/image_button.h"
#include "view/missing_files.h"

namespace zarnath::testing {

inline QString BuiltProgramFolder() {
  return ZARNATH_TEST_PROGRAM_DIR;
}

// The built program folder without the files the program writes and `leaveOut`, in use while it lives.
struct ProgramFolderCopy {
  explicit ProgramFolderCopy(const QStringList& leaveOut = {});
  ~ProgramFolderCopy();
  QString file(const QString& name) const { return QDir(dir.path()).filePath(name); }
  QTemporaryDir dir;
};

struct UiGame {
  UiGame();
  DesktopPlatform platform;
  HeadlessPorts pending;
  Game game;
};

// The title window, loaded unless asked not to; ending the program and the load dialog are counted.
struct Title {
  explicit Title(bool load = true, const QStringList& leaveOut = {}) : folder(leaveOut) {
    window.endProgram = [this] { ++ended; };
    window.showLoadDialog = [this] { ++loadDialogs; };
    loaded = load && window.Form_Load();
  }
  ProgramFolderCopy folder;
  UiGame ui;
  DesktopDisplayModes modes;
  TitleWindow window{ui.game, ui.platform, modes};
  int ended = 0, loadDialogs = 0;
  bool loaded = false;
};

// The labels of `window` whose text its font cannot show whole: a line or a glyph's ink reaches
// past the label's edges (each as "text: why").
QStringList CutLabels(const QWidget* window);
// The rows of the lists in `window` that their list cannot show whole (elided or clipped at the
// list's right edge), each as "text: why".
QStringList CutListRows(const QWidget* window);

// Types `text` into `widget` as a keyboard would, one key per character (also characters outside
// ASCII, which QTest's key clicks cannot spell).
void TypeText(QWidget* widget, const QString& text);

// Runs `then` each time `widget` receives an event of `type`.
struct OnEvent : QObject {
  OnEvent(QWidget* widget, QEvent::Type type, std::function<void()> then)
      : type(type), then(std::move(then)) {
    widget->installEventFilter(this);
  }
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == type) then();
    return false;
  }
  QEvent::Type type;
  std::function<void()> then;
};

// Counts the events of one type that a widget receives.
struct EventCount : QObject {
  EventCount(QWidget* widget, QEvent::Type type) : type(type) { widget->installEventFilter(this); }
  bool eventFilter(QObject*, QEvent* e) override { return count += e->type() == type, false; }
  QEvent::Type type;
  int count = 0;
};

}  // namespace zarnath::testing
