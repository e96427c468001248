#include "entries/entry_recording.h"

#include "common/br_format.h"
#include "common/message_texts.h"
#include "db/connection.h"
#include "db/sql_value.h"
#include "db/transaction.h"

namespace {

Failure operatorFailure(const QString& text)
{
    return Failure{QString(), text};
}

} // namespace

Result<int> wholeUnits(const QString& quantityText)
{
    const std::optional<Money> quantity = br::parseMoney(quantityText);
    if (!quantity || !quantity->isWhole() || *quantity < Money::fromWhole(1)
        || *quantity > Money::fromWhole(MaxEntryUnits))
        return operatorFailure(msg::quantidadeInvalida);
    return int(quantity->wholePart());
}

QString RecordedEntries::documento() const
{
    if (firstNumber == lastNumber)
        return QString::number(lastNumber);
    return QString::number(firstNumber) + QStringLiteral(" : ") + QString::number(lastNumber);
}

Result<RecordedEntries> recordEntries(Connection& connection, const EntrySale& sale, RecordedEntries* drawn)
{
    if (sale.units < 1 || sale.units > MaxEntryUnits)
        return operatorFailure(msg::quantidadeInvalida);
    return connection.run<RecordedEntries>([&]() -> Result<RecordedEntries> {
        Transaction transaction(connection);
        if (!transaction.begun())
            return transaction.failure();

        // The type first: a name that vanished meanwhile draws no numbers.
        const auto flag = connection.select(
            QStringLiteral("select cestacionamento from tipo_entrada where cnome = ?"),
            {SqlValue::text(sale.tipo)});
        if (!flag)
            return flag.failure();
        if (flag->count() != 1)
            return operatorFailure(msg::tipoEntradaNaoLocalizado);

        RecordedEntries recorded;
        recorded.parking = flag->text(0, QStringLiteral("cestacionamento")) != QLatin1String("N");

        // One step of N on each generator: the sale's numbers are consecutive
        // whatever the other counters draw at the same moment.
        const auto lastCode = connection.generator(QStringLiteral("entrada"), sale.units);
        if (!lastCode)
            return lastCode.failure();
        const auto lastNumber = connection.generator(QStringLiteral("numero_entrada"), sale.units);
        if (!lastNumber)
            return lastNumber.failure();
        recorded.lastCode = *lastCode;
        recorded.firstCode = *lastCode - sale.units + 1;
        recorded.lastNumber = *lastNumber;
        recorded.firstNumber = *lastNumber - sale.units + 1;
        if (drawn)
            *drawn = recorded;

        const QString insert = QStringLiteral(
            "insert into entrada values(?,null,(select ncodigo from tipo_entrada where cnome = ?),?,?,'Nao',null,null,null,?,?)");
        QList<SqlParams> units;
        units.reserve(sale.units);
        for (int i = 0; i < sale.units; ++i) {
            units.append({
                SqlValue::integer(recorded.firstCode + i),
                SqlValue::text(sale.tipo),
                SqlValue::integer(sale.caixa),
                SqlValue::money(sale.preco),
                SqlValue::text(sale.forma),
                SqlValue::integer(recorded.firstNumber + i),
            });
        }
        // Prepared once for all the units, inside the transaction.
        if (const auto inserted = connection.executeEach(insert, units); !inserted)
            return inserted.failure();

        const auto stored = connection.select(
            QStringLiteral("select ddata_entrada from entrada where ncodigo = ?"),
            {SqlValue::integer(recorded.lastCode)});
        if (!stored)
            return stored.failure();
        if (stored->isEmpty())
            return operatorFailure(msg::entradaNaoReleu);
        recorded.dataEntrada = stored->dateTime(0, QStringLiteral("ddata_entrada"));

        if (auto committed = transaction.commit(); !committed)
            return committed.failure();
        return recorded;
    });
}

Result<int> storedEntries(Connection& connection, qint64 first, qint64 last, qint16 caixa)
{
    const auto rows = connection.select(
        QStringLiteral("select count(*) from entrada where ncodigo between ? and ? and ncaixa_entrada = ?"),
        {SqlValue::integer(first), SqlValue::integer(last), SqlValue::integer(caixa)});
    if (!rows)
        return rows.failure();
    return int(rows->integer(0, QStringLiteral("count")));
}

Result<QDateTime> storedEntryDate(Connection& connection, qint64 code)
{
    const auto rows = connection.select(QStringLiteral("select ddata_entrada from entrada where ncodigo = ?"),
                                        {SqlValue::integer(code)});
    if (!rows)
        return rows.failure();
    return rows->isEmpty() ? QDateTime() : rows->dateTime(0, QStringLiteral("ddata_entrada"));
}
