#include "common/db_errors.h"

#include "common/message_texts.h"
#include "common/messages.h"
#include "db/result.h"

#include <QRegularExpression>

namespace {

const QString marker = QStringLiteral("{ini}");

// The operator's text of a user exception: what follows the marker, without
// the place in the database where it was raised, which Firebird appends
// ("... - At trigger 'X' line: 1, col: 5").
QString operatorText(const QString& description)
{
    QString text = description.mid(description.indexOf(marker) + marker.size());
    static const QRegularExpression where(
        QStringLiteral("(?:\\s+-\\s+|\\s*\\n\\s*)At (?:trigger|procedure|block|function)\\b.*$"),
        QRegularExpression::DotMatchesEverythingOption);
    text.remove(where);
    return text.trimmed();
}

} // namespace

QString codigo_erro(const QString& description)
{
    const qsizetype equals = description.indexOf(QLatin1Char('='));
    if (equals < 0)
        return QString();
    const qsizetype colon = description.indexOf(QLatin1Char(':'), equals + 1);
    const qsizetype length = colon < 0 ? -1 : colon - equals - 1;
    return description.mid(equals + 1, length);
}

void trata_erro_banco(Messages& messages, const QString& description)
{
    const QString code = codigo_erro(description);
    const QString forOperator = code == QLatin1String("-836") && description.contains(marker)
        ? operatorText(description) : QString();
    if (!forOperator.isEmpty()) {
        messages.info(forOperator);
    } else if (code == QLatin1String("-530")) {
        if (messages.question(msg::violacaoIntegridade))
            messages.info(description);
    } else if (code == QLatin1String("-803")) {
        if (messages.question(msg::registroJaExiste))
            messages.info(description);
    } else {
        messages.plain(description);
    }
}

void trata_erro_banco(Messages& messages, const Failure& failure)
{
    trata_erro_banco(messages, failure.description());
}

std::optional<TextTooLong> textTooLong(const Failure& failure)
{
    if (failure.code != QLatin1String("-802"))
        return std::nullopt;
    static const QRegularExpression lengths(
        QStringLiteral("string right truncation.*expected length (\\d+), actual (\\d+)"),
        QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch match = lengths.match(failure.text);
    if (!match.hasMatch())
        return std::nullopt;
    return TextTooLong{match.captured(1).toInt(), match.captured(2).toInt()};
}
