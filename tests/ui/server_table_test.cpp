// The internet lobby's server table: nine aligned columns, the notice row, exclusion and joining
// by double-click and Enter.
#include <QListWidget>

#include "shell/server_table.h"
#include "ui_fixture.h"

namespace zarnath::testing {

namespace {

ServerRow Server(const char* name, const char* country) {
  ServerRow r;
  r.cells = {std::string(" ") + name,
             std::string(" ") + country,
             " Offensive",
             " 20",
             " None",
             " No",
             " 15",
             " 8",
             " On"};
  return r;
}

void DoubleClick(QListWidget* list, int row) {
  const QPoint at = list->visualItemRect(list->item(row)).center();
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
  QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
}

}  // namespace

class ServerTableTest : public QObject {
  Q_OBJECT

 private slots:
  void rowsStayAlignedAndJoinByDoubleClickOrEnter() {
    UiGame ui;
    Game& g = ui.game;
    g.setup.txtPL[0] = "Ann";
    ServerTableWidget table(g);
    table.show();
    int joins = 0;
    QStringList messages;
    table.onJoin = [&] { ++joins; };
    table.onMessage = [&](const QString& m) { messages << m; };
    ServerTable list;
    for (const char* name : {"Bo", "Cy", "Dee", "Eve"}) list.rows.push_back(Server(name, "Freedonia"));
    for (int i = 0; i < 4; ++i) g.ServerRowIP[static_cast<size_t>(i)] = "10.0.0." + std::to_string(i + 1);
    table.Fill(list);
    QCOMPARE(table.RowCount(), 4);

    // Clicking row 3 of the country column selects row 3 everywhere.
    QListWidget* country = table.lstServer[1];
    QTest::mouseClick(country->viewport(), Qt::LeftButton, {},
                      country->visualItemRect(country->item(3)).center());
    QCOMPARE(table.SelectedRow(), 3);
    for (auto* column : table.lstServer) QCOMPARE(column->currentRow(), 3);

    // Enter on the first server does nothing; on a later one it joins.
    table.SelectRow(0, 0);
    QTest::keyClick(table.lstServer[2], Qt::Key_Return);
    QCOMPARE(joins, 0);
    table.SelectRow(0, 2);
    QTest::keyClick(table.lstServer[2], Qt::Key_Return);
    QCOMPARE(joins, 1);
    QCOMPARE(QString::fromStdString(g.setup.txtIP), QStringLiteral("10.0.0.3"));
    QVERIFY(!table.ColumnsEnabled());

    // A double-click on the first server joins; an empty name is asked for first.
    table.Fill(list);
    g.setup.txtPL[0].clear();
    QListWidget* name = table.lstServer[0];
    DoubleClick(name, 0);
    QCOMPARE(messages, QStringList{"You Must Enter Your Name First!"});
    QCOMPARE(joins, 1);
    g.setup.txtPL[0] = "Ann";
    DoubleClick(name, 0);
    QCOMPARE(joins, 2);
    QCOMPARE(QString::fromStdString(g.setup.txtIP), QStringLiteral("10.0.0.1"));
  }

  void theNoticeRowDisablesTheColumnsAndExclusionKeepsKeys() {
    UiGame ui;
    Game& g = ui.game;
    ServerTableWidget table(g);
    table.ExcludeLastRow();  // an empty table stores nothing
    QVERIFY(g.ServerExcluded[0].empty());
    table.show();
    table.Fill(TableFor(ServerList{}, false, g.setup, "X"));
    QCOMPARE(table.lstServer[0]->item(0)->text(), QStringLiteral("- No Servers Found -"));
    // The notice, the headings and the caption show whole.
    QCOMPARE(CutListRows(&table), QStringList{});
    QCOMPARE(CutLabels(&table), QStringList{});
    QVERIFY(!table.ColumnsEnabled());
    // So do the widest name the online lobby takes, with the private-address mark, and a long
    // country.
    table.Fill({{Server("* WWWWWWWWWWWW", "Bosnia and Herzegowina")}});
    QCOMPARE(CutListRows(&table), QStringList{});
    ServerTable list;
    list.rows = {Server("Bo", "Freedonia"), Server("Cy", "Freedonia")};
    table.Fill(list);
    QVERIFY(table.ColumnsEnabled());
    table.ExcludeLastRow();
    QCOMPARE(QString::fromStdString(g.ServerExcluded[0]),
             QStringLiteral(" Cy Freedonia Offensive 20 None No 15 8 On"));
  }
};

ZARNATH_UI_SUITE(ServerTableTest, {"server-table", 1024, 96});

}  // namespace zarnath::testing

#include "server_table_test.moc"
