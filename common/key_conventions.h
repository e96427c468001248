#pragma once

#include "common/field_kind.h"

#include <QHash>
#include <QObject>
#include <QPointer>

#include <functional>

class QAbstractButton;
class QFocusEvent;
class QKeyEvent;
class QLineEdit;
class QWidget;

// The keyboard conventions every screen shares, written once. A screen makes
// one KeyConventions over itself (one per window) and describes its fields;
// the filter then sees every key before the fields do:
//   - Enter (either key) is swallowed and moves to the next field in tab
//     order, after the field's own Enter action when it has one; Enter on a
//     push button presses it;
//   - entering a line edit selects its whole text;
//   - per field: its kind (filtra_tecla while typing, formata_campo on
//     leaving; the keypad's decimal key types a comma in money fields) and a
//     leave check run once before the focus moves on (Enter, Tab, Shift+Tab,
//     the arrows, a click or a mnemonic): when it refuses, the focus stays
//     and the text is selected;
//   - Escape presses the cancel button (or runs the cancel action), without
//     the leave check; a click on the cancel button skips it too;
//   - options: Up/Down move like Shift+Tab/Tab (tecla_seta), the apostrophe
//     is swallowed (bloqueia_aspas).
// Keys typed with Alt or AltGr are filtered like any other, and a text that
// arrives whole (a paste, a drop) must be one the field takes by typing
// (common/input_guard.h), or the field refuses it.
// Keys meant for an open popup or a message box are left alone.
class KeyConventions final : public QObject
{
    Q_OBJECT

public:
    struct Options
    {
        bool arrowsMove = false;        // tecla_seta: register screens
        bool blockApostrophe = false;   // bloqueia_aspas
    };
    // Sees every key pressed in the screen first; true when it handled the key.
    using KeyHandler = std::function<bool(QKeyEvent* event, QWidget* field)>;
    // Runs on Enter in its field; true when Enter should then move on as
    // usual, false when the action placed the focus itself.
    using EnterAction = std::function<bool()>;
    // Runs before the focus leaves its field; false keeps the focus there.
    using LeaveCheck = std::function<bool()>;

    explicit KeyConventions(QWidget* screen);
    KeyConventions(QWidget* screen, Options options);
    ~KeyConventions() override;

    void setKind(QLineEdit* field, FieldKind kind);
    // A field typed as one kind and put right as another on leaving (a
    // quantity takes the comma while typing but is kept as typed).
    void setKind(QLineEdit* field, FieldKind typing, FieldKind leaving);
    // Only the guard of what `field` takes by paste, for a field whose typing
    // the screen filters itself; `typedLimit` bounds a money field as typed.
    void guardInput(QLineEdit* field, FieldKind typing, int typedLimit = 0);
    FieldKind kind(const QWidget* field) const;          // while typing
    FieldKind leavingKind(const QWidget* field) const;   // on leaving
    void setLeaveCheck(QWidget* field, LeaveCheck check);
    void setEnterAction(QWidget* field, EnterAction action);
    void setKeyHandler(KeyHandler handler);
    void setCancelButton(QAbstractButton* button);
    void setCancelAction(std::function<void()> action);

    // The leave step of `field` (formata_campo, then its check) as leaving it
    // would run it; for screens that act on a key without the focus moving.
    bool leaveField(QWidget* field);
    // The field after (or before) `from` in tab order within its window:
    // visible, enabled, taking the focus by Tab. Null when there is none.
    static QWidget* nextField(QWidget* from, bool forward);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* focusedField() const;
    bool owns(const QWidget* widget) const;
    bool isCancel(const QWidget* widget) const;
    bool onKeyPress(QWidget* field, QKeyEvent* event);
    void pressEnter(QWidget* field);
    bool moveFrom(QWidget* field, bool forward);
    bool typeInto(QLineEdit* field, FieldKind kind, QChar typed, QChar pressed);
    void formatField(QWidget* field);
    void onFocusIn(QWidget* widget, QFocusEvent* event);
    void onFocusOut(QWidget* widget, QFocusEvent* event);
    void forget(QObject* widget);
    void guardPlain(QWidget* widget);

    QPointer<QWidget> m_screen;
    Options m_options;
    QHash<const QObject*, FieldKind> m_kinds;
    QHash<const QObject*, FieldKind> m_leavingKinds;
    QHash<const QObject*, LeaveCheck> m_checks;
    QHash<const QObject*, EnterAction> m_enterActions;
    KeyHandler m_keyHandler;
    QPointer<QAbstractButton> m_cancelButton;
    std::function<void()> m_cancelAction;
    bool m_leaving = false;        // a leave check is running
    bool m_swallowPress = false;   // the click that a refused check answered
};

// Tab (and Enter, which moves as Tab) goes through `widgets` in this order.
void setTabChain(const QList<QWidget*>& widgets);
