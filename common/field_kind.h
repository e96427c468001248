#pragma once

#include <QChar>
#include <QString>

// The kind of a text field, which decides what may be typed into it and how
// its text is put right when the operator leaves it.
enum class FieldKind { None = 0, Date = 1, Money = 2, Whole = 3 };

// A text field's state at the moment of a keystroke.
struct FieldText
{
    QString text;
    int cursor = 0;             // caret position
    int selectionStart = -1;    // -1: nothing selected
    int selectionLength = 0;
};

// What a typed character does to a field.
struct TypedKey
{
    bool accepted = false;      // false: the character is swallowed, nothing changes
    QString text;               // the field's text after the keystroke
    int cursor = 0;             // the caret after it
};

// filtra_tecla: the character `typed` on a field of `kind`. Backspace always
// passes; a date takes digits and gets its "/" after the day and the month
// (the caret then at the end); money takes digits and the comma; a whole
// number takes digits. A typed character replaces the selected text.
TypedKey filtra_tecla(FieldKind kind, const FieldText& field, QChar typed);

// formata_campo: the text a field of `kind` shows once the operator leaves
// it: a date as "dd/mm/yyyy", money as "R$ 1.234,50", a whole number as
// typed; a text that does not read as such becomes empty.
QString formata_campo(FieldKind kind, const QString& text);
