#include "shell/server_table.h"

#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>

#include "model/game.h"
#include "net/online_setup.h"
#include "view/widget_values.h"

namespace zarnath {
namespace {

struct Column {
  const char* upper;
  const char* lower;
  int width;
};
// The name column holds the notice "- No Servers Found -" and the widest name the online lobby
// takes with the private-address mark; the country column a long country's name.
constexpr Column kColumns[9] = {
    {"Host", "Name:", 150},         {"Host", "Country:", 140},        {"Battle", "Mode:", 72},
    {"# of", "Worlds:", 52},        {"Truce:", "Year:", 60},          {"Battle", "Shields:", 56},
    {"Maximum", "Production:", 76}, {"# of World", "Treasures:", 72}, {"Radar", "Mode:", 72}};

// The table fits under the options in the lobby's extra height.
constexpr int kCaptionHeight = 16, kHeadingHeight = 28, kListHeight = 104, kLegendHeight = 16;

}  // namespace

ServerTableWidget::ServerTableWidget(Game& game, QWidget* parent) : QWidget(parent), game_(game) {
  setFont(QFont(QStringLiteral("Liberation Sans"), 8));
  Label9 = new QLabel(QStringLiteral("Active Servers:  Double Click To Start"), this);
  Label9->setGeometry(0, 0, 400, kCaptionHeight);
  int x = 0;
  const int listTop = kCaptionHeight + kHeadingHeight;
  for (int c = 0; c < 9; ++c) {
    auto* heading = new QLabel(QStringLiteral("%1\n%2").arg(kColumns[c].upper, kColumns[c].lower), this);
    heading->setGeometry(x, kCaptionHeight, kColumns[c].width, kHeadingHeight);
    auto* list = new QListWidget(this);
    list->setGeometry(x, listTop, kColumns[c].width, kListHeight);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->installEventFilter(this);
    connect(list, &QListWidget::currentRowChanged, this, [this, c](int row) {
      if (!aligning_ && row >= 0) SelectRow(c, row);
    });
    connect(list, &QListWidget::itemDoubleClicked, this, [this, c] { RequestJoin(c, false); });
    lstServer[c] = list;
    x += kColumns[c].width;
  }
  auto* legend = new QLabel(QStringLiteral("* - LAN Game Only"), this);
  legend->setGeometry(0, listTop + kListHeight, 200, kLegendHeight);
  resize(x, listTop + kListHeight + kLegendHeight);
}

void ServerTableWidget::ShowState() {
  const SetupState& s = game_.setup;
  Label9->setText(s.Label9.empty() ? QStringLiteral("Active Servers:  Double Click To Start")
                                   : Latin1(s.Label9));
  bool same = lstServer[0]->count() == static_cast<int>(s.lstServer.size());
  for (int r = 0; same && r < lstServer[0]->count(); ++r)
    for (int c = 0; c < 9 && same; ++c)
      same = lstServer[c]->item(r)->text() == Latin1(s.lstServer[static_cast<size_t>(r)][c]);
  aligning_ = true;
  if (!same) {
    for (int c = 0; c < 9; ++c) {
      lstServer[c]->clear();
      for (const auto& row : s.lstServer) lstServer[c]->addItem(Latin1(row[c]));
    }
  }
  for (auto* list : lstServer) {
    list->setEnabled(s.lstServerEnabled);
    if (list->currentRow() != s.ServerListRow) list->setCurrentRow(s.ServerListRow);
  }
  aligning_ = false;
}

void ServerTableWidget::Clear() {
  game_.setup.lstServer.clear();
  game_.setup.ServerListRow = -1;
  ShowState();
}

void ServerTableWidget::Fill(const ServerTable& table) {
  SetupState& s = game_.setup;
  s.lstServer.clear();
  for (const ServerRow& row : table.rows) s.lstServer.push_back(row.cells);
  s.lstServerEnabled = table.enabled;
  s.ServerListRow = -1;
  ShowState();
}

int ServerTableWidget::RowCount() const {
  return static_cast<int>(game_.setup.lstServer.size());
}

int ServerTableWidget::SelectedRow() const {
  return game_.setup.ServerListRow;
}

bool ServerTableWidget::ColumnsEnabled() const {
  return game_.setup.lstServerEnabled;
}

void ServerTableWidget::SetColumnsEnabled(bool on) {
  game_.setup.lstServerEnabled = on;
  ShowState();
}

void ServerTableWidget::ExcludeLastRow() {
  ExcludeLastTableRow(game_);
}

void ServerTableWidget::SelectRow(int column, int row) {
  if (column < 0 || column > 8 || row < 0 || row >= RowCount()) return;
  game_.setup.ServerListRow = row;
  ShowState();
}

void ServerTableWidget::RequestJoin(int column, bool enter) {
  if (column < 0 || column > 8) return;
  const int row = lstServer[column]->currentRow();
  const RowJoin r = JoinFromServerRow(game_.setup, game_, row, RowCount(), ColumnsEnabled(), enter);
  if (r == RowJoin::kNeedName) {
    if (onMessage) onMessage(QStringLiteral("You Must Enter Your Name First!"));
    return;
  }
  if (r != RowJoin::kJoin) return;
  SelectRow(column, row);
  ServerTableJoin(game_);
  ShowState();
  if (onJoin) onJoin();
}

bool ServerTableWidget::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
      for (int c = 0; c < 9; ++c)
        if (watched == lstServer[c]) RequestJoin(c, true);
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace zarnath
