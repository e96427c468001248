#include "db/connection.h"
#include "db/sql_value.h"
#include "tests/support/test_database.h"

#include <QTest>

Q_DECLARE_METATYPE(SqlValue)

// Typed values: checked before anything is sent, then against the type of
// the placeholder they fill, and read back exactly.
class TestSqlValue : public QObject
{
    Q_OBJECT

private slots:
    void rangeOfTheColumnKind_data();
    void rangeOfTheColumnKind();
    void amountsRoundedToTheirColumn_data();
    void amountsRoundedToTheirColumn();

    void refusedAgainstThePlaceholder_data();
    void refusedAgainstThePlaceholder();
    void textRoundTripsUnchanged_data();
    void textRoundTripsUnchanged();
    void amountsRoundTripExactly_data();
    void amountsRoundTripExactly();
    void dateGivenAsTextBecomesADate_data();
    void dateGivenAsTextBecomesADate();

private:
    static Result<int> insertInto(Connection& c, const QString& column, const SqlValue& value)
    {
        return c.execute(QStringLiteral("insert into temp (%1) values (?)").arg(column), {value});
    }
};

void TestSqlValue::rangeOfTheColumnKind_data()
{
    QTest::addColumn<int>("kind"); // 0 integer, 1 smallint, 2 money, 3 quantity
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("fits");
    QTest::addRow("smallint top") << 1 << "32767" << true;
    QTest::addRow("smallint that would wrap") << 1 << "32768" << false;
    QTest::addRow("smallint bottom wraps too") << 1 << "-32769" << false;
    QTest::addRow("integer top") << 0 << "2147483647" << true;
    QTest::addRow("integer beyond 32 bits") << 0 << "2147483648" << false;
    QTest::addRow("integer below 32 bits") << 0 << "-2147483649" << false;
    QTest::addRow("money top of NUMERIC(15,2)") << 2 << "9999999999999.99" << true;
    QTest::addRow("money beyond NUMERIC(15,2)") << 2 << "10000000000000" << false;
    QTest::addRow("money rounding up past the top") << 2 << "9999999999999.995" << false;
    QTest::addRow("negative money beyond") << 2 << "-10000000000000" << false;
    QTest::addRow("quantity top of NUMERIC(15,3)") << 3 << "999999999999.999" << true;
    QTest::addRow("quantity beyond NUMERIC(15,3)") << 3 << "1000000000000" << false;
}

void TestSqlValue::rangeOfTheColumnKind()
{
    QFETCH(int, kind);
    QFETCH(QString, value);
    QFETCH(bool, fits);
    const Money amount = *Money::fromDecimalText(value);
    const SqlValue v = kind == 0   ? SqlValue::integer(value.toLongLong())
                       : kind == 1 ? SqlValue::integer(value.toLongLong(), true)
                       : kind == 2 ? SqlValue::money(amount)
                                   : SqlValue::quantity(amount);
    const Result<QVariant> driver = v.toDriver();
    QCOMPARE(driver.ok(), fits);
    if (!fits) {
        // Not a database refusal: no code, a sentence naming the value.
        QVERIFY(driver.failure().code.isEmpty());
        QVERIFY2(driver.failure().text.contains(u"fora do limite"), qPrintable(driver.failure().text));
        QCOMPARE(driver.failure().description(), driver.failure().text);
    }
}

void TestSqlValue::amountsRoundedToTheirColumn_data()
{
    QTest::addColumn<bool>("money");
    QTest::addColumn<QString>("value");
    QTest::addColumn<double>("sent");
    QTest::addRow("half a cent up") << true << "0.005" << 0.01;
    QTest::addRow("half a cent of a negative down") << true << "-0.005" << -0.01;
    QTest::addRow("below half a cent") << true << "12.3449" << 12.34;
    QTest::addRow("half a thousandth up") << false << "1.0005" << 1.001;
    QTest::addRow("quantity keeps three decimals") << false << "2.125" << 2.125;
}

void TestSqlValue::amountsRoundedToTheirColumn()
{
    QFETCH(bool, money);
    QFETCH(QString, value);
    QFETCH(double, sent);
    const Money amount = *Money::fromDecimalText(value);
    const Result<QVariant> driver = (money ? SqlValue::money(amount) : SqlValue::quantity(amount)).toDriver();
    QVERIFY(driver.ok());
    QCOMPARE(driver->toDouble(), sent);
}

void TestSqlValue::refusedAgainstThePlaceholder_data()
{
    QTest::addColumn<QString>("column");
    QTest::addColumn<SqlValue>("value");
    QTest::addColumn<QString>("says");
    QTest::addRow("a number as text into an integer")
        << "ncampo4" << SqlValue::text(QStringLiteral("12")) << "não é aceito como número";
    QTest::addRow("letters into an amount")
        << "ncampo2" << SqlValue::text(QStringLiteral("abc")) << "não é aceito como número";
    QTest::addRow("an amount with cents into an integer")
        << "ncampo4" << SqlValue::money(Money::fromUnits(125000)) << "não é um número inteiro";
    QTest::addRow("a plain integer beyond a SMALLINT")
        << "produto_nativo" << SqlValue::integer(40000) << "fora do limite";
    QTest::addRow("a number into a time")
        << "horario_thora1" << SqlValue::integer(1800) << "não é aceito como data";
    QTest::addRow("a text that is no time")
        << "horario_thora1" << SqlValue::text(QStringLiteral("25:99")) << "não é uma data ou hora";
}

void TestSqlValue::refusedAgainstThePlaceholder()
{
    QFETCH(QString, column);
    QFETCH(SqlValue, value);
    QFETCH(QString, says);
    TestDatabase db;
    QVERIFY2(db.ok(), qPrintable(db.error()));
    Connection& c = db.connection();
    QString sql = QStringLiteral("insert into temp (%1) values (?)").arg(column);
    if (column == u"produto_nativo")
        sql = QStringLiteral("update produto set nativo = ?");
    else if (column == u"horario_thora1")
        sql = QStringLiteral("update horario set thora1 = ?");
    const Result<int> run = c.execute(sql, {value});
    QVERIFY(!run.ok());
    QVERIFY(run.failure().code.isEmpty());
    QVERIFY2(run.failure().text.contains(says), qPrintable(run.failure().text));
    QCOMPARE(c.select(QStringLiteral("select count(*) from temp"))->integer(0, QStringLiteral("count")), 0);
    QCOMPARE(c.select(QStringLiteral("select thora1 from horario"))->time(0, QStringLiteral("thora1")), QTime(18, 0));
}

void TestSqlValue::textRoundTripsUnchanged_data()
{
    QTest::addColumn<QString>("text");
    QTest::addRow("apostrophe") << QStringLiteral("Bar do Zé's");
    QTest::addRow("accents") << QStringLiteral("Promoção Çaçá Ñandú");
    QTest::addRow("statement fragment") << QStringLiteral("x'); delete from caixa; --");
    QTest::addRow("quotes and percent") << QStringLiteral("\"50%\" de desconto");
    QTest::addRow("empty") << QString();
    QTest::addRow("beyond the basic plane") << QStringLiteral("Chope \U0001F37A");
}

void TestSqlValue::textRoundTripsUnchanged()
{
    QFETCH(QString, text);
    TestDatabase db;
    QVERIFY2(db.ok(), qPrintable(db.error()));
    Connection& c = db.connection();
    QVERIFY(insertInto(c, QStringLiteral("ccampo1"), SqlValue::text(text)).ok());
    const Result<Rows> back = c.select(QStringLiteral("select ccampo1 from temp where ccampo1 = ?"), {SqlValue::text(text)});
    QVERIFY(back.ok());
    QCOMPARE(back->count(), 1);
    QCOMPARE(back->text(0, QStringLiteral("ccampo1")), text.isNull() ? QStringLiteral("") : text);
    QVERIFY(!back->isNull(0, QStringLiteral("ccampo1")));
    QCOMPARE(c.select(QStringLiteral("select count(*) from caixa"))->integer(0, QStringLiteral("count")), 1);
}

void TestSqlValue::amountsRoundTripExactly_data()
{
    QTest::addColumn<QString>("column");
    QTest::addColumn<QString>("value");
    QTest::addRow("cents a double cannot hold") << "ncampo2" << "0.57";
    QTest::addRow("cents truncation would break") << "ncampo2" << "0.29";
    QTest::addRow("whole hundred thousand") << "ncampo2" << "100000";
    QTest::addRow("ten million") << "ncampo2" << "10000000";
    QTest::addRow("top of NUMERIC(15,2)") << "ncampo2" << "9999999999999.99";
    QTest::addRow("negative cent") << "ncampo2" << "-0.01";
    QTest::addRow("quantity thousandth") << "nqtde" << "0.001";
    QTest::addRow("quantity top") << "nqtde" << "999999999999.999";
}

void TestSqlValue::amountsRoundTripExactly()
{
    QFETCH(QString, column);
    QFETCH(QString, value);
    TestDatabase db;
    QVERIFY2(db.ok(), qPrintable(db.error()));
    Connection& c = db.connection();
    const Money amount = *Money::fromDecimalText(value);
    Result<Rows> back = Failure{};
    if (column == u"nqtde") {
        QVERIFY(c.execute(QStringLiteral("insert into grupo values (null, 'G')")).ok());
        QVERIFY(c.execute(QStringLiteral("insert into produto (ncodigo, cdescricao, ngrupo, nqtde_atual) values (null, 'P', 1, ?)"),
                          {SqlValue::quantity(amount)}).ok());
        back = c.select(QStringLiteral("select nqtde_atual as valor from produto"));
    } else {
        QVERIFY(insertInto(c, column, SqlValue::money(amount)).ok());
        back = c.select(QStringLiteral("select ncampo2 as valor, sum(ncampo2) from temp group by ncampo2"));
    }
    QVERIFY(back.ok());
    QCOMPARE(back->money(0, QStringLiteral("valor")), amount);
    QCOMPARE(back->text(0, QStringLiteral("valor")), amount.toDecimalText());
    if (back->column(QStringLiteral("sum")) >= 0)
        QCOMPARE(back->money(0, QStringLiteral("Sum")), amount);
}

void TestSqlValue::dateGivenAsTextBecomesADate_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QDateTime>("stored");
    QTest::addRow("period bound") << "2026-12-04 18:00" << QDateTime(QDate(2026, 12, 4), QTime(18, 0));
    QTest::addRow("with seconds") << "2026-12-05 06:00:30" << QDateTime(QDate(2026, 12, 5), QTime(6, 0, 30));
    QTest::addRow("date alone") << "2026-12-04" << QDateTime(QDate(2026, 12, 4), QTime(0, 0));
}

void TestSqlValue::dateGivenAsTextBecomesADate()
{
    QFETCH(QString, text);
    QFETCH(QDateTime, stored);
    TestDatabase db;
    QVERIFY2(db.ok(), qPrintable(db.error()));
    Connection& c = db.connection();
    QVERIFY(c.execute(QStringLiteral("insert into venda (ncodigo, ddata_venda) values (null, ?)"), {SqlValue::text(text)}).ok());
    const Result<Rows> back = c.select(QStringLiteral("select ddata_venda from venda where ddata_venda between ? and ?"),
                                       {SqlValue::text(text), SqlValue::timestamp(stored)});
    QVERIFY(back.ok());
    QCOMPARE(back->count(), 1);
    QCOMPARE(back->dateTime(0, QStringLiteral("ddata_venda")), stored);
}

QTEST_GUILESS_MAIN(TestSqlValue)
#include "test_sql_value.moc"
