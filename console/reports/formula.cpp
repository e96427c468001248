#include "console/reports/formula.h"

#include <QDateTime>
#include <QRegularExpression>

namespace report {

namespace {

Failure refused(const QString& why)
{
    return Failure{QString(), why};
}

bool isIdentifierStart(QChar c)
{
    return c.isLetter() || c == u'_';
}

bool isIdentifierPart(QChar c)
{
    return c.isLetterOrNumber() || c == u'_' || c == u'$';
}

// Reads a quoted text starting at `pos` (on the quote); the quote doubled
// inside stands for one. Moves `pos` past the closing quote.
std::optional<QString> readQuoted(const QString& text, qsizetype& pos)
{
    const QChar quote = text.at(pos);
    QString value;
    ++pos;
    while (pos < text.size()) {
        const QChar c = text.at(pos);
        if (c == quote) {
            if (pos + 1 < text.size() && text.at(pos + 1) == quote) {
                value.append(quote);
                pos += 2;
                continue;
            }
            ++pos;
            return value;
        }
        value.append(c);
        ++pos;
    }
    return std::nullopt;
}

struct Token
{
    enum class Kind { End, Field, Text, Number, Word, Op, Open, Close };
    Kind kind = Kind::End;
    QString text;     // the field ("t.c"), the text's value, the word, the operator
    qsizetype at = 0; // where it starts, for messages
};

class Tokens
{
public:
    static Result<QList<Token>> read(const QString& text)
    {
        QList<Token> tokens;
        qsizetype pos = 0;
        while (true) {
            while (pos < text.size() && text.at(pos).isSpace())
                ++pos;
            Token token;
            token.at = pos;
            if (pos >= text.size()) {
                tokens.append(token);
                return tokens;
            }
            const QChar c = text.at(pos);
            if (c == u'{') {
                const qsizetype close = text.indexOf(u'}', pos);
                static const QRegularExpression field(
                    QStringLiteral("^\\s*([A-Za-z_][A-Za-z0-9_$]*)\\.([A-Za-z_][A-Za-z0-9_$]*)\\s*$"));
                const auto match = close < 0 ? QRegularExpressionMatch()
                                             : field.match(text.mid(pos + 1, close - pos - 1));
                if (!match.hasMatch())
                    return refused(QStringLiteral("campo mal escrito em \"%1\" (escreva {tabela.coluna})")
                                       .arg(text.mid(pos, close < 0 ? 20 : close - pos + 1)));
                token.kind = Token::Kind::Field;
                token.text = (match.captured(1) + u'.' + match.captured(2)).toLower();
                pos = close + 1;
            } else if (c == u'\'' || c == u'"') {
                auto value = readQuoted(text, pos);
                if (!value)
                    return refused(QStringLiteral("texto sem aspas de fechamento a partir de %1").arg(text.mid(token.at)));
                token.kind = Token::Kind::Text;
                token.text = *value;
            } else if (c.isDigit() || (c == u'-' && pos + 1 < text.size() && text.at(pos + 1).isDigit())) {
                static const QRegularExpression number(QStringLiteral("-?\\d+(\\.\\d+)?"));
                const auto match = number.match(text, pos, QRegularExpression::NormalMatch,
                                                QRegularExpression::AnchorAtOffsetMatchOption);
                token.kind = Token::Kind::Number;
                token.text = match.captured();
                pos += match.capturedLength();
            } else if (isIdentifierStart(c)) {
                const qsizetype start = pos;
                while (pos < text.size() && isIdentifierPart(text.at(pos)))
                    ++pos;
                token.kind = Token::Kind::Word;
                token.text = text.mid(start, pos - start).toLower();
            } else if (c == u'(' || c == u')') {
                token.kind = c == u'(' ? Token::Kind::Open : Token::Kind::Close;
                token.text = c;
                ++pos;
            } else if (c == u'=' || c == u'<' || c == u'>') {
                token.kind = Token::Kind::Op;
                token.text = c;
                ++pos;
                const QChar after = pos < text.size() ? text.at(pos) : QChar();
                if ((c == u'<' && (after == u'=' || after == u'>')) || (c == u'>' && after == u'=')) {
                    token.text.append(after);
                    ++pos;
                }
            } else {
                return refused(QStringLiteral("caractere inesperado \"%1\" em \"%2\"").arg(c).arg(text.mid(pos, 20)));
            }
            tokens.append(token);
        }
    }
};

// A comparison's side: a field, or a value bound to a "?".
struct Operand
{
    QString field;                  // set for a field
    std::optional<SqlValue> value;  // set for a value
};

std::optional<QDateTime> readMoment(const QString& text)
{
    for (const char* format : {"yyyy-MM-dd HH:mm:ss", "yyyy-MM-dd HH:mm", "yyyy-MM-dd"}) {
        const QDateTime moment = QDateTime::fromString(text.trimmed(), QString::fromLatin1(format));
        if (moment.isValid())
            return moment;
    }
    return std::nullopt;
}

class Parser
{
public:
    Parser(QList<Token> tokens, Selection& out) : m_tokens(std::move(tokens)), m_out(out) {}

    Result<void> parse()
    {
        auto sql = expression(/*top*/ true);
        if (!sql)
            return sql.failure();
        if (peek().kind != Token::Kind::End)
            return unexpected();
        m_out.sql = *sql;
        return {};
    }

private:
    const Token& peek() const { return m_tokens.at(m_pos); }
    const Token& next() { return m_tokens.at(m_pos++); }
    bool isWord(const char* word) const
    {
        return peek().kind == Token::Kind::Word && peek().text == QLatin1String(word);
    }

    Failure unexpected() const
    {
        if (peek().kind == Token::Kind::End)
            return refused(QStringLiteral("a fórmula termina antes de completar a comparação"));
        return refused(QStringLiteral("não esperava \"%1\" nesta posição").arg(peek().text));
    }

    // or-chain of and-chains; bounds are taken only from the top-level and-chain.
    Result<QString> expression(bool top)
    {
        auto first = conjunction(top);
        if (!first)
            return first;
        QString sql = *first;
        bool hasOr = false;
        while (isWord("or")) {
            next();
            hasOr = true;
            auto more = conjunction(false);
            if (!more)
                return more;
            sql += QStringLiteral(" or ") + *more;
        }
        if (top && hasOr)
            m_out.bounds.clear();   // "a or b" bounds nothing for sure
        return sql;
    }

    Result<QString> conjunction(bool top)
    {
        auto first = factor(top);
        if (!first)
            return first;
        QString sql = *first;
        while (isWord("and")) {
            next();
            auto more = factor(top);
            if (!more)
                return more;
            sql += QStringLiteral(" and ") + *more;
        }
        return sql;
    }

    Result<QString> factor(bool top)
    {
        if (isWord("not")) {
            next();
            auto inner = factor(false);
            if (!inner)
                return inner;
            return QString(QStringLiteral("not (") + *inner + u')');
        }
        if (peek().kind == Token::Kind::Open) {
            next();
            auto inner = expression(false);
            if (!inner)
                return inner;
            if (peek().kind != Token::Kind::Close)
                return refused(QStringLiteral("falta fechar um parêntese"));
            next();
            return QString(u'(' + *inner + u')');
        }
        return comparison(top);
    }

    Result<Operand> operand()
    {
        const Token token = next();
        Operand result;
        switch (token.kind) {
        case Token::Kind::Field:
            result.field = token.text;
            if (!m_out.fields.contains(token.text))
                m_out.fields.append(token.text);
            return result;
        case Token::Kind::Text:
            result.value = SqlValue::text(token.text);
            return result;
        case Token::Kind::Number: {
            const auto amount = Money::fromDecimalText(token.text);
            if (!amount)
                return refused(QStringLiteral("número ilegível \"%1\"").arg(token.text));
            result.value = amount->isWhole() ? SqlValue::bigint(amount->wholePart()) : SqlValue::quantity(*amount);
            return result;
        }
        case Token::Kind::Word:
            if (token.text == u"datetime" || token.text == u"date") {
                if (next().kind != Token::Kind::Open || next().kind != Token::Kind::Text)
                    return refused(QStringLiteral("escreva %1('aaaa-mm-dd hh:mm')").arg(token.text));
                const QString literal = m_tokens.at(m_pos - 1).text;
                if (next().kind != Token::Kind::Close)
                    return refused(QStringLiteral("falta fechar o parêntese de %1(...)").arg(token.text));
                const auto moment = readMoment(literal);
                if (!moment)
                    return refused(QStringLiteral("data e hora inválida '%1' (escreva aaaa-mm-dd hh:mm)").arg(literal));
                result.value = token.text == u"date" ? SqlValue::date(moment->date()) : SqlValue::timestamp(*moment);
                return result;
            }
            break;
        default:
            break;
        }
        --m_pos;
        return unexpected();
    }

    Result<QString> comparison(bool top)
    {
        auto left = operand();
        if (!left)
            return left.failure();
        if (peek().kind != Token::Kind::Op)
            return unexpected();
        QString op = next().text;
        auto right = operand();
        if (!right)
            return right.failure();
        if (left->field.isEmpty() && right->field.isEmpty())
            return refused(QStringLiteral("uma comparação precisa de um campo entre chaves"));

        QString sql;
        for (const Operand* side : {&*left, &*right}) {
            if (!sql.isEmpty())
                sql += u' ' + op + u' ';
            if (side->field.isEmpty()) {
                sql += u'?';
                m_out.params.append(*side->value);
            } else {
                sql += side->field;
            }
        }
        if (top) {
            // Written value-first, the bound faces the other way.
            const bool fieldFirst = !left->field.isEmpty() && right->value;
            const bool valueFirst = left->value && !right->field.isEmpty();
            if (fieldFirst || valueFirst) {
                const bool greater = op.startsWith(u'>');
                const bool less = op.startsWith(u'<') && op != u"<>";
                if (greater || less) {
                    SelectionBound bound{fieldFirst ? left->field : right->field, greater == fieldFirst,
                                         fieldFirst ? *right->value : *left->value};
                    m_out.bounds.append(bound);
                }
            }
        }
        return sql;
    }

    QList<Token> m_tokens;
    Selection& m_out;
    qsizetype m_pos = 0;
};

} // namespace

Result<std::optional<FormulaSlot>> parseFormulaSlot(const QString& text)
{
    if (text.trimmed().isEmpty())
        return std::optional<FormulaSlot>();
    static const QRegularExpression head(QStringLiteral("^\\s*([A-Za-z_][A-Za-z0-9_]*)\\s*=\\s*"));
    const auto match = head.match(text);
    if (!match.hasMatch())
        return refused(QStringLiteral("a fórmula \"%1\" deveria ser escrita nome = 'valor'").arg(text));
    qsizetype pos = match.capturedLength();
    if (pos >= text.size() || (text.at(pos) != u'\'' && text.at(pos) != u'"'))
        return refused(QStringLiteral("o valor da fórmula \"%1\" deveria estar entre aspas").arg(text));
    auto value = readQuoted(text, pos);
    if (!value)
        return refused(QStringLiteral("o valor da fórmula \"%1\" não fecha as aspas").arg(text));
    if (!text.mid(pos).trimmed().isEmpty())
        return refused(QStringLiteral("a fórmula \"%1\" tem texto depois das aspas de fechamento "
                                      "(uma aspa dentro do valor se escreve dobrada)").arg(text));
    return std::optional<FormulaSlot>(FormulaSlot{match.captured(1), *value});
}

QString formulaText(const QString& name, const QString& value, const QString& equals)
{
    QString doubled = value;
    doubled.replace(u'\'', QStringLiteral("''"));
    return name + equals + u'\'' + doubled + u'\'';
}

std::optional<SqlValue> Selection::bound(const QString& field, bool lower) const
{
    for (const SelectionBound& b : bounds) {
        if (b.field == field.toLower() && b.lower == lower)
            return b.value;
    }
    return std::nullopt;
}

Result<Selection> parseSelection(const QString& text)
{
    Selection selection;
    if (text.trimmed().isEmpty())
        return selection;
    auto tokens = Tokens::read(text);
    if (!tokens)
        return tokens.failure();
    Parser parser(std::move(*tokens), selection);
    if (auto parsed = parser.parse(); !parsed)
        return parsed.failure();
    return selection;
}

} // namespace report
