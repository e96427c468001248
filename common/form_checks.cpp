#include "common/form_checks.h"

#include "common/message_texts.h"
#include "common/messages.h"

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QWidget>

namespace {

const char* const tagProperty = "tag";

// The screen's own text fields: the line edit inside a list or a spin box
// belongs to that control, not to the screen.
QList<QWidget*> textFields(QWidget* screen)
{
    QList<QWidget*> fields;
    if (!screen)
        return fields;
    const QList<QWidget*> all = screen->findChildren<QWidget*>();
    for (QWidget* w : all) {
        if (auto* edit = qobject_cast<QLineEdit*>(w)) {
            QWidget* owner = edit->parentWidget();
            if (qobject_cast<QComboBox*>(owner) || qobject_cast<QAbstractSpinBox*>(owner))
                continue;
            fields << w;
        } else if (qobject_cast<QPlainTextEdit*>(w) || qobject_cast<QTextEdit*>(w)) {
            fields << w;
        }
    }
    return fields;
}

QString textOf(const QWidget* field)
{
    if (auto* edit = qobject_cast<const QLineEdit*>(field))
        return edit->text();
    if (auto* plain = qobject_cast<const QPlainTextEdit*>(field))
        return plain->toPlainText();
    if (auto* rich = qobject_cast<const QTextEdit*>(field))
        return rich->toPlainText();
    return QString();
}

} // namespace

void markRequired(QWidget* field, bool required)
{
    field->setProperty(tagProperty, required ? QStringLiteral("*") : QString());
}

bool isRequired(const QWidget* field)
{
    return field->property(tagProperty).toString() == QLatin1String("*");
}

bool verifica_obrigatorios(QWidget* screen, Messages& messages)
{
    for (const QWidget* field : textFields(screen)) {
        if (isRequired(field) && textOf(field).isEmpty()) {
            messages.info(msg::camposObrigatorios);
            return false;
        }
    }
    return true;
}

bool verifica_obrigatorios(const QStringList& requiredTexts, Messages& messages)
{
    for (const QString& text : requiredTexts) {
        if (text.isEmpty()) {
            messages.info(msg::camposObrigatorios);
            return false;
        }
    }
    return true;
}

void limpa_campos(QWidget* screen)
{
    for (QWidget* field : textFields(screen)) {
        if (auto* edit = qobject_cast<QLineEdit*>(field))
            edit->clear();
        else if (auto* plain = qobject_cast<QPlainTextEdit*>(field))
            plain->clear();
        else if (auto* rich = qobject_cast<QTextEdit*>(field))
            rich->clear();
    }
}

bool confirma_exclusao(Messages& messages)
{
    return messages.question(msg::confirmaExclusao);
}

void registro_nao_localizado(Messages& messages, QLineEdit* field)
{
    messages.info(msg::registroNaoLocalizado);
    if (!field)
        return;
    field->setFocus(Qt::OtherFocusReason);
    field->selectAll();
}
