#pragma once

#include <QString>

class QWidget;

// Every message box of the system goes through this interface, titled
// "Vorinda", so that screens can be driven by tests with pre-answered questions.
class Messages
{
public:
    virtual ~Messages() = default;
    // Information icon, one OK button.
    virtual void info(const QString& text) = 0;
    // Yes ("Sim") / No ("Não"); true on Yes.
    virtual bool question(const QString& text) = 0;
    // The same question with "Não" as the answer Enter gives: for a "Sim"
    // that throws the operator's work away.
    virtual bool questionDefaultNo(const QString& text) { return question(text); }
    // No icon, one OK button (the whole text of an unknown database error).
    virtual void plain(const QString& text) = 0;
};

// The real boxes, modal over `parent` (or the active window).
class BoxMessages final : public Messages
{
public:
    explicit BoxMessages(QWidget* parent = nullptr) : m_parent(parent) {}
    void info(const QString& text) override;
    bool question(const QString& text) override;
    bool questionDefaultNo(const QString& text) override;
    void plain(const QString& text) override;

private:
    bool ask(const QString& text, bool enterAnswersYes);
    QWidget* m_parent;
};
