// Groups and suppliers created at several workstations on one Firebird
// server: each form sends the code it showed, and none may overwrite or
// lose another's row.
#include "common/message_texts.h"
#include "common/terminal_settings.h"
#include "db/connection.h"
#include "db/database_creator.h"
#include "registers/group_register.h"
#include "registers/supplier_register.h"
#include "tests/support/firebird_server.h"
#include "tests/support/scripted_messages.h"

#include <QSet>
#include <QTest>
#include <QThread>

namespace {

constexpr int Workstations = 4;
constexpr int SuppliersEach = 8;

struct Workstation
{
    Connection conexao;
    TerminalSettings settings;
    ScriptedMessages messages;

    QString open(const QString& path)
    {
        if (const auto opened = conexao.open(path); !opened)
            return opened.failure().description();
        settings.conexao = &conexao;
        return {};
    }
};

// One workstation creating its suppliers; a code taken meanwhile is refused,
// the typed values stay and the form shows the code its next save gets.
// Returns what went wrong.
QString createSuppliers(const QString& path, int station, int* refusals)
{
    Workstation w;
    if (QString why = w.open(path); !why.isEmpty())
        return why;
    for (int n = 0; n < SuppliersEach; ++n) {
        SupplierRegister form(w.settings, w.messages, true);
        form.open();
        for (int attempt = 0;; ++attempt) {
            if (attempt == 50)
                return QStringLiteral("never stored");
            form.setText(QStringLiteral("Text1"), QStringLiteral("posto %1 numero %2").arg(station).arg(n));
            form.setText(QStringLiteral("Text2"), QStringLiteral("razao %1 %2").arg(station).arg(n));
            form.setText(QStringLiteral("Text14"), QStringLiteral("%1-%2").arg(station).arg(n));
            w.messages.clear();
            w.messages.answerNext(false);   // the duplicate's question, when it comes
            const RegisterForm::Saved saved = form.save();
            if (saved == RegisterForm::Saved::Inserted)
                break;
            if (w.messages.texts() != QStringList{msg::registroJaExiste})
                return w.messages.transcript();
            // Refused as typed: the values stay for the next attempt.
            if (form.text(QStringLiteral("Text14")) != QStringLiteral("%1-%2").arg(station).arg(n))
                return QStringLiteral("the typed values were lost");
            ++*refusals;
        }
    }
    return {};
}

} // namespace

class TestRegisterWorkstations : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QString why;
        if (!m_server.start(&why))
            QSKIP(qPrintable(QStringLiteral("no private Firebird server for the several-workstations test: ") + why));
        m_path = m_server.databasePath(QStringLiteral("cadastros.fdb"));
        const auto created = createDatabase(m_path, true);
        QVERIFY2(created.ok(), qPrintable(created.ok() ? QString() : created.failure().description()));
    }

    void groupCodeTakenMeanwhile()
    {
        Workstation a;
        Workstation b;
        QCOMPARE(a.open(m_path), QString());
        QCOMPARE(b.open(m_path), QString());
        GroupRegister first(a.settings, a.messages, true);
        GroupRegister second(b.settings, b.messages, true);
        first.open();
        second.open();
        QCOMPARE(first.text(QStringLiteral("Text11")), QStringLiteral("6"));
        QCOMPARE(second.text(QStringLiteral("Text11")), QStringLiteral("6"));
        second.setText(QStringLiteral("Text1"), QStringLiteral("sucos"));
        QCOMPARE(second.save(), RegisterForm::Saved::Inserted);
        first.setText(QStringLiteral("Text1"), QStringLiteral("vinhos"));
        a.messages.answerNext(false);
        QCOMPARE(first.save(), RegisterForm::Saved::No);
        QCOMPARE(a.messages.texts(), QStringList{msg::registroJaExiste});
        QCOMPARE(first.text(QStringLiteral("Text1")), QStringLiteral("vinhos"));
        // Group 6 is the other workstation's: the form now shows the code its
        // next save gets, and stores the typed name under it.
        QCOMPARE(first.text(QStringLiteral("Text11")), QStringLiteral("7"));
        a.messages.clear();
        QCOMPARE(first.save(), RegisterForm::Saved::Inserted);
        QCOMPARE(a.messages.texts(), QStringList());
        const Result<Rows> rows = a.conexao.select(QStringLiteral("select * from grupo where ncodigo > 5 order by ncodigo"));
        QVERIFY(rows);
        QCOMPARE(rows->count(), 2);
        QCOMPARE(rows->text(0, QStringLiteral("ncodigo")) + u' ' + rows->text(0, QStringLiteral("cdescricao")) + u' '
                     + rows->text(1, QStringLiteral("ncodigo")) + u' ' + rows->text(1, QStringLiteral("cdescricao")),
                 QStringLiteral("6 Sucos 7 Vinhos"));
        QCOMPARE(*a.conexao.generator(QStringLiteral("grupo"), 0), 7);
    }

    void suppliersCreatedAtOnce()
    {
        QString problems[Workstations];
        int refusals[Workstations] = {};
        QList<QThread*> stations;
        for (int i = 0; i < Workstations; ++i) {
            stations << QThread::create([&, i] { problems[i] = createSuppliers(m_path, i, &refusals[i]); });
            stations.last()->start();
        }
        for (int i = 0; i < Workstations; ++i) {
            QVERIFY(stations.at(i)->wait(120000));
            delete stations.at(i);
            QVERIFY2(problems[i].isEmpty(), qPrintable(problems[i]));
        }
        Connection check;
        QVERIFY(check.open(m_path).ok());
        const Result<Rows> rows = check.select(QStringLiteral("select * from fornecedor where ncodigo > 1"));
        QVERIFY(rows);
        // Every supplier stored once, each row all of one workstation's values.
        QSet<QString> contacts;
        for (int r = 0; r < rows->count(); ++r) {
            const QString contact = rows->text(r, QStringLiteral("ccontato"));
            const QString station = contact.section(u'-', 0, 0);
            const QString n = contact.section(u'-', 1, 1);
            QCOMPARE(rows->text(r, QStringLiteral("cfantasia")), QStringLiteral("Posto %1 Numero %2").arg(station, n));
            QCOMPARE(rows->text(r, QStringLiteral("crazao")), QStringLiteral("Razao %1 %2").arg(station, n));
            contacts << contact;
        }
        QCOMPARE(rows->count(), Workstations * SuppliersEach);
        QCOMPARE(contacts.size(), Workstations * SuppliersEach);
        QCOMPARE(*check.generator(QStringLiteral("fornecedor"), 0), 1 + Workstations * SuppliersEach);
        qInfo("codes taken meanwhile and refused: %d", refusals[0] + refusals[1] + refusals[2] + refusals[3]);
        check.close();
    }

private:
    FirebirdServer m_server;
    QString m_path;
};

QTEST_GUILESS_MAIN(TestRegisterWorkstations)
#include "test_register_workstations.moc"
