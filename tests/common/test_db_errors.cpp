#include "common/db_errors.h"
#include "common/message_texts.h"
#include "db/result.h"
#include "tests/support/scripted_messages.h"
#include "tests/support/test_database.h"

#include <QTest>

using Kind = ScriptedMessages::Kind;
using Shown = ScriptedMessages::Shown;

class TestDbErrors : public QObject
{
    Q_OBJECT

private slots:
    void codePart_data()
    {
        QTest::addColumn<QString>("description");
        QTest::addColumn<QString>("code");
        QTest::addRow("ours") << QStringLiteral("Erro do banco de dados, código=-803: violation") << QStringLiteral("-803");
        QTest::addRow("blank kept") << QStringLiteral("código= -803: x") << QStringLiteral(" -803");
        QTest::addRow("first equals sign") << QStringLiteral("a=-530: key (\"ID\" = 1)") << QStringLiteral("-530");
        QTest::addRow("no colon: to the end") << QStringLiteral("x=-836") << QStringLiteral("-836");
        QTest::addRow("no equals sign") << QStringLiteral("Falha: sem código") << QString();
        QTest::addRow("empty code") << QStringLiteral("x=: y") << QString();
    }
    void codePart()
    {
        QFETCH(QString, description);
        QFETCH(QString, code);
        QCOMPARE(codigo_erro(description), code);
    }

    void fromDescriptions_data()
    {
        QTest::addColumn<QString>("description");
        QTest::addColumn<QList<bool>>("answers");
        QTest::addColumn<QList<Shown>>("expected");
        const QString dup = QStringLiteral("Erro do banco de dados, código=-803: violation of PRIMARY or UNIQUE KEY constraint \"PK_CAIXA\" on table \"CAIXA\"");
        const QString fk = QStringLiteral("Erro do banco de dados, código=-530: violation of FOREIGN KEY constraint \"FK_PRODUTO_GRUPO\" on table \"PRODUTO\"");
        const QString user = QStringLiteral("Erro do banco de dados, código=-836: exception 1 - E_X - {ini}Valor negativo não permitido");
        const QString located = user + QStringLiteral(" - At trigger 'V_BI' line: 1, col: 81");
        const QString other = QStringLiteral("Erro do banco de dados, código=-802: arithmetic exception, numeric overflow, or string truncation");

        QTest::addRow("-803 answered não") << dup << QList<bool>{false}
            << QList<Shown>{{Kind::Question, msg::registroJaExiste}};
        QTest::addRow("-803 answered sim") << dup << QList<bool>{true}
            << QList<Shown>{{Kind::Question, msg::registroJaExiste}, {Kind::Info, dup}};
        QTest::addRow("-530 answered não") << fk << QList<bool>{false}
            << QList<Shown>{{Kind::Question, msg::violacaoIntegridade}};
        QTest::addRow("-530 answered sim") << fk << QList<bool>{true}
            << QList<Shown>{{Kind::Question, msg::violacaoIntegridade}, {Kind::Info, fk}};
        QTest::addRow("-836 operator text") << user << QList<bool>{}
            << QList<Shown>{{Kind::Info, QStringLiteral("Valor negativo não permitido")}};
        QTest::addRow("-836 without the place it came from") << located << QList<bool>{}
            << QList<Shown>{{Kind::Info, QStringLiteral("Valor negativo não permitido")}};
        QTest::addRow("-836 without marker: whole") << QStringLiteral("x=-836: exception 1 - E_X - sem marca") << QList<bool>{}
            << QList<Shown>{{Kind::Plain, QStringLiteral("x=-836: exception 1 - E_X - sem marca")}};
        QTest::addRow("-836 with nothing after the marker: whole") << QStringLiteral("x=-836: E_X - {ini}") << QList<bool>{}
            << QList<Shown>{{Kind::Plain, QStringLiteral("x=-836: E_X - {ini}")}};
        QTest::addRow("marker under another code: whole") << QStringLiteral("x=-803: {ini}Texto") << QList<bool>{false}
            << QList<Shown>{{Kind::Question, msg::registroJaExiste}};
        QTest::addRow("' -803' with a blank is not -803") << QStringLiteral("código= -803: duplicate") << QList<bool>{}
            << QList<Shown>{{Kind::Plain, QStringLiteral("código= -803: duplicate")}};
        QTest::addRow("other code") << other << QList<bool>{}
            << QList<Shown>{{Kind::Plain, other}};
        QTest::addRow("no equals sign") << QStringLiteral("Não foi possível abrir o banco de dados") << QList<bool>{}
            << QList<Shown>{{Kind::Plain, QStringLiteral("Não foi possível abrir o banco de dados")}};
        QTest::addRow("empty description") << QString() << QList<bool>{}
            << QList<Shown>{{Kind::Plain, QString()}};
    }
    void fromDescriptions()
    {
        QFETCH(QString, description);
        QFETCH(QList<bool>, answers);
        QFETCH(QList<Shown>, expected);
        ScriptedMessages messages;
        for (bool answer : answers)
            messages.answerNext(answer);
        trata_erro_banco(messages, description);
        QCOMPARE(messages.shown(), expected);
        QCOMPARE(messages.pendingAnswers(), 0);
    }

    // Refusals made by a real database, as the screens receive them.
    void realRefusals_data()
    {
        QTest::addColumn<QString>("statement");
        QTest::addColumn<QString>("code");
        QTest::addColumn<bool>("answer");
        QTest::addColumn<QList<Kind>>("kinds");
        QTest::addColumn<QString>("first");
        QTest::addRow("duplicate cash register, não") << QStringLiteral("insert into caixa (ncodigo, coperador) values (1, 'Outro')")
            << QStringLiteral("-803") << false << QList<Kind>{Kind::Question} << msg::registroJaExiste;
        QTest::addRow("duplicate cash register, sim") << QStringLiteral("insert into caixa (ncodigo, coperador) values (1, 'Outro')")
            << QStringLiteral("-803") << true << QList<Kind>{Kind::Question, Kind::Info} << msg::registroJaExiste;
        QTest::addRow("product of a missing group") << QStringLiteral("insert into produto (cdescricao, ngrupo) values ('Cerveja', 999)")
            << QStringLiteral("-530") << true << QList<Kind>{Kind::Question, Kind::Info} << msg::violacaoIntegridade;
        QTest::addRow("establishment deleted") << QStringLiteral("delete from estabelecimento")
            << QStringLiteral("-836") << false << QList<Kind>{Kind::Info}
            << QStringLiteral("O registro do estabelecimento não pode ser excluído!");
        QTest::addRow("reserved supplier deleted") << QStringLiteral("delete from fornecedor where ncodigo = 1")
            << QStringLiteral("-836") << false << QList<Kind>{Kind::Info}
            << QStringLiteral("Os fornecedores de código 0 e 1 são reservados pelo sistema e não podem ser excluídos!");
        QTest::addRow("unknown table") << QStringLiteral("select * from nao_existe")
            << QStringLiteral("-204") << false << QList<Kind>{Kind::Plain} << QString();
    }
    void realRefusals()
    {
        QFETCH(QString, statement);
        QFETCH(QString, code);
        QFETCH(bool, answer);
        QFETCH(QList<Kind>, kinds);
        QFETCH(QString, first);

        TestDatabase db;
        QVERIFY2(db.ok(), qPrintable(db.error()));
        const Result<int> done = db.connection().execute(statement);
        QVERIFY(!done.ok());
        QCOMPARE(done.failure().code, code);

        ScriptedMessages messages;
        if (kinds.first() == Kind::Question)
            messages.answerNext(answer);
        trata_erro_banco(messages, done.failure());
        QList<Kind> shownKinds;
        for (const Shown& s : messages.shown())
            shownKinds << s.kind;
        QCOMPARE(shownKinds, kinds);
        const QString description = done.failure().description();
        // A plain box or the answer "Sim" shows the database's own words whole.
        QCOMPARE(messages.shown().first().text, first.isEmpty() ? description : first);
        if (kinds.size() > 1)
            QCOMPARE(messages.shown().last().text, description);
        QVERIFY2(!messages.shown().last().text.contains(QStringLiteral("{ini}")), qPrintable(messages.transcript()));
    }
};

QTEST_GUILESS_MAIN(TestDbErrors)
#include "test_db_errors.moc"
