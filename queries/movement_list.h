#pragma once

#include <QList>
#include <QString>
#include <Qt>

// What the two query screens (sale lines and entries) have in common is the
// shape; what differs is described here once per screen and per grid.

enum class CellFormat {
    Code,      // the row's key, hidden column
    Date,      // 04/12/2026
    Time,      // 18:32
    DayTime,   // 04/12 18:32
    Text,
    Integer,
    Quantity,  // 2 or 2,5: as many decimals as the value has
    Money,     // R$ 1.234,50
    Mark,      // "Sim" when the row is marked for cancelling
};

struct GridColumn
{
    QString header;
    int twips = 0;           // 0 hides the column
    CellFormat format = CellFormat::Text;
    QString field;           // column of the query; empty for the mark
    Qt::Alignment alignment = Qt::AlignCenter;

    int pixels() const { return (twips + 7) / 15; }   // 15 twips to a pixel
};

// One grid: its columns, the statement that fills it (two "?" for the period
// bounds) and the field summed into its Total.
struct GridList
{
    QList<GridColumn> columns;
    QString sql;
    QString valueField;

    int markColumn() const;   // -1 when the grid has no "Sel." column
};

struct MovementKind
{
    QString objectName;       // consultaVenda, consultaEntrada
    QString title;            // Label16
    QString activeTab;        // tab 0
    QString cancelledTab;     // tab 1
    GridList active;          // Grid1
    GridList cancelled;       // Grid2
    // Two "?": the cancelling cash register and the row's code. Touches the
    // row only while it is still active, so a row cancelled meanwhile by
    // another workstation keeps the register that cancelled it.
    QString cancelSql;
    // Whether row `ncodigo` stands cancelled by cash register `?`, as
    // cancelSql leaves it: a count of 0 or 1 (code first, then register).
    QString cancelledSql;
};

const MovementKind& saleMovements();
const MovementKind& entryMovements();
