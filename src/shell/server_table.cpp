#include "shell/server_table.h"

#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>

#include "model/game.h"

namespace zarnath {
namespace {

struct Column {
  const char* upper;
  const char* lower;
  int width;
};
constexpr Column kColumns[9] = {
    {"Host", "Name:", 110},         {"Host", "Country:", 100},        {"Battle", "Mode:", 72},
    {"# of", "Worlds:", 52},        {"Truce:", "Year:", 60},          {"Battle", "Shields:", 56},
    {"Maximum", "Production:", 76}, {"# of World", "Treasures:", 72}, {"Radar", "Mode:", 72}};

}  // namespace

ServerTableWidget::ServerTableWidget(Game& game, QWidget* parent) : QWidget(parent), game_(game) {
  Label9 = new QLabel(QStringLiteral("Active Servers:  Double Click To Start"), this);
  Label9->setGeometry(0, 0, 400, 18);
  int x = 0;
  for (int c = 0; c < 9; ++c) {
    auto* heading = new QLabel(QStringLiteral("%1\n%2").arg(kColumns[c].upper, kColumns[c].lower), this);
    heading->setGeometry(x, 20, kColumns[c].width, 32);
    auto* list = new QListWidget(this);
    list->setGeometry(x, 54, kColumns[c].width, 140);
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
  legend->setGeometry(0, 196, 200, 18);
  resize(x, 216);
}

void ServerTableWidget::Clear() {
  for (auto* list : lstServer) list->clear();
  ServerListRow = -1;
}

void ServerTableWidget::Fill(const ServerTable& table) {
  Clear();
  for (const ServerRow& row : table.rows)
    for (int c = 0; c < 9; ++c) lstServer[c]->addItem(QString::fromLatin1(row.cells[c].c_str()));
  SetColumnsEnabled(table.enabled);
}

int ServerTableWidget::RowCount() const {
  return lstServer[0]->count();
}

bool ServerTableWidget::ColumnsEnabled() const {
  return lstServer[0]->isEnabled();
}

void ServerTableWidget::SetColumnsEnabled(bool on) {
  for (auto* list : lstServer) list->setEnabled(on);
}

ServerRow ServerTableWidget::Row(int row) const {
  ServerRow r;
  for (int c = 0; c < 9; ++c)
    if (auto* item = lstServer[c]->item(row)) r.cells[c] = item->text().toLatin1().toStdString();
  return r;
}

void ServerTableWidget::ExcludeLastRow() {
  if (RowCount() > 0) ExcludeServerRow(game_, Row(RowCount() - 1));
}

void ServerTableWidget::ExcludeSelectedRow() {
  if (ServerListRow >= 0 && ServerListRow < RowCount()) ExcludeServerRow(game_, Row(ServerListRow));
}

void ServerTableWidget::SelectRow(int column, int row) {
  if (column < 0 || column > 8 || row < 0 || row >= RowCount()) return;
  ServerListRow = row;
  aligning_ = true;
  for (auto* list : lstServer) list->setCurrentRow(row);
  aligning_ = false;
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
  SetColumnsEnabled(false);
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
