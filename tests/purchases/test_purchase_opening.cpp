// The header of a purchase: stored new, or changed, with the supplier chosen.
#include "common/message_texts.h"
#include "purchases/purchase_opening.h"
#include "tests/purchases/purchase_fixture.h"

class TestPurchaseOpening : public QObject, PurchaseFixture
{
    Q_OBJECT

private slots:
    void init() { openDatabase(); }
    void cleanup() { closeDatabase(); }

    void newPurchaseStoresTheChosenSupplier_data()
    {
        QTest::addColumn<qint32>("supplier");
        QTest::addColumn<QString>("nota");
        QTest::addColumn<QString>("obs");
        QTest::addRow("one of two with the same trade name") << OutraSul << "123" << "";
        QTest::addRow("the other one") << Sul << "" << "";
        QTest::addRow("apostrophes and accents kept") << Norte << "D'Ávila 7" << "Entregue à tarde\nsem nota d'água";
    }
    void newPurchaseStoresTheChosenSupplier()
    {
        QFETCH(qint32, supplier);
        QFETCH(QString, nota);
        QFETCH(QString, obs);
        QVERIFY(db().setGenerator(QStringLiteral("codigo_compra"), 7));
        PurchaseOpening opening(m_settings, m_messages, true);
        QVERIFY(opening.load(QDate(2026, 3, 12)));
        QCOMPARE(opening.fields.text3, QStringLiteral("8"));   // preview: the generator + 1
        QCOMPARE(opening.fields.combo1, -1);
        QCOMPARE(opening.suppliers().size(), 5);                // every supplier, by trade name
        QCOMPARE(opening.suppliers().first().cfantasia, QStringLiteral("Bebidas Norte"));
        opening.fields.combo1 = indexOf(opening, supplier);
        opening.fields.text1 = nota;
        opening.fields.text9 = obs;
        const std::optional<PurchaseOpening::Handover> handover = opening.gravar();
        QVERIFY2(handover, qPrintable(m_messages.transcript()));
        QCOMPARE(handover->codigoCompra, 8);
        QVERIFY(handover->binclusao);
        const Result<Rows> row = db().select(QStringLiteral("select * from compra where ncodigo = 8"));
        QVERIFY(row && row->count() == 1);
        QCOMPARE(row->integer(0, QStringLiteral("nfornecedor")), supplier);
        QCOMPARE(row->text(0, QStringLiteral("cnumero_doc")), nota);
        QCOMPARE(row->text(0, QStringLiteral("cobs")), obs);
        QCOMPARE(row->dateTime(0, QStringLiteral("ddata_compra")), QDateTime(QDate(2026, 3, 12), QTime(0, 0)));
        for (const char* zero : {"ncoluna5", "ndesconto", "nacrescimo", "nvalor_total"})
            QCOMPARE(row->money(0, QString::fromLatin1(zero)), Money());
        QVERIFY(m_messages.shown().isEmpty());
    }

    void noSupplierStoresNothing()
    {
        PurchaseOpening opening(m_settings, m_messages, true);
        QVERIFY(opening.load());
        opening.fields.text1 = QStringLiteral("55");
        QVERIFY(!opening.gravar());
        QCOMPARE(m_messages.texts(), QStringList{msg::informeFornecedor});
        QCOMPARE(scalar("select count(*) from compra"), 0);
        QCOMPARE(*db().generator(QStringLiteral("codigo_compra"), 0), 0);
    }

    void theCodeHandedOnIsTheRowInserted()
    {
        // Another workstation opens a purchase between the preview and "Gravar",
        // and another one right after: the items screen gets this console's own.
        PurchaseOpening opening(m_settings, m_messages, true);
        QVERIFY(opening.load());
        QCOMPARE(opening.fields.text3, QStringLiteral("1"));
        QVERIFY(db().setGenerator(QStringLiteral("codigo_compra"), 40000));   // beyond 16 bits
        opening.fields.combo1 = indexOf(opening, Norte);
        opening.fields.text1 = QStringLiteral("minha");
        const std::optional<PurchaseOpening::Handover> handover = opening.gravar();
        QVERIFY(handover);
        QVERIFY(storePurchase(Sul, QDate(2026, 3, 12), QStringLiteral("outra")) > 0);
        QCOMPARE(handover->codigoCompra, 40001);
        QCOMPARE(scalar("select count(*) from compra where ncodigo = 40001 and cnumero_doc = 'minha'"), 1);
    }

    void changeKeepsTheCode()
    {
        const qint32 code = storePurchase(OutraSul, QDate(2026, 2, 1), QStringLiteral("NF 9"));
        QVERIFY(run("update compra set cobs = 'caixa d''água', nvalor_total = 50 where ncodigo = ?",
                    {SqlValue::integer(code)}));
        PurchaseOpening opening(m_settings, m_messages, false, code);
        QVERIFY(opening.load(QDate(2026, 3, 12)));
        // The very supplier stored, though another has the same trade name.
        QCOMPARE(opening.suppliers().at(opening.fields.combo1).ncodigo, OutraSul);
        QCOMPARE(opening.fields.dtpicker1, QDate(2026, 2, 1));
        QCOMPARE(opening.fields.text1, QStringLiteral("NF 9"));
        QCOMPARE(opening.fields.text9, QStringLiteral("caixa d'água"));
        QCOMPARE(opening.fields.text3, QString::number(code));
        opening.fields.combo1 = indexOf(opening, Sul);
        opening.fields.dtpicker1 = QDate(2026, 2, 3);
        opening.fields.text1 = QStringLiteral("NF 10");
        const std::optional<PurchaseOpening::Handover> handover = opening.gravar();
        QVERIFY(handover);
        QCOMPARE(handover->codigoCompra, code);
        QVERIFY(!handover->binclusao);
        QCOMPARE(scalar("select count(*) from compra"), 1);
        QCOMPARE(scalar("select count(*) from compra where nfornecedor = ? and cnumero_doc = 'NF 10'"
                        " and ddata_compra = '2026-02-03' and nvalor_total = 50",
                        {SqlValue::integer(Sul)}), 1);
        QVERIFY(m_messages.shown().isEmpty());
    }

    void changeOfAPurchaseDeletedElsewhere()
    {
        const qint32 code = storePurchase(Sul, QDate(2026, 2, 1), QStringLiteral("NF 9"));
        PurchaseOpening opening(m_settings, m_messages, false, code);
        QVERIFY(opening.load());
        QVERIFY(run("delete from compra"));
        QVERIFY(!opening.gravar());   // not reported as done
        QCOMPARE(m_messages.texts(), QStringList{msg::registroNaoLocalizado});
    }

private:
    static int indexOf(const PurchaseOpening& opening, qint32 supplier)
    {
        for (int i = 0; i < opening.suppliers().size(); ++i)
            if (opening.suppliers().at(i).ncodigo == supplier)
                return i;
        return -1;
    }
};

QTEST_MAIN(TestPurchaseOpening)
#include "test_purchase_opening.moc"
