#pragma once

#include <QString>

// Accented letters to plain ones (Promoção -> Promocao); same length.
QString remove_acentos(const QString& text);
// Cut to `width`, then n = round-half-even(width/2 - length/2) blanks on each side.
QString centraliza(const QString& text, int width);
// "cerveja LATA" -> "Cerveja Lata": first letter of each word upper case.
// A Latin-1 letter whose other case lies outside Latin-1 (µ, ÿ, ß) keeps its form.
QString properCase(const QString& text);
// Capitals for a ticket: "ß" becomes "SS", and a letter whose capital the
// printer's Latin-1 lacks (µ, ÿ) keeps its form.
QString latin1Upper(const QString& text);
// The first character of `text` that Latin-1 cannot hold (a whole emoji, not
// half of it); empty when there is none.
QString firstOutsideLatin1(const QString& text);
