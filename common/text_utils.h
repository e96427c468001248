#pragma once

#include <QString>

// Accented letters to plain ones (Promoção -> Promocao); same length.
QString remove_acentos(const QString& text);
// Cut to `width`, then n = round-half-even(width/2 - length/2) blanks on each side.
QString centraliza(const QString& text, int width);
// "cerveja LATA" -> "Cerveja Lata": first letter of each word upper case.
QString properCase(const QString& text);
