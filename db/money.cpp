#include "db/money.h"

#include <cmath>
#include <limits>

namespace {

constexpr qint64 kMax = std::numeric_limits<qint64>::max();
constexpr qint64 kMin = std::numeric_limits<qint64>::min();

qint64 powerOfTen(int exponent)
{
    qint64 p = 1;
    for (int i = 0; i < exponent; ++i)
        p *= 10;
    return p;
}

qint64 clamped(__int128 value)
{
    if (value > __int128(kMax))
        return kMax;
    if (value < __int128(kMin))
        return kMin;
    return qint64(value);
}

// Quotient of value / divisor with a half rounded away from zero.
__int128 dividedHalfAway(__int128 value, __int128 divisor)
{
    __int128 quotient = value / divisor;
    __int128 rest = value % divisor;
    if (rest < 0)
        rest = -rest;
    if (rest * 2 >= divisor)
        quotient += value < 0 ? -1 : 1;
    return quotient;
}

} // namespace

Money Money::fromDouble(double value)
{
    if (std::isnan(value))
        return Money();
    const double scaled = value * double(Scale);
    // Beyond the range of qint64 the amount is pinned to the limit, which no
    // column accepts, so a later range check refuses it instead of wrapping.
    if (scaled >= 9.2e18)
        return fromUnits(kMax);
    if (scaled <= -9.2e18)
        return fromUnits(kMin);
    return fromUnits(std::llround(scaled));
}

std::optional<Money> Money::fromDecimalText(const QString& input)
{
    const QString text = input.trimmed();
    int pos = 0;
    bool negative = false;
    if (pos < text.size() && (text[pos] == u'-' || text[pos] == u'+')) {
        negative = text[pos] == u'-';
        ++pos;
    }
    __int128 whole = 0;
    int wholeDigits = 0;
    while (pos < text.size() && text[pos].isDigit() && text[pos].unicode() < 128) {
        whole = whole * 10 + (text[pos].unicode() - '0');
        if (whole > __int128(kMax))
            return std::nullopt;
        ++wholeDigits;
        ++pos;
    }
    __int128 fraction = 0;
    int fractionDigits = 0;
    bool roundUp = false;
    if (pos < text.size() && text[pos] == u'.') {
        ++pos;
        while (pos < text.size() && text[pos].isDigit() && text[pos].unicode() < 128) {
            const int digit = text[pos].unicode() - '0';
            if (fractionDigits < 4)
                fraction = fraction * 10 + digit;
            else if (fractionDigits == 4)
                roundUp = digit >= 5;
            ++fractionDigits;
            ++pos;
        }
    }
    if (pos != text.size() || wholeDigits + fractionDigits == 0)
        return std::nullopt;
    for (int i = fractionDigits; i < 4; ++i)
        fraction *= 10;
    __int128 units = whole * Scale + fraction + (roundUp ? 1 : 0);
    if (negative)
        units = -units;
    if (units > __int128(kMax) || units < __int128(kMin))
        return std::nullopt;
    return fromUnits(qint64(units));
}

Money Money::rounded(int decimals) const
{
    if (decimals >= 4 || decimals < 0)
        return *this;
    const qint64 step = powerOfTen(4 - decimals);
    return fromUnits(clamped(dividedHalfAway(m_units, step) * step));
}

QString Money::toDecimalText() const
{
    // Written backwards into a buffer: long lists turn every amount they
    // fetch into this text.
    const bool negative = m_units < 0;
    // Unsigned magnitude so that the most negative value has one too.
    const quint64 magnitude = negative ? quint64(0) - quint64(m_units) : quint64(m_units);
    quint64 whole = magnitude / quint64(Scale);
    quint64 fraction = magnitude % quint64(Scale);
    char buffer[32];
    char* const end = buffer + sizeof buffer;
    char* p = end;
    if (fraction != 0) {
        int digits = 4;
        for (; fraction % 10 == 0; fraction /= 10)
            --digits;
        for (; digits > 0; --digits, fraction /= 10)
            *--p = char('0' + fraction % 10);
        *--p = '.';
    }
    do {
        *--p = char('0' + whole % 10);
        whole /= 10;
    } while (whole != 0);
    if (negative)
        *--p = '-';
    return QString::fromLatin1(p, end - p);
}

Money Money::times(Money other) const
{
    const __int128 product = __int128(m_units) * __int128(other.m_units);
    return fromUnits(clamped(dividedHalfAway(product, Scale)));
}
