#include "db/sql_script.h"

#include <QRegularExpression>

namespace {

// "SET TERM <new> <old>": returns the new terminator, or empty when the
// statement is something else.
QString termSwitch(const QString& statement)
{
    static const QRegularExpression pattern(QStringLiteral("^\\s*set\\s+term\\s+(\\S+)\\s*$"),
                                            QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = pattern.match(statement);
    return match.hasMatch() ? match.captured(1) : QString();
}

} // namespace

QStringList splitSqlScript(const QString& script)
{
    QStringList statements;
    QString terminator = QStringLiteral(";");
    QString current;
    const qsizetype n = script.size();
    qsizetype i = 0;

    auto finish = [&] {
        const QString statement = current.trimmed();
        current.clear();
        if (statement.isEmpty())
            return;
        const QString next = termSwitch(statement);
        if (!next.isEmpty())
            terminator = next;
        else
            statements.append(statement);
    };

    while (i < n) {
        const QChar c = script[i];
        if (c == u'\'' || c == u'"') {
            // A quoted text or name, with the doubled quote as its escape.
            const qsizetype start = i++;
            while (i < n) {
                if (script[i] == c) {
                    if (i + 1 < n && script[i + 1] == c) {
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                ++i;
            }
            current += script.mid(start, i - start);
            continue;
        }
        if (c == u'-' && i + 1 < n && script[i + 1] == u'-') {
            while (i < n && script[i] != u'\n')
                ++i;
            continue;
        }
        if (c == u'/' && i + 1 < n && script[i + 1] == u'*') {
            const qsizetype end = script.indexOf(QStringLiteral("*/"), i + 2);
            i = end < 0 ? n : end + 2;
            current += u' ';
            continue;
        }
        if (script.mid(i, terminator.size()) == terminator) {
            i += terminator.size();
            finish();
            continue;
        }
        current += c;
        ++i;
    }
    finish();
    return statements;
}
