#include "common/business_day.h"
#include "db/connection.h"
#include "tests/support/test_database.h"

#include <QTest>

class TestBusinessDay : public QObject
{
    Q_OBJECT

private slots:
    void period_data()
    {
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<QString>("start");
        QTest::addColumn<QDate>("inicio");
        QTest::addColumn<QDate>("fim");
        const QDate day(2026, 12, 5);
        QTest::addRow("after midnight, before the start") << QDateTime(day, QTime(2, 30)) << QStringLiteral("18:00")
                                                          << QDate(2026, 12, 4) << day;
        QTest::addRow("evening, after the start") << QDateTime(day, QTime(19, 0)) << QStringLiteral("18:00")
                                                  << day << QDate(2026, 12, 6);
        QTest::addRow("exactly at the start") << QDateTime(day, QTime(18, 0)) << QStringLiteral("18:00")
                                              << day << QDate(2026, 12, 6);
        QTest::addRow("seconds into the start minute") << QDateTime(day, QTime(18, 0, 59)) << QStringLiteral("18:00")
                                                       << day << QDate(2026, 12, 6);
        QTest::addRow("one minute before the start") << QDateTime(day, QTime(17, 59, 59)) << QStringLiteral("18:00")
                                                     << QDate(2026, 12, 4) << day;
        QTest::addRow("start given with seconds") << QDateTime(day, QTime(18, 0)) << QStringLiteral("18:00:30")
                                                  << day << QDate(2026, 12, 6);
        QTest::addRow("first of the year, early") << QDateTime(QDate(2027, 1, 1), QTime(3, 0)) << QStringLiteral("18:00")
                                                  << QDate(2026, 12, 31) << QDate(2027, 1, 1);
        QTest::addRow("last of february, evening") << QDateTime(QDate(2028, 2, 28), QTime(20, 0)) << QStringLiteral("18:00")
                                                   << QDate(2028, 2, 28) << QDate(2028, 2, 29);
        QTest::addRow("start at midnight") << QDateTime(day, QTime(0, 0)) << QStringLiteral("00:00")
                                           << day << QDate(2026, 12, 6);
        QTest::addRow("unreadable start counts as midnight") << QDateTime(day, QTime(2, 30)) << QString()
                                                             << day << QDate(2026, 12, 6);
    }
    void period()
    {
        QFETCH(QDateTime, now);
        QFETCH(QString, start);
        QFETCH(QDate, inicio);
        QFETCH(QDate, fim);
        QCOMPARE(data_do_movimento(now, start), (Period{inicio, fim}));
    }

    void periodText_data()
    {
        QTest::addColumn<QDate>("date");
        QTest::addColumn<QString>("time");
        QTest::addColumn<QString>("expected");
        QTest::addRow("evening") << QDate(2026, 12, 4) << QStringLiteral("18:00") << QStringLiteral("2026-12-04 18:00");
        QTest::addRow("seconds dropped") << QDate(2026, 12, 5) << QStringLiteral("06:00:00") << QStringLiteral("2026-12-05 06:00");
        QTest::addRow("hour padded") << QDate(2026, 1, 2) << QStringLiteral("6:05") << QStringLiteral("2026-01-02 06:05");
        QTest::addRow("no date") << QDate() << QStringLiteral("18:00") << QStringLiteral(" 18:00");
    }
    void periodText()
    {
        QFETCH(QDate, date);
        QFETCH(QString, time);
        QFETCH(QString, expected);
        QCOMPARE(data_hora_periodo(date, time), expected);
    }

    void periodMoment()
    {
        QCOMPARE(periodoMomento(QDate(2026, 12, 4), QStringLiteral("18:00")),
                 std::optional<QDateTime>(QDateTime(QDate(2026, 12, 4), QTime(18, 0))));
        QVERIFY(!periodoMomento(QDate(), QStringLiteral("18:00")));
        QVERIFY(!periodoMomento(QDate(2026, 12, 4), QStringLiteral("x")));
    }

    // The database server's own clock decides, read once for date and time.
    void serverClock_data()
    {
        QTest::addColumn<int>("minutesFromNow");
        QTest::addRow("start an hour ahead") << 60;
        QTest::addRow("start an hour ago") << -60;
    }
    void serverClock()
    {
        QFETCH(int, minutesFromNow);
        TestDatabase db;
        QVERIFY2(db.ok(), qPrintable(db.error()));
        const Result<Rows> clock = db.connection().select(QStringLiteral("select current_timestamp from rdb$database"));
        QVERIFY(clock.ok());
        const QDateTime server = clock->value(0, 0).toDateTime();
        QVERIFY(server.isValid());
        const QDateTime startMoment = server.addSecs(minutesFromNow * 60);
        if (startMoment.date() != server.date())
            QSKIP("too close to midnight for this row");
        const QString start = startMoment.time().toString(QStringLiteral("HH:mm"));

        const Result<Period> period = data_do_movimento(db.connection(), start);
        QVERIFY2(period.ok(), qPrintable(period.ok() ? QString() : period.failure().text));
        QCOMPARE(*period, data_do_movimento(server, start));
        if (minutesFromNow > 0)
            QCOMPARE(period->fim, server.date());
        else
            QCOMPARE(period->inicio, server.date());
    }

    void closedConnectionFails()
    {
        Connection closed;
        const Result<Period> period = data_do_movimento(closed, QStringLiteral("18:00"));
        QVERIFY(!period.ok());
        QVERIFY(!period.failure().text.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestBusinessDay)
#include "test_business_day.moc"
