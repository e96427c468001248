#include "common/text_utils.h"

namespace {

// Each accented letter of the tickets' alphabet and its plain form.
QChar plainLetter(QChar c)
{
    switch (c.unicode()) {
    case 0x00C1: case 0x00C0: case 0x00C3: case 0x00C2: case 0x00C4: return QLatin1Char('A');
    case 0x00E1: case 0x00E0: case 0x00E3: case 0x00E2: case 0x00E4: return QLatin1Char('a');
    case 0x00C9: case 0x00C8: case 0x00CA: case 0x00CB: return QLatin1Char('E');
    case 0x00E9: case 0x00E8: case 0x00EA: case 0x00EB: return QLatin1Char('e');
    case 0x00CD: case 0x00CC: case 0x00CE: case 0x00CF: return QLatin1Char('I');
    case 0x00ED: case 0x00EC: case 0x00EE: case 0x00EF: return QLatin1Char('i');
    case 0x00D3: case 0x00D2: case 0x00D5: case 0x00D4: case 0x00D6: return QLatin1Char('O');
    case 0x00F3: case 0x00F2: case 0x00F5: case 0x00F4: case 0x00F6: return QLatin1Char('o');
    case 0x00DA: case 0x00D9: case 0x00DB: case 0x00DC: return QLatin1Char('U');
    case 0x00FA: case 0x00F9: case 0x00FB: case 0x00FC: return QLatin1Char('u');
    case 0x00C7: return QLatin1Char('C');
    case 0x00E7: return QLatin1Char('c');
    default: return c;
    }
}

// Word breaks of proper case: blanks and control characters, nothing else,
// so "coca-cola" stays one word.
bool breaksWord(QChar c)
{
    return c.isSpace() || c.unicode() == 0;
}

// A case change that would leave Latin-1 is not made: the tickets could not
// print the result.
QChar lowerInLatin1(QChar c)
{
    const QChar lower = c.toLower();
    return c.unicode() <= 0xFF && lower.unicode() > 0xFF ? c : lower;
}

QChar upperInLatin1(QChar c)
{
    const QChar upper = c.toUpper();
    return c.unicode() <= 0xFF && upper.unicode() > 0xFF ? c : upper;
}

} // namespace

QString remove_acentos(const QString& text)
{
    QString out = text;
    for (QChar& c : out)
        c = plainLetter(c);
    return out;
}

QString centraliza(const QString& text, int width)
{
    if (width <= 0)
        return QString();
    const QString cut = text.left(width);
    // width/2 - length/2 is a whole number or a half; a half goes to the even neighbour.
    const int twice = width - int(cut.size());
    int blanks = twice / 2;
    if (twice % 2 != 0 && blanks % 2 != 0)
        ++blanks;
    const QString side(blanks, QLatin1Char(' '));
    return side + cut + side;
}

QString properCase(const QString& text)
{
    QString out = text;
    bool wordStart = true;
    for (QChar& c : out) {
        if (breaksWord(c)) {
            wordStart = true;
        } else if (wordStart) {
            c = upperInLatin1(c);
            wordStart = false;
        } else {
            c = lowerInLatin1(c);
        }
    }
    return out;
}

QString latin1Upper(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        if (c.unicode() == 0xDF)
            out += QLatin1String("SS");
        else
            out += upperInLatin1(c);
    }
    return out;
}

QString firstOutsideLatin1(const QString& text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i).unicode() <= 0xFF)
            continue;
        const bool pair = text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate();
        return text.mid(i, pair ? 2 : 1);
    }
    return QString();
}
