#include "common/br_format.h"
#include "common/message_texts.h"
#include "entries/entry_screen.h"
#include "entry_fixture.h"

#include <QFile>
#include <QScopeGuard>
#include <QTest>

#include <memory>

// The admission counter's rules, driven on its logic.
class TestEntryScreen : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_c = std::make_unique<EntryFixture>();
        QVERIFY2(m_c->db.ok(), qPrintable(m_c->db.error()));
        m_s = std::make_unique<EntryScreen>(m_c->settings, m_c->messages,
                                            [] { return QDateTime(QDate(2026, 12, 5), QTime(21, 7, 45)); });
        m_s->load();
    }
    void cleanup()
    {
        m_s.reset();
        m_c.reset();
    }

    void openingAndChangingType();
    void quantity_data();
    void quantity();
    void received_data();
    void received();
    void recordsAndPrints_data();
    void recordsAndPrints();
    void noTypeOrPriceRecordsNothing();
    void databaseRefusalKeepsTheScreen();
    void unreadablePriceLeavesNoneToSellAt();
    void printerDownThenF3();

private:
    // The fields as the operator sees them.
    QStringList fields() const
    {
        const EntryScreen& s = *m_s;
        return {s.tipo(), s.forma(), s.caixa(), s.data(), s.hora(), s.qtde(), s.preco(), s.total(), s.recebido(), s.troco()};
    }
    std::unique_ptr<EntryFixture> m_c;
    std::unique_ptr<EntryScreen> m_s;
};

void TestEntryScreen::openingAndChangingType()
{
    QCOMPARE(m_s->tipos(), (QStringList{"Entrada Inteira", "Estacionamento", "Promoção Açaí"}));
    QCOMPARE(fields(), (QStringList{"Entrada Inteira", "Dinheiro", "3", "05/12/2026", "21:07", "1", "R$ 12,50",
                                    "R$ 12,50", "R$ 12,50", "R$ 0,00"}));
    m_s->setQtde(QStringLiteral("4"));
    QVERIFY(m_s->leaveQuantity());
    m_s->setRecebido(QStringLiteral("100"));
    QVERIFY(m_s->leaveReceived());
    m_s->setFormaIndex(2);
    QCOMPARE(m_s->troco(), QStringLiteral("R$ 50,00"));

    // A new type starts its amounts over; the payment form is the operator's and stays.
    m_s->chooseType(2);
    QCOMPARE(fields(), (QStringList{"Promoção Açaí", "Cartão de crédito", "3", "05/12/2026", "21:07", "1",
                                    "R$ 32,00", "R$ 32,00", "R$ 32,00", "R$ 0,00"}));
    QVERIFY(m_c->messages.shown().isEmpty());
}

void TestEntryScreen::quantity_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("leaves");
    QTest::addColumn<QString>("total");
    QTest::addColumn<QString>("message");  // on Enter on Troco; empty: recorded

    QTest::addRow("three units") << "3" << true << "R$ 37,50" << "";
    QTest::addRow("empty") << "" << true << "R$ 12,50" << msg::camposObrigatorios;
    QTest::addRow("not a number") << ",," << true << "R$ 12,50" << msg::quantidadeInvalida;
    QTest::addRow("zero") << "0" << false << "R$ 12,50" << msg::quantidadeInvalida;
}

void TestEntryScreen::quantity()
{
    QFETCH(QString, typed);
    QFETCH(bool, leaves);
    QFETCH(QString, total);
    QFETCH(QString, message);

    m_s->setQtde(typed);
    QCOMPARE(m_s->leaveQuantity(), leaves);
    QCOMPARE(m_s->total(), total);
    QCOMPARE(m_s->recebido(), total);
    QCOMPARE(m_s->qtde(), typed);
    QCOMPARE(m_c->messages.texts(), leaves ? QStringList{} : QStringList{msg::quantidadeInvalida});

    m_c->messages.clear();
    const QStringList before = fields();
    QCOMPARE(m_s->record(), message.isEmpty());
    QCOMPARE(m_c->messages.texts(), message.isEmpty() ? QStringList{} : QStringList{message});
    QCOMPARE(m_c->entries(), message.isEmpty() ? typed.toInt() : 0);
    if (!message.isEmpty()) {
        QCOMPARE(fields(), before);
        QVERIFY(!m_s->lastTicket());
    }
}

void TestEntryScreen::received_data()
{
    QTest::addColumn<QString>("received");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("troco");

    // Promoção Açaí costs 32,00.
    QTest::addRow("change given") << "50" << "R$ 50,00" << "R$ 18,00";
    QTest::addRow("below the total, still recorded") << "20" << "R$ 20,00" << "-R$ 12,00";
    QTest::addRow("empty: nothing recorded") << "" << "" << "R$ 0,00";
}

void TestEntryScreen::received()
{
    QFETCH(QString, received);
    QFETCH(QString, shown);
    QFETCH(QString, troco);

    m_s->chooseType(2);
    m_s->setRecebido(received);
    QVERIFY(m_s->leaveReceived());
    QCOMPARE(m_s->recebido(), shown);
    QCOMPARE(m_s->troco(), troco);
    QCOMPARE(m_s->record(), !received.isEmpty());
    QCOMPARE(m_c->entries(), received.isEmpty() ? 0 : 1);
}

void TestEntryScreen::recordsAndPrints_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("units");
    QTest::addColumn<QString>("header");
    QTest::addColumn<QString>("totalLine");

    QTest::addRow("one admission") << 0 << 1 << "CAIXA 3 - ENTRADA - DOCTO 15" << "TOTAL :12,50";
    QTest::addRow("three admissions") << 0 << 3 << "CAIXA 3 - ENTRADA - DOCTO 15 : 17" << "TOTAL :37,50";
    QTest::addRow("two parking") << 1 << 2 << "CAIXA 3 - ESTACIONAMENTO - DOCTO 15 : 16" << "TOTAL :20,00";
}

void TestEntryScreen::recordsAndPrints()
{
    QFETCH(int, type);
    QFETCH(int, units);
    QFETCH(QString, header);
    QFETCH(QString, totalLine);

    // The document generator stands at 14: the numbers drawn, and printed, are 15 on.
    Connection& db = m_c->db.connection();
    QVERIFY(db.setGenerator(QStringLiteral("numero_entrada"), 14).ok());
    const qint64 codeBefore = *db.generator(QStringLiteral("entrada"), 0);
    const QStringList opening = fields();
    m_s->chooseType(type);
    const Money price = *br::parseMoney(m_s->preco());
    m_s->setFormaIndex(3);
    m_s->setQtde(QString::number(units));
    QVERIFY(m_s->leaveQuantity());
    QVERIFY(m_s->leaveReceived());
    QVERIFY(m_s->record());
    QVERIFY2(m_c->messages.shown().isEmpty(), qPrintable(m_c->messages.transcript()));
    QVERIFY(!db.inTransaction());

    const auto rows = db.select(QStringLiteral(
        "select e.ncodigo, e.nnumero, e.nvalor, e.ncaixa_entrada, e.cexcluida, e.cforma_pagamento, e.ddata_entrada, "
        "e.ddata_exclusao, t.cnome from entrada e join tipo_entrada t on t.ncodigo = e.ntipo_entrada order by e.ncodigo"));
    QVERIFY(rows.ok());
    QCOMPARE(rows->count(), units);
    for (int i = 0; i < units; ++i) {
        // Consecutive codes and numbers: one generator step for the whole sale.
        QCOMPARE(rows->integer(i, QStringLiteral("ncodigo")), codeBefore + 1 + i);
        QCOMPARE(rows->integer(i, QStringLiteral("nnumero")), 15 + i);
        // Each row holds the unit price, never the sale's total.
        QCOMPARE(rows->money(i, QStringLiteral("nvalor")), price);
        QCOMPARE(rows->integer(i, QStringLiteral("ncaixa_entrada")), 3);
        QCOMPARE(rows->text(i, QStringLiteral("cexcluida")), QStringLiteral("Nao"));
        QCOMPARE(rows->text(i, QStringLiteral("cforma_pagamento")), QStringLiteral("Cartão de débito"));
        QCOMPARE(rows->text(i, QStringLiteral("cnome")), m_s->tipos().at(type));
        QVERIFY(rows->isNull(i, QStringLiteral("ddata_exclusao")));
    }
    // The ticket's date is the one the database stored for the last unit.
    QCOMPARE(m_s->lastTicket()->dataEntrada, rows->dateTime(units - 1, QStringLiteral("ddata_entrada")));

    const QStringList spool = m_c->spool();
    QCOMPARE(spool.at(3).trimmed(), header);
    QVERIFY(spool.contains(totalLine));
    QVERIFY(spool.contains(QStringLiteral("QTDE  :%1").arg(units)));
    QCOMPARE(spool.contains(QStringLiteral("FORMA :CARTAO DE DEBITO")), type == 0);
    // Ready for the next sale, as on opening.
    QCOMPARE(fields(), opening);
}

void TestEntryScreen::noTypeOrPriceRecordsNothing()
{
    // No type at all: no price, and Enter asks for the fields.
    QVERIFY(m_c->db.connection().execute(QStringLiteral("delete from tipo_entrada")).ok());
    m_s->load();
    QCOMPARE(m_s->tipoIndex(), -1);
    QCOMPARE(m_s->preco(), QString());
    QVERIFY(!m_s->record());
    QCOMPARE(m_c->messages.texts(), QStringList{msg::camposObrigatorios});
    QCOMPARE(m_c->entries(), 0);
}

void TestEntryScreen::databaseRefusalKeepsTheScreen()
{
    Connection& db = m_c->db.connection();
    // Codes 1 and 2 stored, code 1 freed and the generator set back: of the
    // next three units, the second meets the row that holds code 2.
    m_s->setQtde(QStringLiteral("2"));
    QVERIFY(m_s->record());
    QVERIFY(db.execute(QStringLiteral("delete from entrada where ncodigo = 1")).ok());
    QVERIFY(db.setGenerator(QStringLiteral("entrada"), 0).ok());
    QFile::remove(spoolFilePath(m_c->settings.dataDir));

    m_s->chooseType(2);
    m_s->setQtde(QStringLiteral("3"));
    QVERIFY(m_s->leaveQuantity());
    m_s->setRecebido(QStringLiteral("100"));
    QVERIFY(m_s->leaveReceived());
    const QStringList before = fields();

    m_c->messages.answerNext(false);
    QVERIFY(!m_s->record());
    QCOMPARE(m_c->messages.shown(), (QList<ScriptedMessages::Shown>{{ScriptedMessages::Kind::Question, msg::registroJaExiste}}));
    // Not even the first unit, which the database had accepted, is left.
    QVERIFY(!db.inTransaction());
    QCOMPARE(m_c->entries(), 1);
    QCOMPARE(m_c->entries(QStringLiteral("where ncodigo = 1")), 0);
    QCOMPARE(fields(), before);
    QVERIFY(!QFile::exists(spoolFilePath(m_c->settings.dataDir)));

    // Set right, Enter on Troco again stores the sale as it stands.
    QVERIFY(db.setGenerator(QStringLiteral("entrada"), 2).ok());
    QVERIFY(m_s->record());
    QCOMPARE(m_c->entries(), 4);
    QVERIFY(m_c->spool().contains(QStringLiteral("TOTAL :96,00")));
}

void TestEntryScreen::unreadablePriceLeavesNoneToSellAt()
{
    m_c->db.connection().close();
    m_s->chooseType(1);
    QCOMPARE(m_c->messages.shown().size(), 1);
    QCOMPARE((QStringList{m_s->preco(), m_s->total(), m_s->recebido()}), (QStringList{"", "", ""}));
    QVERIFY(!m_s->record());
    QCOMPARE(m_c->messages.texts().last(), msg::camposObrigatorios);
}

void TestEntryScreen::printerDownThenF3()
{
    const QString device = m_c->settings.dataDir + QStringLiteral("/lp0");
    qputenv("VORINDA_PRINTER_PORT", QFile::encodeName(m_c->settings.dataDir + QStringLiteral("/missing/lp0")));
    const auto restore = qScopeGuard([] { qunsetenv("VORINDA_PRINTER_PORT"); });
    m_c->settings.modo_impressao = 0;

    // The printer is missing: the entries stay stored and the operator is told.
    m_s->setQtde(QStringLiteral("3"));
    QVERIFY(m_s->record());
    QCOMPARE(m_c->entries(), 3);
    QCOMPARE(m_c->messages.shown().size(), 1);
    QVERIFY(m_c->messages.texts().at(0).contains(msg::impressoraIndisponivel));
    QVERIFY(m_c->messages.texts().at(0).startsWith(QStringLiteral("A venda de entradas foi gravada")));
    QCOMPARE(m_s->qtde(), QStringLiteral("1"));

    // Printer back: F3 sends the job waiting in the spool file, storing nothing.
    QFile printer(device);
    QVERIFY(printer.open(QIODevice::WriteOnly));
    printer.close();
    qputenv("VORINDA_PRINTER_PORT", QFile::encodeName(device));
    m_s->reprint();
    QVERIFY(printer.open(QIODevice::ReadOnly));
    QCOMPARE(printer.readAll(), spoolBytes(entryTicketLines(m_c->settings, *m_s->lastTicket())));
    QCOMPARE(m_c->entries(), 3);
    QCOMPARE(m_c->messages.shown().size(), 1);
}

QTEST_MAIN(TestEntryScreen)
#include "test_entry_screen.moc"
