#include "common/field_kind.h"

#include "common/br_format.h"

namespace {

bool passes(FieldKind kind, QChar c)
{
    switch (kind) {
    case FieldKind::Date:
    case FieldKind::Whole:
        return c.isDigit() && c.unicode() < 0x80;
    case FieldKind::Money:
        return (c.isDigit() && c.unicode() < 0x80) || c == QLatin1Char(',');
    case FieldKind::None:
        break;
    }
    return true;
}

} // namespace

TypedKey filtra_tecla(FieldKind kind, const FieldText& field, QChar typed)
{
    QString text = field.text;
    int cursor = qBound(0, field.cursor, int(text.size()));

    if (typed.unicode() == 8)   // Backspace: always passes, the field deletes
        return {true, text, cursor};
    if (!passes(kind, typed))
        return {false, text, cursor};

    if (field.selectionStart >= 0 && field.selectionLength > 0) {
        const int start = qBound(0, field.selectionStart, int(text.size()));
        text.remove(start, field.selectionLength);
        cursor = start;
    }

    if (kind == FieldKind::Date && (text.size() == 2 || text.size() == 5)) {
        text += QLatin1Char('/');
        cursor = int(text.size());
    }
    text.insert(cursor, typed);
    return {true, text, cursor + 1};
}

QString formata_campo(FieldKind kind, const QString& text)
{
    switch (kind) {
    case FieldKind::Date:
        return text.isEmpty() ? QString() : br::date(br::parseDate(text));
    case FieldKind::Money: {
        const std::optional<Money> value = br::parseMoney(text);
        return value ? br::money(*value) : QString();
    }
    case FieldKind::Whole:
        return br::parseMoney(text) ? text : QString();
    case FieldKind::None:
        break;
    }
    return text;
}
