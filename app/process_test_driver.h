#pragma once

#include "common/messages.h"

#include <QObject>
#include <QStringList>

// Test use only (main.cpp installs it when VORINDA_TEST_ANSWERS is set): lets
// a test run the whole program as a process that must end by itself. Every
// message is written to stderr instead of shown, questions are answered from
// the list ("s" Sim, anything else Não; Não once it runs out), and every
// top-level window is written to stderr when shown, again at its first paint,
// and then closed as an operator's Escape would ("keep" among the answers
// leaves the windows open, for a test that ends the program otherwise).
class ProcessTestDriver final : public QObject, public Messages
{
public:
    explicit ProcessTestDriver(const QString& answers, QObject* parent = nullptr);

    void info(const QString& text) override;
    bool question(const QString& text) override;
    void plain(const QString& text) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QStringList m_answers;
    bool m_keepWindows;
};
