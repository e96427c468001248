#include "common/br_format.h"

#include <QRegularExpression>
#include <QStringList>

#include <array>

namespace br {

namespace {

constexpr qint64 powerOfTen(int exponent)
{
    qint64 value = 1;
    for (int i = 0; i < exponent; ++i)
        value *= 10;
    return value;
}

// "1234567" -> "1.234.567"
QString grouped(qint64 whole)
{
    const QString digits = QString::number(whole);
    QString out;
    out.reserve(digits.size() + digits.size() / 3);
    const qsizetype lead = digits.size() % 3;
    for (qsizetype i = 0; i < digits.size(); ++i) {
        if (i > 0 && (i - lead) % 3 == 0)
            out += QLatin1Char('.');
        out += digits.at(i);
    }
    return out;
}

// The figures of a rounded amount without its sign: "1.234,50".
QString unsignedFigures(qint64 units, int decimals)
{
    const qint64 magnitude = units < 0 ? -units : units;
    QString out = grouped(magnitude / Money::Scale);
    if (decimals > 0) {
        const qint64 fraction = (magnitude % Money::Scale) / powerOfTen(4 - decimals);
        out += QLatin1Char(',') + QString::number(fraction).rightJustified(decimals, QLatin1Char('0'));
    }
    return out;
}

// Blanks of every kind an operator or a formatter may leave around a value.
QString normalisedBlanks(const QString& text)
{
    QString out = text;
    out.replace(QChar(0x00A0), QLatin1Char(' '));
    out.replace(QChar(0x202F), QLatin1Char(' '));
    return out.trimmed();
}

bool takeSign(QString& text, bool& negative)
{
    if (text.startsWith(QLatin1Char('-')) || text.startsWith(QLatin1Char('+'))) {
        negative = text.startsWith(QLatin1Char('-'));
        text = text.mid(1).trimmed();
        return true;
    }
    return false;
}

} // namespace

QString number(Money value, int decimals)
{
    decimals = qBound(0, decimals, 4);
    const qint64 units = value.rounded(decimals).units();
    const QString figures = unsignedFigures(units, decimals);
    return units < 0 ? QLatin1Char('-') + figures : figures;
}

QString money(Money value)
{
    const qint64 units = value.rounded(2).units();
    const QString text = QStringLiteral("R$ ") + unsignedFigures(units, 2);
    return units < 0 ? QLatin1Char('-') + text : text;
}

std::optional<Money> parseMoney(const QString& text)
{
    QString rest = normalisedBlanks(text);
    bool negative = false;
    const bool signFirst = takeSign(rest, negative);
    if (rest.startsWith(QLatin1String("R$"), Qt::CaseInsensitive))
        rest = rest.mid(2).trimmed();
    if (!signFirst)
        takeSign(rest, negative);

    // Whole part either plain digits or grouped by points in threes; then an
    // optional decimal comma. "1.5" is refused rather than guessed at.
    static const QRegularExpression shape(
        QStringLiteral("^(\\d{1,3}(?:\\.\\d{3})+|\\d*)(?:,(\\d*))?$"));
    const QRegularExpressionMatch match = shape.match(rest);
    if (!match.hasMatch())
        return std::nullopt;
    QString whole = match.captured(1);
    const QString fraction = match.captured(2);
    whole.remove(QLatin1Char('.'));
    if (whole.isEmpty() && fraction.isEmpty())
        return std::nullopt;

    // Leading zeros do not count against the size limit.
    int firstFigure = 0;
    while (firstFigure < whole.size() - 1 && whole.at(firstFigure) == QLatin1Char('0'))
        ++firstFigure;
    whole = whole.mid(firstFigure);
    if (whole.size() > 14)
        return std::nullopt;

    qint64 units = whole.isEmpty() ? 0 : whole.toLongLong() * Money::Scale;
    const QString kept = fraction.left(4).leftJustified(4, QLatin1Char('0'));
    units += kept.toLongLong();
    // Figures beyond the fourth place round half away from zero.
    if (fraction.size() > 4 && fraction.at(4) >= QLatin1Char('5'))
        units += 1;
    return Money::fromUnits(negative ? -units : units);
}

bool beyondDecimals(const QString& text, int places)
{
    if (!parseMoney(text))
        return false;
    const qsizetype comma = text.indexOf(QLatin1Char(','));
    if (comma < 0)
        return false;
    for (qsizetype i = comma + 1 + places; i < text.size(); ++i) {
        if (text.at(i).isDigit() && text.at(i) != QLatin1Char('0'))
            return true;
    }
    return false;
}

QString date(const QDate& value)
{
    return value.isValid() ? value.toString(QStringLiteral("dd/MM/yyyy")) : QString();
}

QString time(const QTime& value)
{
    return value.isValid() ? value.toString(QStringLiteral("HH:mm")) : QString();
}

QString generalDate(const QDateTime& value)
{
    if (!value.isValid())
        return QString();
    const QTime t = value.time();
    const QString day = date(value.date());
    if (t.hour() == 0 && t.minute() == 0 && t.second() == 0)
        return day;
    return day + QLatin1Char(' ') + t.toString(QStringLiteral("HH:mm:ss"));
}

QDate parseDate(const QString& text)
{
    // Day first; a time of day after the date is allowed and ignored.
    static const QRegularExpression shape(QStringLiteral(
        "^(\\d{1,2})/(\\d{1,2})/(\\d{4}|\\d{2})(?:\\s+\\d{1,2}:\\d{2}(?::\\d{2})?)?$"));
    const QRegularExpressionMatch match = shape.match(normalisedBlanks(text));
    if (!match.hasMatch())
        return QDate();
    int year = match.captured(3).toInt();
    if (match.captured(3).size() == 2)
        year += year < 30 ? 2000 : 1900;   // the usual two-digit window
    if (year < 1)
        return QDate();
    return QDate(year, match.captured(2).toInt(), match.captured(1).toInt());
}

QTime parseTime(const QString& text)
{
    static const QRegularExpression shape(QStringLiteral("^(\\d{1,2}):(\\d{2})(?::(\\d{2}))?$"));
    const QRegularExpressionMatch match = shape.match(normalisedBlanks(text));
    if (!match.hasMatch())
        return QTime();
    const int seconds = match.captured(3).isEmpty() ? 0 : match.captured(3).toInt();
    return QTime(match.captured(1).toInt(), match.captured(2).toInt(), seconds);
}

QString weekdayName(const QDate& value)
{
    static const std::array<QString, 7> names = {
        QStringLiteral("segunda-feira"), QStringLiteral("terça-feira"),
        QStringLiteral("quarta-feira"), QStringLiteral("quinta-feira"),
        QStringLiteral("sexta-feira"), QStringLiteral("sábado"),
        QStringLiteral("domingo"),
    };
    if (!value.isValid())
        return QString();
    return names.at(std::size_t(value.dayOfWeek() - 1));
}

QString data_sql(const QString& text)
{
    if (text.isEmpty())
        return QString();
    const QDate value = parseDate(text);
    return value.isValid() ? value.toString(QStringLiteral("yyyy-MM-dd")) : QString();
}

QString valor_sql(const QString& text)
{
    const std::optional<Money> value = parseMoney(text);
    return value ? value->toDecimalText() : QString();
}

} // namespace br
