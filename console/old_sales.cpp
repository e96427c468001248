#include "console/old_sales.h"

#include "db/connection.h"

#include <QDateTime>

namespace {

// The columns read, in this order: the positions below are theirs.
const QString columns = QStringLiteral(
    "ncodigo, ncaixa_venda, ddata_venda, cforma_pagamento, ntotal, csituacao, ddata_exclusao, "
    "cmotivo_exclusao, ncaixa_exclusao, nproduto, nqtde, nunitario, nnumero");
enum Column {
    Ncodigo, NcaixaVenda, DdataVenda, CformaPagamento, Ntotal, Csituacao, DdataExclusao,
    CmotivoExclusao, NcaixaExclusao, Nproduto, Nqtde, Nunitario, Nnumero
};

QString firstPage()
{
    return QStringLiteral("select first %1 ").arg(OldSales::PageSize) + columns
        + QStringLiteral(" from venda order by ncodigo");
}

QString nextPage()
{
    return QStringLiteral("select first %1 ").arg(OldSales::PageSize) + columns
        + QStringLiteral(" from venda where ncodigo > ? order by ncodigo");
}

SqlValue integerOrNull(const QVariant& value)
{
    return value.isNull() ? SqlValue::null() : SqlValue::integer(value.toLongLong());
}

// Date and time to the minute; the seconds are dropped.
SqlValue momentOrNull(const QVariant& value)
{
    if (value.isNull())
        return SqlValue::null();
    const QDateTime moment = value.typeId() == QMetaType::QDate ? QDateTime(value.toDate(), QTime(0, 0))
                                                                : value.toDateTime();
    if (!moment.isValid())
        return SqlValue::null();
    return SqlValue::timestamp(QDateTime(moment.date(), QTime(moment.time().hour(), moment.time().minute())));
}

SqlValue moneyOrNull(const QVariant& value)
{
    return value.isNull() ? SqlValue::null() : SqlValue::money(moneyOf(value));
}

SqlValue quantityOrNull(const QVariant& value)
{
    return value.isNull() ? SqlValue::null() : SqlValue::quantity(moneyOf(value));
}

SqlValue textOrNull(const QVariant& value)
{
    return value.isNull() ? SqlValue::null() : SqlValue::text(value.toString());
}

} // namespace

Result<qint64> OldSales::count()
{
    const Result<Rows> rows = m_old.select(QStringLiteral("select count(*) from venda"));
    if (!rows)
        return rows.failure();
    return rows->isEmpty() ? 0 : rows->value(0, 0).toLongLong();
}

Result<Rows> OldSales::next()
{
    Result<Rows> page = m_started ? m_old.select(nextPage(), {m_last}) : m_old.select(firstPage());
    if (!page)
        return page;
    m_started = true;
    if (!page->isEmpty())
        m_last = SqlValue::integer(page->value(page->count() - 1, Ncodigo).toLongLong());
    return page;
}

CopiedSale copiedSale(const Rows& page, int row, qint64 code)
{
    const auto at = [&](Column column) { return page.value(row, column); };
    CopiedSale copied;
    copied.oldCode = at(Ncodigo).toLongLong();

    // CHAR columns come back padded to their length.
    const QString situacao = at(Csituacao).toString().trimmed();
    const bool cancelled = situacao == QLatin1String("Excluido");
    copied.knownSituation = cancelled || situacao == QLatin1String("Ativo");

    const SqlValue total = moneyOrNull(at(Ntotal));
    copied.sale = {integerOrNull(at(NcaixaVenda)), momentOrNull(at(DdataVenda)),
                   textOrNull(at(CformaPagamento)), total};
    copied.line = {SqlValue::integer(code),
                   integerOrNull(at(Nproduto)),
                   quantityOrNull(at(Nqtde)),
                   moneyOrNull(at(Nunitario)),
                   total,
                   SqlValue::text(cancelled ? QStringLiteral("Sim") : QStringLiteral("Nao")),
                   integerOrNull(at(NcaixaExclusao)),
                   momentOrNull(at(DdataExclusao)),
                   textOrNull(at(CmotivoExclusao)),
                   integerOrNull(at(Nnumero))};
    return copied;
}
