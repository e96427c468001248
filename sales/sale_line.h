#pragma once

#include <QString>

// One line of the sale being rung up, as the grid holds it: every value is
// the text of the field it came from (Grid1 columns 0 to 5).
struct SaleLine
{
    QString codigo;       // column 0, the product code as typed
    QString descricao;    // column 1
    QString quantidade;   // column 2, as typed ("2,5")
    QString unitario;     // column 3, money text as shown ("R$ 3,00")
    QString subtotal;     // column 4, money text as shown
    bool interno = false; // column 5: "S" internal consumption, "N" sale

    QString flag() const { return interno ? QStringLiteral("S") : QStringLiteral("N"); }
};
