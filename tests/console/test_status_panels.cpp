#include "console/status_panels.h"
#include "tests/console/console_fixture.h"

#include <QLabel>
#include <QTest>

class TestStatusPanels : public QObject
{
    Q_OBJECT

private slots:
    void clock()
    {
        // The date and time follow the clock, past midnight too.
        QDateTime now(QDate(2026, 12, 31), QTime(23, 59, 30));
        StatusPanels own(std::make_unique<SettableLockKeys>(), [&] { return now; });
        QCOMPARE(own.panel(2)->text(), QStringLiteral("31/12/2026"));
        QCOMPARE(own.panel(3)->text(), QStringLiteral("23:59"));
        now = QDateTime(QDate(2027, 1, 1), QTime(0, 0, 5));
        QTRY_COMPARE(own.panel(2)->text(), QStringLiteral("01/01/2027"));
        QCOMPARE(own.panel(3)->text(), QStringLiteral("00:00"));
    }

    void lockKeys_data()
    {
        QTest::addColumn<bool>("known");
        QTest::addColumn<bool>("caps");
        QTest::addColumn<bool>("num");
        QTest::addColumn<bool>("scroll");
        QTest::addRow("all off") << true << false << false << false;
        QTest::addRow("caps and scroll") << true << true << false << true;
        QTest::addRow("num only") << true << false << true << false;
        QTest::addRow("all on") << true << true << true << true;
        QTest::addRow("cannot be read") << false << false << false << false;
    }
    void lockKeys()
    {
        QFETCH(bool, known);
        QFETCH(bool, caps);
        QFETCH(bool, num);
        QFETCH(bool, scroll);
        // The keys change while the bar shows; it follows them.
        std::optional<LockKeys::State> state = LockKeys::State{!caps, !num, !scroll};
        StatusPanels panels(std::make_unique<SettableLockKeys>(&state));
        state = known ? std::optional(LockKeys::State{caps, num, scroll}) : std::nullopt;
        panels.refresh();
        // On: plain; off: dimmed; unknown: all plain, texts unchanged.
        QCOMPARE(panels.panel(4)->isEnabled(), !known || caps);
        QCOMPARE(panels.panel(5)->isEnabled(), !known || num);
        QCOMPARE(panels.panel(6)->isEnabled(), !known || scroll);
        QCOMPARE(panels.panel(4)->text() + panels.panel(5)->text() + panels.panel(6)->text(), QStringLiteral("CAPSNUMSCRL"));
    }
};

QTEST_MAIN(TestStatusPanels)
#include "test_status_panels.moc"
