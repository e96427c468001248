#pragma once

#include "registers/register_form.h"

#include <QDialog>
#include <QHash>

#include <memory>

class KeyConventions;
class Messages;
class QKeyEvent;
class QLayout;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;

// The widgets of every register form: header band, the fields by their
// control names, "&Gravar" and "&Sair", the keyboard conventions of the
// registers (Enter and the arrows move, the apostrophe is swallowed, Escape
// presses "&Sair"). A register builds its own layout from edit() and the
// extra controls it has, then calls start().
class RegisterFormWidget : public QDialog
{
    Q_OBJECT

public:
    ~RegisterFormWidget() override;

    RegisterForm& form() { return *m_form; }
    KeyConventions& keys() { return *m_keys; }
    QPushButton* okButton() const { return m_ok; }
    QPushButton* exitButton() const { return m_exit; }

signals:
    // A change was saved; the form closes right after.
    void saved();

protected:
    RegisterFormWidget(std::unique_ptr<RegisterForm> form, Messages& messages, const QString& caption,
                       const QString& title, QWidget* parent);

    Messages& messages() const { return m_messages; }
    // The line edit of a field, made on first use: named, limited to its
    // length, marked when required, filtered and formatted by its kind.
    QLineEdit* edit(const QString& name);
    // A field of several lines (remarks), made on first use: named, limited
    // to its length, marked when required, with a vertical scroll bar; Enter
    // and Tab move on as from any field.
    QPlainTextEdit* area(const QString& name);
    // Tab pages, for a form whose fields do not fit one: the form opens on
    // the first page, also after each insert. A forward move (Enter, Tab,
    // Down) from the last field of a page shows the next page and goes on to
    // its first field; a backward move from a page's first field shows the
    // previous page. A field a refused save points at is shown on its page.
    QTabWidget* pages(const QString& name);
    // Header band on top, `fields` in the middle, the buttons at the bottom.
    void setContent(QLayout* fields);
    // Opens the form and shows it; the focus goes to `first`, which also
    // takes it after each insert.
    void start(QWidget* first);

    // Texts from the form into the fields and back; a register with check
    // boxes or lists moves those in pushExtras/pullExtras.
    void push();
    void pull();
    virtual void pushExtras() {}
    virtual void pullExtras() {}
    // Keys of the screen's own (F11, F12); true when handled.
    virtual bool screenKey(QKeyEvent* event, QWidget* field) { return false; }

private:
    void save();
    bool typeLimit(QKeyEvent* event, QWidget* field);
    bool filterMixed(QKeyEvent* event, QWidget* field);
    bool crossPage(QKeyEvent* event, QWidget* field);
    int pageOf(const QWidget* widget) const;
    void showOnItsPage(QWidget* widget);

    std::unique_ptr<RegisterForm> m_form;
    Messages& m_messages;
    KeyConventions* m_keys = nullptr;
    QWidget* m_header = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_exit = nullptr;
    QWidget* m_first = nullptr;
    QHash<QString, QLineEdit*> m_edits;
    QHash<QString, QPlainTextEdit*> m_areas;
    QTabWidget* m_pages = nullptr;
};
