#include "common/br_format.h"
#include "common/message_texts.h"
#include "common/spool_file.h"
#include "common/terminal_settings.h"
#include "db/connection.h"
#include "db/sql_value.h"
#include "entries/entry_screen.h"
#include "entries/entry_ticket.h"
#include "tests/support/scripted_messages.h"
#include "tests/support/test_database.h"

#include <QFile>
#include <QTest>

#include <memory>

namespace {

using Shown = ScriptedMessages::Shown;
using Kind = ScriptedMessages::Kind;

const QDateTime loadedAt(QDate(2026, 12, 5), QTime(21, 7, 45));

// A counter at register 3 over three types of its own, printing by route 2
// (the spool file is written, nothing reaches a printer).
struct Counter
{
    TestDatabase db;
    TerminalSettings settings;
    ScriptedMessages messages;
    std::unique_ptr<EntryScreen> screen;

    explicit Counter(bool withTypes = true)
    {
        if (!db.ok())
            return;
        if (withTypes) {
            const QString insert = QStringLiteral("insert into tipo_entrada (ncodigo, cnome, nvalor, cestacionamento) values (?, ?, ?, ?)");
            add(insert, 1, QStringLiteral("Entrada Inteira"), 125000, QStringLiteral("N"));
            add(insert, 2, QStringLiteral("Estacionamento"), 100000, QStringLiteral("S"));
            add(insert, 3, QStringLiteral("Promoção Açaí"), 320000, QStringLiteral("N"));
        }
        settings.conexao = &db.connection();
        settings.caminho_banco = db.path();
        settings.numero_caixa = 3;
        settings.nome_fantasia = QStringLiteral("Bar Estrela");
        settings.modo_impressao = 2;
        settings.dataDir = db.dataFolder();
        screen = std::make_unique<EntryScreen>(settings, messages, [] { return loadedAt; });
        screen->load();
    }

    void add(const QString& insert, int code, const QString& name, qint64 price, const QString& flag)
    {
        QVERIFY(db.connection().execute(insert, {SqlValue::integer(code), SqlValue::text(name),
                                                 SqlValue::money(Money::fromUnits(price)), SqlValue::text(flag)}).ok());
    }

    qint64 entries()
    {
        const auto rows = db.connection().select(QStringLiteral("select count(*) from entrada"));
        return rows ? rows->integer(0, QStringLiteral("count")) : -1;
    }

    QStringList spool()
    {
        const auto lines = readSpoolFile(spoolFilePath(settings.dataDir));
        return lines ? *lines : QStringList{QStringLiteral("<unreadable>")};
    }

    // The fields as the operator sees them, to check that nothing moved.
    QStringList fields() const
    {
        return {screen->tipo(), screen->forma(), screen->caixa(), screen->data(), screen->hora(), screen->qtde(),
                screen->preco(), screen->total(), screen->recebido(), screen->troco()};
    }
};

#define NEW_COUNTER(name, ...)                                  \
    Counter name{__VA_ARGS__};                                  \
    QVERIFY2(name.db.ok(), qPrintable(name.db.error()));        \
    QVERIFY(name.screen)

} // namespace

class TestEntryScreen : public QObject
{
    Q_OBJECT

private slots:
    void loadsAsOpening();
    void changingTypeResetsAmounts();
    void leavingQuantity_data();
    void leavingQuantity();
    void leavingReceived_data();
    void leavingReceived();
    void recordsAndPrints_data();
    void recordsAndPrints();
    void refusesQuantity_data();
    void refusesQuantity();
    void receivedBelowTotalIsRecorded();
    void emptyTypeTable();
    void typeDeletedMeanwhile();
    void priceUnreadableLeavesNoStalePrice();
    void databaseRefusalKeepsTheScreen();
    void reprintAfterRecording();
    void printingFailureKeepsTheEntries();
};

void TestEntryScreen::loadsAsOpening()
{
    NEW_COUNTER(c);
    EntryScreen& s = *c.screen;
    QCOMPARE(s.tipos(), (QStringList{QStringLiteral("Entrada Inteira"), QStringLiteral("Estacionamento"),
                                     QStringLiteral("Promoção Açaí")}));
    QCOMPARE(s.tipoIndex(), 0);
    QCOMPARE(s.forma(), QStringLiteral("Dinheiro"));
    QCOMPARE(s.caixa(), QStringLiteral("3"));
    QCOMPARE(s.data(), QStringLiteral("05/12/2026"));
    QCOMPARE(s.hora(), QStringLiteral("21:07"));
    QCOMPARE(s.qtde(), QStringLiteral("1"));
    QCOMPARE(s.preco(), QStringLiteral("R$ 12,50"));
    QCOMPARE(s.total(), QStringLiteral("R$ 12,50"));
    QCOMPARE(s.recebido(), QStringLiteral("R$ 12,50"));
    QCOMPARE(s.troco(), QStringLiteral("R$ 0,00"));
    QCOMPARE(s.baseLabel(), QStringLiteral("Base: ") + c.db.path());
    QCOMPARE(s.caixaLabel(), QStringLiteral("Caixa operante: 3"));
    QVERIFY(s.versionLabel().startsWith(QStringLiteral("Versão: ")));
    QCOMPARE(s.versionLabel().count(u'.'), 2);
    QVERIFY(c.messages.shown().isEmpty());
}

void TestEntryScreen::changingTypeResetsAmounts()
{
    NEW_COUNTER(c);
    EntryScreen& s = *c.screen;
    s.setQtde(QStringLiteral("4"));
    QVERIFY(s.leaveQuantity());
    s.setRecebido(QStringLiteral("100"));
    QVERIFY(s.leaveReceived());
    s.setFormaIndex(2);
    QCOMPARE(s.troco(), QStringLiteral("R$ 50,00"));

    s.chooseType(2);
    QCOMPARE(s.tipo(), QStringLiteral("Promoção Açaí"));
    QCOMPARE(s.qtde(), QStringLiteral("1"));
    QCOMPARE(s.preco(), QStringLiteral("R$ 32,00"));
    QCOMPARE(s.total(), QStringLiteral("R$ 32,00"));
    QCOMPARE(s.recebido(), QStringLiteral("R$ 32,00"));
    QCOMPARE(s.troco(), QStringLiteral("R$ 0,00"));
    // The payment form is the operator's choice and stays.
    QCOMPARE(s.forma(), QStringLiteral("Cartão de crédito"));
}

void TestEntryScreen::leavingQuantity_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("leaves");
    QTest::addColumn<QString>("total");
    QTest::addColumn<bool>("refused");   // with the quantity message

    QTest::addRow("three units") << QStringLiteral("3") << true << QStringLiteral("R$ 37,50") << false;
    QTest::addRow("many units, grouped") << QStringLiteral("1000") << true << QStringLiteral("R$ 12.500,00") << false;
    QTest::addRow("not a number: unchanged") << QStringLiteral(",") << true << QStringLiteral("R$ 12,50") << false;
    QTest::addRow("empty: unchanged") << QString() << true << QStringLiteral("R$ 12,50") << false;
    QTest::addRow("fractional refused") << QStringLiteral("2,5") << false << QStringLiteral("R$ 12,50") << true;
    QTest::addRow("zero refused") << QStringLiteral("0") << false << QStringLiteral("R$ 12,50") << true;
    QTest::addRow("beyond 16 bits refused") << QStringLiteral("40000") << false << QStringLiteral("R$ 12,50") << true;
}

void TestEntryScreen::leavingQuantity()
{
    QFETCH(QString, typed);
    QFETCH(bool, leaves);
    QFETCH(QString, total);
    QFETCH(bool, refused);

    NEW_COUNTER(c);
    EntryScreen& s = *c.screen;
    s.setQtde(typed);
    QCOMPARE(s.leaveQuantity(), leaves);
    QCOMPARE(s.total(), total);
    QCOMPARE(s.recebido(), total);
    QCOMPARE(s.qtde(), typed);
    const QList<Shown> expected = refused ? QList<Shown>{{Kind::Info, msg::quantidadeInvalida}} : QList<Shown>{};
    QCOMPARE(c.messages.shown(), expected);
}

void TestEntryScreen::leavingReceived_data()
{
    QTest::addColumn<QString>("received");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("troco");

    // Promoção Açaí costs 32,00.
    QTest::addRow("change given") << QStringLiteral("50") << QStringLiteral("R$ 50,00") << QStringLiteral("R$ 18,00");
    QTest::addRow("cents") << QStringLiteral("32,5") << QStringLiteral("R$ 32,50") << QStringLiteral("R$ 0,50");
    QTest::addRow("below the total") << QStringLiteral("20") << QStringLiteral("R$ 20,00") << QStringLiteral("-R$ 12,00");
    QTest::addRow("empty: change unchanged") << QString() << QString() << QStringLiteral("R$ 0,00");
}

void TestEntryScreen::leavingReceived()
{
    QFETCH(QString, received);
    QFETCH(QString, shown);
    QFETCH(QString, troco);

    NEW_COUNTER(c);
    EntryScreen& s = *c.screen;
    s.chooseType(2);
    s.setRecebido(received);
    QVERIFY(s.leaveReceived());
    QCOMPARE(s.recebido(), shown);
    QCOMPARE(s.troco(), troco);
}

void TestEntryScreen::recordsAndPrints_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("quantity");
    QTest::addColumn<QString>("header");
    QTest::addColumn<QString>("totalLine");

    QTest::addRow("one admission") << 0 << QStringLiteral("1")
                                   << QStringLiteral("CAIXA 3 - ENTRADA - DOCTO 15") << QStringLiteral("TOTAL :12,50");
    QTest::addRow("three admissions") << 0 << QStringLiteral("3")
                                      << QStringLiteral("CAIXA 3 - ENTRADA - DOCTO 15 : 17") << QStringLiteral("TOTAL :37,50");
    QTest::addRow("two parking") << 1 << QStringLiteral("2")
                                 << QStringLiteral("CAIXA 3 - ESTACIONAMENTO - DOCTO 15 : 16") << QStringLiteral("TOTAL :20,00");
}

void TestEntryScreen::recordsAndPrints()
{
    QFETCH(int, type);
    QFETCH(QString, quantity);
    QFETCH(QString, header);
    QFETCH(QString, totalLine);

    NEW_COUNTER(c);
    EntryScreen& s = *c.screen;
    QVERIFY(c.db.connection().setGenerator(QStringLiteral("numero_entrada"), 14).ok());
    s.chooseType(type);
    s.setFormaIndex(3);
    s.setQtde(quantity);
    QVERIFY(s.leaveQuantity());
    QVERIFY(s.leaveReceived());

    QVERIFY(s.record());
    QVERIFY2(c.messages.shown().isEmpty(), qPrintable(c.messages.transcript()));
    QCOMPARE(c.entries(), quantity.toInt());

    // One ticket for the sale, exactly as the ticket module lays it out.
    QVERIFY(s.lastTicket().has_value());
    const QStringList spool = c.spool();
    QCOMPARE(spool, entryTicketLines(c.settings, *s.lastTicket()));
    QCOMPARE(spool.at(3).trimmed(), header);
    QVERIFY(spool.contains(totalLine));
    QCOMPARE(spool.contains(QStringLiteral("FORMA :CARTAO DE DEBITO")), type == 0);
    QVERIFY(spool.contains(QStringLiteral("QTDE  :") + quantity));

    // Ready for the next sale, as on opening.
    QCOMPARE(s.tipoIndex(), 0);
    QCOMPARE(s.qtde(), QStringLiteral("1"));
    QCOMPARE(s.forma(), QStringLiteral("Dinheiro"));
    QCOMPARE(s.total(), QStringLiteral("R$ 12,50"));
    QCOMPARE(s.troco(), QStringLiteral("R$ 0,00"));
}

void TestEntryScreen::refusesQuantity_data()
{
    QTest::addColumn<QString>("quantity");
    QTest::addColumn<QString>("message");

    QTest::addRow("empty") << QString() << msg::camposObrigatorios;
    QTest::addRow("zero") << QStringLiteral("0") << msg::quantidadeInvalida;
    QTest::addRow("negative") << QStringLiteral("-2") << msg::quantidadeInvalida;
    QTest::addRow("fractional") << QStringLiteral("2,5") << msg::quantidadeInvalida;
    QTest::addRow("beyond 16 bits") << QStringLiteral("65537") << msg::quantidadeInvalida;
    QTest::addRow("not a number") << QStringLiteral(",,") << msg::quantidadeInvalida;
}

void TestEntryScreen::refusesQuantity()
{
    QFETCH(QString, quantity);
    QFETCH(QString, message);

    NEW_COUNTER(c);
    EntryScreen& s = *c.screen;
    s.setQtde(quantity);
    const QStringList before = c.fields();
    QVERIFY(!s.record());
    QCOMPARE(c.messages.shown(), (QList<Shown>{{Kind::Info, message}}));
    QCOMPARE(c.entries(), 0);
    QCOMPARE(c.fields(), before);
    QVERIFY(!s.lastTicket().has_value());
}

void TestEntryScreen::receivedBelowTotalIsRecorded()
{
    NEW_COUNTER(c);
    EntryScreen& s = *c.screen;
    s.chooseType(2);
    s.setRecebido(QStringLiteral("20"));
    QVERIFY(s.leaveReceived());
    QCOMPARE(s.troco(), QStringLiteral("-R$ 12,00"));
    QVERIFY(s.record());
    QCOMPARE(c.entries(), 1);
}

void TestEntryScreen::emptyTypeTable()
{
    NEW_COUNTER(c, false);
    EntryScreen& s = *c.screen;
    QVERIFY(s.tipos().isEmpty());
    QCOMPARE(s.tipoIndex(), -1);
    QCOMPARE(s.preco(), QString());
    QCOMPARE(s.total(), QString());
    QCOMPARE(s.recebido(), QString());
    QCOMPARE(s.qtde(), QStringLiteral("1"));

    QVERIFY(!s.record());
    QCOMPARE(c.messages.shown(), (QList<Shown>{{Kind::Info, msg::camposObrigatorios}}));
    QCOMPARE(c.entries(), 0);
}

void TestEntryScreen::typeDeletedMeanwhile()
{
    NEW_COUNTER(c);
    EntryScreen& s = *c.screen;
    s.chooseType(2);
    QVERIFY(c.db.connection().execute(QStringLiteral("delete from tipo_entrada where ncodigo = 3")).ok());
    QVERIFY(!s.record());
    QCOMPARE(c.messages.shown(), (QList<Shown>{{Kind::Info, msg::tipoEntradaNaoLocalizado}}));
    QCOMPARE(c.entries(), 0);
    // F5 brings the list up to date.
    s.load();
    QCOMPARE(s.tipos().size(), 2);
}

void TestEntryScreen::priceUnreadableLeavesNoStalePrice()
{
    NEW_COUNTER(c);
    EntryScreen& s = *c.screen;
    c.db.connection().close();
    s.chooseType(2);
    QCOMPARE(c.messages.shown().size(), 1);
    QCOMPARE(s.preco(), QString());
    QCOMPARE(s.total(), QString());
    QCOMPARE(s.recebido(), QString());
    c.messages.clear();
    QVERIFY(!s.record());
    QCOMPARE(c.messages.texts(), QStringList{msg::camposObrigatorios});
}

void TestEntryScreen::databaseRefusalKeepsTheScreen()
{
    NEW_COUNTER(c);
    EntryScreen& s = *c.screen;
    Connection& db = c.db.connection();
    // The second of three units meets a code already stored.
    s.setQtde(QStringLiteral("2"));
    QVERIFY(s.record());
    QVERIFY(db.execute(QStringLiteral("delete from entrada where ncodigo = 1")).ok());
    QVERIFY(db.setGenerator(QStringLiteral("entrada"), 0).ok());
    QFile::remove(spoolFilePath(c.settings.dataDir));

    s.chooseType(2);
    s.setQtde(QStringLiteral("3"));
    QVERIFY(s.leaveQuantity());
    s.setRecebido(QStringLiteral("100"));
    QVERIFY(s.leaveReceived());
    const QStringList before = c.fields();

    c.messages.answerNext(false);
    QVERIFY(!s.record());
    QCOMPARE(c.messages.shown(), (QList<Shown>{{Kind::Question, msg::registroJaExiste}}));
    QCOMPARE(c.entries(), 1);
    QCOMPARE(c.fields(), before);
    QVERIFY(!QFile::exists(spoolFilePath(c.settings.dataDir)));

    // Set right, Enter on Troco again stores the sale as it stands.
    QVERIFY(db.setGenerator(QStringLiteral("entrada"), 2).ok());
    c.messages.clear();
    QVERIFY(s.record());
    QCOMPARE(c.entries(), 4);
    QVERIFY(c.spool().contains(QStringLiteral("TOTAL :96,00")));
}

void TestEntryScreen::reprintAfterRecording()
{
    NEW_COUNTER(c);
    EntryScreen& s = *c.screen;
    const QString device = c.settings.dataDir + QStringLiteral("/lp0");
    QFile printer(device);
    QVERIFY(printer.open(QIODevice::WriteOnly));
    printer.close();
    qputenv("VORINDA_PRINTER_PORT", device.toLocal8Bit());
    const auto restore = qScopeGuard([] { qunsetenv("VORINDA_PRINTER_PORT"); });
    c.settings.modo_impressao = 0;

    s.setQtde(QStringLiteral("2"));
    QVERIFY(s.record());
    QVERIFY(printer.open(QIODevice::ReadOnly));
    const QByteArray ticket = printer.readAll();
    printer.close();
    QCOMPARE(ticket, spoolBytes(entryTicketLines(c.settings, *s.lastTicket())));

    // F3 sends the same job again, unchanged, and stores nothing.
    QVERIFY(printer.open(QIODevice::WriteOnly | QIODevice::Truncate));
    printer.close();
    s.reprint();
    QVERIFY(printer.open(QIODevice::ReadOnly));
    QCOMPARE(printer.readAll(), ticket);
    QCOMPARE(c.entries(), 2);
    QVERIFY2(c.messages.shown().isEmpty(), qPrintable(c.messages.transcript()));
}

void TestEntryScreen::printingFailureKeepsTheEntries()
{
    NEW_COUNTER(c);
    EntryScreen& s = *c.screen;
    qputenv("VORINDA_PRINTER_PORT", QByteArray("/nonexistent/lp0"));
    const auto restore = qScopeGuard([] { qunsetenv("VORINDA_PRINTER_PORT"); });
    c.settings.modo_impressao = 0;

    s.setQtde(QStringLiteral("3"));
    QVERIFY(s.record());
    QCOMPARE(c.entries(), 3);
    QCOMPARE(c.messages.shown().size(), 1);
    QCOMPARE(c.messages.shown().at(0).kind, Kind::Info);
    QVERIFY(c.messages.shown().at(0).text.startsWith(msg::impressoraIndisponivel));
    // The screen is ready for the next sale: Enter again would not store it twice.
    QCOMPARE(s.qtde(), QStringLiteral("1"));
    // The job is in the spool file for F3.
    QVERIFY(c.spool().contains(QStringLiteral("QTDE  :3")));
}

QTEST_MAIN(TestEntryScreen)
#include "test_entry_screen.moc"
