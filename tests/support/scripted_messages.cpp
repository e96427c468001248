#include "tests/support/scripted_messages.h"

#include <QTest>

void ScriptedMessages::answerNext(bool yes)
{
    m_answers.enqueue(yes);
}

QStringList ScriptedMessages::texts() const
{
    QStringList out;
    for (const Shown& s : m_shown)
        out << s.text;
    return out;
}

QString ScriptedMessages::transcript() const
{
    QStringList lines;
    for (const Shown& s : m_shown)
        lines << kindName(s.kind) + QStringLiteral(": ") + s.text;
    return lines.join(QLatin1Char('\n'));
}

void ScriptedMessages::clear()
{
    m_shown.clear();
    m_answers.clear();
}

void ScriptedMessages::info(const QString& text)
{
    m_shown.append({Kind::Info, text});
}

void ScriptedMessages::plain(const QString& text)
{
    m_shown.append({Kind::Plain, text});
}

bool ScriptedMessages::question(const QString& text)
{
    m_shown.append({Kind::Question, text});
    if (m_answers.isEmpty()) {
        const QByteArray what = QStringLiteral("unanswered question: %1").arg(text).toUtf8();
        QTest::qFail(what.constData(), __FILE__, __LINE__);
        return false;
    }
    return m_answers.dequeue();
}

QString ScriptedMessages::kindName(Kind kind)
{
    switch (kind) {
    case Kind::Info: return QStringLiteral("info");
    case Kind::Question: return QStringLiteral("question");
    case Kind::Plain: return QStringLiteral("plain");
    }
    return QString();
}

char* toString(const ScriptedMessages::Shown& shown)
{
    const QString text = ScriptedMessages::kindName(shown.kind) + QStringLiteral(": ") + shown.text;
    return qstrdup(text.toUtf8().constData());
}
