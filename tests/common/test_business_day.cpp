#include "common/business_day.h"
#include "db/connection.h"
#include "tests/support/test_database.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;

class TestBusinessDay : public QObject
{
    Q_OBJECT

private slots:
    void period_data()
    {
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<QString>("start");
        QTest::addColumn<QDate>("inicio");
        const QDate day(2026, 12, 5);
        QTest::addRow("after midnight, before the start") << QDateTime(day, QTime(2, 30)) << u"18:00"_s << day.addDays(-1);
        QTest::addRow("one second before the start") << QDateTime(day, QTime(17, 59, 59)) << u"18:00"_s << day.addDays(-1);
        QTest::addRow("seconds into the start minute") << QDateTime(day, QTime(18, 0, 59)) << u"18:00"_s << day;
        QTest::addRow("start given with seconds") << QDateTime(day, QTime(18, 0)) << u"18:00:30"_s << day;
        QTest::addRow("first of the year, early") << QDateTime(QDate(2027, 1, 1), QTime(3, 0)) << u"18:00"_s << QDate(2026, 12, 31);
        QTest::addRow("leap year, evening") << QDateTime(QDate(2028, 2, 28), QTime(20, 0)) << u"18:00"_s << QDate(2028, 2, 28);
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
        QTest::addRow("hour padded") << QDate(2026, 1, 2) << u"6:05"_s << u"2026-01-02 06:05"_s;
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
        const Result<Rows> clock = db.connection().select(u"select current_timestamp from rdb$database"_s);
        QVERIFY(clock.ok());
        const QDateTime server = clock->value(0, 0).toDateTime();
        const QDateTime startMoment = server.addSecs(minutesFromNow * 60);
        if (startMoment.date() != server.date())
            QSKIP("too close to midnight for this row");
        const QString start = startMoment.time().toString(u"HH:mm"_s);
        const Result<Period> period = data_do_movimento(db.connection(), start);
        QVERIFY2(period.ok(), qPrintable(period.ok() ? QString() : period.failure().text));
        QCOMPARE(minutesFromNow > 0 ? period->fim : period->inicio, server.date());
        Connection closed;
        QVERIFY(!data_do_movimento(closed, start).ok());   // no connection: a failure, not a guess
    }
};

QTEST_GUILESS_MAIN(TestBusinessDay)
#include "test_business_day.moc"
