// The internet lobby's server table: nine columns side by side, one row per live server, with
// their two-line headings and the caption above them. The table shows the rows the setup state
// holds; selecting a row in one column selects it in all nine; a double-click, or Enter on a row
// after the first, asks to join that server.
#pragma once

#include <QWidget>
#include <array>
#include <functional>

#include "net/lobby_files.h"

class QListWidget;
class QLabel;

namespace zarnath {

class Game;

class ServerTableWidget : public QWidget {
  Q_OBJECT

 public:
  ServerTableWidget(Game& game, QWidget* parent = nullptr);

  // Shows the table the setup state holds: its rows, whether the columns are enabled, the row
  // selected and the caption.
  void ShowState();
  // Puts a list's rows (or its notice row, with the columns disabled) into the table.
  void Fill(const ServerTable& table);
  void Clear();
  int RowCount() const;
  int SelectedRow() const;
  bool ColumnsEnabled() const;
  void SetColumnsEnabled(bool on);
  // Puts the key of the last row into the exclusion list.
  void ExcludeLastRow();
  void SelectRow(int column, int row);
  void RequestJoin(int column, bool enter);

  // The join has started (the row's address was in the address box).
  std::function<void()> onJoin;
  // A message for the player.
  std::function<void(const QString&)> onMessage;

  std::array<QListWidget*, 9> lstServer{};
  QLabel* Label9 = nullptr;  // the caption above the table

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  Game& game_;
  bool aligning_ = false;
};

}  // namespace zarnath
