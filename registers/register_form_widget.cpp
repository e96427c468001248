#include "registers/register_form_widget.h"

#include "common/field_kind.h"
#include "common/field_text.h"
#include "common/form_checks.h"
#include "common/input_guard.h"
#include "common/key_conventions.h"
#include "registers/screen_parts.h"
#include "common/window_placement.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTextCursor>
#include <QVBoxLayout>

#include <algorithm>

RegisterFormWidget::RegisterFormWidget(std::unique_ptr<RegisterForm> form, Messages& messages,
                                       const QString& caption, const QString& title, QWidget* parent)
    : QDialog(parent)
    , m_form(std::move(form))
    , m_messages(messages)
{
    setWindowTitle(caption);
    setAttribute(Qt::WA_DeleteOnClose);
    m_header = screenparts::headerBand(title, this);
    m_ok = screenparts::button(QStringLiteral("CmdOk"), QStringLiteral("&Gravar"), this);
    m_exit = screenparts::button(QStringLiteral("CmdSair"), QStringLiteral("&Sair"), this);
    connect(m_ok, &QPushButton::clicked, this, &RegisterFormWidget::save);
    connect(m_exit, &QPushButton::clicked, this, &QDialog::close);

    m_keys = new KeyConventions(this, {.arrowsMove = true, .blockApostrophe = true});
    m_keys->setCancelButton(m_exit);
    m_keys->setKeyHandler([this](QKeyEvent* event, QWidget* field) {
        return typeLimit(event, field) || filterMixed(event, field) || crossPage(event, field)
            || screenKey(event, field);
    });
}

RegisterFormWidget::~RegisterFormWidget()
{
    // No key or focus event may reach the form's checks while the fields go.
    delete m_keys;
}

QLineEdit* RegisterFormWidget::edit(const QString& name)
{
    if (QLineEdit* existing = m_edits.value(name))
        return existing;
    auto* e = new QLineEdit(this);
    e->setObjectName(name);
    m_edits.insert(name, e);
    if (const FormField* f = m_form->field(name)) {
        // A money field shows more than it takes at the keyboard ("R$ 1.234,50"
        // from ten typed characters): its length is held by typeLimit().
        if (f->maxLength > 0 && f->leaving != FieldKind::Money)
            e->setMaxLength(f->maxLength);
        markRequired(e, f->required);
        if (f->typing == f->leaving) {
            if (f->typing != FieldKind::None)
                m_keys->setKind(e, f->typing);
        } else if (f->leaving != FieldKind::None) {
            // Typed as one kind, put right as another (quantities take a
            // comma but are not shown as money): the check does the leaving part.
            const FieldKind leaving = f->leaving;
            m_keys->setLeaveCheck(e, [e, leaving] {
                const QString formatted = formata_campo(leaving, e->text());
                if (formatted != e->text())
                    e->setText(formatted);
                return true;
            });
        }
        // A paste takes what typing takes; a money field's typed length is held here too.
        if (f->typing != FieldKind::None)
            m_keys->guardInput(e, f->typing, f->leaving == FieldKind::Money ? f->maxLength : 0);
    }
    return e;
}

QPlainTextEdit* RegisterFormWidget::area(const QString& name)
{
    if (QPlainTextEdit* existing = m_areas.value(name))
        return existing;
    auto* a = new QPlainTextEdit(this);
    a->setObjectName(name);
    a->setTabChangesFocus(true);
    a->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_areas.insert(name, a);
    const FormField* f = m_form->field(name);
    if (!f)
        return a;
    markRequired(a, f->required);
    if (f->maxLength > 0) {
        // Typing stops at the limit (typeLimit); a paste is cut to it.
        const int limit = f->maxLength;
        connect(a, &QPlainTextEdit::textChanged, a, [a, limit] {
            const QString text = a->toPlainText();
            if (text.size() <= limit)
                return;
            const int at = std::min(a->textCursor().position(), limit);
            a->setPlainText(text.left(limit));
            QTextCursor cursor = a->textCursor();
            cursor.setPosition(at);
            a->setTextCursor(cursor);
        });
    }
    return a;
}

QTabWidget* RegisterFormWidget::pages(const QString& name)
{
    if (!m_pages) {
        m_pages = new QTabWidget(this);
        m_pages->setObjectName(name);
        m_pages->setFocusPolicy(Qt::NoFocus);   // the fields move between pages
    }
    return m_pages;
}

int RegisterFormWidget::pageOf(const QWidget* widget) const
{
    if (!m_pages || !widget)
        return -1;
    for (int i = 0; i < m_pages->count(); ++i)
        if (m_pages->widget(i)->isAncestorOf(widget))
            return i;
    return -1;
}

void RegisterFormWidget::showOnItsPage(QWidget* widget)
{
    const int page = pageOf(widget);
    if (page >= 0)
        m_pages->setCurrentIndex(page);
}

bool RegisterFormWidget::crossPage(QKeyEvent* event, QWidget* field)
{
    const int page = pageOf(field);
    if (page < 0 || event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    bool forward = true;
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Tab:
    case Qt::Key_Down:
        forward = true;
        break;
    case Qt::Key_Backtab:
    case Qt::Key_Up:
        forward = false;
        break;
    default:
        return false;
    }
    const int to = page + (forward ? 1 : -1);
    if (to < 0 || to >= m_pages->count() || pageOf(KeyConventions::nextField(field, forward)) == page)
        return false;   // the move stays on the page, or there is no page that way
    if (!m_keys->leaveField(field))
        return true;
    m_pages->setCurrentIndex(to);
    if (QWidget* next = KeyConventions::nextField(field, forward))
        next->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
}

bool RegisterFormWidget::typeLimit(QKeyEvent* event, QWidget* field)
{
    if (auto* a = qobject_cast<QPlainTextEdit*>(field)) {
        const FormField* f = m_form->field(a->objectName());
        const QString text = event->text();
        if (!f || f->maxLength <= 0 || text.size() != 1 || text.at(0).unicode() < 0x20
            || text.at(0).unicode() == 0x7f
            || event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
            return false;
        const QTextCursor cursor = a->textCursor();
        return a->toPlainText().size() - (cursor.selectionEnd() - cursor.selectionStart()) + 1 > f->maxLength;
    }
    auto* e = qobject_cast<QLineEdit*>(field);
    if (!e || !inputguard::typesText(event))
        return false;
    const FormField* f = m_form->field(e->objectName());
    const QString text = event->text();
    if (!f || f->maxLength <= 0 || e->maxLength() <= f->maxLength || text.size() != 1
        || text.at(0).unicode() < 0x20 || text.at(0).unicode() == 0x7f)
        return false;
    const qsizetype after = e->text().size() - e->selectedText().size() + 1;
    return after > f->maxLength;
}

bool RegisterFormWidget::filterMixed(QKeyEvent* event, QWidget* field)
{
    auto* e = qobject_cast<QLineEdit*>(field);
    if (!e || !inputguard::typesText(event))
        return false;
    const FormField* f = m_form->field(e->objectName());
    if (!f || f->typing == f->leaving || f->typing == FieldKind::None || e->isReadOnly())
        return false;
    const QString text = event->text();
    if (text.size() != 1 || text.at(0).unicode() < 0x20 || text.at(0).unicode() == 0x7f)
        return false;
    QChar typed = text.at(0);
    const bool keypadDecimal = (event->modifiers() & Qt::KeypadModifier)
        && (event->key() == Qt::Key_Period || event->key() == Qt::Key_Comma);
    if (keypadDecimal && f->typing == FieldKind::Money)
        typed = QLatin1Char(',');
    FieldText state{e->text(), e->cursorPosition()};
    if (e->hasSelectedText()) {
        state.selectionStart = e->selectionStart();
        state.selectionLength = int(e->selectedText().size());
    }
    const TypedKey result = filtra_tecla(f->typing, state, typed);
    if (!result.accepted)
        return true;
    if (typed == text.at(0))
        return false;   // the field types it itself
    e->insert(QString(typed));
    return true;
}

void RegisterFormWidget::setContent(QLayout* fields)
{
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(m_exit);

    auto* inner = new QVBoxLayout;
    inner->setContentsMargins(16, 12, 16, 12);
    inner->setSpacing(12);
    inner->addLayout(fields);
    inner->addStretch();
    inner->addLayout(buttons);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    outer->addWidget(m_header);
    outer->addLayout(inner);
}

void RegisterFormWidget::start(QWidget* first)
{
    m_first = first;
    m_form->open();
    push();
    if (m_pages)
        m_pages->setCurrentIndex(0);
    adjustSize();
    centraliza_form(this);
    if (m_first)
        m_first->setFocus(Qt::OtherFocusReason);
}

void RegisterFormWidget::push()
{
    for (auto it = m_edits.cbegin(); it != m_edits.cend(); ++it)
        showText(it.value(), m_form->text(it.key()));
    for (auto it = m_areas.cbegin(); it != m_areas.cend(); ++it)
        showText(it.value(), m_form->text(it.key()));
    pushExtras();
}

void RegisterFormWidget::pull()
{
    for (auto it = m_edits.cbegin(); it != m_edits.cend(); ++it)
        m_form->setText(it.key(), it.value()->text());
    for (auto it = m_areas.cbegin(); it != m_areas.cend(); ++it)
        m_form->setText(it.key(), it.value()->toPlainText());
    pullExtras();
}

void RegisterFormWidget::save()
{
    pull();
    switch (m_form->save()) {
    case RegisterForm::Saved::No:
        push();   // the values stay as typed; a check may have put a name right
        if (QLineEdit* fix = m_edits.value(m_form->fieldToFix())) {
            showOnItsPage(fix);
            fix->setFocus(Qt::OtherFocusReason);
            fix->selectAll();
        }
        return;
    case RegisterForm::Saved::Inserted:
        push();
        if (m_pages)
            m_pages->setCurrentIndex(0);
        if (m_first)
            m_first->setFocus(Qt::OtherFocusReason);
        return;
    case RegisterForm::Saved::Updated:
        emit saved();
        close();
        return;
    }
}
