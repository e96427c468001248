#include "common/message_texts.h"
#include "common/terminal_settings.h"
#include "console/migration.h"
#include "console/migration_widget.h"
#include "sales/sale_recording.h"
#include "tests/console/old_database.h"
#include "tests/support/scripted_messages.h"
#include "tests/support/test_database.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <memory>

Q_DECLARE_METATYPE(SqlParams)

using Kind = ScriptedMessages::Kind;
using Told = QPair<qint64, qint64>;   // copied, of how many
using Shown = ScriptedMessages::Shown;

class TestMigration : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_db = std::make_unique<TestDatabase>(TestDatabase::Demo);
        QVERIFY2(m_db->ok(), qPrintable(m_db->error()));
        m_messages.clear();
        m_oldPath = Migration::oldDatabasePath(m_db->dataFolder());
        const QString error = olddb::create(m_oldPath);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        // Two sales of two lines each, as a counter records them.
        const QList<SaleItemValues> items{{1, Money::fromWhole(1), Money::fromWhole(7), Money::fromWhole(7), false},
                                          {8, Money::fromWhole(2), Money::fromWhole(6), Money::fromWhole(12), true}};
        for (int i = 0; i < 2; ++i) {
            const auto recorded = sale_recording::recordSale(
                m_db->connection(), 1, {QStringLiteral("Dinheiro"), Money::fromWhole(19), Money::fromWhole(20),
                                        Money::fromWhole(1)}, items);
            QVERIFY(recorded.ok());
        }
    }

    void cleanup() { m_db.reset(); }

    void oneOldSale_data()
    {
        // The old sale's columns after ncodigo, then what the current database holds.
        QTest::addColumn<SqlParams>("old");
        QTest::addColumn<QString>("sale");   // ncodigo|ncaixa_venda|ddata_venda|cforma_pagamento|ntotal|pago|troco
        QTest::addColumn<QString>("line");   // ncodigo|nvenda|nproduto|nqtde|npreco|ntotal|cexcluido|caixa|data|motivo|nnumero|interna
        QTest::addColumn<int>("unknown");
        const auto at = [](const char* text) { return SqlValue::timestamp(QDateTime::fromString(QLatin1String(text), Qt::ISODate)); };
        const auto n = [](qint64 v) { return SqlValue::integer(v); };
        const auto m = [](const char* v) { return SqlValue::money(*Money::fromDecimalText(QLatin1String(v))); };
        const auto t = [](const char* v) { return SqlValue::text(QString::fromUtf8(v)); };
        const SqlValue null = SqlValue::null();
        QTest::addRow("active, no cancellation fields, seconds dropped")
            << SqlParams{n(2), at("2024-03-05T23:45:17"), t("Dinheiro"), m("14"), t("Ativo"), null, null, null,
                         n(1), m("2"), m("7"), n(501)}
            << "1|2|2024-03-05 23:45:00|Dinheiro|14|0|0" << "1|1|1|2|7|14|Nao||||501|N" << 0;
        QTest::addRow("cancelled with its fields")
            << SqlParams{n(1), at("2024-03-06T00:10:00"), t("Cartão"), m("22.5"), t("Excluido"),
                         at("2024-03-06T00:20:59"), t("Cliente desistiu"), n(2), n(3), m("1.5"), m("15"), n(502)}
            << "1|1|2024-03-06 00:10:00|Cartão|22.5|0|0"
            << "1|1|3|1.5|15|22.5|Sim|2|2024-03-06 00:20:00|Cliente desistiu|502|N" << 0;
        QTest::addRow("cancelled without fields")
            << SqlParams{n(1), at("2024-03-06T01:00:00"), t("Dinheiro"), m("9.5"), t("Excluido"), null, null, null,
                         n(4), m("1"), m("9.5"), n(503)}
            << "1|1|2024-03-06 01:00:00|Dinheiro|9.5|0|0" << "1|1|4|1|9.5|9.5|Sim||||503|N" << 0;
        QTest::addRow("another situation taken as active")
            << SqlParams{n(1), at("2024-03-06T02:00:00"), t("Dinheiro"), m("8"), t("Pendente"), null, null, null,
                         n(5), m("1"), m("8"), n(504)}
            << "1|1|2024-03-06 02:00:00|Dinheiro|8|0|0" << "1|1|5|1|8|8|Nao||||504|N" << 1;
    }
    void oneOldSale()
    {
        QFETCH(SqlParams, old);
        QFETCH(QString, sale);
        QFETCH(QString, line);
        QFETCH(int, unknown);
        onOld({olddb::insertSale}, SqlParams{SqlValue::integer(77)} + old);
        QVERIFY(migrate());
        QCOMPARE(rows(saleColumns), QStringList{sale});
        QCOMPARE(rows(lineColumns), QStringList{line});
        QList<Shown> expected{{Kind::Plain, "ok"}};
        if (unknown)
            expected << Shown{Kind::Info, msg::situacaoDesconhecida.arg(unknown)};
        QCOMPARE(m_messages.shown(), expected);
    }

    void replacesTheSalesInOldOrder()
    {
        // No old sale: the current sales and their lines go, the keys restart.
        QVERIFY(migrate());
        QCOMPARE(rows(saleColumns), QStringList{});
        QCOMPARE(rows(lineColumns), QStringList{});
        QCOMPARE(generators(), QStringList({"venda=0", "item_venda=0", "numero_venda=4"}));

        // Codes given out of order, over more than one page.
        onOld({olddb::fillStatement(1001, 2500), olddb::fillStatement(1, 1000)});
        for (int round = 0; round < 2; ++round) {
            QList<Told> told;
            m_messages.clear();
            QVERIFY(migrate(&told));
            QCOMPARE(m_messages.shown(), (QList<Shown>{{Kind::Plain, "ok"}}));
            QCOMPARE(told.first(), (Told{0, 2500}));
            QCOMPARE(told.last(), (Told{2500, 2500}));
            QCOMPARE(told.size(), 4);   // before, then after each of three pages
            // New code k carries old sale k: its document number 5000 + k and its moment.
            // count|lowest|highest code|lines matching|cancelled
            QCOMPARE(rows(QStringLiteral(
                         "count(*), min(v.ncodigo), max(v.ncodigo), "
                         "sum(iif(i.nnumero = 5000 + v.ncodigo and i.nvenda = v.ncodigo and i.ncodigo = v.ncodigo "
                         "and v.ddata_venda = dateadd(v.ncodigo minute to timestamp '2024-01-01 18:00:00') "
                         "and i.cvenda_interna = 'N', 1, 0)), sum(iif(i.cexcluido = 'Sim', 1, 0)) "
                         "from venda v join item_venda i on i.nvenda = v.ncodigo")),
                     QStringList{"2500|1|2500|2500|500"});
            QCOMPARE(rows(QStringLiteral("count(*) from item_venda")), QStringList{"2500"});
            QCOMPARE(generators(), QStringList({"venda=2500", "item_venda=2500", "numero_venda=4"}));
        }
    }

    void refusalChangesNothing_data()
    {
        QTest::addColumn<QStringList>("oldChanges");
        QTest::addColumn<QStringList>("currentChanges");
        QTest::addColumn<Shown>("refusal");    // the first message (its text contained)
        QTest::addColumn<QString>("stopped");  // the last message
        const QString secondPage = msg::migracaoInterrompida.arg(1001).arg(1500);
        QTest::addRow("line refused in the second page")
            << QStringList{"update venda set nqtde = 0 where ncodigo = 1200"} << QStringList{}
            << Shown{Kind::Info, "A quantidade do item deve ser maior que zero!"} << secondPage;
        QTest::addRow("product not registered")
            << QStringList{"update venda set nproduto = 999 where ncodigo = 700"} << QStringList{}
            << Shown{Kind::Question, msg::violacaoIntegridade} << msg::migracaoInterrompida.arg(1).arg(1000);
        QTest::addRow("refused at the commit")
            << QStringList{}
            << QStringList{"create exception e_teste '{ini}Recusado no fim.'",
                           "create trigger t_teste on transaction commit as begin "
                           "if (exists(select 1 from venda where ncaixa_venda = 3)) then exception e_teste; end"}
            << Shown{Kind::Info, "Recusado no fim."} << msg::migracaoNaoConcluida;
    }
    void refusalChangesNothing()
    {
        QFETCH(QStringList, oldChanges);
        QFETCH(QStringList, currentChanges);
        QFETCH(Shown, refusal);
        QFETCH(QString, stopped);
        onOld(QStringList{olddb::fillStatement(1, 1500)} + oldChanges);
        for (const QString& statement : currentChanges)
            QVERIFY2(m_db->connection().execute(statement).ok(), qPrintable(statement));
        const QStringList before = everything();
        if (refusal.kind == Kind::Question)
            m_messages.answerNext(false);

        QVERIFY(!migrate());
        QCOMPARE(everything(), before);
        QCOMPARE(m_messages.shown().size(), 2);
        QCOMPARE(m_messages.shown().first().kind, refusal.kind);
        QVERIFY2(m_messages.shown().first().text.contains(refusal.text), qPrintable(m_messages.transcript()));
        QCOMPARE(m_messages.shown().last(), (Shown{Kind::Info, stopped}));
    }

    void unusableOldDatabase_data()
    {
        QTest::addColumn<QString>("problem");
        QTest::addColumn<QString>("message");   // up to the file's name
        QTest::addRow("missing") << "missing" << msg::antigoNaoEncontrado.section(u'%', 0, 0);
        QTest::addRow("not a database") << "garbage" << msg::antigoNaoAbre.section(u'%', 0, 0);
        QTest::addRow("without the old sales table") << "no table" << msg::antigoNaoLido.section(u'%', 0, 0);
    }
    void unusableOldDatabase()
    {
        QFETCH(QString, problem);
        QFETCH(QString, message);
        if (problem == QLatin1String("no table")) {
            onOld({QStringLiteral("drop table venda")});
        } else {
            QVERIFY(QFile::remove(m_oldPath));
            if (problem == QLatin1String("garbage")) {
                QFile file(m_oldPath);
                QVERIFY(file.open(QIODevice::WriteOnly));
                file.write(QByteArray(20000, 'x'));
            }
        }
        const QStringList before = everything();
        QVERIFY(!migrate());
        QCOMPARE(everything(), before);
        QCOMPARE(m_messages.shown().size(), 1);
        const Shown shown = m_messages.shown().first();
        QCOMPARE(shown.kind, Kind::Info);
        QVERIFY2(shown.text.startsWith(message + m_oldPath), qPrintable(shown.text));
        QVERIFY(shown.text.endsWith(QStringLiteral("Nenhuma venda foi alterada.")));
    }

    void windowDuringTheCopy()
    {
        onOld({olddb::fillStatement(1, 1500)});
        TerminalSettings settings;
        settings.conexao = &m_db->connection();
        settings.dataDir = m_db->dataFolder();
        FrmMigracao window(settings, m_messages);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto* command1 = window.findChild<QPushButton*>(QStringLiteral("Command1"));
        auto* label1 = window.findChild<QLabel*>(QStringLiteral("Label1"));
        auto* bar = window.findChild<QProgressBar*>(QStringLiteral("ProgressBar1"));
        QCOMPARE(QStringList({window.windowTitle(), command1->text(), label1->text()}),
                 QStringList({"Form1", "Command1", "Label1"}));

        // Runs between pages of the copy: a second click, Escape and closing are refused.
        bool sawRunning = false;
        QString shownWhileRunning;
        QTimer::singleShot(0, &window, [&] {
            sawRunning = window.running();
            shownWhileRunning = label1->text();
            QTest::mouseClick(command1, Qt::LeftButton);
            QTest::keyClick(&window, Qt::Key_Escape);
            window.close();
        });
        QTest::mouseClick(command1, Qt::LeftButton);
        QVERIFY(sawRunning);
        QCOMPARE(shownWhileRunning, QStringLiteral("0 de 1.500 vendas copiadas"));
        QVERIFY(window.isVisible());
        QCOMPARE(m_messages.shown(), (QList<Shown>{{Kind::Plain, "ok"}}));
        QCOMPARE(label1->text(), QStringLiteral("1.500 de 1.500 vendas copiadas"));
        QCOMPARE(bar->value(), bar->maximum());
        QVERIFY(command1->isEnabled());
        QCOMPARE(rows(QStringLiteral("count(*) from venda")), QStringList{"1500"});
        // Done, it closes as any window.
        QTest::keyClick(&window, Qt::Key_Escape);
        QVERIFY(!window.isVisible());
    }

private:
    const QString saleColumns = QStringLiteral(
        "ncodigo, ncaixa_venda, ddata_venda, cforma_pagamento, ntotal, nvalor_pago, ntroco from venda");
    const QString lineColumns = QStringLiteral(
        "ncodigo, nvenda, nproduto, nqtde, npreco, ntotal, cexcluido, ncaixa_exclusao, ddata_exclusao, "
        "cmotivo_exclusao, nnumero, cvenda_interna from item_venda");

    bool migrate(QList<Told>* told = nullptr)
    {
        Migration migration(m_db->connection(), m_messages, m_oldPath);
        if (told)
            migration.setProgress([told](qint64 copied, qint64 total) { told->append(Told{copied, total}); });
        return migration.run();
    }

    void onOld(const QStringList& statements, const SqlParams& values = {})
    {
        Connection old;
        QVERIFY(old.open(m_oldPath).ok());
        for (const QString& statement : statements)
            QVERIFY2(old.execute(statement, values).ok(), qPrintable(statement));
    }

    // "a|b|c" per row, ordered by the first column; nulls empty.
    QStringList rows(const QString& what)
    {
        const auto read = m_db->connection().select(QStringLiteral("select ") + what + QStringLiteral(" order by 1"));
        if (!read)
            return {read.failure().description()};
        QStringList out;
        for (int r = 0; r < read->count(); ++r) {
            QStringList cells;
            for (int c = 0; c < read->columns().size(); ++c) {
                const QVariant v = read->value(r, c);
                cells << (v.isNull() ? QString()
                          : v.typeId() == QMetaType::QDateTime ? v.toDateTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"))
                                                             : v.toString());
            }
            out << cells.join(u'|');
        }
        return out;
    }

    // The two key generators, and the document numbers (never touched here).
    QStringList generators()
    {
        QStringList out;
        for (const QString& name : {QStringLiteral("venda"), QStringLiteral("item_venda"), QStringLiteral("numero_venda")})
            out << name + u'=' + QString::number(m_db->connection().generator(name, 0).value());
        return out;
    }

    QStringList everything() { return rows(saleColumns) + rows(lineColumns) + generators(); }

    std::unique_ptr<TestDatabase> m_db;
    ScriptedMessages m_messages;
    QString m_oldPath;
};

QTEST_MAIN(TestMigration)
#include "test_migration.moc"
