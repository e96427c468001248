#pragma once

#include "common/field_kind.h"

#include <QString>

class QLineEdit;
class QKeyEvent;

// What a field takes, whatever way the text arrives: the key filter sees
// only keystrokes, while a paste (Ctrl+V, Shift+Insert, the context menu, the
// middle button), a drop or an input method hands the field whole texts.
// Every text the field ends up with must be one the keyboard could give it,
// or one the screen itself shows in it (a price as "R$ 1.234,50"); any other
// change is refused whole and the field keeps what it had.
namespace inputguard {

// Whether a field of `kind` may hold `text`: digits for whole numbers, digits
// and "/" for dates, digits and commas for money (or money as the screen
// writes it), never an apostrophe where `blockApostrophe`. `typedLimit` (0 =
// none) bounds a money field's text as typed, not its formatted form.
bool allows(FieldKind kind, bool blockApostrophe, int typedLimit, const QString& text);

// Puts the guard on `field` (replacing an earlier guard of this kind).
void guard(QLineEdit* field, FieldKind kind, bool blockApostrophe, int typedLimit = 0);

// Whether a line edit would insert the key's text: printable text with no
// modifier, Shift, Alt or AltGr; not a Ctrl shortcut.
bool typesText(const QKeyEvent* event);

} // namespace inputguard
