#include "registers/register_values.h"

QString quantityText(Money value)
{
    return value.toDecimalText().replace(QLatin1Char('.'), QLatin1Char(','));
}

bool isWholeNumber(const QString& text)
{
    if (text.isEmpty())
        return false;
    for (const QChar c : text)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    return true;
}
