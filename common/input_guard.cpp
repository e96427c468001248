#include "common/input_guard.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpression>
#include <QValidator>

namespace inputguard {

namespace {

// A validator is the one gate every way of changing a line edit's text goes
// through; a refused change is undone by the field itself.
class Guard final : public QValidator
{
public:
    Guard(FieldKind kind, bool blockApostrophe, int typedLimit, QObject* parent)
        : QValidator(parent)
        , m_kind(kind)
        , m_blockApostrophe(blockApostrophe)
        , m_typedLimit(typedLimit)
    {
    }

    State validate(QString& input, int&) const override
    {
        return allows(m_kind, m_blockApostrophe, m_typedLimit, input) ? Acceptable : Invalid;
    }

private:
    FieldKind m_kind;
    bool m_blockApostrophe;
    int m_typedLimit;
};

bool only(const QString& text, const QRegularExpression& shape)
{
    return shape.match(text).hasMatch();
}

} // namespace

bool allows(FieldKind kind, bool blockApostrophe, int typedLimit, const QString& text)
{
    if (blockApostrophe && text.contains(QLatin1Char('\'')))
        return false;
    switch (kind) {
    case FieldKind::Whole: {
        static const QRegularExpression digits(QStringLiteral("^[0-9]*$"));
        return only(text, digits);
    }
    case FieldKind::Date: {
        static const QRegularExpression date(QStringLiteral("^[0-9/]*$"));
        return only(text, date);
    }
    case FieldKind::Money: {
        // As typed: digits and commas. As the screen shows it: "R$ 1.234,50",
        // "-R$ 2,00" (a change below zero); a minus sign is never typed.
        static const QRegularExpression typed(QStringLiteral("^[0-9,]*$"));
        static const QRegularExpression shown(QStringLiteral("^-?R\\$[ \\x{00A0}]?[0-9.,]*$"));
        if (only(text, typed))
            return typedLimit <= 0 || text.size() <= typedLimit;
        return only(text, shown);
    }
    case FieldKind::None:
        break;
    }
    return true;
}

void guard(QLineEdit* field, FieldKind kind, bool blockApostrophe, int typedLimit)
{
    const QValidator* current = field->validator();
    if (current && !dynamic_cast<const Guard*>(current))
        return;   // a field with a validator of its own (a spin box's) keeps it
    field->setValidator(new Guard(kind, blockApostrophe, typedLimit, field));
    if (current)
        delete current;
}

bool typesText(const QKeyEvent* event)
{
    // As Qt's line edit decides it: Ctrl and Ctrl+Shift are shortcuts; any
    // other modifier (Alt, AltGr, Meta) still types the key's text.
    const QString text = event->text();
    if (text.isEmpty())
        return false;
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (modifiers == Qt::ControlModifier || modifiers == (Qt::ControlModifier | Qt::ShiftModifier))
        return false;
    const QChar first = text.at(0);
    return first.isPrint() || first.category() == QChar::Other_Format;
}

} // namespace inputguard
