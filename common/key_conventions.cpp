#include "common/key_conventions.h"

#include "common/input_guard.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

KeyConventions::KeyConventions(QWidget* screen)
    : KeyConventions(screen, Options())
{
}

KeyConventions::KeyConventions(QWidget* screen, Options options)
    : QObject(screen)
    , m_screen(screen)
    , m_options(options)
{
    // Installed on the application so that fields added later, and the inner
    // parts of composite widgets, are covered without any bookkeeping.
    qApp->installEventFilter(this);
    if (m_options.blockApostrophe) {
        for (QLineEdit* edit : screen->findChildren<QLineEdit*>())
            guardPlain(edit);
    }
}

KeyConventions::~KeyConventions()
{
    qApp->removeEventFilter(this);
}

void KeyConventions::setKind(QLineEdit* field, FieldKind kind)
{
    setKind(field, kind, kind);
}

void KeyConventions::setKind(QLineEdit* field, FieldKind typing, FieldKind leaving)
{
    m_kinds.insert(field, typing);
    m_leavingKinds.insert(field, leaving);
    connect(field, &QObject::destroyed, this, &KeyConventions::forget, Qt::UniqueConnection);
    guardInput(field, typing);
}

void KeyConventions::guardInput(QLineEdit* field, FieldKind typing, int typedLimit)
{
    inputguard::guard(field, typing, m_options.blockApostrophe, typedLimit);
}

// A plain field of a screen that swallows the apostrophe refuses it by paste
// too; fields with a kind have their own guard.
void KeyConventions::guardPlain(QWidget* widget)
{
    auto* edit = qobject_cast<QLineEdit*>(widget);
    if (edit && !edit->validator() && kind(edit) == FieldKind::None)
        inputguard::guard(edit, FieldKind::None, true);
}

FieldKind KeyConventions::kind(const QWidget* field) const
{
    return m_kinds.value(field, FieldKind::None);
}

FieldKind KeyConventions::leavingKind(const QWidget* field) const
{
    return m_leavingKinds.value(field, FieldKind::None);
}

void KeyConventions::setLeaveCheck(QWidget* field, LeaveCheck check)
{
    m_checks.insert(field, std::move(check));
    connect(field, &QObject::destroyed, this, &KeyConventions::forget, Qt::UniqueConnection);
}

void KeyConventions::setEnterAction(QWidget* field, EnterAction action)
{
    m_enterActions.insert(field, std::move(action));
    connect(field, &QObject::destroyed, this, &KeyConventions::forget, Qt::UniqueConnection);
}

void KeyConventions::setKeyHandler(KeyHandler handler)
{
    m_keyHandler = std::move(handler);
}

void KeyConventions::setCancelButton(QAbstractButton* button)
{
    m_cancelButton = button;
}

void KeyConventions::setCancelAction(std::function<void()> action)
{
    m_cancelAction = std::move(action);
}

void KeyConventions::forget(QObject* widget)
{
    m_kinds.remove(widget);
    m_leavingKinds.remove(widget);
    m_checks.remove(widget);
    m_enterActions.remove(widget);
}

bool KeyConventions::owns(const QWidget* widget) const
{
    return m_screen && widget && (widget == m_screen || m_screen->isAncestorOf(widget));
}

bool KeyConventions::isCancel(const QWidget* widget) const
{
    return widget && widget == m_cancelButton.data();
}

// The widget that holds the focus in the screen's window, or the screen itself.
QWidget* KeyConventions::focusedField() const
{
    if (!m_screen)
        return nullptr;
    QWidget* focus = m_screen->window()->focusWidget();
    return owns(focus) ? focus : m_screen.data();
}

QWidget* KeyConventions::nextField(QWidget* from, bool forward)
{
    if (!from)
        return nullptr;
    QWidget* window = from->window();
    QWidget* candidate = from;
    for (;;) {
        candidate = forward ? candidate->nextInFocusChain() : candidate->previousInFocusChain();
        if (!candidate || candidate == from)
            return nullptr;
        if (candidate->window() != window || candidate->focusProxy())
            continue;
        if (!candidate->isVisibleTo(window) || !candidate->isEnabled())
            continue;
        if ((candidate->focusPolicy() & Qt::TabFocus) != Qt::TabFocus)
            continue;
        return candidate;
    }
}

bool KeyConventions::leaveField(QWidget* field)
{
    if (m_leaving)   // a check is already deciding; nothing else may move
        return false;
    formatField(field);
    const LeaveCheck check = m_checks.value(field);
    if (!check)
        return true;

    QPointer<QWidget> guard(field);
    m_leaving = true;
    const bool ok = check();
    m_leaving = false;
    if (!ok && guard) {
        if (guard->window()->focusWidget() != guard)
            guard->setFocus(Qt::OtherFocusReason);
        if (auto* edit = qobject_cast<QLineEdit*>(guard.data()))
            edit->selectAll();
    }
    return ok;
}

void KeyConventions::formatField(QWidget* field)
{
    auto* edit = qobject_cast<QLineEdit*>(field);
    const FieldKind fieldKind = leavingKind(field);
    if (!edit || fieldKind == FieldKind::None)
        return;
    const QString formatted = formata_campo(fieldKind, edit->text());
    if (formatted != edit->text())
        edit->setText(formatted);
}

bool KeyConventions::moveFrom(QWidget* field, bool forward)
{
    QWidget* target = nextField(field, forward);
    if (!target)
        return false;
    target->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
}

void KeyConventions::pressEnter(QWidget* field)
{
    QPointer<QWidget> guard(field);
    const EnterAction action = m_enterActions.value(field);
    if (action) {
        formatField(field);   // the action reads the text as leaving would leave it
        if (!action())
            return;
    } else if (auto* button = qobject_cast<QPushButton*>(field)) {
        button->click();
        return;
    }
    // The action may have closed the screen or moved the focus itself.
    if (!guard || !guard->isVisible() || guard->window()->focusWidget() != guard)
        return;
    if (leaveField(guard))
        moveFrom(guard, true);
}

bool KeyConventions::typeInto(QLineEdit* field, FieldKind fieldKind, QChar typed, QChar pressed)
{
    FieldText state;
    state.text = field->text();
    state.cursor = field->cursorPosition();
    if (field->hasSelectedText()) {
        state.selectionStart = field->selectionStart();
        state.selectionLength = int(field->selectedText().size());
    }
    const TypedKey result = filtra_tecla(fieldKind, state, typed);
    if (!result.accepted)
        return true;

    // When the key does just what the field would do, let the field do it.
    QString natural = state.text;
    int at = state.cursor;
    if (state.selectionStart >= 0) {
        natural.remove(state.selectionStart, state.selectionLength);
        at = state.selectionStart;
    }
    natural.insert(at, pressed);
    if (natural == result.text)
        return false;

    if (result.text.size() > field->maxLength())
        return true;   // a full field takes nothing more
    field->selectAll();
    field->insert(result.text);   // as typing, so textEdited still fires
    field->setCursorPosition(result.cursor);
    return true;
}

bool KeyConventions::onKeyPress(QWidget* field, QKeyEvent* event)
{
    if (m_keyHandler && m_keyHandler(event, field))
        return true;

    const int key = event->key();
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    const bool shortcutModifier = modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);

    switch (key) {
    case Qt::Key_Escape:
        if (m_cancelButton && m_cancelButton->isEnabled()) {
            m_cancelButton->click();
            return true;
        }
        if (m_cancelAction) {
            m_cancelAction();
            return true;
        }
        return false;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (shortcutModifier)
            return false;
        pressEnter(field);
        return true;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        if (modifiers & (Qt::ControlModifier | Qt::AltModifier))
            return false;
        // The check passes: the key goes on and the field's window moves the
        // focus as it always does.
        return !leaveField(field);
    case Qt::Key_Up:
    case Qt::Key_Down:
        // Grids keep their arrows. Elsewhere the arrow only moves: letting it
        // reach a list would change the value the operator is leaving.
        if (!m_options.arrowsMove || shortcutModifier || qobject_cast<QAbstractItemView*>(field))
            return false;
        if (leaveField(field))
            moveFrom(field, key == Qt::Key_Down);
        return true;
    default:
        break;
    }

    // Alt and AltGr type as plainly as Shift does: the same filter applies.
    if (!inputguard::typesText(event))
        return false;
    const QString text = event->text();
    if (text.size() != 1)
        return false;
    QChar typed = text.at(0);
    if (m_options.blockApostrophe && typed == QLatin1Char('\''))
        return true;

    auto* edit = qobject_cast<QLineEdit*>(field);
    const FieldKind fieldKind = kind(field);
    if (!edit || fieldKind == FieldKind::None || edit->isReadOnly())
        return false;
    if (typed.unicode() < 0x20 || typed.unicode() == 0x7f)
        return false;   // Backspace and the other editing keys pass
    const QChar pressed = typed;
    const bool keypadDecimal = (modifiers & Qt::KeypadModifier)
        && (key == Qt::Key_Period || key == Qt::Key_Comma);
    if (keypadDecimal && fieldKind == FieldKind::Money)
        typed = QLatin1Char(',');
    return typeInto(edit, fieldKind, typed, pressed);
}

void KeyConventions::onFocusIn(QWidget* widget, QFocusEvent* event)
{
    auto* edit = qobject_cast<QLineEdit*>(widget);
    if (!edit)
        return;
    switch (event->reason()) {
    case Qt::ActiveWindowFocusReason:   // back from a message box: as it was
    case Qt::PopupFocusReason:
        return;
    case Qt::MouseFocusReason:
        // The click itself places the caret after this; select once it is done.
        QMetaObject::invokeMethod(edit, &QLineEdit::selectAll, Qt::QueuedConnection);
        return;
    default:
        edit->selectAll();
        return;
    }
}

void KeyConventions::onFocusOut(QWidget* widget, QFocusEvent* event)
{
    switch (event->reason()) {
    case Qt::ActiveWindowFocusReason:   // a message box or another window: not a leave
    case Qt::PopupFocusReason:
        return;
    case Qt::MouseFocusReason:
    case Qt::ShortcutFocusReason: {
        // A click or a mnemonic has already moved the focus when this arrives;
        // run the check now and, when it refuses, take the focus back and
        // drop the click that was on its way.
        QWidget* target = QApplication::focusWidget();
        if (m_leaving || isCancel(target) || !owns(target))
            break;
        if (!leaveField(widget)) {
            if (event->reason() == Qt::MouseFocusReason)
                m_swallowPress = true;
            // The line edit drops its selection when this focus-out reaches
            // it, after the check took the focus back: select it again then,
            // so that the operator types over the refused value.
            if (auto* edit = qobject_cast<QLineEdit*>(widget))
                QMetaObject::invokeMethod(edit, &QLineEdit::selectAll, Qt::QueuedConnection);
        }
        return;
    }
    default:
        break;
    }
    formatField(widget);
}

bool KeyConventions::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::FocusIn && type != QEvent::FocusOut
        && type != QEvent::MouseButtonPress && type != QEvent::MouseButtonDblClick
        && type != QEvent::Shortcut && type != QEvent::Polish && type != QEvent::DragEnter) {
        return false;
    }
    if (!watched->isWidgetType())
        return false;
    auto* widget = static_cast<QWidget*>(watched);
    if (!owns(widget))
        return false;

    if (m_options.blockApostrophe
        && (type == QEvent::Polish || type == QEvent::FocusIn || type == QEvent::DragEnter))
        guardPlain(widget);   // a field added after the screen was built

    switch (type) {
    case QEvent::KeyPress:
        // Seen once, where it is first delivered; a popup keeps its keys.
        if (QApplication::activePopupWidget() || widget != focusedField())
            return false;
        return onKeyPress(widget, static_cast<QKeyEvent*>(event));
    case QEvent::FocusIn:
        onFocusIn(widget, static_cast<QFocusEvent*>(event));
        return false;
    case QEvent::FocusOut:
        onFocusOut(widget, static_cast<QFocusEvent*>(event));
        return false;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        if (m_swallowPress) {
            m_swallowPress = false;
            return true;
        }
        return false;
    case QEvent::Shortcut: {
        // A mnemonic that presses a button (Alt+G) leaves the field as a click would.
        QWidget* field = focusedField();
        if (!qobject_cast<QAbstractButton*>(widget) || isCancel(widget) || field == widget
            || field == m_screen)
            return false;
        return !leaveField(field);
    }
    default:
        return false;
    }
}

void setTabChain(const QList<QWidget*>& widgets)
{
    for (qsizetype i = 1; i < widgets.size(); ++i)
        QWidget::setTabOrder(widgets.at(i - 1), widgets.at(i));
}
