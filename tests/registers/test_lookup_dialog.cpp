#include "common/messages.h"
#include "db/connection.h"
#include "registers/lookup_dialog.h"
#include "registers/lookup_dialog_search.h"
#include "tests/registers/register_fixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

// The generic lookup dialog: names found by their beginning, the active
// check box, and the code handed back to the opener.
class TestLookupDialog : public QObject, RegisterFixture
{
    Q_OBJECT

private slots:
    void init()
    {
        openDatabase(TestDatabase::Base);
        // Codes drawn by the key triggers follow the generators: set them first.
        QVERIFY(db().setGenerator(QStringLiteral("grupo"), 0).ok());
        for (const char* name : {"Porções", "Bebidas", "Doces"})
            exec("insert into grupo (ncodigo,cdescricao) values (null,?)", {SqlValue::text(QString::fromUtf8(name))});
        QVERIFY(db().setGenerator(QStringLiteral("produto"), 9).ok());
        const QStringList products{"Cerveja Lata:Lata", "Refrigerante:Un", "Cereal Bar:Un", "Cerveja Garrafa:Gfa",
                                   "Água Com Gás:Gfa"};
        for (int i = 0; i < products.size(); ++i)   // codes 10 to 14, 13 inactive
            exec("insert into produto (ncodigo,cdescricao,ngrupo,nvalor_venda,cunidade,nativo,nvalor_interno) "
                 "values (?,?,1,1,?,?,1)",
                 {SqlValue::integer(10 + i), SqlValue::text(products[i].section(u':', 0, 0)),
                  SqlValue::text(products[i].section(u':', 1)), SqlValue::integer(i == 3 ? 0 : 1)});
        QVERIFY(db().setGenerator(QStringLiteral("fornecedor"), 1).ok());
        for (const char* name : {"Distribuidora Norte", "Atacado Central"})
            exec("insert into fornecedor (ncodigo,cfantasia,crazao) values (null,?,?)",
                 {SqlValue::text(QString::fromUtf8(name)), SqlValue::text(QString::fromUtf8(name))});
    }

    void cleanup() { closeDatabase(); }

    void search_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("filter");
        QTest::addColumn<bool>("onlyActive");
        QTest::addColumn<QStringList>("expected");
        QTest::addRow("products by prefix, by name")
            << "Produtos" << "cer" << true << QStringList{"12:Cereal Bar - Un", "10:Cerveja Lata - Lata"};
        QTest::addRow("inactive products only") << "Produtos" << "cer" << false << QStringList{"13:Cerveja Garrafa - Gfa"};
        QTest::addRow("upper case typed") << "Produtos" << "CERVEJA" << true << QStringList{"10:Cerveja Lata - Lata"};
        QTest::addRow("contained, not at the start") << "Produtos" << "lata" << true << QStringList{};
        QTest::addRow("accented") << "Produtos" << "água" << true << QStringList{"14:Água Com Gás - Gfa"};
        QTest::addRow("apostrophe is only text") << "Produtos" << "d' or 1=1 --" << true << QStringList{};
        QTest::addRow("percent typed") << "Produtos" << "%" << true
                                       << QStringList{"12:Cereal Bar - Un", "10:Cerveja Lata - Lata",
                                                      "11:Refrigerante - Un", "14:Água Com Gás - Gfa"};
        QTest::addRow("groups by code, check box ignored")
            << "Grupos" << "" << false << QStringList{"1:Porções", "2:Bebidas", "3:Doces"};
        QTest::addRow("suppliers by name, reserved hidden")
            << "Fornecedores" << "" << true << QStringList{"3:Atacado Central", "2:Distribuidora Norte"};
    }
    void search()
    {
        QFETCH(QString, kind);
        QFETCH(QString, filter);
        QFETCH(bool, onlyActive);
        QFETCH(QStringList, expected);
        LookupSearch lookup(db(), kind);
        lookup.setFilter(filter);
        lookup.setOnlyActive(onlyActive);
        const auto done = lookup.search();
        QVERIFY2(done.ok(), done.ok() ? "" : qPrintable(done.failure().description()));
        QCOMPARE(shown(lookup.rows()), expected);
    }

    void opensWithEveryActiveRow()
    {
        FrmConsulta dialog(db(), m_messages, QStringLiteral("Produtos"));
        auto* grid = dialog.findChild<QTableView*>(QStringLiteral("Grid1"));
        QCOMPARE(grid->model()->rowCount(), 17);
        QCOMPARE(dialog.search().rows().size(), 4);
        QCOMPARE(grid->model()->index(0, 1).data().toString(), QStringLiteral("Cereal Bar - Un"));
        QCOMPARE(grid->model()->index(4, 0).data().toString(), QString());
        QCOMPARE(dialog.codigo_consulta(), 0);
        // Unticking "active" searches again at once.
        dialog.findChild<QCheckBox*>(QStringLiteral("Check1"))->setChecked(false);
        QCOMPARE(shown(dialog.search().rows()), QStringList{"13:Cerveja Garrafa - Gfa"});
        dialog.aceitar();   // the first row of the new search is the current one
        QCOMPARE(dialog.codigo_consulta(), 13);
    }

    void keyboardSearchAndPick()
    {
        FrmConsulta dialog(db(), m_messages, QStringLiteral("Produtos"));
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        auto* filter = dialog.findChild<QLineEdit*>(QStringLiteral("Text1"));
        auto* procurar = dialog.findChild<QPushButton*>(QStringLiteral("Command1"));
        auto* grid = dialog.findChild<QTableView*>(QStringLiteral("Grid1"));
        QTRY_COMPARE(dialog.focusWidget(), filter);
        QTest::keyClicks(filter, QStringLiteral("ref'"));
        QCOMPARE(filter->text(), QStringLiteral("ref"));   // the apostrophe never gets in
        QTest::keyClick(filter, Qt::Key_Return);
        // Enter moves on; it neither searches nor picks.
        QCOMPARE(dialog.focusWidget(), procurar);
        QCOMPARE(dialog.search().rows().size(), 4);
        QCOMPARE(grid->currentIndex().row(), 0);   // opened on the first of its rows, highlighted
        QVERIFY(grid->selectionModel()->isRowSelected(0));
        QTest::keyClick(procurar, Qt::Key_Tab);
        QTest::keyClick(grid, Qt::Key_Down);
        QCOMPARE(grid->currentIndex().row(), 1);
        QTest::keyClick(grid, Qt::Key_Backtab);
        QCOMPARE(dialog.focusWidget(), procurar);
        QTest::keyClick(procurar, Qt::Key_Space);
        QCOMPARE(dialog.search().rows().size(), 1);
        QCOMPARE(grid->currentIndex().row(), 0);   // a search starts again at the first row
        filter->setText(QString());
        QTest::keyClick(procurar, Qt::Key_Return);   // Enter on "Procurar" moves on without searching
        QCOMPARE(dialog.focusWidget(), grid);
        QCOMPARE(dialog.search().rows().size(), 1);
        QTest::keyClick(grid, Qt::Key_Return);
        QVERIFY(dialog.isVisible());
        auto* aceitar = dialog.findChild<QPushButton*>(QStringLiteral("CmdOk"));
        QCOMPARE(dialog.focusWidget(), aceitar);
        QTest::keyClick(aceitar, Qt::Key_Return);   // Enter does not pick either
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.codigo_consulta(), 0);
        aceitar->setFocus();
        QTest::keyClick(aceitar, Qt::Key_Space);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.codigo_consulta(), 11);
    }

    void emptyResultPicksNothing()
    {
        FrmConsulta dialog(db(), m_messages, QStringLiteral("Grupos"));
        dialog.show();
        auto* grid = dialog.findChild<QTableView*>(QStringLiteral("Grid1"));
        dialog.findChild<QLineEdit*>(QStringLiteral("Text1"))->setText(QStringLiteral("xyz"));
        dialog.procurar();
        QVERIFY(dialog.search().rows().isEmpty());
        // An empty line picks nothing and the dialog stays; Escape leaves it.
        grid->setCurrentIndex(grid->model()->index(3, 0));
        dialog.aceitar();
        QVERIFY(dialog.isVisible());
        QTest::keyClick(grid, Qt::Key_Escape);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(dialog.codigo_consulta(), 0);
    }

    void unknownKind()
    {
        FrmConsulta dialog(db(), m_messages, QStringLiteral("Clientes"));
        QVERIFY(dialog.search().rows().isEmpty());
        QCOMPARE(m_messages.shown().size(), 1);
        QVERIFY(m_messages.texts().at(0).contains(QStringLiteral("Clientes")));
    }

private:
    void exec(const char* sql, const SqlParams& params = {})
    {
        const auto done = db().execute(QString::fromUtf8(sql), params);
        QVERIFY2(done.ok(), done.ok() ? "" : qPrintable(done.failure().description()));
    }
    static QStringList shown(const QList<LookupSearch::Row>& rows);
    Connection& db() { return m_db->connection(); }
};

QStringList TestLookupDialog::shown(const QList<LookupSearch::Row>& rows)
{
    QStringList out;
    for (const auto& row : rows)
        out.append(QString::number(row.ncodigo) + QLatin1Char(':') + row.cnome);
    return out;
}

QTEST_MAIN(TestLookupDialog)
#include "test_lookup_dialog.moc"
