#include "common/db_errors.h"
#include "common/message_texts.h"
#include "db/result.h"
#include "tests/support/scripted_messages.h"
#include "tests/support/test_database.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;
using Kind = ScriptedMessages::Kind;
using Shown = ScriptedMessages::Shown;

class TestDbErrors : public QObject
{
    Q_OBJECT

private slots:
    void fromDescriptions_data()
    {
        QTest::addColumn<QString>("description");
        QTest::addColumn<QList<bool>>("answers");
        QTest::addColumn<QList<Shown>>("expected");
        const QString dup = u"Erro do banco de dados, código=-803: violation of PRIMARY or UNIQUE KEY constraint \"PK_CAIXA\""_s;
        const QString fk = u"Erro do banco de dados, código=-530: violation of FOREIGN KEY constraint \"FK_PRODUTO_GRUPO\""_s;
        const QString user = u"Erro do banco de dados, código=-836: exception 1 - E_X - {ini}Valor negativo não permitido"_s;
        const QString other = u"Erro do banco de dados, código=-802: arithmetic exception, numeric overflow"_s;
        const Shown negative{Kind::Info, u"Valor negativo não permitido"_s};
        QTest::addRow("-803 answered não") << dup << QList<bool>{false} << QList<Shown>{{Kind::Question, msg::registroJaExiste}};
        QTest::addRow("-803 answered sim") << dup << QList<bool>{true}
                                           << QList<Shown>{{Kind::Question, msg::registroJaExiste}, {Kind::Info, dup}};
        QTest::addRow("-530 answered sim") << fk << QList<bool>{true}
                                           << QList<Shown>{{Kind::Question, msg::violacaoIntegridade}, {Kind::Info, fk}};
        QTest::addRow("-836 operator text") << user << QList<bool>{} << QList<Shown>{negative};
        QTest::addRow("-836 without where it came from") << user + u" - At trigger 'V_BI' line: 1, col: 81"_s
                                                         << QList<bool>{} << QList<Shown>{negative};
        QTest::addRow("-836 without marker: whole") << u"x=-836: E_X - sem marca"_s << QList<bool>{}
                                                    << QList<Shown>{{Kind::Plain, u"x=-836: E_X - sem marca"_s}};
        QTest::addRow("-836 nothing after the marker: whole") << u"x=-836: E_X - {ini}"_s << QList<bool>{}
                                                              << QList<Shown>{{Kind::Plain, u"x=-836: E_X - {ini}"_s}};
        QTest::addRow("' -803' with a blank is not -803") << u"código= -803: dup"_s << QList<bool>{}
                                                         << QList<Shown>{{Kind::Plain, u"código= -803: dup"_s}};
        QTest::addRow("other code") << other << QList<bool>{} << QList<Shown>{{Kind::Plain, other}};
        QTest::addRow("empty description") << QString() << QList<bool>{} << QList<Shown>{{Kind::Plain, QString()}};
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

    // Refusals made by a real database, as the screens receive them; a plain
    // box or the answer "Sim" shows the database's own words whole.
    void realRefusals_data()
    {
        QTest::addColumn<QString>("statement");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QList<Kind>>("kinds");
        QTest::addColumn<QString>("first");
        QTest::addRow("duplicate cash register") << u"insert into caixa (ncodigo, coperador) values (1, 'Outro')"_s
            << u"-803"_s << QList<Kind>{Kind::Question, Kind::Info} << msg::registroJaExiste;
        QTest::addRow("product of a missing group") << u"insert into produto (cdescricao, ngrupo) values ('Cerveja', 999)"_s
            << u"-530"_s << QList<Kind>{Kind::Question, Kind::Info} << msg::violacaoIntegridade;
        QTest::addRow("reserved supplier deleted") << u"delete from fornecedor where ncodigo = 1"_s << u"-836"_s
            << QList<Kind>{Kind::Info} << u"Os fornecedores de código 0 e 1 são reservados pelo sistema e não podem ser excluídos!"_s;
        QTest::addRow("unknown table") << u"select * from nao_existe"_s << u"-204"_s << QList<Kind>{Kind::Plain} << QString();
    }
    void realRefusals()
    {
        QFETCH(QString, statement);
        QFETCH(QString, code);
        QFETCH(QList<Kind>, kinds);
        QFETCH(QString, first);
        TestDatabase db;
        QVERIFY2(db.ok(), qPrintable(db.error()));
        const Result<int> done = db.connection().execute(statement);
        QVERIFY(!done.ok());
        QCOMPARE(done.failure().code, code);

        ScriptedMessages messages;
        if (kinds.first() == Kind::Question)
            messages.answerNext(true);
        trata_erro_banco(messages, done.failure());
        QList<Kind> shownKinds;
        for (const Shown& s : messages.shown())
            shownKinds << s.kind;
        QCOMPARE(shownKinds, kinds);
        const QString description = done.failure().description();
        QCOMPARE(messages.shown().first().text, first.isEmpty() ? description : first);
        QCOMPARE(messages.shown().last().text, kinds.size() > 1 || first.isEmpty() ? description : first);
    }
};

QTEST_GUILESS_MAIN(TestDbErrors)
#include "test_db_errors.moc"
