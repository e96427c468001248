#pragma once

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QString>

// A logic value shown in its field: set only when it differs, so the caret
// and selection of the field being typed in are not reset by a refresh.
inline void showText(QLineEdit* field, const QString& text)
{
    if (field->text() != text)
        field->setText(text);
}

inline void showText(QPlainTextEdit* field, const QString& text)
{
    if (field->toPlainText() != text)
        field->setPlainText(text);
}
