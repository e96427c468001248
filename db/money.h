#pragma once

#include <QString>
#include <QtGlobal>

#include <compare>
#include <optional>

// Fixed-point amount in ten-thousandths (four decimal places), for money and
// quantities alike: sums and products stay exact where a double would drift.
class Money
{
public:
    constexpr Money() = default;

    static constexpr qint64 Scale = 10000;
    static constexpr Money fromUnits(qint64 units) { Money m; m.m_units = units; return m; }
    static constexpr Money fromWhole(qint64 whole) { return fromUnits(whole * Scale); }
    // Nearest amount to a double (half away from zero); for values the driver
    // hands back as doubles.
    static Money fromDouble(double value);
    // "1234.5", "-0.10", "12": the plain decimal text Firebird and Qt use.
    static std::optional<Money> fromDecimalText(const QString& text);

    constexpr qint64 units() const { return m_units; }
    double toDouble() const { return double(m_units) / Scale; }

    // Rounded to `decimals` places (0..4), half away from zero.
    Money rounded(int decimals) const;
    bool isWhole() const { return m_units % Scale == 0; }
    qint64 wholePart() const { return m_units / Scale; }

    // Plain text with a decimal point and no trailing zeros: "1234.5", "10".
    QString toDecimalText() const;

    // Product of two amounts kept at four decimals (half away from zero).
    Money times(Money other) const;

    constexpr Money operator+(Money o) const { return fromUnits(m_units + o.m_units); }
    constexpr Money operator-(Money o) const { return fromUnits(m_units - o.m_units); }
    constexpr Money operator-() const { return fromUnits(-m_units); }
    Money& operator+=(Money o) { m_units += o.m_units; return *this; }
    Money& operator-=(Money o) { m_units -= o.m_units; return *this; }
    constexpr auto operator<=>(const Money&) const = default;

private:
    qint64 m_units = 0;
};
