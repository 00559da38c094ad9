// The internet lobby's server table: nine columns side by side, one row per live server, with
// their two-line headings. Selecting a row in one column selects it in all nine; a double-click,
// or Enter on a row after the first, asks to join that server.
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

  // Shows a downloaded list (or its notice row, with the columns disabled).
  void Fill(const ServerTable& table);
  void Clear();
  int RowCount() const;
  int SelectedRow() const { return ServerListRow; }
  bool ColumnsEnabled() const;
  void SetColumnsEnabled(bool on);
  // Puts the key of the last row into the exclusion list.
  void ExcludeLastRow();
  // Puts the key of the selected row into the exclusion list (its server failed).
  void ExcludeSelectedRow();
  void SelectRow(int column, int row);
  void RequestJoin(int column, bool enter);

  // The join hand-over: the row's address is already in the address box.
  std::function<void()> onJoin;
  // A message for the player.
  std::function<void(const QString&)> onMessage;

  std::array<QListWidget*, 9> lstServer{};
  QLabel* Label9 = nullptr;  // the caption above the table

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  ServerRow Row(int row) const;

  Game& game_;
  int ServerListRow = -1;
  bool aligning_ = false;
};

}  // namespace zarnath
