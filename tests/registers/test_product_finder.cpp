// The list-screen pattern through the product finder.
#include "common/message_texts.h"
#include "registers/product_finder.h"
#include "registers/product_finder_widget.h"
#include "registers/product_register_widget.h"
#include "tests/registers/register_fixture.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTableView>
#include <QSignalSpy>
#include <QTest>

class TestProductFinder : public QObject, RegisterFixture
{
    Q_OBJECT

private slots:
    void init() { openDatabase(); }
    void cleanup()
    {
        delete m_screen.data();
        closeDatabase();
    }

    void filters_data()
    {
        QTest::addColumn<QString>("codigo");
        QTest::addColumn<QString>("nome");
        QTest::addColumn<QString>("grupo");
        QTest::addColumn<QList<qint32>>("found");
        QTest::addRow("a code alone decides") << "12" << "zzz" << "Cervejas" << QList<qint32>{12};
        QTest::addRow("code beyond any code") << "99999999999" << "" << "" << QList<qint32>{};
        QTest::addRow("name anywhere, proper case") << "" << "lata" << "" << QList<qint32>{1, 8};
        QTest::addRow("accented name") << "" << "água" << "" << QList<qint32>{9, 10};
        QTest::addRow("group alone, in code order") << "" << "" << "Cervejas" << QList<qint32>{1, 2, 3, 4, 30, 40};
        QTest::addRow("name within group") << "" << "lata" << "Refrigerantes E Águas" << QList<qint32>{8};
        QTest::addRow("no group, in code order") << "" << "extra" << "" << QList<qint32>{30, 40};
    }
    void filters()
    {
        QFETCH(QString, codigo);
        QFETCH(QString, nome);
        QFETCH(QString, grupo);
        QFETCH(QList<qint32>, found);
        Connection& c = m_db->connection();
        // 40 stored before 30: the unfiltered and the group-filtered statements differ; both list by code.
        QVERIFY(c.setGenerator(QStringLiteral("produto"), 40));
        for (const int code : {40, 30})
            QVERIFY(c.execute(QStringLiteral("insert into produto values (?, 'Extra', 1, 0, 0, 0, 1, 0, 'Un', 1, 0, 1)"),
                              {SqlValue::integer(code)}));
        ProductFinder finder(m_settings, m_messages);
        finder.setCodigo(codigo);
        finder.setNome(nome);
        finder.setGrupo(grupo);
        QVERIFY(finder.search());
        QCOMPARE(codes(finder), found);
        QVERIFY(m_messages.shown().isEmpty());
    }

    void gridRows_data()
    {
        QTest::addColumn<QString>("nome");
        QTest::addColumn<int>("extra");
        QTest::addColumn<int>("found");
        QTest::addColumn<int>("rowsInAll");
        QTest::addRow("nothing found: header and empty rows") << "zzz" << 0 << 0 << 15;
        QTest::addRow("14 found fill the minimum") << "" << 0 << 15 << 16;
        QTest::addRow("20 found") << "" << 5 << 20 << 21;
    }
    void gridRows()
    {
        QFETCH(QString, nome);
        QFETCH(int, extra);
        QFETCH(int, found);
        QFETCH(int, rowsInAll);
        for (int i = 0; i < extra; ++i)
            QVERIFY(m_db->connection().execute(
                QStringLiteral("insert into produto values (null, 'Extra', 5, 1, 1, 1, 2, 0, 'Un', 1, 1, 1)")));
        ProductFinder finder(m_settings, m_messages);
        finder.setNome(nome);
        QVERIFY(finder.search());
        QCOMPARE(finder.model().foundCount(), found);
        QCOMPARE(finder.model().gridRows(), rowsInAll);
        const int body = rowsInAll - 1;
        if (found > 0)
            QVERIFY(finder.codeAt(found - 1));
        if (found < body) {   // filler rows hold nothing
            QVERIFY(!finder.codeAt(found));
            QCOMPARE(finder.model().cell(body - 1, 0), QString());
        }
        finder.reset();
        QCOMPARE(finder.model().foundCount(), 0);
        QCOMPARE(finder.model().gridRows(), 15);
    }

    void cellsOfACodeBeyond16Bits()
    {
        QVERIFY(m_db->connection().setGenerator(QStringLiteral("produto"), 70000));
        QVERIFY(m_db->connection().execute(
            QStringLiteral("insert into produto values (70000, 'Vinho D''Ávila', 2, 2.5, 2.5, 20, 60, 1, 'Garrafa', 1, 1, 30)")));
        ProductFinder finder(m_settings, m_messages);
        finder.setNome(QStringLiteral("ávila"));
        QVERIFY(finder.search());
        QCOMPARE(codes(finder), QList<qint32>{70000});
        const QStringList shown{finder.model().cell(0, 0), finder.model().cell(0, 1), finder.model().cell(0, 2),
                                finder.model().cell(0, 3)};
        QCOMPARE(shown, (QStringList{"70000", "Vinho D'Ávila", "R$ 60,00", "2,5"}));
        finder.setNome(QString());
        finder.setCodigo(QStringLiteral("70000"));
        QVERIFY(finder.search());
        QCOMPARE(codes(finder), QList<qint32>{70000});
    }

    void deletes()
    {
        Connection& c = m_db->connection();
        QVERIFY(c.execute(QStringLiteral("insert into venda values (1, 1, null, 'Dinheiro', 7, 10, 3)")));
        QVERIFY(c.execute(QStringLiteral(
            "insert into item_venda (ncodigo, nvenda, nproduto, nqtde, npreco, ntotal, nnumero) "
            "values (null, 1, 1, 1, 7, 7, 1)")));
        ProductFinder finder(m_settings, m_messages);
        finder.setNome(QStringLiteral("lata"));
        QVERIFY(finder.search());
        QVERIFY(!finder.remove(5));    // a filler row: nothing asked
        QVERIFY(!finder.remove(-1));   // no row selected
        m_messages.answerNext(false);
        QVERIFY(!finder.remove(1));
        // A product sold is refused; a rename elsewhere meanwhile must not refill the grid.
        QVERIFY(c.execute(QStringLiteral("update produto set cdescricao = 'Refrigerante' where ncodigo = 8")));
        m_messages.answerNext(true);    // confirma_exclusao
        m_messages.answerNext(false);   // no, do not show the database's own text
        QVERIFY(!finder.remove(0));
        QCOMPARE(codes(finder), (QList<qint32>{1, 8}));
        m_messages.answerNext(true);
        QVERIFY(finder.remove(1));
        QCOMPARE(m_messages.texts(), (QStringList{msg::confirmaExclusao, msg::confirmaExclusao, msg::violacaoIntegridade,
                                                  msg::confirmaExclusao}));
        QCOMPARE(codes(finder), QList<qint32>{1});
        const Result<Rows> left = c.select(QStringLiteral("select ncodigo from produto where ncodigo in (1, 8)"));
        QVERIFY(left && left->count() == 1 && left->integer(0, QStringLiteral("ncodigo")) == 1);
    }

    void screenByKeyboard()
    {
        openScreen();
        auto* nome = m_screen->findChild<QLineEdit*>(QStringLiteral("Text1"));
        auto* grupo = m_screen->findChild<QComboBox*>(QStringLiteral("Combo1"));
        auto* procurar = m_screen->findChild<QPushButton*>(QStringLiteral("Command3"));
        QTableView* grid = m_screen->grid();
        QCOMPARE(grupo->count(), 6);   // an empty item, then the groups by name
        QCOMPARE(grupo->currentText(), QString());
        QCOMPARE(grupo->itemText(5), QStringLiteral("Refrigerantes E Águas"));
        QCOMPARE(m_screen->finder().model().foundCount(), 0);   // not filled on opening
        procurar->click();
        QCOMPARE(m_screen->finder().model().foundCount(), 15);
        grid->setFocus();
        grid->selectRow(14);
        m_messages.answerNext(false);
        QTest::keyClick(grid, Qt::Key_Delete);
        QCOMPARE(m_messages.texts(), QStringList{msg::confirmaExclusao});
        // Any change of a filter empties the grid until the next search.
        nome->setFocus();
        QTest::keyClick(nome, Qt::Key_L);
        QCOMPARE(m_screen->finder().model().foundCount(), 0);
        QTest::keyClicks(nome, QStringLiteral("ata"));
        procurar->click();
        QCOMPARE(codes(m_screen->finder()), (QList<qint32>{1, 8}));
        grupo->setCurrentIndex(1);
        QCOMPARE(m_screen->finder().model().foundCount(), 0);
        m_screen->procurar();
        QCOMPARE(codes(m_screen->finder()), QList<qint32>{1});
        // A double-click on a filler row opens nothing; F5 goes to "Procurar" without searching.
        const QPoint filler = grid->visualRect(grid->model()->index(6, 1)).center();
        QSignalSpy doubleClicked(grid, &QTableView::doubleClicked);
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, filler);
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, filler);
        QCOMPARE(doubleClicked.count(), 1);
        QVERIFY(!m_screen->findChild<FrmCadProdutos*>());
        QTest::keyClick(grid, Qt::Key_F5);
        QCOMPARE(QApplication::focusWidget(), procurar);
        QCOMPARE(m_screen->finder().model().foundCount(), 1);
    }

    void detailsRefillsAfterTheChange()
    {
        openScreen();
        auto* nome = m_screen->findChild<QLineEdit*>(QStringLiteral("Text1"));
        QTest::keyClicks(nome, QStringLiteral("lata"));
        m_screen->procurar();
        QTableView* grid = m_screen->grid();
        const QPoint row = grid->visualRect(grid->model()->index(1, 1)).center();
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, row);
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, row);
        auto* form = m_screen->findChild<FrmCadProdutos*>();
        QVERIFY(form && form->isVisible());
        QCOMPARE(form->findChild<QLineEdit*>(QStringLiteral("Text1"))->text(), QStringLiteral("Refrigerante Lata"));
        // "Detalhes" again brings the same register forward.
        m_screen->findChild<QPushButton*>(QStringLiteral("Command4"))->click();
        QCOMPARE(m_screen->findChildren<FrmCadProdutos*>().size(), 1);
        form->findChild<QLineEdit*>(QStringLiteral("Text1"))->setText(QStringLiteral("refrigerante lata zero"));
        form->findChild<QLineEdit*>(QStringLiteral("Text4"))->setText(QStringLiteral("6,5"));
        QPointer<FrmCadProdutos> guard(form);
        form->findChild<QPushButton*>(QStringLiteral("CmdOk"))->click();
        QTRY_VERIFY(guard.isNull());   // closed after the change
        QCOMPARE(m_screen->finder().model().cell(1, 1), QStringLiteral("Refrigerante Lata Zero"));
        QCOMPARE(m_screen->finder().model().cell(1, 2), QStringLiteral("R$ 6,50"));
        QVERIFY2(m_messages.shown().isEmpty(), qPrintable(m_messages.transcript()));
    }

    // The row the operator sees highlighted is the one acted on: the first after a search, the edited
    // one after a change saved through "Detalhes" (found by its code), the same place after a deletion.
    void currentRowFollowsTheOperator()
    {
        openScreen();
        QTableView* grid = m_screen->grid();
        const auto current = [&] { return m_screen->list().codeAt(grid->currentIndex().row()).value_or(0); };
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);   // from "Código" to "Nome"
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("cerveja"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F5);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);   // "Procurar"
        QCOMPARE(codes(m_screen->finder()), (QList<qint32>{1, 2, 3}));
        QCOMPARE(current(), 1);
        QVERIFY(grid->selectionModel()->isRowSelected(0));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), grid);
        QTest::keyClick(grid, Qt::Key_Down);
        QTest::keyClick(grid, Qt::Key_Tab);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);   // "Detalhes" on product 2
        auto* form = m_screen->findChild<FrmCadProdutos*>();
        QVERIFY(form);
        QTRY_COMPARE(QApplication::activeWindow(), form);   // the register takes the keyboard
        auto* nome = form->findChild<QLineEdit*>(QStringLiteral("Text1"));
        QCOMPARE(QApplication::focusWidget(), nome);
        QTest::keyClicks(nome, QStringLiteral("cerveja long neck 355"));
        // Meanwhile another workstation deletes the first product of the list.
        QVERIFY(m_db->connection().execute(QStringLiteral("delete from produto where ncodigo = 1")));
        QPointer<FrmCadProdutos> guard(form);
        QTest::keyClick(nome, Qt::Key_G, Qt::AltModifier);   // "Gravar"
        QTRY_VERIFY(!guard);
        QCOMPARE(codes(m_screen->finder()), (QList<qint32>{2, 3}));
        QCOMPARE(current(), 2);
        QCOMPARE(m_screen->finder().model().cell(0, 1), QStringLiteral("Cerveja Long Neck 355"));
        // Deleting it leaves the operator on the row that took its place.
        grid->activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), m_screen.data());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget(), grid);
        m_messages.answerNext(true);
        QTest::keyClick(grid, Qt::Key_Delete);
        QCOMPARE(codes(m_screen->finder()), QList<qint32>{3});
        QCOMPARE(current(), 3);
        QVERIFY2(m_messages.texts() == QStringList{msg::confirmaExclusao}, qPrintable(m_messages.transcript()));
    }

private:
    FrmLocalizaProduto* openScreen();

    QPointer<FrmLocalizaProduto> m_screen;
};

FrmLocalizaProduto* TestProductFinder::openScreen()
{
    m_screen = new FrmLocalizaProduto(m_settings, m_messages);
    m_screen->show();
    if (!QTest::qWaitForWindowActive(m_screen))
        qWarning("the finder did not become active");
    return m_screen;
}

QTEST_MAIN(TestProductFinder)
#include "test_product_finder.moc"
