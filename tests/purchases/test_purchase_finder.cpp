// Finding stored purchases, and deleting one with its lines.
#include "common/message_texts.h"
#include "purchases/purchase_finder.h"
#include "tests/purchases/purchase_fixture.h"

class TestPurchaseFinder : public QObject, PurchaseFixture
{
    Q_OBJECT

private slots:
    void init()
    {
        openDatabase();
        // Stored out of date order; codes 1 to 4.
        QCOMPARE(storePurchase(Sul, QDate(2026, 3, 10), QStringLiteral("A"), {{1, 2, 3.2}}), 1);
        QCOMPARE(storePurchase(Norte, QDate(2026, 3, 8), QStringLiteral("B")), 2);
        QCOMPARE(storePurchase(Sul, QDate(2026, 3, 12), QStringLiteral("C")), 3);
        QCOMPARE(storePurchase(OutraSul, QDate(2026, 3, 9), QStringLiteral("D")), 4);
    }
    void cleanup() { closeDatabase(); }

    void filters_data()
    {
        QTest::addColumn<int>("filter");
        QTest::addColumn<QString>("supplier");
        QTest::addColumn<QDate>("start");
        QTest::addColumn<QDate>("end");
        QTest::addColumn<QList<qint32>>("found");   // in date order
        const QDate d8(2026, 3, 8), d9(2026, 3, 9), d10(2026, 3, 10), d12(2026, 3, 12);
        QTest::addRow("all, whatever the dates") << int(PurchaseFinder::Todas) << "" << d12 << d8 << QList<qint32>{2, 4, 1, 3};
        QTest::addRow("period, both ends in") << int(PurchaseFinder::PorPeriodo) << "" << d9 << d10 << QList<qint32>{4, 1};
        QTest::addRow("period of one day") << int(PurchaseFinder::PorPeriodo) << "" << d12 << d12 << QList<qint32>{3};
        QTest::addRow("end before start") << int(PurchaseFinder::PorPeriodo) << "" << d10 << d9 << QList<qint32>{};
        QTest::addRow("supplier, not its namesake") << int(PurchaseFinder::PorFornecedor) << "2" << d12 << d8 << QList<qint32>{1, 3};
        QTest::addRow("supplier and period") << int(PurchaseFinder::PorFornecedorEPeriodo) << "2" << d8 << d10 << QList<qint32>{1};
    }
    void filters()
    {
        QFETCH(int, filter);
        QFETCH(QString, supplier);
        QFETCH(QDate, start);
        QFETCH(QDate, end);
        QFETCH(QList<qint32>, found);
        // A purchase stored with a time of day still belongs to its day.
        QVERIFY(run("update compra set ddata_compra = '2026-03-10 15:30' where ncodigo = 1"));
        PurchaseFinder finder(m_settings, m_messages);
        finder.load(QDate(2026, 3, 12));
        finder.filterChanged(filter);
        finder.fields.text10 = supplier;
        finder.fields.dtpicker1 = start;
        finder.fields.dtpicker2 = end;
        QVERIFY(finder.mostrar());
        QCOMPARE(codes(finder), found);
        QVERIFY2(m_messages.shown().isEmpty(), qPrintable(m_messages.transcript()));
    }

    void cellsAndRows()
    {
        QVERIFY(run("update compra set nvalor_total = 1234.5 where ncodigo = 1"));
        PurchaseFinder finder(m_settings, m_messages);
        finder.load(QDate(2026, 3, 10));
        QCOMPARE(finder.model().foundCount(), 0);   // nothing until "Mostrar"
        QCOMPARE(finder.model().gridRows(), 17);
        QVERIFY(finder.mostrar());
        QStringList cells;
        for (int column = 0; column < 7; ++column)
            cells << finder.model().cell(0, column);
        QCOMPARE(cells, (QStringList{"1", "Distribuidora Sul", "10/03/2026", "A", "R$ 1.234,50", "2", ""}));
        QVERIFY(!finder.codeAt(1));
        QCOMPARE(finder.model().gridRows(), 17);
    }

    void supplierFilterNeedsASupplier_data()
    {
        QTest::addColumn<int>("filter");
        QTest::addColumn<QString>("supplier");
        QTest::addColumn<QStringList>("messages");
        QTest::addRow("no code") << int(PurchaseFinder::PorFornecedor) << "" << QStringList{msg::informeFornecedor};
        QTest::addRow("no code, with period") << int(PurchaseFinder::PorFornecedorEPeriodo) << ""
                                              << QStringList{msg::informeFornecedor};
        QTest::addRow("unknown code") << int(PurchaseFinder::PorFornecedor) << "77" << QStringList{msg::registroNaoLocalizado};
        QTest::addRow("the hidden supplier 0") << int(PurchaseFinder::PorFornecedor) << "0"
                                               << QStringList{msg::registroNaoLocalizado};
    }
    void supplierFilterNeedsASupplier()
    {
        QFETCH(int, filter);
        QFETCH(QString, supplier);
        QFETCH(QStringList, messages);
        PurchaseFinder finder(m_settings, m_messages);
        finder.load(QDate(2026, 3, 10));
        QVERIFY(finder.mostrar());   // "Por período" lists purchase 1
        finder.fields.combo1 = filter;   // as the screen holds it before the change reaches the grid
        finder.fields.text10 = supplier;
        QVERIFY(!finder.mostrar());
        QCOMPARE(m_messages.texts(), messages);
        QCOMPARE(codes(finder), QList<qint32>{1});   // the grid untouched
    }

    void supplierCheckAndFilterChange()
    {
        PurchaseFinder finder(m_settings, m_messages);
        finder.load(QDate(2026, 3, 10));
        finder.fields.text10 = QStringLiteral("3");
        QVERIFY(finder.checkSupplier());
        QCOMPARE(finder.fields.text15, QStringLiteral("Bebidas Norte"));
        QVERIFY(finder.supplierPicked(OutraSul));
        QCOMPARE(finder.fields.text10, QStringLiteral("4"));
        finder.fields.combo1 = PurchaseFinder::PorFornecedor;
        QVERIFY(finder.mostrar());
        QCOMPARE(codes(finder), QList<qint32>{4});
        finder.filterChanged(PurchaseFinder::Todas);
        QCOMPARE(finder.fields.text10 + finder.fields.text15, QString());
        QCOMPARE(finder.model().foundCount(), 0);
        QVERIFY(m_messages.shown().isEmpty());
    }

    void deletesWithItsLines()
    {
        PurchaseFinder finder(m_settings, m_messages);
        finder.load(QDate(2026, 3, 10));
        finder.filterChanged(PurchaseFinder::Todas);
        QVERIFY(finder.mostrar());
        QVERIFY(!finder.excluir(6));   // a filler row: nothing asked
        m_messages.answerNext(false);
        QVERIFY(!finder.excluir(2));
        QCOMPARE(scalar("select count(*) from compra"), 4);
        m_messages.answerNext(true);
        QVERIFY(finder.excluir(2));   // purchase 1, with its line
        QCOMPARE(m_messages.texts(), (QStringList{msg::confirmaExclusao, msg::confirmaExclusao}));
        QCOMPARE(codes(finder), (QList<qint32>{2, 4, 3}));
        QCOMPARE(scalar("select count(*) from compra where ncodigo = 1"), 0);
        QCOMPARE(scalar("select count(*) from item_da_compra"), 0);
    }

private:
    static QList<qint32> codes(const PurchaseFinder& finder)
    {
        QList<qint32> found;
        for (int row = 0; row < finder.model().rowCount(); ++row)
            if (const std::optional<qint32> code = finder.codeAt(row))
                found << *code;
        return found;
    }
};

QTEST_MAIN(TestPurchaseFinder)
#include "test_purchase_finder.moc"
