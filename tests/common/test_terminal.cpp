#include "common/business_day.h"
#include "common/loaders.h"
#include "common/message_texts.h"
#include "common/support_log.h"
#include "common/terminal_settings.h"
#include "db/connection.h"
#include "tests/support/test_database.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

// What a terminal takes at start-up: its data folder, log, establishment,
// entry types and business day.
class TestTerminal : public QObject
{
    Q_OBJECT

private slots:
    void dataFolder_data()
    {
        QTest::addColumn<QByteArray>("variable");
        QTest::addColumn<QString>("expected");
        QTest::addRow("from VORINDA_DIR") << QByteArray("/srv/bar/vorinda/") << u"/srv/bar/vorinda"_s;
        QTest::addRow("default in the home folder") << QByteArray() << QDir::homePath() + u"/vorinda"_s;
        // Every program it starts runs elsewhere: the folder is made absolute.
        QTest::addRow("relative VORINDA_DIR") << QByteArray("dados/./bar") << QDir::currentPath() + u"/dados/bar"_s;
    }
    void dataFolder()
    {
        QFETCH(QByteArray, variable);
        QFETCH(QString, expected);
        const QByteArray previous = qgetenv("VORINDA_DIR");
        variable.isEmpty() ? qunsetenv("VORINDA_DIR") : qputenv("VORINDA_DIR", variable);
        const QString folder = dataDirectory();
        previous.isEmpty() ? qunsetenv("VORINDA_DIR") : qputenv("VORINDA_DIR", previous);
        QCOMPARE(folder, expected);
    }

    // One stamped line per failure, line breaks of the text folded; no folder, no log.
    void logLines()
    {
        QTemporaryDir dir;
        logFailure(dir.path(), 2, u"Não gravou"_s);
        logFailure(dir.path(), 3, u"linha 1\r\nlinha 2"_s);
        logFailure(u"/nao/existe/pasta"_s, 1, u"x"_s);
        logFailure(QString(), 1, u"x"_s);
        QFile file(logFilePath(dir.path()));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 2);
        QVERIFY(QRegularExpression(u"^\\d{4}-\\d{2}-\\d{2} \\d{2}:\\d{2}:\\d{2} caixa 2: Não gravou$"_s).match(lines.at(0)).hasMatch());
        QVERIFY(lines.at(1).endsWith(u" caixa 3: linha 1 / linha 2"_s));
        QVERIFY(!QFile::exists(u"/nao/existe/pasta/vorinda.log"_s));
    }

    // The establishment's name as stored; without its row, a message and nothing changed.
    void establishment_data()
    {
        QTest::addColumn<QStringList>("changes");
        QTest::addColumn<QString>("expected");
        QTest::addRow("accents and apostrophe") << QStringList{u"update estabelecimento set cfantasia = 'Bar D''Ávila'"_s}
                                                << u"Bar D'Ávila"_s;
        QTest::addRow("no row") << QStringList{u"alter trigger estabelecimento_bd inactive"_s, u"delete from estabelecimento"_s}
                                << u"antes"_s;
    }
    void establishment()
    {
        QFETCH(QStringList, changes);
        QFETCH(QString, expected);
        TestDatabase db;
        QVERIFY2(db.ok(), qPrintable(db.error()));
        for (const QString& change : changes)
            QVERIFY(db.connection().execute(change).ok());
        TerminalSettings settings;
        settings.nome_fantasia = u"antes"_s;
        const Result<void> loaded = carrega_estabelecimento(db.connection(), settings);
        QCOMPARE(settings.nome_fantasia, expected);
        QCOMPARE(loaded.ok() ? QString() : loaded.failure().text, expected == u"antes"_s ? msg::estabelecimentoVazio : QString());
    }

    void entryTypes_data()
    {
        QTest::addColumn<QStringList>("names");
        QTest::addRow("none") << QStringList{};
        QTest::addRow("in code order") << QStringList{u"Entrada"_s, u"Estacionamento"_s, u"Área VIP"_s};
    }
    void entryTypes()
    {
        QFETCH(QStringList, names);
        TestDatabase db;
        QVERIFY2(db.ok(), qPrintable(db.error()));
        for (const QString& name : names)
            QVERIFY(db.connection().execute(u"insert into tipo_entrada (ncodigo, cnome, nvalor) values (null, ?, 10)"_s,
                                            {SqlValue::text(name)}).ok());
        QComboBox list;
        list.addItems({u"velho 1"_s, u"velho 2"_s});
        list.setCurrentIndex(1);
        QSignalSpy changes(&list, &QComboBox::currentIndexChanged);
        QVERIFY(carrega_tipos_entrada(db.connection(), &list).ok());
        QStringList shown;
        for (int i = 0; i < list.count(); ++i)
            shown << list.itemText(i);
        QCOMPARE(shown, names);
        QCOMPARE(list.currentIndex(), names.isEmpty() ? -1 : 0);
        QCOMPARE(changes.count(), names.isEmpty() ? 0 : 1);   // the screen looks up the first price once

        Connection closed;   // a failed read leaves the list empty, not stale
        QVERIFY(!carrega_tipos_entrada(closed, &list).ok());
        QCOMPARE(list.count(), 0);
    }

    void period_data()
    {
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<QString>("start");
        QTest::addColumn<QDate>("inicio");
        const QDate day(2026, 12, 5);
        QTest::addRow("after midnight, before the start") << QDateTime(day, QTime(2, 30)) << u"18:00"_s << day.addDays(-1);
        QTest::addRow("one second before the start") << QDateTime(day, QTime(17, 59, 59)) << u"18:00"_s << day.addDays(-1);
        QTest::addRow("start given with seconds") << QDateTime(day, QTime(18, 0)) << u"18:00:30"_s << day;
        QTest::addRow("first of the year, early") << QDateTime(QDate(2027, 1, 1), QTime(3, 0)) << u"18:00"_s << QDate(2026, 12, 31);
        QTest::addRow("unreadable start counts as midnight") << QDateTime(day, QTime(2, 30)) << QString() << day;
    }
    void period()
    {
        QFETCH(QDateTime, now);
        QFETCH(QString, start);
        QFETCH(QDate, inicio);
        QCOMPARE(data_do_movimento(now, start), (Period{inicio, inicio.addDays(1)}));
    }

    void periodText_data()
    {
        QTest::addColumn<QDate>("date");
        QTest::addColumn<QString>("time");
        QTest::addColumn<QString>("expected");
        QTest::addRow("seconds dropped") << QDate(2026, 12, 5) << u"06:00:00"_s << u"2026-12-05 06:00"_s;
        QTest::addRow("no date") << QDate() << u"18:00"_s << u" 18:00"_s;
    }
    void periodText()
    {
        QFETCH(QDate, date);
        QFETCH(QString, time);
        QFETCH(QString, expected);
        QCOMPARE(data_hora_periodo(date, time), expected);
        QCOMPARE(periodoMomento(date, time).has_value(), date.isValid());
    }

    // The database server's own clock decides, read once for date and time.
    void serverClock()
    {
        TestDatabase db;
        QVERIFY2(db.ok(), qPrintable(db.error()));
        const Result<Rows> clock = db.connection().select(u"select current_timestamp from rdb$database"_s);
        QVERIFY(clock.ok());
        const QDateTime server = clock->value(0, 0).toDateTime();
        if (server.time().hour() == 0)
            QSKIP("too close to midnight");
        const Result<Period> period = data_do_movimento(db.connection(), server.addSecs(-3600).time().toString(u"HH:mm"_s));
        QVERIFY2(period.ok(), qPrintable(period.ok() ? QString() : period.failure().text));
        QCOMPARE(period->inicio, server.date());
        Connection closed;
        QVERIFY(!data_do_movimento(closed, u"18:00"_s).ok());   // no connection: a failure, not a guess
    }
};

QTEST_MAIN(TestTerminal)
#include "test_terminal.moc"
