#include "db/parameter_check.h"

#include <QDateTime>
#include <QSqlQuery>
#include <QSqlResult>

#include <cmath>
#include <limits>
#include <vector>

#include <ibase.h>

namespace {

enum class Slot { Text, Number, Moment, Other };

Slot slotOf(int type)
{
    switch (type) {
    case SQL_TEXT:
    case SQL_VARYING:
    case SQL_BLOB:
        return Slot::Text;
    case SQL_SHORT:
    case SQL_LONG:
    case SQL_INT64:
    case SQL_FLOAT:
    case SQL_DOUBLE:
    case SQL_D_FLOAT:
        return Slot::Number;
    case SQL_TIMESTAMP:
    case SQL_TYPE_DATE:
    case SQL_TYPE_TIME:
        return Slot::Moment;
    default:
        return Slot::Other;
    }
}

// Largest magnitude an integer-stored parameter holds in its own units.
double storageLimit(int type)
{
    switch (type) {
    case SQL_SHORT:
        return std::numeric_limits<qint16>::max();
    case SQL_LONG:
        return std::numeric_limits<qint32>::max();
    case SQL_INT64:
        return 9.2e18;
    default:
        return std::numeric_limits<double>::infinity();
    }
}

Failure refused(const QString& text)
{
    return Failure{QString(), text};
}

QVariant momentFromText(const QString& text, int type)
{
    const QString t = text.trimmed();
    if (type == SQL_TYPE_TIME) {
        for (const char* format : {"hh:mm:ss", "hh:mm"}) {
            const QTime time = QTime::fromString(t, QLatin1String(format));
            if (time.isValid())
                return time;
        }
        return QVariant();
    }
    for (const char* format : {"yyyy-MM-dd hh:mm:ss", "yyyy-MM-dd hh:mm", "yyyy-MM-ddThh:mm:ss"}) {
        const QDateTime moment = QDateTime::fromString(t, QLatin1String(format));
        if (moment.isValid())
            return type == SQL_TYPE_DATE ? QVariant(moment.date()) : QVariant(moment);
    }
    const QDate date = QDate::fromString(t, QStringLiteral("yyyy-MM-dd"));
    if (date.isValid())
        return type == SQL_TYPE_DATE ? QVariant(date) : QVariant(QDateTime(date, QTime(0, 0)));
    return QVariant();
}

} // namespace

Result<QVariantList> checkParameters(const QSqlQuery& query, const SqlParams& params, QVariantList values)
{
    const QSqlResult* result = query.result();
    if (params.isEmpty() || !result)
        return values;
    const QVariant handle = result->handle();
    if (handle.metaType() != QMetaType::fromType<isc_stmt_handle>())
        return values;
    isc_stmt_handle statement = handle.value<isc_stmt_handle>();

    const int count = int(params.size());
    std::vector<char> buffer(XSQLDA_LENGTH(count));
    auto* sqlda = reinterpret_cast<XSQLDA*>(buffer.data());
    sqlda->version = SQLDA_VERSION1;
    sqlda->sqln = short(count);
    ISC_STATUS_ARRAY status = {};
    if (isc_dsql_describe_bind(status, &statement, SQL_DIALECT_V6, sqlda))
        return values; // the driver will report whatever is wrong itself
    if (sqlda->sqld != count) {
        return refused(QStringLiteral("O comando espera %1 valor(es) e recebeu %2.").arg(sqlda->sqld).arg(count));
    }

    for (int i = 0; i < count; ++i) {
        const XSQLVAR& var = sqlda->sqlvar[i];
        const int type = var.sqltype & ~1;
        const Slot slot = slotOf(type);
        const SqlValue::Kind kind = params[i].kind();
        QVariant& value = values[i];
        if (kind == SqlValue::Kind::Null || slot == Slot::Other)
            continue;

        switch (kind) {
        case SqlValue::Kind::Text:
            if (slot == Slot::Number)
                return refused(QStringLiteral("O texto \"%1\" não é aceito como número.").arg(value.toString()));
            if (slot == Slot::Moment) {
                const QVariant moment = momentFromText(value.toString(), type);
                if (!moment.isValid())
                    return refused(QStringLiteral("O texto \"%1\" não é uma data ou hora válida.").arg(value.toString()));
                value = moment;
            }
            break;
        case SqlValue::Kind::Integer:
        case SqlValue::Kind::Money:
        case SqlValue::Kind::Quantity: {
            if (slot == Slot::Moment)
                return refused(QStringLiteral("O número %1 não é aceito como data ou hora.").arg(value.toString()));
            if (slot != Slot::Number)
                break;
            const double number = value.toDouble();
            const double scaled = number * std::pow(10.0, -var.sqlscale);
            if (var.sqlscale == 0 && kind != SqlValue::Kind::Integer && number != std::trunc(number)
                && type != SQL_FLOAT && type != SQL_DOUBLE && type != SQL_D_FLOAT) {
                return refused(QStringLiteral("O valor %1 não é um número inteiro.").arg(value.toString()));
            }
            const double limit = storageLimit(type);
            if (std::fabs(std::round(scaled)) > limit) {
                const double highest = limit / std::pow(10.0, -var.sqlscale);
                return refused(QStringLiteral("O valor %1 está fora do limite permitido (de %2 a %3).")
                                   .arg(value.toString(), QString::number(-highest, 'f', -var.sqlscale),
                                        QString::number(highest, 'f', -var.sqlscale)));
            }
            break;
        }
        case SqlValue::Kind::Timestamp:
        case SqlValue::Kind::Date:
        case SqlValue::Kind::Time:
            if (slot == Slot::Number)
                return refused(QStringLiteral("Uma data ou hora não é aceita como número."));
            break;
        case SqlValue::Kind::Null:
            break;
        }
    }
    return values;
}
