#pragma once

#include "common/messages.h"

#include <QList>
#include <QMetaType>
#include <QQueue>
#include <QString>
#include <QStringList>

// A Messages for tests: records every message shown and answers questions
// from a queue filled beforehand. A question that comes with no answer
// queued fails the running test and is answered "Não".
class ScriptedMessages final : public Messages
{
public:
    enum class Kind { Info, Question, Plain };
    struct Shown
    {
        Kind kind;
        QString text;
        bool operator==(const Shown&) const = default;
    };

    // Queues the answer to the next question (true = "Sim").
    void answerNext(bool yes);
    // Answers still queued: a test usually expects none left over.
    int pendingAnswers() const { return int(m_answers.size()); }

    const QList<Shown>& shown() const { return m_shown; }
    QStringList texts() const;
    // "info: text" per message, one per line: readable in a failed QCOMPARE.
    QString transcript() const;
    void clear();

    void info(const QString& text) override;
    bool question(const QString& text) override;
    void plain(const QString& text) override;

    static QString kindName(Kind kind);

private:
    QList<Shown> m_shown;
    QQueue<bool> m_answers;
};

Q_DECLARE_METATYPE(ScriptedMessages::Kind)
Q_DECLARE_METATYPE(ScriptedMessages::Shown)

// "question: Confirma ..." in the report of a failed QCOMPARE.
char* toString(const ScriptedMessages::Shown& shown);
