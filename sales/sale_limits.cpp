#include "sales/sale_limits.h"

#include "db/sql_value.h"

#include <QRegularExpression>

#include <cmath>
#include <limits>

namespace sale_limits {

namespace {

// NUMERIC(15,2): thirteen whole digits.
constexpr double AmountCeiling = 1e13;

} // namespace

std::optional<qint32> productCode(const QString& text)
{
    if (text.isEmpty() || text.size() > 10)
        return std::nullopt;
    for (const QChar c : text) {
        if (!c.isDigit() || c.unicode() > '9')
            return std::nullopt;
    }
    const qint64 value = text.toLongLong();
    if (value > std::numeric_limits<qint32>::max())
        return std::nullopt;
    return qint32(value);
}

bool looksNumeric(const QString& text)
{
    static const QRegularExpression number(QStringLiteral("^\\s*\\d[\\d.]*(,\\d*)?\\s*$"));
    return number.match(text).hasMatch();
}

bool quantityFits(Money quantity)
{
    return SqlValue::quantity(quantity).toDriver().ok();
}

bool amountFits(Money amount)
{
    return SqlValue::money(amount).toDriver().ok();
}

bool productFits(Money quantity, Money price)
{
    // In floating point first: the exact product would overflow for the
    // largest values the fields can hold.
    const double product = std::fabs(quantity.toDouble() * price.toDouble());
    return product < AmountCeiling && amountFits(quantity.times(price).rounded(2));
}

} // namespace sale_limits
