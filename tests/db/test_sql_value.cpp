#include "db/connection.h"
#include "db/sql_value.h"
#include "tests/support/test_database.h"

#include <QTest>

Q_DECLARE_METATYPE(SqlValue)

enum Kind { Integer, Smallint, Amount, Quantity };

// Typed values: checked before anything is sent, then against the type of
// the placeholder they fill, and read back exactly.
class TestSqlValue : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestDatabase> m_db;

private slots:
    void init()
    {
        m_db = std::make_unique<TestDatabase>(TestDatabase::Demo);
        QVERIFY2(m_db->ok(), qPrintable(m_db->error()));
    }
    void cleanup() { m_db.reset(); }

    // `sent` is what the driver gets; empty when the value is refused.
    void checkedAgainstTheColumnKind_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("sent");
        QTest::addRow("smallint top") << int(Smallint) << "32767" << "32767";
        QTest::addRow("smallint that would wrap") << int(Smallint) << "32768" << "";
        QTest::addRow("smallint below, wrapping too") << int(Smallint) << "-32769" << "";
        QTest::addRow("integer top") << int(Integer) << "2147483647" << "2147483647";
        QTest::addRow("integer beyond 32 bits") << int(Integer) << "2147483648" << "";
        QTest::addRow("money top of NUMERIC(15,2)") << int(Amount) << "9999999999999.99" << "9999999999999.99";
        QTest::addRow("money beyond NUMERIC(15,2)") << int(Amount) << "-10000000000000" << "";
        QTest::addRow("money rounding up past the top") << int(Amount) << "9999999999999.995" << "";
        QTest::addRow("half a cent up") << int(Amount) << "0.005" << "0.01";
        QTest::addRow("half a cent of a negative down") << int(Amount) << "-0.005" << "-0.01";
        QTest::addRow("quantity top of NUMERIC(15,3)") << int(Quantity) << "999999999999.999" << "999999999999.999";
        QTest::addRow("quantity beyond NUMERIC(15,3)") << int(Quantity) << "1000000000000" << "";
        QTest::addRow("half a thousandth up") << int(Quantity) << "1.0005" << "1.001";
    }
    void checkedAgainstTheColumnKind()
    {
        QFETCH(int, kind);
        QFETCH(QString, value);
        QFETCH(QString, sent);
        const Money amount = *Money::fromDecimalText(value);
        const SqlValue v = kind == Integer    ? SqlValue::integer(value.toLongLong())
                           : kind == Smallint ? SqlValue::integer(value.toLongLong(), true)
                           : kind == Amount   ? SqlValue::money(amount)
                                              : SqlValue::quantity(amount);
        const Result<QVariant> driver = v.toDriver();
        QCOMPARE(driver.ok(), !sent.isEmpty());
        if (driver.ok()) {
            QCOMPARE(driver->toDouble(), sent.toDouble());
        } else {
            // Not a database refusal: no code, a sentence naming the value.
            QVERIFY(driver.failure().code.isEmpty());
            QVERIFY2(driver.failure().text.contains(u"fora do limite"), qPrintable(driver.failure().text));
            QVERIFY(driver.failure().text.contains(value));
        }
    }

    // Written, then found again by the same bound value in a where clause;
    // without a `read`, refused against the type of its "?" (`expected` says
    // how) before anything is written.
    void boundValues_data()
    {
        QTest::addColumn<QString>("write");
        QTest::addColumn<QString>("read");
        QTest::addColumn<SqlValue>("value");
        QTest::addColumn<QVariant>("expected");
        const QString writeText = QStringLiteral("insert into temp (ccampo1) values (?)");
        const QString readText = QStringLiteral("select ccampo1 from temp where ccampo1 = ?");
        const auto text = [&](const char* name, const QString& t) {
            QTest::addRow("%s", name) << writeText << readText << SqlValue::text(t) << QVariant(t.isNull() ? QStringLiteral("") : t);
        };
        text("apostrophe and accent", QStringLiteral("D'Ávila"));
        text("statement fragment", QStringLiteral("x'); delete from caixa; --"));
        text("beyond the basic plane", QStringLiteral("Chope \U0001F37A"));
        text("empty text is not null", QString());
        const QString writeMoment = QStringLiteral("insert into venda (ncodigo, ddata_venda) values (null, ?)");
        const QString readMoment = QStringLiteral("select ddata_venda from venda where ddata_venda = ?");
        QTest::addRow("moment given as text") << writeMoment << readMoment << SqlValue::text(QStringLiteral("2026-12-04 18:00"))
                                              << QVariant(QDateTime(QDate(2026, 12, 4), QTime(18, 0)));
        QTest::addRow("date alone as text") << writeMoment << readMoment << SqlValue::text(QStringLiteral("2026-12-04"))
                                            << QVariant(QDateTime(QDate(2026, 12, 4), QTime(0, 0)));
        const auto refused = [](const char* name, const char* write, const SqlValue& value, const char* says) {
            QTest::addRow("%s", name) << QString::fromLatin1(write) << QString() << value << QVariant(QString::fromUtf8(says));
        };
        refused("a number as text into an integer", "insert into temp (ncampo4) values (?)",
                SqlValue::text(QStringLiteral("12")), "não é aceito como número");
        refused("an amount with cents into an integer", "insert into temp (ncampo4) values (?)",
                SqlValue::money(Money::fromUnits(125000)), "não é um número inteiro");
        refused("a number into a time", "update horario set thora1 = ?", SqlValue::integer(1800), "não é aceito como data");
        refused("a text that is no time", "update horario set thora1 = ?",
                SqlValue::text(QStringLiteral("25:99")), "não é uma data ou hora");
    }
    void boundValues()
    {
        QFETCH(QString, write);
        QFETCH(QString, read);
        QFETCH(SqlValue, value);
        QFETCH(QVariant, expected);
        Connection& c = m_db->connection();
        const Result<int> written = c.execute(write, {value});
        QCOMPARE(written.ok(), !read.isEmpty());
        if (written.ok()) {
            const Result<Rows> back = c.select(read, {value});
            QCOMPARE(back->count(), 1);
            QCOMPARE(back->value(0, 0), expected);
            QCOMPARE(c.select(QStringLiteral("select count(*) from caixa"))->integer(0, QStringLiteral("count")), 2);
        } else {
            QVERIFY(written.failure().code.isEmpty());
            QVERIFY2(written.failure().text.contains(expected.toString()), qPrintable(written.failure().text));
            QCOMPARE(c.select(QStringLiteral("select count(*) from temp"))->integer(0, QStringLiteral("count")), 0);
            QCOMPARE(c.select(QStringLiteral("select thora1 from horario"))->time(0, QStringLiteral("thora1")), QTime(18, 0));
        }
    }

    // NUMERIC arrives from the driver as a double (0.5700000000000001) and is
    // rounded back to its column's decimals, read as the text written (each
    // value here is in its shortest form); a sum is NUMERIC(18,s) and is too.
    void amountsReadBackExactly_data()
    {
        QTest::addColumn<bool>("quantity");
        QTest::addColumn<QString>("value");
        QTest::addRow("cents a double cannot hold") << false << "0.57";
        QTest::addRow("whole hundred thousand") << false << "100000";
        QTest::addRow("top of NUMERIC(15,2)") << false << "9999999999999.99";
        QTest::addRow("negative") << false << "-1234.56";
        QTest::addRow("negative cent") << false << "-0.01";
        QTest::addRow("quantity thousandth") << true << "0.001";
        QTest::addRow("quantity a double holds as 1.00499...") << true << "1.005";
        QTest::addRow("quantity of three decimals") << true << "2.575";   // stock is never negative
        QTest::addRow("quantity top") << true << "999999999999.999";
    }
    void amountsReadBackExactly()
    {
        QFETCH(bool, quantity);
        QFETCH(QString, value);
        Connection& c = m_db->connection();
        const Money amount = *Money::fromDecimalText(value);
        if (quantity)
            QVERIFY(c.execute(QStringLiteral("update produto set nqtde_atual = ? where ncodigo = 1"), {SqlValue::quantity(amount)}).ok());
        else
            QVERIFY(c.execute(QStringLiteral("insert into temp (ncampo2) values (?)"), {SqlValue::money(amount)}).ok());
        const QString column = quantity ? QStringLiteral("nqtde_atual") : QStringLiteral("ncampo2");
        const QString where = quantity ? QStringLiteral("ncodigo = 1") : QStringLiteral("1 = 1");
        const Result<Rows> back = c.select(QStringLiteral("select %1 as valor, sum(%1) from %2 where %3 group by %1")
                                               .arg(column, quantity ? QStringLiteral("produto") : QStringLiteral("temp"), where));
        QVERIFY(back.ok());
        QCOMPARE(back->money(0, QStringLiteral("valor")), amount);
        QCOMPARE(back->text(0, QStringLiteral("valor")), value);
        QCOMPARE(back->money(0, QStringLiteral("Sum")), amount);
    }
};

QTEST_GUILESS_MAIN(TestSqlValue)
#include "test_sql_value.moc"
